#pragma once
// The project's tables as text lines: a header "~name|read|write|trigger|rows|columns|chars|type|
// $start|$end|" followed by one line per row "type|name|write input|cell 1|...|cell N|output|".
#include <cstdint>
#include <string>
#include <vector>

namespace z7 {

constexpr const char* TableRowTypes[] = {"Integer", "Float", "String", "Status"};

struct TableHeader {
    std::string name;
    std::string readSelector;
    std::string writeSelector;
    std::string writeTrigger;
    int rows = 5;
    int columns = 5;
    int chars = 20;
    int rowType = 0;  // the editor's row type choice when saved
    std::uint32_t ramStart = 0;
    std::uint32_t ramEnd = 0;
    bool sizesValid = true;  // rows, columns and characters are whole numbers, not negative
};

struct TableRow {
    std::string type;
    std::string name;
    std::string writeInput;
    std::vector<std::string> cells;  // one per column
    std::string output;
};

bool isTableHeader(const std::string& line);
TableHeader parseTableHeader(const std::string& line);
std::string tableHeaderLine(const TableHeader& header);
TableRow parseTableRow(const std::string& line, int columns);
std::string tableRowLine(const TableRow& row);

// Removes the first table of that name and its rows; false when there is none.
bool removeTable(std::vector<std::string>& lines, const std::string& name);

}  // namespace z7
