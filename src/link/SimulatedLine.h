#pragma once
// A ControllerSimulator on a pseudo-terminal, run in the virtual time of a TimerLoop together with
// the program's timers. Before every step the bytes in flight on the pseudo-terminal are waited
// for (a few microseconds of kernel latency), so runs are exact and repeatable without sleeping.
#include "link/ControllerSimulator.h"
#include "link/Pty.h"
#include "link/SeComm32.h"
#include "link/TimerLoop.h"

#include <functional>

namespace z7 {

class SimulatedLine {
public:
    // port is pointed at the pseudo-terminal; the loop must be virtual.
    SimulatedLine(ControllerSimulator& simulator, TimerLoop& loop, TSeComm32& port);

    Pty& pty() { return pty_; }
    ControllerSimulator& simulator() { return simulator_; }
    // Runs until virtual time t (microseconds).
    void runUntil(std::int64_t t);
    void runForMs(std::int64_t ms) { runUntil(loop_.nowUs() + ms * 1000); }
    // Runs until done() holds or maxMs of virtual time have passed; true when done() held.
    bool runUntil(const std::function<bool()>& done, std::int64_t maxMs);
    // Bytes the controller sends besides the simulator's own replies (noise, hand-made answers);
    // like the replies they are waited for until the port can read them.
    bool sendFromController(const std::string& bytes);
    // The simulator goes away: the device hangs up.
    void hangUp();
    // Exchanges the bytes in flight at the current time.
    void settle();

private:
    ControllerSimulator& simulator_;
    TimerLoop& loop_;
    TSeComm32& port_;
    Pty pty_;
    bool hungUp_ = false;
    std::uint64_t writtenBase_ = 0;
    std::uint64_t readBase_ = 0;
    std::uint64_t simulatorOut_ = 0;
};

}  // namespace z7
