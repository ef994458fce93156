#include "ladder/LadderEditor.h"

#include "app/ProjectCommands.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

LadderEditor::LadderEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists)
    : project_(project), dialogs_(dialogs), lists_(lists) {}

void LadderEditor::enterTab() {
    currentKind_ = CellCoil;
    coil_.visible = false;
}

bool LadderEditor::validCell(int column, int row) const {
    return column >= 0 && column < LadderRung::Columns && row >= 0 && row < project_.ladderGridRows &&
           row < MaxLadderRows;
}

void LadderEditor::clickCell(int column, int row) {
    if (!validCell(column, row)) return;
    currentRow_ = row;
    if (row >= project_.ladderGridRows - 2)
        project_.ladderGridRows = std::max(project_.ladderGridRows,
                                           std::min(project_.ladderGridRows + 2, LadderMaxGridRowsByClick));
    LadderRung& rung = project_.ladderRows[static_cast<std::size_t>(row)];
    const auto c = static_cast<std::size_t>(column);
    const bool coilColumn = column == LadderCoilColumn;
    if (currentKind_ == CellBlank || (currentKind_ != CellCoil && !coilColumn) ||
        (currentKind_ == CellCoil && coilColumn))
        rung.kinds[c] = currentKind_;
    if (currentKind_ == CellBlank) rung.texts[c].clear();
    if (currentKind_ == CellCoil && coilColumn) {
        coil_.visible = true;
        coil_.tag = rung.texts[c];
        coil_.onDelay = rung.onDelay;
        coil_.offDelay = rung.offDelay;
    }
    project_.markChanged();
}

void LadderEditor::dropName(int column, int row, const std::string& name) {
    if (!validCell(column, row) || column == LadderCoilColumn) return;
    project_.ladderRows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)] = name;
    project_.markChanged();
}

LadderEditor::CellInfo LadderEditor::hover(int column, int row) const {
    CellInfo info;
    if (!validCell(column, row)) return info;
    const LadderRung& rung = project_.ladderRows[static_cast<std::size_t>(row)];
    info.rungNumber = std::to_string(row + 1);
    info.cellName = rung.texts[static_cast<std::size_t>(column)];
    if (column == LadderCoilColumn) {
        info.onDelay = rung.onDelay;
        info.offDelay = rung.offDelay;
    }
    return info;
}

void LadderEditor::dropOnDelay(const std::string& name) {
    coil_.onDelay = name;
    project_.markChanged();
}

void LadderEditor::dropOffDelay(const std::string& name) {
    coil_.offDelay = name;
    project_.markChanged();
}

bool LadderEditor::closeCoilPanel() {
    // The rung is stored as one "|" line: a "|" in any of these texts would split it.
    if (!acceptStorableText(coil_.tag, "The coil tag", dialogs_) ||
        !acceptStorableText(coil_.onDelay, "The ON delay", dialogs_) ||
        !acceptStorableText(coil_.offDelay, "The OFF delay", dialogs_))
        return false;
    std::string tag = coil_.tag;
    // An empty tag stays empty so that the compile reports the missing tag.
    if (!tag.empty() && !containsChar(tag, '.')) tag += ".Coil";
    LadderRung& rung = project_.ladderRows[static_cast<std::size_t>(currentRow_)];
    rung.texts[LadderCoilColumn] = tag;
    rung.onDelay = cut(coil_.onDelay, MaxDelayLength);
    rung.offDelay = cut(coil_.offDelay, MaxDelayLength);
    rung.statusAddress = 0;
    coil_.visible = false;
    lists_.rebuild(project_);
    return true;
}

bool LadderEditor::insertRow() {
    const int r = currentRow_;
    const int rows = project_.ladderGridRows;
    if (rows >= MaxLadderRows && project_.ladderRows[MaxLadderRows - 1] != LadderRung {}) {
        dialogs_.error("Cannot insert a row...all " + std::to_string(MaxLadderRows) + " ladder rows are in use");
        return false;
    }
    const int last = std::min(rows, MaxLadderRows - 1);  // the row that receives the old last one
    project_.ladderGridRows = std::min(rows + 1, MaxLadderRows);
    auto& table = project_.ladderRows;
    std::move_backward(table.begin() + r, table.begin() + last, table.begin() + last + 1);
    table[static_cast<std::size_t>(r)] = LadderRung {};
    project_.markChanged();
    return true;
}

void LadderEditor::deleteRow() {
    const int r = currentRow_;
    const int rows = std::min(project_.ladderGridRows, MaxLadderRows);
    if (r >= rows) return;
    auto& table = project_.ladderRows;
    // The status address moves with its rung and the vacated last row is emptied: leaving either
    // behind would give two rungs the same coil or one coil another rung's status.
    std::move(table.begin() + r + 1, table.begin() + rows, table.begin() + r);
    table[static_cast<std::size_t>(rows - 1)] = LadderRung {};
    project_.markChanged();
}

void LadderEditor::newLadder() {
    project_.resetLadder();
    currentRow_ = 0;
    coil_ = CoilPanel {};
}

}  // namespace z7
