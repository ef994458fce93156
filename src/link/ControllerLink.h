#pragma once
// The serial link to the local controller: OpenLink, the terminal page (OpenTerminal,
// CloseTerminal, key presses, the 25-line text) and the 1 ms receive tick that hands what arrives
// to the terminal, the watch or the frame receiver.
#include "app/Preferences.h"
#include "app/TickTimer.h"
#include "link/FrameReceiver.h"
#include "link/SeComm32.h"

#include <functional>
#include <string>
#include <vector>

namespace z7 {

// The loader and the watch hear about the link through this.
class LinkClient {
public:
    virtual ~LinkClient() = default;
    virtual void terminalOpening() {}
    virtual void terminalClosing() {}
    virtual void replyReceived(const std::string& /*frame*/) {}
    virtual void watchCharacter(char /*c*/) {}
    virtual void linkLost() {}
};

enum class ComMode { Ascii, Crc };  // "Com Mode:" radio items 0 and 1

struct LinkSettings {
    int port = 0;        // 0 "COM1" to 7 "COM8"
    int baudRate = 4;    // 0 "300" to 6 "38,400"
    int parity = 0;      // 0 "None", 1 "Odd", 2 "Even", 3 "Mark"
    int wordLength = 3;  // 0 "5" to 3 "8"
    static LinkSettings from(const Preferences& preferences);
};

class ControllerLink {
public:
    static constexpr int ReceiveInterval = 1;
    static constexpr std::size_t TerminalLines = 25;

    // controllerOsVersion lives beside the project; the terminal replaces it when the controller
    // reports "Revision Version".
    ControllerLink(TSeComm32& port, TickTimer& receiveTimer, std::string& controllerOsVersion);

    void addClient(LinkClient& client) { clients_.push_back(&client); }
    void setSettings(const LinkSettings& settings) { settings_ = settings; }
    const LinkSettings& settings() const { return settings_; }

    bool OpenLink();
    // False when the port did not open: the page stays hidden and the caller goes no further.
    bool OpenTerminal();
    void CloseTerminal();
    // Stops the receive tick and closes the port (the watch window closing).
    void closeLink();
    void keyPress(char c);
    void tick();  // Timer1

    ComMode comMode() const { return comMode_; }
    void setComMode(ComMode mode) { comMode_ = mode; }
    bool watching() const { return watching_; }
    void setWatching(bool on) { watching_ = on; }
    bool terminalVisible() const { return terminalVisible_; }

    const std::string& terminalText() const { return text_; }
    // The text split into its lines.
    std::vector<std::string> terminalLines() const;
    void clearTerminal() { text_.clear(); }
    // Appends text and CR LF.
    void writeLine(const std::string& line);
    // Appends text as it stands; the caller trims.
    void writeText(const std::string& text);
    void trimTerminal();
    const std::string& lastCompleteLine() const { return lastLine_; }

    TSeComm32& port() { return port_; }
    FrameReceiver& frameReceiver() { return receiver_; }
    TickTimer& receiveTimer() { return receiveTimer_; }
    const std::string& controllerOsVersion() const { return version_; }

    // Every text written to the terminal, as it is written (z7c prints these).
    std::function<void(const std::string&)> onText;

private:
    void showReceived(const std::string& bytes);
    void lose();

    TSeComm32& port_;
    TickTimer& receiveTimer_;
    std::string& version_;
    std::vector<LinkClient*> clients_;
    LinkSettings settings_;
    ComMode comMode_ = ComMode::Ascii;
    bool watching_ = false;
    bool terminalVisible_ = false;
    std::string text_;
    std::string currentLine_;
    std::string lastLine_;
    FrameReceiver receiver_;
};

}  // namespace z7
