// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <functional>

#include "framework/Control.h"

// A timer as the game sees it: Mode 0 is off, 2 fires every Period
// milliseconds. Ticks are delivered on the event thread; Qt never starts a
// tick while the handler of the one before runs a nested event loop.
class Timer : public Control {
    Q_OBJECT
  public:
    static constexpr int Off = 0;
    static constexpr int Multiple = 2;

    explicit Timer(const QString& name = {}, QObject* parent = nullptr);

    int Mode() const { return mode_; }
    // Switching to a mode already set changes nothing, so a running timer keeps its cadence.
    void setMode(int mode);
    int Period() const { return period_; }
    // Applies from the next tick on.
    void setPeriod(int milliseconds);
    // A held timer keeps its Mode and Period but does not tick until it is let go.
    void hold(bool held);

    // The "Action" event: called on every tick.
    std::function<void()> Action;

    // Tests switch the clock off: timers keep their Mode and Period but only
    // tick when the test calls their handlers.
    static void setClockRunning(bool running) { clockRunning_ = running; }

  private:
    void reschedule();

    static inline bool clockRunning_ = true;

    int mode_ = Off;
    int period_ = 1000;
    bool held_ = false;
    QTimer* clock_;
};
