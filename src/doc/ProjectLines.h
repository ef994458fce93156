#pragma once
// Readings of the project's text-line lists (displays, tables, speech reports, BASIC modules) as the
// documentation and the cross reference need them.
#include "app/Project.h"
#include "compiler/SpeechReports.h"
#include "compiler/TableList.h"
#include "editors/DisplayList.h"

#include <string>
#include <vector>

namespace z7 {

struct DisplayPage {
    DisplayHeader header;
    std::vector<DisplayTextLine> textLines;
};

// The displays in index order (ports, then numbers), each read from the first header that bears
// its name, as the display list names them.
std::vector<DisplayPage> indexedDisplays(const std::vector<std::string>& displayLines);
// The slot names of a text line in order, up to the first one of fewer than 3 characters (a free
// slot holds its own number).
std::vector<std::string> displaySlotNames(const DisplayTextLine& line);

struct TableSetup {
    TableHeader header;
    int columnCount = 0;  // the header's columns, bounded to what a table can hold
    std::vector<TableRow> rows;
};
constexpr int MaxTableColumns = 1000;

// Every table of the table list, in list order.
std::vector<TableSetup> tablesOf(const std::vector<std::string>& tableLines);

struct SpeechReportSetup {
    SpeechHeader header;
    std::vector<SpeechLine> lines;
};

std::vector<SpeechReportSetup> speechReportsOf(const std::vector<std::string>& reportLines);

// The input values of a BASIC module line: its parameter fields (up to the first beginning with
// "$") that begin with "I", without that letter; the module name comes back in name.
std::vector<std::string> basicModuleInputs(const std::string& line, std::string& name);

}  // namespace z7
