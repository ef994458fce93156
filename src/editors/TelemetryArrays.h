#pragma once
// The TX and RX tables as arrays: an array is the first run of consecutive rows that carry its key
// (channel, source, destination as stored), and each array has one line in its array list.
#include "app/Project.h"

#include <cstddef>
#include <string>
#include <vector>

namespace z7 {

struct TelemetryKey {
    std::string channel;
    std::string source;  // "Us" for this unit
    std::string dest;

    bool matches(const TelemetryRow& row) const {
        return row[TlmPort] == channel && row[TlmSource] == source && row[TlmDest] == dest;
    }
};

// Spin values to key: a negative address means "Us".
TelemetryKey telemetryKeyOf(int board, int port, int source, int dest);

struct TelemetryRun {
    std::size_t first = 0;
    std::size_t count = 0;  // 0 when the table holds no row of the key
};
TelemetryRun findTelemetryArray(const std::vector<TelemetryRow>& rows, const TelemetryKey& key);

// "Brd 2, Prt 1, Src Us, Dst 255", one per key, sorted.
std::vector<std::string> telemetryArrayList(const std::vector<TelemetryRow>& rows);

struct TelemetryListKey {
    int board = 0;
    int port = 1;
    int source = -1;  // -1 for "Us"
    int dest = -1;
};
// Reads an array list line back; false when the line is not one.
bool parseTelemetryListLine(const std::string& line, TelemetryListKey& key);

// Scale factor captions, stored texts and image codes.
struct ScaleFactor {
    const char* caption;
    const char* stored;
    int code;
};
constexpr int ScaleFactorCount = 9;
const ScaleFactor& scaleFactor(int choice);  // 0 to 8, in the order the group shows them
int scaleCodeOf(const std::string& mult);
// "F" 1, "S" 2, "L" 3, anything else 0.
int telemetryTypeCode(const std::string& type);
// Words an entry of this Type takes: "F" and "L" two, others one.
int telemetryWordCount(const std::string& type);
bool isSpecialTelemetryName(const std::string& name);  // "GlobalSP", "GlobalRTC", "ArchiveData"
std::string specialTelemetryAddress(const std::string& name);  // "1000", "1003", "1006" or empty

}  // namespace z7
