#include "link/TimerLoop.h"

#include <algorithm>
#include <chrono>
#include <poll.h>

namespace z7 {

namespace {
std::int64_t steadyUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

std::int64_t TimerLoop::Timer::periodUs() const { return std::max(interval_, 1) * std::int64_t{1000}; }

void TimerLoop::Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) dueUs_ = loop_.nowUs() + periodUs();
}

void TimerLoop::Timer::enable() {
    if (enabled_) return;
    enabled_ = true;
    dueUs_ = loop_.nowUs() + periodUs();
}

TimerLoop::TimerLoop(Kind kind) : kind_(kind), realStartUs_(steadyUs()) {}

TimerLoop::Timer& TimerLoop::addTimer(std::function<void()> onTick) { return timers_.emplace_back(*this, std::move(onTick)); }

std::int64_t TimerLoop::nowUs() const { return kind_ == Kind::Virtual ? virtualNowUs_ : steadyUs() - realStartUs_; }

std::optional<std::int64_t> TimerLoop::nextDueUs() const {
    std::optional<std::int64_t> next;
    for (const Timer& t : timers_)
        if (t.enabled_ && (!next || t.dueUs_ < *next)) next = t.dueUs_;
    return next;
}

bool TimerLoop::fireEarliestDueBy(std::int64_t t) {
    Timer* earliest = nullptr;
    for (Timer& timer : timers_)
        if (timer.enabled_ && timer.dueUs_ <= t && (earliest == nullptr || timer.dueUs_ < earliest->dueUs_)) earliest = &timer;
    if (earliest == nullptr) return false;
    if (kind_ == Kind::Virtual) virtualNowUs_ = std::max(virtualNowUs_, earliest->dueUs_);
    // The next wait starts now; the tick may change it.
    earliest->dueUs_ = (kind_ == Kind::Virtual ? earliest->dueUs_ : nowUs()) + earliest->periodUs();
    if (earliest->onTick_) earliest->onTick_();
    return true;
}

void TimerLoop::advanceTo(std::int64_t t) {
    while (fireEarliestDueBy(t)) {
    }
    if (kind_ == Kind::Virtual) virtualNowUs_ = std::max(virtualNowUs_, t);
}

void TimerLoop::runOnce(int maxWaitMs) {
    int waitMs = maxWaitMs;
    if (const auto next = nextDueUs()) {
        const std::int64_t left = (*next - nowUs() + 999) / 1000;
        waitMs = static_cast<int>(std::clamp<std::int64_t>(left, 0, maxWaitMs));
    }
    if (waitMs > 0) ::poll(nullptr, 0, waitMs);
    // Each timer fires at most once per call, so a slow tick cannot starve the caller.
    const std::int64_t now = nowUs();
    for (std::size_t i = 0; i < timers_.size() && fireEarliestDueBy(now); ++i) {
    }
}

}  // namespace z7
