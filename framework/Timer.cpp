#include "framework/Timer.h"

namespace {
bool clockRunning = true;
}

Timer::Timer(const QString& name, QObject* parent) : Control(name, nullptr, parent) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, &Timer::Fire);
}

void Timer::SetMode(int mode) {
    if (mode == mode_) {
        return;
    }
    mode_ = mode;
    Reschedule();
}

void Timer::SetPeriod(int milliseconds) {
    if (milliseconds == period_) {
        return;
    }
    period_ = milliseconds;
    if (clock_.isActive()) {
        clock_.setInterval(qMax(1, period_));
    }
}

void Timer::Hold(bool held) {
    if (held != held_) {
        held_ = held;
        Reschedule();
    }
}

void Timer::SetClockRunning(bool running) {
    clockRunning = running;
}

bool Timer::ClockRunning() {
    return clockRunning;
}

void Timer::Fire() {
    if (mode_ != Off && Action) {
        Action();
    }
}

void Timer::Reschedule() {
    if (mode_ != Off && clockRunning && !held_) {
        clock_.start(qMax(1, period_));
    } else {
        clock_.stop();
    }
}
