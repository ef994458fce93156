#pragma once
// The state and rules of the card configuration window: the cage shown, the card picked from the
// palette, drops on slots (with the fixed rear slots of a ZEX3), what each slot shows, the I/O
// module names written on terminal rows, and what a click on a terminal row leads to.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "cards/IoPoints.h"
#include "library/ModuleLibrary.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace z7 {

struct SlotView {
    std::string caption;  // "Card 3", "3Rear AI", or empty for a disabled ZEX3 slot
    bool enabled = true;
    std::string title;
    std::array<std::string, 8> lamps;      // top to bottom
    std::array<bool, 8> lampVisible {};
    std::array<std::string, 9> terminals;  // top to bottom
    bool cpuVisible = false;               // slot 0 only: the CPU card's texts and shapes
};

// Where the last free I/O point clicked lies; prefills a new I/O module.
struct PointContext {
    int slot = 0;
    int channel = 0;
    int cage = 0;
};

struct TerminalAction {
    enum class Kind { None, OpenInstance, ChooseAnalogInput, ChooseDigitalInput, ChooseDigitalOutput, NewAnalogOutput };
    Kind kind = Kind::None;
    std::string instanceName;  // for OpenInstance
};

class CardCageEditor {
public:
    enum class DropTarget { Frame, List };

    CardCageEditor(Project& project, const ModuleLibrary& library, Dialogs& dialogs);

    // The palette: descriptions of codes 1 to 17, sorted.
    static std::vector<std::string> paletteEntries();
    // A press on a palette entry: the last code with that description, refused outside cage 1
    // for cards that may not sit in an expansion cage.
    void selectPaletteEntry(const std::string& text);
    int selection() const { return selection_; }

    int cage() const { return cage_; }
    void setCage(int cage);
    void placeCard(int slot, DropTarget target);
    void setUnitType(CardCage::UnitType type);
    void setLcdType(CardCage::LcdType type);

    bool cageChoiceEnabled() const { return project_.cardCage.unitType == CardCage::UnitType::ZEX7; }
    bool lcdChoiceEnabled() const { return project_.cardCage.unitType == CardCage::UnitType::ZEX3; }
    // Slots 0 to 8 of the cage shown, as last drawn.
    const SlotView& slot(int s) const { return slots_.at(static_cast<std::size_t>(s)); }
    void redraw();

    TerminalAction pressTerminal(int slot, int row);
    const std::optional<PointContext>& pointContext() const { return pointContext_; }
    // The Close button.
    void close() { pointContext_.reset(); }

private:
    void drawSlot(int s, int code);
    void markIoPoints();
    int code(int s) const { return project_.cardCage.cages[static_cast<std::size_t>(cage_)][static_cast<std::size_t>(s)]; }

    Project& project_;
    const ModuleLibrary& library_;
    Dialogs& dialogs_;
    int cage_ = 1;
    int selection_ = 0;
    std::array<SlotView, 9> slots_;
    std::optional<PointContext> pointContext_;
};

}  // namespace z7
