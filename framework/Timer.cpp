// SPDX-License-Identifier: MIT
#include "framework/Timer.h"

Timer::Timer(const QString& name, QObject* parent)
    : Control(name, nullptr, parent), clock_(new QTimer(this)) {
    clock_->setTimerType(Qt::PreciseTimer);
    connect(clock_, &QTimer::timeout, this, [this] {
        if (mode_ != Off && Action) {
            Action();
        }
    });
}

void Timer::setMode(int mode) {
    if (mode != mode_) {
        mode_ = mode;
        reschedule();
    }
}

void Timer::setPeriod(int milliseconds) {
    if (milliseconds != period_) {
        period_ = milliseconds;
        clock_->setInterval(qMax(1, period_));
    }
}

void Timer::hold(bool held) {
    held_ = held;
    reschedule();
}

void Timer::reschedule() {
    if (mode_ != Off && clockRunning_ && !held_) {
        if (!clock_->isActive()) {
            clock_->start(qMax(1, period_));
        }
    } else {
        clock_->stop();
    }
}
