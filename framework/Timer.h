// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>

#include "framework/Controls.h"

// Mode 2 calls Action every Period ms; no tick starts while one runs a message box.
class Timer : public Control {
    Q_OBJECT
  public:
    static constexpr int Off = 0;
    static constexpr int Multiple = 2;

    explicit Timer(const QString& name = {}, QObject* parent = nullptr)
        : Control(name, nullptr, parent) {
        clock_->setTimerType(Qt::PreciseTimer);
        clock_->setInterval(1000);
        connect(clock_, &QTimer::timeout, this,
                [this] { mode_ != Off&& Action ? Action() : void(); });
    }

    int Mode() const { return mode_; }
    void setMode(int mode) { mode_ = mode, reschedule(); }
    int Period() const { return clock_->interval(); }
    void setPeriod(int milliseconds) { clock_->setInterval(qMax(1, milliseconds)); }
    // Held (its window minimised), it keeps Mode and Period but does not tick.
    void hold(bool held) { held_ = held, reschedule(); }
    bool held() const { return held_; }
    std::function<void()> Action;

    // Stopped: timers tick only when a test calls their handlers.
    static void setClockRunning(bool running) { clockRunning_ = running; }

  private:
    void reschedule() {
        if (mode_ == Off || !clockRunning_ || held_) {
            clock_->stop();
        } else if (!clock_->isActive()) {
            clock_->start();  // not restarted when running: that would shift its cadence
        }
    }

    static inline bool clockRunning_ = true;
    int mode_ = Off;
    bool held_ = false;
    QTimer* clock_ = new QTimer(this);
};
