#pragma once
// The project's displays as text lines: a header line "~name|port|number|font|trigger|" followed by
// text lines "text|slot1|...|slot10". Displays are found through an index by port and number.
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace z7 {

constexpr int DisplaySlots = 10;
constexpr int MaxDisplayLines = 100;
constexpr int MaxDisplayPort = 25;
constexpr int MaxDisplayNumber = 100;
constexpr std::size_t MaxSlotNameLength = 40;

struct DisplayHeader {
    std::string name;
    int port = 0;
    int number = 0;
    int font = 0;  // 0 "1X", 1 "2X", 2 "4X"
    std::string trigger;
};

struct DisplayTextLine {
    std::string text;
    std::array<std::string, DisplaySlots> slots;  // a free slot holds its own number
};

bool isDisplayHeader(const std::string& line);
DisplayHeader parseDisplayHeader(const std::string& line);
std::string displayHeaderLine(const DisplayHeader& header);
DisplayTextLine parseDisplayTextLine(const std::string& line);
std::string displayTextLine(const DisplayTextLine& line);
std::array<std::string, DisplaySlots> freeDisplaySlots();

// Header line index of each (port, number) in range; a later display replaces an earlier one.
std::map<std::pair<int, int>, std::size_t> indexDisplays(const std::vector<std::string>& lines);
// Text lines of the display whose header is at index header.
std::vector<DisplayTextLine> displayTextLines(const std::vector<std::string>& lines, std::size_t header);
// "Port 0..." and the names of its displays, for every port up to the highest one in use.
std::vector<std::string> displayListLines(const std::vector<std::string>& lines);
// Removes the first display of that name with its text lines; false when there is none.
bool removeDisplay(std::vector<std::string>& lines, const std::string& name);

// Fields of a display text: each starts at an "@" that does not continue a field ("@" and "."
// continue one). The text of each field from its "@".
std::vector<std::string> displayFields(const std::string& text);

}  // namespace z7
