// SPDX-License-Identifier: MIT
#include "framework/Timer.h"

Timer::Timer(const QString& name, QObject* parent) : Control(name, nullptr, parent) {
    clock_->setTimerType(Qt::PreciseTimer);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, [this] {
        if (mode_ != Off && Action) {
            Action();
        }
    });
}

void Timer::reschedule() {
    if (mode_ == Off || !clockRunning_ || held_) {
        clock_->stop();
    } else if (!clock_->isActive()) {
        clock_->start();  // not restarted when running: that would shift its cadence
    }
}
