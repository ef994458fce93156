#pragma once
// The watch window: up to 28 variables registered with the controller by RAM address, polled once
// a second (Timer3) with the plain ASCII command set, poked by typing or clicking; and "Send RTC".
#include "app/Project.h"
#include "app/TickTimer.h"
#include "link/ControllerLink.h"

#include <array>
#include <ctime>
#include <functional>
#include <string>

namespace z7 {

class WatchTable : public LinkClient {
public:
    static constexpr int Rows = 14;
    static constexpr int Slots = 30;  // 0 and 15 have no cell
    static constexpr int PollInterval = 1000;
    static constexpr std::size_t MinReplyLength = 28;

    // The TypedAddress text of a variable from the last compile, empty when it has none.
    using AddressLookup = std::function<std::string(const std::string& name)>;
    // Compiles the project; a compile with errors leaves needToCompile set.
    using CompileHook = std::function<void(Project&)>;

    WatchTable(ControllerLink& link, TickTimer& pollTimer, Dialogs& dialogs);

    void setAddressLookup(AddressLookup lookup) { lookup_ = std::move(lookup); }

    // "Watch": false when the window stays closed.
    bool open(Project& project, const CompileHook& compile);
    void close();  // Cancel
    bool visible() const { return visible_; }
    bool watching() const { return link_.watching(); }

    // Slot of a cell: row 1 to 14, left pair slot = row, right pair slot = row + 15; -1 for no slot.
    static int slotOf(int row, bool rightPair);

    void drop(int row, bool rightPair, const std::string& name);
    void doubleClickValue(int slot);
    void clickValue(int slot);
    // A key in the table; Enter (13) and Ctrl-K (11) in a value cell send the cell's text.
    void keyPress(int slot, bool valueCell, char key);
    void setValueText(int slot, const std::string& text);
    void startDrag() { suppression_ = 4; }
    void clearValues();  // "Clr Values"
    void clearTable();   // "Clr Table  "
    void reset();        // New: the table is not part of the project
    void pollTick();     // Timer3

    const std::string& variable(int slot) const { return variables_.at(static_cast<std::size_t>(slot)); }
    const std::string& value(int slot) const { return values_.at(static_cast<std::size_t>(slot)); }
    bool pokeMode(int slot) const { return poke_.at(static_cast<std::size_t>(slot)); }
    int suppression() const { return suppression_; }
    static const std::array<std::string, 4>& headers();

    void terminalOpening() override;
    void watchCharacter(char c) override;
    void linkLost() override { visible_ = false; }

    // Called after a reply changed the values, for the window and z7c.
    std::function<void()> onValues;

private:
    void send(const std::string& command);
    void processLine(const std::string& line);
    static bool validSlot(int slot) { return slot > 0 && slot < Slots && slot != 15; }

    ControllerLink& link_;
    TickTimer& pollTimer_;
    Dialogs& dialogs_;
    AddressLookup lookup_;
    bool visible_ = false;
    int suppression_ = 0;
    std::string lineBuffer_;
    std::array<std::string, Slots> variables_{};
    std::array<std::string, Slots> values_{};
    std::array<bool, Slots> poke_{};
};

// "Send RTC": writes "Sending RTC values..." to the terminal and sends the clock frame for local.
void sendRtc(ControllerLink& link, const std::tm& local);
// The same with the PC's local date and time.
void sendRtc(ControllerLink& link);

}  // namespace z7
