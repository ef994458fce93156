#include "link/ControllerLink.h"

#include <algorithm>
#include <sstream>

namespace z7 {

namespace {

constexpr TBaudRate BaudChoices[] = {TBaudRate::br300,  TBaudRate::br1200,  TBaudRate::br2400, TBaudRate::br4800,
                                     TBaudRate::br9600, TBaudRate::br19200, TBaudRate::br38400};
constexpr TParity ParityChoices[] = {TParity::pNone, TParity::pOdd, TParity::pEven, TParity::pMark};

std::size_t lineCount(const std::string& text) {
    const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

}  // namespace

LinkSettings LinkSettings::from(const Preferences& p) { return {p.port, p.baudRate, p.parity, p.wordLength}; }

ControllerLink::ControllerLink(TSeComm32& port, TickTimer& receiveTimer, std::string& controllerOsVersion)
    : port_(port), receiveTimer_(receiveTimer), version_(controllerOsVersion) {
    receiveTimer_.setInterval(ReceiveInterval);
    receiveTimer_.disable();
}

bool ControllerLink::OpenLink() {
    receiver_.clear();
    port_.setPort(std::clamp(settings_.port, 0, 7) + 1);
    port_.setDataBits(static_cast<TDataBits>(std::clamp(settings_.wordLength, 0, 3)));
    port_.setParity(ParityChoices[std::clamp(settings_.parity, 0, 3)]);
    port_.setBaudRate(BaudChoices[std::clamp(settings_.baudRate, 0, 6)]);
    port_.Open();
    if (port_.PortOpen()) {
        if (port_.CharCount() > 0) {
            std::string discarded;
            port_.ReadAll(discarded);
        }
        receiveTimer_.setInterval(ReceiveInterval);
        receiveTimer_.enable();
    } else {
        port_.Close();
    }
    return port_.PortOpen();
}

bool ControllerLink::OpenTerminal() {
    watching_ = false;
    for (LinkClient* c : clients_) c->terminalOpening();
    if (!OpenLink()) return false;
    comMode_ = ComMode::Ascii;
    text_.clear();
    receiver_.clear();
    terminalVisible_ = true;
    return true;
}

void ControllerLink::CloseTerminal() {
    for (LinkClient* c : clients_) c->terminalClosing();
    terminalVisible_ = false;
    closeLink();
}

void ControllerLink::closeLink() {
    receiveTimer_.disable();
    port_.Close();
}

void ControllerLink::keyPress(char c) {
    if (lineCount(text_) > TerminalLines) {
        const auto firstBreak = text_.find('\n');
        text_.erase(0, firstBreak == std::string::npos ? text_.size() : firstBreak + 1);
    }
    if (port_.PortOpen()) port_.SendString(std::string(1, c));
}

void ControllerLink::tick() {
    if (!port_.PortOpen()) return;
    std::string bytes;
    if (port_.CharCount() > 0) {
        port_.ReadAll(bytes);
        if (!bytes.empty()) bytes.pop_back();  // the NUL ReadAll adds
    }
    if (!bytes.empty()) {
        if (comMode_ == ComMode::Ascii) {
            if (watching_) {
                for (const char c : bytes)
                    for (LinkClient* client : clients_) client->watchCharacter(c);
            } else {
                showReceived(bytes);
            }
        } else {
            for (const std::string& frame : receiver_.feed(bytes))
                for (LinkClient* client : clients_) client->replyReceived(frame);
        }
    }
    if (port_.LineLost()) lose();
}

void ControllerLink::lose() {
    writeLine("Link lost: the serial device of COM" + std::to_string(port_.Port()) + " is gone.");
    trimTerminal();
    closeLink();
    watching_ = false;
    for (LinkClient* c : clients_) c->linkLost();
}

void ControllerLink::showReceived(const std::string& bytes) {
    std::string shown;
    for (const char c : bytes) {
        if (c == '\r') {
            shown += "\r\n";
            lastLine_ = currentLine_;
            currentLine_.clear();
            std::istringstream words(lastLine_);
            std::string first, second, third;
            if (words >> first >> second >> third && first == "Revision" && second == "Version" && third.size() == 4)
                version_ = third;
        } else if (c != '\n') {
            shown += c;
            currentLine_ += c;
        }
    }
    writeText(shown);
    trimTerminal();
}

std::vector<std::string> ControllerLink::terminalLines() const {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text_.size()) {
        const auto end = text_.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(text_.substr(from));
            break;
        }
        lines.push_back(text_.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

void ControllerLink::writeLine(const std::string& line) { writeText(line + "\r\n"); }

void ControllerLink::writeText(const std::string& text) {
    text_ += text;
    if (onText) onText(text);
}

void ControllerLink::trimTerminal() {
    std::size_t excess = lineCount(text_);
    if (excess <= TerminalLines) return;
    excess -= TerminalLines;
    std::size_t cut = 0;
    for (; excess > 0; --excess) {
        const auto next = text_.find('\n', cut);
        if (next == std::string::npos) break;
        cut = next + 1;
    }
    text_.erase(0, cut);
}

}  // namespace z7
