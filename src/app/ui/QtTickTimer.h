#pragma once
// z7::TickTimer over a QTimer. A modal dialog shown from inside a tick pauses that timer until the
// dialog closes, so that the machine is never ticked again underneath its own question.
#include "app/TickTimer.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QtTickTimer : public QObject, public z7::TickTimer {
    Q_OBJECT
public:
    explicit QtTickTimer(std::function<void()> tick = {}, QObject* parent = nullptr);
    ~QtTickTimer() override;

    void setTick(std::function<void()> tick) { tick_ = std::move(tick); }

    void setInterval(int milliseconds) override;
    int interval() const override { return timer_.interval(); }
    void enable() override;
    void disable() override;
    bool enabled() const override { return enabled_; }
    // Whether the QTimer is counting now (false while enabled but paused under a dialog).
    bool running() const { return timer_.isActive(); }

    // Stops the timer whose tick is running for as long as it lives; QtDialogs holds one around every box.
    class ModalPause {
    public:
        ModalPause();
        ~ModalPause();
        ModalPause(const ModalPause&) = delete;
        ModalPause& operator=(const ModalPause&) = delete;

    private:
        QtTickTimer* paused_ = nullptr;
    };

public slots:
    // What a timeout does; public so that the owner (and tests) can tick by hand.
    void fire();

private:
    QTimer timer_;
    std::function<void()> tick_;
    bool enabled_ = false;
    int pauses_ = 0;
};
