#pragma once
// What one ladder cell holds; the numbers are stored in the project file.
namespace z7 {

enum LadderCellKind : int {
    CellNeverSet = 0,  // drawn as blank, imposes nothing on its neighbours
    CellBlank = 1,
    CellHorizontal = 2,
    CellVertical = 3,
    CellDown = 4,    // wire continues right and branches down
    CellUp = 5,      // joins a wire from below
    CellAngle = 6,   // ends a lower branch and turns up
    CellClosed = 7,  // closed contact: the inverted status
    CellOpen = 8,
    CellCoil = 9,    // column 7 only
    CellLeft = 10,   // wire from the left joins a vertical wire
};

constexpr int LadderCoilColumn = 7;
constexpr int LadderMaxGridRowsByClick = 199;

}  // namespace z7
