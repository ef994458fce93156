#include "compiler/TableList.h"

#include "app/Text.h"
#include "compiler/HeaderBlocks.h"

#include <algorithm>

namespace z7 {

bool isTableHeader(const std::string& line) { return isBlockHeader(line); }

TableHeader parseTableHeader(const std::string& line) {
    const std::vector<std::string> f = headerFields(line);
    auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string {}; };
    TableHeader h;
    h.name = at(0);
    h.readSelector = at(1);
    h.writeSelector = at(2);
    h.writeTrigger = at(3);
    h.sizesValid = parseInt(at(4), h.rows) && parseInt(at(5), h.columns) && parseInt(at(6), h.chars) && h.rows >= 0 &&
                   h.columns >= 0 && h.chars >= 0;
    if (!h.sizesValid) h.rows = h.columns = h.chars = 0;
    h.rowType = intOr(at(7), 0);
    h.ramStart = readHexField(at(8));
    h.ramEnd = readHexField(at(9));
    return h;
}

std::string tableHeaderLine(const TableHeader& h) {
    return "~" + h.name + "|" + h.readSelector + "|" + h.writeSelector + "|" + h.writeTrigger + "|" + std::to_string(h.rows) +
           "|" + std::to_string(h.columns) + "|" + std::to_string(h.chars) + "|" + std::to_string(h.rowType) + "|$" +
           hexUpper(h.ramStart) + "|$" + hexUpper(h.ramEnd) + "|";
}

TableRow parseTableRow(const std::string& line, int columns) {
    const std::vector<std::string> f = splitFields(line);
    auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string {}; };
    TableRow row;
    row.type = at(0);
    row.name = at(1);
    row.writeInput = at(2);
    const auto n = static_cast<std::size_t>(std::max(columns, 0));
    row.cells.reserve(n);
    for (std::size_t c = 0; c < n; ++c) row.cells.push_back(at(3 + c));
    row.output = at(3 + n);
    return row;
}

std::string tableRowLine(const TableRow& row) {
    std::string line = row.type + "|" + row.name + "|" + row.writeInput + "|";
    for (const std::string& cell : row.cells) line += cell + "|";
    return line + row.output + "|";
}

bool removeTable(std::vector<std::string>& lines, const std::string& name) {
    if (lines.size() < 2) return false;
    return removeHeaderBlock(lines, [&](const std::string& line) {
        return isTableHeader(line) && parseTableHeader(line).name == name;
    });
}

}  // namespace z7
