#include "compiler/ReassignRam.h"

#include "app/Text.h"

namespace z7 {

namespace {

// The text up to and including the eighth "|", or the whole text when it has fewer.
std::string upToEighthBar(const std::string& line) {
    std::size_t at = 0;
    for (int bars = 0; bars < 8; ++bars) {
        at = line.find('|', at);
        if (at == std::string::npos) return line;
        ++at;
    }
    return line.substr(0, at);
}

// The BASIC module line without its RAM fields, then "$0|$0". The parameter fields end at the first
// field starting with "$" (a "$" inside a string output's name is kept).
std::string clearedBasicLine(const std::string& line) {
    std::vector<std::string> fields = splitFields(line);
    std::size_t keep = fields.size();
    for (std::size_t i = 2; i < fields.size(); ++i)
        if (startsWith(fields[i], "$")) {
            keep = i;
            break;
        }
    fields.resize(keep);
    std::string out;
    for (const std::string& f : fields) out += f + "|";
    return out + "$0|$0";
}

bool isHeaderRow(const TelemetryRow& row) { return row[TlmPort] == "Port" && row[TlmAddress] == "Address"; }

}  // namespace

bool ReassignRam(Project& project, Dialogs& dialogs) {
    if (!dialogs.confirm("Confirm OK to reassign project RAM?")) return false;
    for (int n = 1; n <= project.instanceCount(); ++n) {
        project.instance(n).ramStart = 0;
        project.instance(n).ramEnd = 0;
    }
    for (TelemetryRow& row : project.rxRows)
        if (!isHeaderRow(row)) row[TlmAddress] = "$0";
    if (project.tables.size() > 2)
        for (std::string& line : project.tables)
            if (startsWith(line, "~")) line = upToEighthBar(line) + "$0|$0|";
    for (std::string& line : project.basicModules) line = clearedBasicLine(line);
    for (LadderRung& rung : project.ladderRows) rung.statusAddress = 0;
    project.markChanged();
    return true;
}

}  // namespace z7
