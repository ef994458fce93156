#include "doc/ProjectLines.h"

#include "app/Text.h"

#include <algorithm>

namespace z7 {

std::vector<DisplayPage> indexedDisplays(const std::vector<std::string>& displayLines) {
    std::vector<DisplayPage> pages;
    for (const auto& [key, at] : indexDisplays(displayLines)) {
        const std::string name = parseDisplayHeader(displayLines[at]).name;
        std::size_t first = 0;
        while (!isDisplayHeader(displayLines[first]) || parseDisplayHeader(displayLines[first]).name != name) ++first;
        pages.push_back({parseDisplayHeader(displayLines[first]), displayTextLines(displayLines, first)});
    }
    return pages;
}

std::vector<std::string> displaySlotNames(const DisplayTextLine& line) {
    std::vector<std::string> names;
    for (const std::string& slot : line.slots) {
        if (slot.size() < 3) break;
        names.push_back(slot);
    }
    return names;
}

std::vector<TableSetup> tablesOf(const std::vector<std::string>& tableLines) {
    std::vector<TableSetup> tables;
    for (const std::string& line : tableLines) {
        if (isTableHeader(line)) {
            TableSetup table {parseTableHeader(line), 0, {}};
            // A damaged count must not make the readers walk millions of empty fields.
            table.columnCount = std::clamp(table.header.columns, 0, MaxTableColumns);
            tables.push_back(std::move(table));
        } else if (!tables.empty() && line.size() >= 2) {
            tables.back().rows.push_back(parseTableRow(line, tables.back().columnCount));
        }
    }
    return tables;
}

std::vector<SpeechReportSetup> speechReportsOf(const std::vector<std::string>& reportLines) {
    std::vector<SpeechReportSetup> reports;
    for (const std::string& line : reportLines) {
        if (isSpeechHeader(line)) reports.push_back({parseSpeechHeader(line), {}});
        else if (!reports.empty() && !line.empty()) reports.back().lines.push_back(parseSpeechLine(line));
    }
    return reports;
}

std::vector<std::string> basicModuleInputs(const std::string& line, std::string& name) {
    const std::vector<std::string> fields = splitFields(line);
    name = fields[0];
    std::vector<std::string> inputs;
    for (std::size_t i = 2; i < fields.size() && !startsWith(fields[i], "$"); ++i)
        if (startsWith(fields[i], "I")) inputs.push_back(fields[i].substr(1));
    return inputs;
}

}  // namespace z7
