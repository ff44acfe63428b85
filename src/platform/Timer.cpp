#include "platform/Timer.h"

#include "platform/Window.h"

#include <QTimer>

#include <algorithm>

Timer::Timer(Window& parent, int mode, int period)
    : window_(parent), timer_(std::make_unique<QTimer>()), mode_(mode), period_(period) {
    window_.AddTimer(this);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Fired(); });
    Restart();
}

Timer::~Timer() {
    window_.RemoveTimer(this);
}

int Timer::Mode() const {
    return mode_;
}

void Timer::SetMode(int mode) {
    mode_ = mode;
    Restart();
}

int Timer::Period() const {
    return period_;
}

void Timer::SetPeriod(int milliseconds) {
    period_ = milliseconds;
    if (timer_->isActive()) Restart();
}

bool Timer::Enabled() const {
    return enabled_;
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Restart();
}

void Timer::Restart() {
    if (!enabled_ || mode_ == kModeOff || !window_.IsOpen()) {
        timer_->stop();
        return;
    }
    timer_->setSingleShot(mode_ == kModeSingle);
    timer_->start(std::max(0, period_));
}

void Timer::Fired() {
    if (mode_ == kModeSingle) enabled_ = false;
    if (Action) Action();
}

void Timer::Stop() {
    enabled_ = false;
    timer_->stop();
}
