#pragma once
// Timers for the link state machines outside the window: a virtual clock for tests and benchmarks
// (time moves only when told) and a real-time loop over poll() for z7c.
#include "app/TickTimer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace z7 {

class TimerLoop {
public:
    class Timer : public TickTimer {
    public:
        Timer(TimerLoop& loop, std::function<void()> onTick) : loop_(loop), onTick_(std::move(onTick)) {}
        // Like a window timer: a new interval restarts the wait of a running timer.
        void setInterval(int milliseconds) override;
        int interval() const override { return interval_; }
        void enable() override;
        void disable() override { enabled_ = false; }
        bool enabled() const override { return enabled_; }
        std::int64_t dueUs() const { return dueUs_; }
        void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }

    private:
        friend class TimerLoop;
        std::int64_t periodUs() const;
        TimerLoop& loop_;
        std::function<void()> onTick_;
        int interval_ = 1000;
        bool enabled_ = false;
        std::int64_t dueUs_ = 0;
    };

    enum class Kind { Virtual, RealTime };
    explicit TimerLoop(Kind kind = Kind::Virtual);

    // Timers live as long as the loop.
    Timer& addTimer(std::function<void()> onTick = {});
    std::int64_t nowUs() const;
    std::optional<std::int64_t> nextDueUs() const;

    // Virtual time: fires every timer falling due up to t, in time order, then stands at t.
    void advanceTo(std::int64_t t);
    void advanceByMs(std::int64_t ms) { advanceTo(nowUs() + ms * 1000); }
    // Real time: waits at most maxWaitMs for the next due timer, then fires those that are due.
    void runOnce(int maxWaitMs);

private:
    bool fireEarliestDueBy(std::int64_t t);

    Kind kind_;
    std::int64_t virtualNowUs_ = 0;
    std::int64_t realStartUs_ = 0;
    std::deque<Timer> timers_;
};

}  // namespace z7
