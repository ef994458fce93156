#include "link/WatchTable.h"

#include "app/Text.h"
#include "link/Frames.h"

namespace z7 {

WatchTable::WatchTable(ControllerLink& link, TickTimer& pollTimer, Dialogs& dialogs)
    : link_(link), pollTimer_(pollTimer), dialogs_(dialogs) {
    link_.addClient(*this);
    pollTimer_.setInterval(PollInterval);
    pollTimer_.enable();
}

const std::array<std::string, 4>& WatchTable::headers() {
    static const std::array<std::string, 4> h = {"VARIABLE", "VALUE", "VARIABLE", "VALUE"};
    return h;
}

int WatchTable::slotOf(int row, bool rightPair) {
    if (row < 1 || row > Rows) return -1;
    return rightPair ? row + 15 : row;
}

bool WatchTable::open(Project& project, const CompileHook& compile) {
    if (project.needToCompile) {
        if (compile) compile(project);
        if (project.needToCompile) {
            dialogs_.error("Project recompile resulted in error(s).");
            return false;
        }
    }
    if (!link_.OpenLink()) return false;
    visible_ = true;
    suppression_ = 0;
    link_.setWatching(true);
    lineBuffer_.clear();
    return true;
}

void WatchTable::close() {
    link_.setWatching(false);
    visible_ = false;
    link_.closeLink();
}

void WatchTable::terminalOpening() {
    if (visible_) close();
}

void WatchTable::send(const std::string& command) {
    if (link_.port().PortOpen()) link_.port().SendString(command);
}

void WatchTable::drop(int row, bool rightPair, const std::string& name) {
    const int slot = slotOf(row, rightPair);
    if (slot < 0) return;
    poke_[slot] = false;
    variables_[slot] = name;
    if (name.size() <= 2 || !lookup_) return;
    const std::string address = lookup_(name);
    if (address.size() > 5) {
        send("?" + std::to_string(slot) + "=P" + address + "\r");
        suppression_ = 1;
    }
}

void WatchTable::doubleClickValue(int slot) {
    if (!validSlot(slot)) return;
    poke_[slot] = !poke_[slot];
    send("?" + std::to_string(slot) + (poke_[slot] ? "=X" : "=Y") + "\r");
    suppression_ = 2;
}

void WatchTable::clickValue(int slot) {
    if (!validSlot(slot)) return;
    if (poke_[slot] && values_[slot] == "0") {
        values_[slot] = "1";
        send("?" + std::to_string(slot) + "=V1\r");
    } else if (poke_[slot] && values_[slot] == "1") {
        values_[slot] = "0";
        send("?" + std::to_string(slot) + "=V0\r");
    }
    suppression_ = 1;
}

void WatchTable::keyPress(int slot, bool valueCell, char key) {
    suppression_ = 10;
    if (valueCell && validSlot(slot) && (key == 13 || key == 11)) {
        send("?" + std::to_string(slot) + "=V" + values_[slot] + "\r");
        suppression_ = 1;
    }
}

void WatchTable::setValueText(int slot, const std::string& text) {
    if (validSlot(slot)) values_[slot] = text;
}

void WatchTable::clearValues() { values_.fill({}); }

void WatchTable::clearTable() {
    reset();
    send("?91\r");
}

void WatchTable::reset() {
    poke_.fill(false);
    variables_.fill({});
    values_.fill({});
}

void WatchTable::pollTick() {
    if (suppression_ > 0)
        --suppression_;
    else if (link_.watching())
        send("?92\r");
}

void WatchTable::watchCharacter(char c) {
    if (c == '\r') {
        if (!lineBuffer_.empty()) processLine(lineBuffer_);
        lineBuffer_.clear();
    } else if (c == '?') {
        lineBuffer_ = "?";
    } else if (static_cast<unsigned char>(c) >= 32 && c != '\n') {
        lineBuffer_ += c;
    }
}

void WatchTable::processLine(const std::string& line) {
    if (line.size() < MinReplyLength || line[0] != '?') return;
    const std::vector<std::string> fields = splitFields(std::string_view(line).substr(1), ',');
    bool changed = false;
    for (int slot = 0; slot < Slots; ++slot) {
        if (!validSlot(slot) || variables_[slot].empty()) continue;
        // Field slot + 1, counted from 1, is fields[slot].
        if (static_cast<std::size_t>(slot) < fields.size()) {
            values_[slot] = fields[static_cast<std::size_t>(slot)];
            changed = true;
        }
    }
    if (changed && onValues) onValues();
}

void sendRtc(ControllerLink& link, const std::tm& local) {
    const std::string frame = clockFrame(local);  // its own buffer: a running loader keeps its pending frame
    link.writeLine("Sending RTC values...");
    if (link.port().PortOpen()) link.port().SendString(frame);
}

void sendRtc(ControllerLink& link) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    sendRtc(link, local);
}

}  // namespace z7
