#pragma once
// State and operations of the "Ladder Editor" panel: the window draws the rows of the project and
// forwards clicks and drops here.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "editors/ListsRefresh.h"
#include "ladder/LadderCell.h"

#include <string>

namespace z7 {

class LadderEditor {
public:
    LadderEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists);

    struct CoilPanel {
        bool visible = false;
        std::string tag;
        std::string onDelay;
        std::string offDelay;
    };
    // What the display fields show while the pointer is over a cell.
    struct CellInfo {
        std::string rungNumber;
        std::string cellName;
        std::string onDelay;
        std::string offDelay;
    };

    // The "Ladder" tab was entered: coil button pressed, coil panel hidden.
    void enterTab();
    void setCurrentKind(int kind) { currentKind_ = kind; }
    int currentKind() const { return currentKind_; }
    int currentRow() const { return currentRow_; }
    int gridRows() const { return project_.ladderGridRows; }

    void clickCell(int column, int row);
    // A database entry name dropped on a cell; column 7 keeps its coil tag.
    void dropName(int column, int row, const std::string& name);
    CellInfo hover(int column, int row) const;

    CoilPanel& coilPanel() { return coil_; }
    const CoilPanel& coilPanel() const { return coil_; }
    void dropOnDelay(const std::string& name);
    void dropOffDelay(const std::string& name);
    // Stores the panel's tag and delays in the current row; false (panel stays open) when a text
    // cannot be stored.
    bool closeCoilPanel();

    // Refused with a message when the last of the 200 rows would be pushed out of the table.
    bool insertRow();
    void deleteRow();
    void newLadder();

private:
    bool validCell(int column, int row) const;

    Project& project_;
    Dialogs& dialogs_;
    const ListsRefresh& lists_;
    int currentKind_ = CellCoil;
    int currentRow_ = 0;
    CoilPanel coil_;
};

}  // namespace z7
