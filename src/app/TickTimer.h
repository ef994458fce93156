#pragma once
// A timer that a core state machine sets; its owner calls the machine's tick() when it fires.
// The window binds a QTimer, z7c a poll loop, tests a virtual clock.
namespace z7 {

class TickTimer {
public:
    virtual ~TickTimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool enabled() const = 0;
};

}  // namespace z7
