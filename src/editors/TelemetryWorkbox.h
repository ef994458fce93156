#pragma once
// State and operations of the "TLM Workbox": one TX or RX array at a time, edited in a grid and
// stored back into the project's table by Save.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "editors/ListsRefresh.h"
#include "editors/TelemetryArrays.h"

#include <array>
#include <string>
#include <vector>

namespace z7 {

enum class TelemetryMode { Tx, Rx };
enum class CellNumbering { Z4Z7, Modbus };
// The four radio buttons that choose the type of the next added row.
enum class TelemetryRowType { Integer16, Integer32, Status16, Float32 };
enum WorkboxColumn { WbWd, WbBit, WbName, WbMult, WbType, WbAddress, WbColumnCount };
enum class TelemetrySpin { Board, Port, Source, Dest };

using WorkboxRow = std::array<std::string, WbColumnCount>;

class TelemetryWorkbox {
public:
    TelemetryWorkbox(Project& project, Dialogs& dialogs, const ListsRefresh& lists);

    // "New Rx Array" / "New Tx Array": opens the array of the spins' key.
    void open(TelemetryMode mode);
    // A spin edit changed; false (value restored) when the user keeps the edited rows.
    bool changeSpin(TelemetrySpin spin, int value);
    // A click on an array list line: the spins take its key, then its array opens.
    bool openFromListLine(TelemetryMode mode, const std::string& line);

    void addRow(TelemetryRowType type);
    void deleteRow();
    void setNumbering(CellNumbering numbering);

    // A click on a grid cell (grid rows from 1; 0 is the header).
    void clickCell(int column, int row);
    void typeRcvName(const std::string& text);  // every key release in "RCV name:"
    // A name dragged from the database views onto a grid row (TX only).
    void dropName(int row, const std::string& name);
    void chooseMultiplier(int choice);
    void showSpecialFields() { specialVisible_ = true; }
    void chooseSpecialField(const std::string& name);
    void clearCell();

    void save();
    // false when the user keeps the edited rows.
    bool cancel();

    // State the window draws.
    bool visible() const { return visible_; }
    TelemetryMode mode() const { return mode_; }
    std::string caption() const { return mode_ == TelemetryMode::Rx ? "RX Array Setup..." : "TX Array Setup..."; }
    bool sourceVisible() const { return mode_ == TelemetryMode::Rx && numbering_ == CellNumbering::Z4Z7; }
    int spin(TelemetrySpin spin) const;
    // Grid rows after the header; the last one is always empty.
    const std::vector<WorkboxRow>& rows() const { return rows_; }
    const WorkboxRow& row(int gridRow) const { return rows_.at(static_cast<std::size_t>(gridRow - 1)); }
    int selectedRow() const { return selectedRow_; }
    int selectedColumn() const { return selectedColumn_; }
    const std::string& rcvName() const { return rcvName_; }
    bool changed() const { return changed_; }
    bool multiplierVisible() const { return multiplierVisible_; }
    bool specialVisible() const { return specialVisible_; }
    const std::vector<std::string>& txArrayList() const { return txList_; }
    const std::vector<std::string>& rxArrayList() const { return rxList_; }
    // After a project was loaded.
    void refreshArrayLists();

private:
    std::vector<TelemetryRow>& table() { return mode_ == TelemetryMode::Rx ? project_.rxRows : project_.txRows; }
    TelemetryKey currentKey() const;
    void loadArray();
    void renumber();
    int groupStart(int gridRow) const;
    void ensureTrailingEmptyRow();
    void commitNameEdit();
    void rememberSpins() { remembered_ = spins_; }
    WorkboxRow& cell(int gridRow) { return rows_.at(static_cast<std::size_t>(gridRow - 1)); }

    Project& project_;
    Dialogs& dialogs_;
    const ListsRefresh& lists_;
    TelemetryMode mode_ = TelemetryMode::Tx;
    CellNumbering numbering_ = CellNumbering::Z4Z7;
    std::array<int, 4> spins_ {0, 1, -1, -1};
    std::array<int, 4> remembered_ {0, 1, -1, -1};
    std::vector<WorkboxRow> rows_ {WorkboxRow {}};
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
    int nameEditRow_ = 0;  // the Name cell that "RCV name:" edits, 0 when none
    int multRow_ = 0;
    std::string rcvName_;
    bool changed_ = false;
    bool visible_ = false;
    bool multiplierVisible_ = false;
    bool specialVisible_ = false;
    std::vector<std::string> txList_;
    std::vector<std::string> rxList_;
};

}  // namespace z7
