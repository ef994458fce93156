#include "editors/TelemetryArrays.h"

#include "app/Text.h"

#include <algorithm>
#include <array>
#include <set>

namespace z7 {

static std::string addressText(int value) { return value < 0 ? "Us" : std::to_string(value); }

TelemetryKey telemetryKeyOf(int board, int port, int source, int dest) {
    return {std::to_string(board * 3 + port - 1), addressText(source), addressText(dest)};
}

TelemetryRun findTelemetryArray(const std::vector<TelemetryRow>& rows, const TelemetryKey& key) {
    TelemetryRun run;
    const auto first = std::find_if(rows.begin(), rows.end(), [&](const TelemetryRow& r) { return key.matches(r); });
    if (first == rows.end()) return run;
    const auto end = std::find_if_not(first, rows.end(), [&](const TelemetryRow& r) { return key.matches(r); });
    run.first = static_cast<std::size_t>(first - rows.begin());
    run.count = static_cast<std::size_t>(end - first);
    return run;
}

std::vector<std::string> telemetryArrayList(const std::vector<TelemetryRow>& rows) {
    std::vector<std::string> lines;
    std::set<std::array<std::string, 3>> seen;
    for (const TelemetryRow& row : rows) {
        if (!seen.insert({row[TlmPort], row[TlmSource], row[TlmDest]}).second) continue;
        const int channel = intOr(row[TlmPort], 0);
        lines.push_back("Brd " + std::to_string(channel / 3) + ", Prt " + std::to_string(channel % 3 + 1) + ", Src " +
                        row[TlmSource] + ", Dst " + row[TlmDest]);
    }
    sortNoCase(lines);
    return lines;
}

static bool readListNumber(const std::string& piece, const char* label, int& value) {
    if (!startsWith(piece, label)) return false;
    const std::string text = piece.substr(std::char_traits<char>::length(label));
    if (text == "Us") {
        value = -1;
        return true;
    }
    return parseInt(text, value);
}

bool parseTelemetryListLine(const std::string& line, TelemetryListKey& key) {
    const std::vector<std::string> pieces = splitFields(line, ',');
    if (pieces.size() != 4) return false;
    auto trimmed = [](std::string s) { return s.erase(0, s.find_first_not_of(' ')); };
    return readListNumber(trimmed(pieces[0]), "Brd ", key.board) && readListNumber(trimmed(pieces[1]), "Prt ", key.port) &&
           readListNumber(trimmed(pieces[2]), "Src ", key.source) && readListNumber(trimmed(pieces[3]), "Dst ", key.dest);
}

const ScaleFactor& scaleFactor(int choice) {
    static const ScaleFactor factors[ScaleFactorCount] = {
        {"0.0001", ".0001", 12}, {"0.001", ".001", 11},   {"0.01", ".01", 10},
        {"0.1", ".1", 9},        {"1", "1.0", 0},         {"10", "10.0", 7},
        {"100", "100.0", 6},     {"1000", "1000.0", 5},   {"10,000", "10000.0", 4},
    };
    return factors[std::clamp(choice, 0, ScaleFactorCount - 1)];
}

int scaleCodeOf(const std::string& mult) {
    if (mult == ".00001") return 13;
    for (int c = 0; c < ScaleFactorCount; ++c)
        if (mult == scaleFactor(c).stored) return scaleFactor(c).code;
    return 0;
}

int telemetryTypeCode(const std::string& type) {
    switch (type.empty() ? ' ' : type[0]) {
    case 'F': return 1;
    case 'S': return 2;
    case 'L': return 3;
    default: return 0;
    }
}

int telemetryWordCount(const std::string& type) {
    return startsWith(type, "F") || startsWith(type, "L") ? 2 : 1;
}

bool isSpecialTelemetryName(const std::string& name) { return !specialTelemetryAddress(name).empty(); }

std::string specialTelemetryAddress(const std::string& name) {
    if (name == "GlobalSP") return "1000";
    if (name == "GlobalRTC") return "1003";
    if (name == "ArchiveData") return "1006";
    return {};
}

}  // namespace z7
