#pragma once
// TSeComm32: the program's serial-port component over termios. The window owns one, SeComm321.
#include "app/Dialogs.h"
#include "app/TickTimer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <termios.h>

namespace z7 {

enum class TBaudRate { br300, br600, br1200, br2400, br4800, br9600, br19200, br38400, br57600, br115200 };
enum class TParity { pEven, pMark, pNone, pOdd };
enum class TDataBits { db5, db6, db7, db8 };
enum class TStopBits { sb1, sb2 };
enum class TMode { mNormal, mMessage };

// Line rate in bit/s of each TBaudRate.
int baudRateValue(TBaudRate rate);
// The OS parity code: pNone 0, pOdd 1, pEven 2, pMark 3 (the enumeration is alphabetical).
int parityCode(TParity parity);

struct LineSettings {
    TBaudRate baudRate = TBaudRate::br9600;
    TDataBits dataBits = TDataBits::db8;
    TParity parity = TParity::pNone;
    TStopBits stopBits = TStopBits::sb1;
};
// Fills the line settings read from the OS: the given rate and framing, and binary mode as the only
// control flag; every other field keeps what was read.
void setLineSettings(termios& record, const LineSettings& settings);

class TSeComm32 {
public:
    static constexpr int MessageInterval = 250;

    // messageTimer drives message mode; the component calls messageTick() from it.
    TSeComm32(Dialogs& dialogs, TickTimer* messageTimer = nullptr);
    ~TSeComm32();
    TSeComm32(const TSeComm32&) = delete;
    TSeComm32& operator=(const TSeComm32&) = delete;

    TBaudRate BaudRate() const { return baudRate_; }
    void setBaudRate(TBaudRate value);
    int Port() const { return port_; }
    void setPort(int value);
    TParity Parity() const { return parity_; }
    void setParity(TParity value);  // reopens an open port even when unchanged
    TDataBits DataBits() const { return dataBits_; }
    void setDataBits(TDataBits value);
    TStopBits StopBits() const { return stopBits_; }
    void setStopBits(TStopBits value);
    char MsgStart() const { return msgStart_; }
    void setMsgStart(char c) { msgStart_ = c; }
    char MsgStop() const { return msgStop_; }
    void setMsgStop(char c) { msgStop_ = c; }
    bool InUse() const { return inUse_; }
    bool PortOpen() const { return handle_ >= 0; }
    bool ShowErrors() const { return showErrors_; }
    void setShowErrors(bool value) { showErrors_ = value; }
    TMode Mode() const { return mode_; }
    void setMode(TMode value);
    std::function<void(TSeComm32&)> OnDataMessage;

    // A device path that stands in for COMn (z7c --port PATH, tests); empty means the COMn mapping.
    void setDeviceOverride(const std::string& path) { deviceOverride_ = path; }
    std::string devicePath() const;

    bool Open();
    void Close();
    int CharCount();
    void ReadAll(std::string& text);
    bool SendString(const std::string& text);
    void Purge();
    virtual void DoDataMessage();
    void messageTick();

    // The device hung up or failed under an open port (simulator ended, adapter pulled).
    bool LineLost() const { return lineLost_; }
    // Bytes handed to and taken from the OS since creation, for pacing and synchronising.
    std::uint64_t bytesWritten() const { return bytesWritten_; }
    std::uint64_t bytesRead() const { return bytesRead_; }
    int fileDescriptor() const { return handle_; }

    // The shared message buffer and complete flag of message mode; the OnDataMessage handler
    // takes the message and clears both.
    static std::string& messageBuffer();
    static bool& messageComplete();

private:
    void reopenIfOpen();
    bool openDevice();
    void applyLineSettings();
    void portNotOpen();

    Dialogs& dialogs_;
    TickTimer* messageTimer_;
    int handle_ = -1;
    TBaudRate baudRate_ = TBaudRate::br9600;
    int port_ = 1;
    TParity parity_ = TParity::pNone;
    TDataBits dataBits_ = TDataBits::db8;
    TStopBits stopBits_ = TStopBits::sb1;
    char msgStart_ = 0x01;
    char msgStop_ = 0x02;
    bool inUse_ = false;
    bool showErrors_ = true;
    TMode mode_ = TMode::mNormal;
    std::string deviceOverride_;
    bool lineLost_ = false;
    std::uint64_t bytesWritten_ = 0;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace z7
