#pragma once
// State and operations of the "Table Editor": one table at a time in a grid whose row 0 holds the
// headings and column 0 the row numbers; "Save to Proj" stores it in the project's table list.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "compiler/TableList.h"
#include "editors/ListsRefresh.h"

#include <string>
#include <vector>

namespace z7 {

enum TableGridColumn { TgNumber = 0, TgType = 1, TgRowName = 2, TgWriteInput = 3, TgFirstData = 4 };
enum class TableSelector { Read, Write, Trigger };

class TableEditor {
public:
    TableEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists);

    void newTable();
    // selected: the chosen line of "Tables in Project:" (empty when none).
    void editTable(const std::string& selected);
    void deleteTable(const std::string& selected);
    // false when nothing was stored.
    bool saveToProject();
    // false when the user keeps the edited table.
    bool close();

    void setRows(int rows);
    void setColumns(int columns);
    void setChars(int chars);
    void setRowTypeChoice(int choice);
    void clickCell(int column, int row);  // a click in TYPE sets the row's type
    void editCell(int column, int row, const std::string& text);
    void dropOnGrid(int column, int row, const std::string& name);
    void dropOnSelector(TableSelector selector, const std::string& name);

    TableHeader& header() { return header_; }
    const TableHeader& header() const { return header_; }
    const std::string& cell(int column, int row) const { return grid_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)); }
    int gridRows() const { return static_cast<int>(grid_.size()); }
    int gridColumns() const { return header_.columns + 5; }
    int outputColumn() const { return header_.columns + 4; }
    bool visible() const { return visible_; }

private:
    void rebuildGrid();
    void recomputeOutputs();
    void markChanged() { project_.markChanged(); }
    std::string& at(int column, int row) { return grid_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)); }

    Project& project_;
    Dialogs& dialogs_;
    const ListsRefresh& lists_;
    TableHeader header_;
    std::vector<std::vector<std::string>> grid_;
    bool visible_ = false;
};

}  // namespace z7
