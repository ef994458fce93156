#include "link/SeComm32.h"

#include "link/PortMap.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace z7 {

namespace {

constexpr int WriteDeadlineMs = 2000;  // a frame fits the OS queue; only a stuck line waits this long

speed_t speedOf(TBaudRate rate) {
    switch (rate) {
    case TBaudRate::br300: return B300;
    case TBaudRate::br600: return B600;
    case TBaudRate::br1200: return B1200;
    case TBaudRate::br2400: return B2400;
    case TBaudRate::br4800: return B4800;
    case TBaudRate::br9600: return B9600;
    case TBaudRate::br19200: return B19200;
    case TBaudRate::br38400: return B38400;
    case TBaudRate::br57600: return B57600;
    case TBaudRate::br115200: return B115200;
    }
    return B9600;
}

bool hungUp(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

int baudRateValue(TBaudRate rate) {
    static constexpr int values[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return values[static_cast<int>(rate)];
}

int parityCode(TParity parity) {
    static constexpr int codes[] = {2, 3, 0, 1};  // pEven, pMark, pNone, pOdd
    return codes[static_cast<int>(parity)];
}

std::string& TSeComm32::messageBuffer() {
    static std::string buffer;
    return buffer;
}

bool& TSeComm32::messageComplete() {
    static bool complete = false;
    return complete;
}

TSeComm32::TSeComm32(Dialogs& dialogs, TickTimer* messageTimer) : dialogs_(dialogs), messageTimer_(messageTimer) {
    messageBuffer().clear();
    messageComplete() = false;
    if (messageTimer_ != nullptr) {
        messageTimer_->setInterval(MessageInterval);
        messageTimer_->disable();
    }
}

TSeComm32::~TSeComm32() {
    if (messageTimer_ != nullptr) messageTimer_->disable();
    Close();
}

std::string TSeComm32::devicePath() const {
    return deviceOverride_.empty() ? comPortDevice(port_) : deviceOverride_;
}

void TSeComm32::reopenIfOpen() {
    if (PortOpen()) {
        Close();
        Open();
    }
}

void TSeComm32::setBaudRate(TBaudRate value) {
    if (value == baudRate_) return;
    baudRate_ = value;
    reopenIfOpen();
}

void TSeComm32::setPort(int value) {
    if (value == port_) return;
    port_ = value;
    reopenIfOpen();
}

void TSeComm32::setParity(TParity value) {
    parity_ = value;
    reopenIfOpen();
}

void TSeComm32::setDataBits(TDataBits value) {
    if (value == dataBits_) return;
    dataBits_ = value;
    reopenIfOpen();
}

void TSeComm32::setStopBits(TStopBits value) {
    if (value == stopBits_) return;
    stopBits_ = value;
    reopenIfOpen();
}

void TSeComm32::setMode(TMode value) {
    if (value == mode_) return;
    mode_ = value;
    if (messageTimer_ == nullptr) return;
    if (mode_ == TMode::mMessage)
        messageTimer_->enable();
    else
        messageTimer_->disable();
}

bool TSeComm32::openDevice() {
    const int fd = ::open(devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // Exclusive, as the port is opened without sharing; a second opener gets EBUSY.
    if (::ioctl(fd, TIOCEXCL) != 0 || !::isatty(fd)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    lineLost_ = false;
    return true;
}

void setLineSettings(termios& settings, const LineSettings& line) {
    // Binary mode is the only control flag: no parity check, flow control, modem control or
    // character translation in either direction.
    settings.c_iflag = 0;
    settings.c_oflag = 0;
    settings.c_lflag = 0;
    tcflag_t c = CREAD | CLOCAL;
    static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    c |= sizes[static_cast<int>(line.dataBits)];
    if (line.stopBits == TStopBits::sb2) c |= CSTOPB;
    switch (parityCode(line.parity)) {
    case 1: c |= PARENB | PARODD; break;
    case 2: c |= PARENB; break;
    case 3: c |= PARENB | PARODD | CMSPAR; break;
    default: break;
    }
    settings.c_cflag = c;
    ::cfsetispeed(&settings, speedOf(line.baudRate));
    ::cfsetospeed(&settings, speedOf(line.baudRate));
}

void TSeComm32::applyLineSettings() {
    termios settings{};
    if (::tcgetattr(handle_, &settings) != 0) return;  // the OS settings stay
    setLineSettings(settings, {baudRate_, dataBits_, parity_, stopBits_});
    ::tcsetattr(handle_, TCSANOW, &settings);
}

bool TSeComm32::Open() {
    if (PortOpen()) Close();
    while (!openDevice()) {
        if (!showErrors_) return false;
        if (dialogs_.abortRetry("Error Opening COM" + std::to_string(port_) + ": ") == Dialogs::AbortRetry::Abort)
            return false;
    }
    applyLineSettings();
    return PortOpen();
}

void TSeComm32::Close() {
    if (handle_ >= 0) {
        ::ioctl(handle_, TIOCNXCL);  // the device may outlive us in another opener's hands
        ::close(handle_);
    }
    handle_ = -1;
}

void TSeComm32::portNotOpen() {
    if (showErrors_) dialogs_.warning("Port Not Open -- Operation Aborted");
}

int TSeComm32::CharCount() {
    if (!PortOpen()) {
        portNotOpen();
        return 0;
    }
    int waiting = 0;
    if (::ioctl(handle_, FIONREAD, &waiting) != 0) {
        lineLost_ = true;
        return 0;
    }
    if (waiting == 0 && hungUp(handle_)) lineLost_ = true;
    return waiting;
}

void TSeComm32::ReadAll(std::string& text) {
    text.clear();
    if (!PortOpen()) {
        portNotOpen();
        return;
    }
    if (inUse_) {
        if (showErrors_) dialogs_.message("Port is in use -- Operation Aborted.");
        return;
    }
    inUse_ = true;
    const int n = CharCount();
    if (n > 0) {
        text.resize(static_cast<std::size_t>(n));
        const ssize_t got = ::read(handle_, text.data(), text.size());
        if (got < 0 && errno != EAGAIN && errno != EINTR) lineLost_ = true;
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        bytesRead_ += text.size();
        if (!text.empty()) text.push_back('\0');
    }
    inUse_ = false;
}

bool TSeComm32::SendString(const std::string& text) {
    if (!PortOpen()) {
        portNotOpen();
        return false;
    }
    std::size_t done = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WriteDeadlineMs);
    while (done < text.size()) {
        const ssize_t n = ::write(handle_, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            bytesWritten_ += static_cast<std::uint64_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            lineLost_ = true;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{handle_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(left.count()));
    }
    return done == text.size();
}

void TSeComm32::Purge() {
    if (PortOpen()) ::tcflush(handle_, TCIOFLUSH);
}

void TSeComm32::DoDataMessage() {
    if (OnDataMessage) OnDataMessage(*this);
}

void TSeComm32::messageTick() {
    if (mode_ != TMode::mMessage) return;
    std::string& buffer = messageBuffer();
    bool& complete = messageComplete();
    if (complete) Purge();
    if (PortOpen()) {
        inUse_ = true;
        std::string chunk;
        if (const int n = CharCount(); n > 0) {
            chunk.resize(static_cast<std::size_t>(n));
            const ssize_t got = ::read(handle_, chunk.data(), chunk.size());
            chunk.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            bytesRead_ += chunk.size();
        }
        if (const auto nul = chunk.find('\0'); nul != std::string::npos) chunk.resize(nul);
        if (!chunk.empty()) {
            if (buffer.empty()) {
                if (const auto start = chunk.find(msgStart_); start != std::string::npos) {
                    // A stop in the same chunk ends the message there; one before the start does not count.
                    const auto stop = chunk.find(msgStop_, start + 1);
                    if (stop != std::string::npos) {
                        buffer = chunk.substr(start, stop - start + 1);
                        complete = true;
                    } else {
                        buffer = chunk.substr(start);
                    }
                }
            } else if (const auto stop = chunk.find(msgStop_); stop != std::string::npos) {
                buffer += chunk.substr(0, stop + 1);
                complete = true;
            } else {
                buffer += chunk;
            }
        }
        inUse_ = false;
    }
    if (complete) DoDataMessage();
}

}  // namespace z7
