#pragma once
// Readings of the project's text-line lists (displays, tables, speech reports, BASIC modules) as the
// documentation and the cross reference need them.
#include "app/Project.h"

#include <string>
#include <vector>

namespace z7 {

struct DisplayPage {
    std::string name;
    std::string port;
    std::string number;
    std::string font;
    std::string trigger;
    std::vector<std::string> textLines;  // text "|" ten slots
};

// The displays in index order (ports 0 to 25, then numbers 0 to 100; a later display on the same
// port and number replaces the earlier one), each read from the first header that bears its name.
std::vector<DisplayPage> indexedDisplays(const std::vector<std::string>& displayLines);
// The text of a display text line, and its slot names in order up to the first one of fewer
// than 3 characters (a free slot holds its own number).
std::string displayText(const std::string& textLine);
std::vector<std::string> displaySlotNames(const std::string& textLine);

struct TableSetup {
    std::string name;
    std::string readSelector;
    std::string writeSelector;
    std::string writeTrigger;
    std::string rows;
    std::string columns;
    std::string characters;
    int columnCount = 0;  // columns as a number, 0 to 1000
    std::vector<std::vector<std::string>> rowFields;  // type, row name, write input, columns..., output
};
constexpr int MaxTableColumns = 1000;

// Every table of the table list, in list order.
std::vector<TableSetup> tablesOf(const std::vector<std::string>& tableLines);

struct SpeechReportSetup {
    std::string name;
    std::string reportTrigger;
    std::string stopTrigger;
    std::string lineTrigger;
    std::string lineSelect;
    std::string scanTrigger;
    std::string board;
    std::vector<std::vector<std::string>> lines;  // line enable and the 14 phrase cells
};
constexpr int SpeechLineCells = 15;

std::vector<SpeechReportSetup> speechReportsOf(const std::vector<std::string>& reportLines);

// The input values of a BASIC module line: its parameter fields (up to the first beginning with
// "$") that begin with "I", without that letter; the module name comes back in name.
std::vector<std::string> basicModuleInputs(const std::string& line, std::string& name);

}  // namespace z7
