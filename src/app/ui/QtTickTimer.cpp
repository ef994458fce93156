#include "app/ui/QtTickTimer.h"

namespace {
// The timer whose tick is running now (ticks do not nest across timers in one thread, but a dialog's
// event loop may run another timer's tick; each restores the one before).
QtTickTimer* ticking = nullptr;
}  // namespace

QtTickTimer::QtTickTimer(std::function<void()> tick, QObject* parent) : QObject(parent), tick_(std::move(tick)) {
    connect(&timer_, &QTimer::timeout, this, &QtTickTimer::fire);
}

QtTickTimer::~QtTickTimer() {
    if (ticking == this) ticking = nullptr;
}

void QtTickTimer::setInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void QtTickTimer::enable() {
    enabled_ = true;
    if (pauses_ == 0) timer_.start();
}

void QtTickTimer::disable() {
    enabled_ = false;
    timer_.stop();
}

void QtTickTimer::fire() {
    if (!tick_) return;
    QtTickTimer* outer = ticking;
    ticking = this;
    tick_();
    ticking = outer;
}

QtTickTimer::ModalPause::ModalPause() : paused_(ticking) {
    if (!paused_) return;
    ++paused_->pauses_;
    paused_->timer_.stop();
}

QtTickTimer::ModalPause::~ModalPause() {
    if (!paused_) return;
    if (--paused_->pauses_ == 0 && paused_->enabled_) paused_->timer_.start();
}
