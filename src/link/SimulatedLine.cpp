#include "link/SimulatedLine.h"

#include <chrono>
#include <poll.h>
#include <stdexcept>
#include <thread>

namespace z7 {

namespace {
constexpr auto KernelWait = std::chrono::milliseconds(1000);  // only a broken pseudo-terminal waits this long
}

SimulatedLine::SimulatedLine(ControllerSimulator& simulator, TimerLoop& loop, TSeComm32& port)
    : simulator_(simulator), loop_(loop), port_(port) {
    if (!pty_.ok()) throw std::runtime_error(pty_.error());
    port_.setDeviceOverride(pty_.devicePath());
    writtenBase_ = port_.bytesWritten() - simulator_.bytesIn();
    readBase_ = port_.bytesRead();
}

void SimulatedLine::settle() {
    if (hungUp_) return;
    const auto deadline = std::chrono::steady_clock::now() + KernelWait;
    while (simulator_.bytesIn() + writtenBase_ < port_.bytesWritten() && std::chrono::steady_clock::now() < deadline) {
        pollfd p{pty_.master(), POLLIN, 0};
        ::poll(&p, 1, 10);
        const std::string bytes = pty_.readMaster();
        if (!bytes.empty()) simulator_.receive(bytes, loop_.nowUs());
    }
    const std::string out = simulator_.takeOutput(loop_.nowUs());
    if (!out.empty() && pty_.writeMaster(out)) simulatorOut_ += out.size();
    auto arrived = [&] {
        const std::uint64_t read = port_.bytesRead() - readBase_;
        return read >= simulatorOut_ || read + static_cast<std::uint64_t>(pty_.slaveWaiting()) >= simulatorOut_;
    };
    while (!arrived() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(20));
}

void SimulatedLine::runUntil(std::int64_t t) {
    settle();
    for (;;) {
        const auto timer = loop_.nextDueUs();
        const auto event = hungUp_ ? std::nullopt : simulator_.nextEventUs();
        std::int64_t next = t + 1;
        if (timer) next = std::min(next, *timer);
        if (event) next = std::min(next, *event);
        if (next > t) break;
        loop_.advanceTo(next);
        settle();
    }
    loop_.advanceTo(t);
    settle();
}

bool SimulatedLine::runUntil(const std::function<bool()>& done, std::int64_t maxMs) {
    const std::int64_t end = loop_.nowUs() + maxMs * 1000;
    while (!done()) {
        if (loop_.nowUs() >= end) return false;
        runUntil(std::min(end, loop_.nowUs() + 1000));
    }
    return true;
}

bool SimulatedLine::sendFromController(const std::string& bytes) {
    if (!pty_.writeMaster(bytes)) return false;
    simulatorOut_ += bytes.size();
    return true;
}

void SimulatedLine::hangUp() {
    hungUp_ = true;
    pty_.hangUp();
}

}  // namespace z7
