// The table part and the speech part.
#include "app/Text.h"
#include "doc/DocumentParts.h"
#include "doc/ProjectLines.h"

namespace z7 {

namespace {

std::string tableCell(const std::string& field, bool leading) {
    return padRight(cut(field.empty() ? (leading ? "---" : "RAM") : field, 10), 10) + " ";
}

std::string tableHeading(int columns) {
    std::string heading = "ROW  TYPE      READNAME   WRITESRC ";
    for (int c = 1; c <= columns; ++c) heading += padRight("  " + std::to_string(c), 11);
    return heading + "   OUTPUT";
}

std::string speechCellText(const std::string& cell, const Project& project) {
    if (!cell.empty() && cell[0] >= '0' && cell[0] <= '9') {
        const int number = intOr(cell, 0);
        if (number >= 1 && number <= SpeechMessageCount) return project.speechMessages[static_cast<std::size_t>(number)] + " ";
    }
    return "{" + cell + "} ";
}

}  // namespace

void appendTablePart(DocumentContext& doc) {
    doc.intro.appendSection('X', doc.output);
    for (const TableSetup& table : tablesOf(doc.project.tables)) {
        const TableHeader& header = table.header;
        doc.output.push_back("TABLE NAME=" + header.name + "  Read column ctrl=" + header.readSelector +
                             "  Write column ctrl=" + header.writeSelector);
        doc.output.push_back("Write trigger=" + header.writeTrigger + "  #Rows=" + std::to_string(header.rows) +
                             "  #Cols=" + std::to_string(header.columns) + "  #Output chars/string=" + std::to_string(header.chars));
        int number = 0;
        for (const TableRow& row : table.rows) {
            if (++number == 1) doc.output.push_back(tableHeading(table.columnCount));
            std::string line = std::to_string(number) + "  " + (number < 10 ? " " : "") + tableCell(row.type, true) +
                               tableCell(row.name, true) + tableCell(row.writeInput, true);
            for (const std::string& cell : row.cells) line += tableCell(cell, false);
            doc.output.push_back(line + tableCell(row.output, false));
        }
        doc.output.emplace_back();
        doc.output.emplace_back();
    }
}

void appendSpeechPart(DocumentContext& doc) {
    const Project& project = doc.project;
    if (project.speechReports.empty()) return;
    doc.intro.appendSection('V', doc.output);
    for (int m = 1; m < SpeechMessageCount; ++m) {
        const std::string& text = project.speechMessages[static_cast<std::size_t>(m)];
        if (text.size() > 1) doc.output.push_back(std::to_string(m) + " " + text);
    }
    doc.output.insert(doc.output.end(), {" ", " ", "REPORTS:", " "});
    bool first = true;
    for (const SpeechReportSetup& report : speechReportsOf(project.speechReports)) {
        if (!first) doc.output.insert(doc.output.end(), {" ", " "});
        first = false;
        const SpeechHeader& header = report.header;
        doc.output.push_back("RPT NAME=" + header.name + ", RPT Trig=" + header.variables[0] + ", RPT STOP=" + header.variables[1] +
                             ", LINE Trig=" + header.variables[2] + ", LINE SEL=" + header.variables[3] +
                             ", SCAN Trig=" + header.variables[4] + ", BOARD=" + std::to_string(header.board));
        int number = 0;
        for (const SpeechLine& cells : report.lines) {
            std::string line = std::to_string(++number) + " ";
            // Every filled cell is shown, the last phrase of a full line included.
            for (const std::string& cell : cells)
                if (!cell.empty()) line += speechCellText(cell, project);
            doc.output.push_back(line);
        }
    }
}

}  // namespace z7
