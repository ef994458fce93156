#include "compiler/TableEditor.h"

#include "app/ProjectCommands.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

namespace {
constexpr int MaxTableRows = 1000;
constexpr int MaxTableColumns = 1000;
constexpr int MinChars = 4;
constexpr int MaxChars = 254;

const char* rowTypeText(int choice) { return TableRowTypes[std::clamp(choice, 0, 3)]; }
}  // namespace

TableEditor::TableEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists)
    : project_(project), dialogs_(dialogs), lists_(lists) {
    rebuildGrid();
}

void TableEditor::rebuildGrid() {
    const std::size_t columns = static_cast<std::size_t>(header_.columns) + 5;
    grid_.resize(static_cast<std::size_t>(header_.rows) + 1);
    for (std::size_t r = 0; r < grid_.size(); ++r) {
        grid_[r].resize(columns);
        if (r > 0) grid_[r][TgNumber] = std::to_string(r);
    }
    std::vector<std::string>& head = grid_[0];
    head[TgNumber].clear();
    head[TgType] = "TYPE";
    head[TgRowName] = "ROW NAME";
    head[TgWriteInput] = "WT INPUT";
    for (int c = 1; c <= header_.columns; ++c) head[static_cast<std::size_t>(TgFirstData + c - 1)] = std::to_string(c);
    head[columns - 1] = "OUTPUT";
}

void TableEditor::recomputeOutputs() {
    for (int r = 1; r < gridRows(); ++r) at(outputColumn(), r) = at(TgRowName, r) + ".TBL";
}

void TableEditor::newTable() {
    const bool compile = project_.needToCompile;
    const bool save = project_.needToSave;
    grid_.clear();
    header_ = TableHeader {};
    rebuildGrid();
    for (int r = 1; r < gridRows(); ++r) at(TgType, r) = "Integer";
    project_.entriesChanged = false;
    project_.needToCompile = compile;
    project_.needToSave = save;
    project_.showMarks();
    visible_ = true;
}

void TableEditor::editTable(const std::string& selected) {
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    const std::vector<std::string>& lines = project_.tables;
    const auto header = std::find_if(lines.begin(), lines.end(),
                                     [&](const std::string& l) { return isTableHeader(l) && parseTableHeader(l).name == selected; });
    if (header == lines.end()) return;
    const bool compile = project_.needToCompile;
    const bool save = project_.needToSave;
    header_ = parseTableHeader(*header);
    header_.rows = std::clamp(header_.rows, 1, MaxTableRows);
    header_.columns = std::clamp(header_.columns, 1, MaxTableColumns);
    header_.chars = std::clamp(header_.chars, MinChars, MaxChars);
    grid_.clear();
    rebuildGrid();
    int r = 1;
    for (auto it = header + 1; it != lines.end() && !isTableHeader(*it) && r < gridRows(); ++it) {
        if (it->size() <= 1) continue;
        const TableRow row = parseTableRow(*it, header_.columns);
        at(TgType, r) = row.type;
        at(TgRowName, r) = row.name;
        at(TgWriteInput, r) = row.writeInput;
        for (int c = 0; c < header_.columns; ++c) at(TgFirstData + c, r) = row.cells[static_cast<std::size_t>(c)];
        ++r;
    }
    recomputeOutputs();
    project_.entriesChanged = false;
    project_.needToCompile = compile;
    project_.needToSave = save;
    project_.showMarks();
    visible_ = true;
}

void TableEditor::deleteTable(const std::string& selected) {
    if (!dialogs_.confirm("Confirm OK to delete?")) return;
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    removeTable(project_.tables, selected);
    project_.markChanged();
    lists_.rebuild(project_);
}

bool TableEditor::saveToProject() {
    if (header_.name.size() <= 1) {
        dialogs_.error("You must name the table before saving");
        return false;
    }
    // Every text goes into a "|" line of the project.
    if (!acceptStorableText(header_.name, "The table name", dialogs_) ||
        !acceptStorableText(header_.readSelector, "The column read selector", dialogs_) ||
        !acceptStorableText(header_.writeSelector, "The column write selector", dialogs_) ||
        !acceptStorableText(header_.writeTrigger, "The column write trigger", dialogs_))
        return false;
    for (int r = 1; r < gridRows(); ++r)
        for (int c = TgType; c < gridColumns(); ++c)
            if (!acceptStorableText(at(c, r), "A table cell", dialogs_)) return false;

    removeTable(project_.tables, header_.name);
    TableHeader stored = header_;
    if (project_.entriesChanged) stored.ramStart = stored.ramEnd = 0;
    project_.tables.push_back(tableHeaderLine(stored));
    for (int r = 1; r < gridRows(); ++r) {
        TableRow row {at(TgType, r), at(TgRowName, r), at(TgWriteInput, r), {}, at(outputColumn(), r)};
        for (int c = 0; c < header_.columns; ++c) row.cells.push_back(at(TgFirstData + c, r));
        project_.tables.push_back(tableRowLine(row));
    }
    header_.ramStart = stored.ramStart;
    header_.ramEnd = stored.ramEnd;
    project_.entriesChanged = false;
    lists_.rebuild(project_);
    return true;
}

bool TableEditor::close() {
    if (project_.entriesChanged && !dialogs_.confirm("One or more entries has changed, OK to abandon?")) return false;
    visible_ = false;
    return true;
}

void TableEditor::setRows(int rows) {
    const int before = header_.rows;
    header_.rows = std::clamp(rows, 1, MaxTableRows);
    rebuildGrid();
    const int last = gridRows() - 1;
    at(TgType, last) = "Integer";
    markChanged();
    if (header_.rows > before)
        for (int c = TgRowName; c < outputColumn(); ++c) at(c, last).clear();
}

void TableEditor::setColumns(int columns) {
    for (int r = 0; r < gridRows(); ++r) at(outputColumn(), r).clear();
    header_.columns = std::clamp(columns, 1, MaxTableColumns);
    rebuildGrid();
    recomputeOutputs();
    markChanged();
}

void TableEditor::setChars(int chars) {
    header_.chars = std::clamp(chars, MinChars, MaxChars);
    markChanged();
}

void TableEditor::setRowTypeChoice(int choice) {
    header_.rowType = std::clamp(choice, 0, 3);
    markChanged();
}

void TableEditor::clickCell(int column, int row) {
    if (column != TgType || row < 1 || row >= gridRows()) return;
    at(TgType, row) = rowTypeText(header_.rowType);
    markChanged();
}

void TableEditor::editCell(int column, int row, const std::string& text) {
    // Row numbers, headings, TYPE (set by a click) and OUTPUT (follows the row name) are not typed in.
    if (row < 1 || row >= gridRows() || column < TgRowName || column >= outputColumn()) return;
    at(column, row) = text;
    if (column == TgRowName) at(outputColumn(), row) = text + ".TBL";
    markChanged();
}

void TableEditor::dropOnGrid(int column, int row, const std::string& name) {
    if (row == 0 || row >= gridRows() || column < 0 || column >= gridColumns()) return;
    if (column < TgWriteInput || column >= outputColumn()) {
        dialogs_.error("You cannot drop into this column");
        return;
    }
    at(column, row) = name;
    markChanged();
}

void TableEditor::dropOnSelector(TableSelector selector, const std::string& name) {
    (selector == TableSelector::Read    ? header_.readSelector
     : selector == TableSelector::Write ? header_.writeSelector
                                        : header_.writeTrigger) = name;
    markChanged();
}

}  // namespace z7
