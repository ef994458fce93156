#pragma once
// The "Mode..." switch of the main window: which view the database tabs show, and what a click on a
// library module opens.
namespace z7 {

enum class Mode { Design, Debug, Engineer };

struct ModeSwitch {
    Mode mode = Mode::Design;
    bool showGrids = false;  // compiled address grids instead of the name lists

    // Engineer keeps whichever view Design or Debug chose last.
    void setMode(Mode chosen) {
        mode = chosen;
        if (chosen == Mode::Design) showGrids = false;
        if (chosen == Mode::Debug) showGrids = true;
    }
    // In Engineer mode a library click shows the definition instead of placing a new instance.
    bool libraryClickDefines() const { return mode == Mode::Engineer; }
};

}  // namespace z7
