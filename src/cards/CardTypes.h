#pragma once
// The fixed table of I/O and service card types: palette text, documentation label, channel counts
// per I/O kind, whether the card may sit in an expansion cage, and the labels of its face.
#include <array>
#include <string>

namespace z7 {

// Indexes the channel counts: 1 analog input, 2 analog output, 3 digital input, 4 digital output.
enum class IoKind { AnalogInput = 1, AnalogOutput = 2, DigitalInput = 3, DigitalOutput = 4 };

constexpr int CardTypeCount = 17;     // placeable codes 1 to 17
constexpr int CardTableCodes = 20;    // the per-type tables have room for codes 0 to 20
constexpr int VacantCardCode = 13;
constexpr int CardFaceLabels = 18;    // 0 title, 1-8 lamps, 9-17 terminal rows

struct CardTypeInfo {
    std::string description;  // palette text
    std::string label;        // exactly 8 characters
    std::array<int, 5> channels {};  // by IoKind 1 to 4; index 0 unused
    bool expansion = false;   // may be placed in cages 2 to 8
    std::array<std::string, CardFaceLabels> face;

    int channelCount(IoKind kind) const { return channels[static_cast<std::size_t>(kind)]; }
};

// The entry of a code 0 to 20; codes 18 to 20 and any code outside the table are empty entries.
const CardTypeInfo& cardTypeInfo(int code);

// Codes 0 and 13 both mean an empty slot.
inline bool isVacantCode(int code) { return code == 0 || code == VacantCardCode; }
// The code a slot is drawn with: outside 1 to 17 it shows as Vacant.
inline int drawnCode(int code) { return code >= 1 && code <= CardTypeCount ? code : VacantCardCode; }

}  // namespace z7
