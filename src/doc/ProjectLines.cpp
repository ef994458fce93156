#include "doc/ProjectLines.h"

#include "app/Text.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace z7 {

namespace {

constexpr int MaxDisplayPort = 25;
constexpr int MaxDisplayNumber = 100;

bool isDisplayHeader(const std::string& line) { return line.size() > 1 && line[0] == '~'; }

// Fields of a "~" header line, the "~" dropped; a trailing "|" adds no field.
std::vector<std::string> headerFields(const std::string& line) {
    std::vector<std::string> fields = splitFields(std::string_view(line).substr(1));
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    return fields;
}

std::string fieldOr(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

std::optional<int> numberIn(const std::string& text, int low, int high) {
    std::int32_t value;
    if (!parseInt(text, value) || value < low || value > high) return std::nullopt;
    return value;
}

DisplayPage readDisplay(const std::vector<std::string>& lines, std::size_t header) {
    const std::vector<std::string> fields = headerFields(lines[header]);
    DisplayPage page {fieldOr(fields, 0), fieldOr(fields, 1), fieldOr(fields, 2), fieldOr(fields, 3), fieldOr(fields, 4), {}};
    for (std::size_t i = header + 1; i < lines.size() && !isDisplayHeader(lines[i]); ++i) page.textLines.push_back(lines[i]);
    return page;
}

}  // namespace

std::vector<DisplayPage> indexedDisplays(const std::vector<std::string>& displayLines) {
    std::map<std::pair<int, int>, std::string> index;
    for (const std::string& line : displayLines) {
        if (!isDisplayHeader(line)) continue;
        const std::vector<std::string> fields = headerFields(line);
        const auto port = numberIn(fieldOr(fields, 1), 0, MaxDisplayPort);
        const auto number = numberIn(fieldOr(fields, 2), 0, MaxDisplayNumber);
        if (port && number) index[{*port, *number}] = fieldOr(fields, 0);
    }
    std::vector<DisplayPage> pages;
    for (const auto& [key, name] : index) {
        const auto header = std::find_if(displayLines.begin(), displayLines.end(), [&](const std::string& line) {
            return isDisplayHeader(line) && fieldOr(headerFields(line), 0) == name;
        });
        pages.push_back(readDisplay(displayLines, static_cast<std::size_t>(header - displayLines.begin())));
    }
    return pages;
}

std::string displayText(const std::string& textLine) { return fieldAt(textLine, 1); }

std::vector<std::string> displaySlotNames(const std::string& textLine) {
    std::vector<std::string> fields = splitFields(textLine);
    std::vector<std::string> names;
    for (std::size_t i = 1; i < fields.size() && i <= 10; ++i) {
        if (fields[i].size() < 3) break;
        names.push_back(std::move(fields[i]));
    }
    return names;
}

std::vector<TableSetup> tablesOf(const std::vector<std::string>& tableLines) {
    std::vector<TableSetup> tables;
    for (const std::string& line : tableLines) {
        if (startsWith(line, "~")) {
            const std::vector<std::string> fields = headerFields(line);
            TableSetup table;
            table.name = fieldOr(fields, 0);
            table.readSelector = fieldOr(fields, 1);
            table.writeSelector = fieldOr(fields, 2);
            table.writeTrigger = fieldOr(fields, 3);
            table.rows = fieldOr(fields, 4);
            table.columns = fieldOr(fields, 5);
            table.characters = fieldOr(fields, 6);
            // A damaged count must not make the readers walk millions of empty fields.
            table.columnCount = std::clamp(intOr(table.columns, 0), 0, MaxTableColumns);
            tables.push_back(std::move(table));
        } else if (!tables.empty() && line.size() >= 2) {
            std::vector<std::string> fields = splitFields(line);
            fields.resize(static_cast<std::size_t>(tables.back().columnCount) + 4);
            tables.back().rowFields.push_back(std::move(fields));
        }
    }
    return tables;
}

std::vector<SpeechReportSetup> speechReportsOf(const std::vector<std::string>& reportLines) {
    std::vector<SpeechReportSetup> reports;
    for (const std::string& line : reportLines) {
        if (line.size() >= 2 && line[0] == '~') {
            const std::vector<std::string> fields = headerFields(line);
            reports.push_back({fieldOr(fields, 0), fieldOr(fields, 1), fieldOr(fields, 2), fieldOr(fields, 3),
                               fieldOr(fields, 4), fieldOr(fields, 5), fieldOr(fields, 6), {}});
        } else if (!reports.empty() && !line.empty()) {
            std::vector<std::string> cells = splitFields(line);
            cells.resize(SpeechLineCells);
            reports.back().lines.push_back(std::move(cells));
        }
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
