// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QTimer>
#include <vector>

#include "framework/Controls.h"
#include "framework/Services.h"

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
        connect(clock_, &QTimer::timeout, this, &Timer::tick);
    }

    int Mode() const { return mode_; }
    void setMode(int mode) {
        mode_ = mode;
        reschedule();
    }
    int Period() const { return clock_->interval(); }
    void setPeriod(int milliseconds) { clock_->setInterval(qMax(1, milliseconds)); }
    // Held (its window minimised), it keeps Mode and Period but does not tick.
    void hold(bool held) {
        held_ = held;
        reschedule();
    }
    bool held() const { return held_; }
    // Keeps its Mode and Period but ticks just before each tick of `leader`, and only then: a
    // helper whose work matters only to the leader's ticks wakes nothing of its own.
    void tickBefore(Timer* leader) {
        leader_ = leader;
        leader->followers_.push_back(this);
        connect(leader, &Timer::tickingChanged, this, &Timer::reschedule);
        reschedule();
    }
    // Whether it would tick now: on, not held, its leader ticking (the clock aside).
    bool ticking() const { return mode_ != Off && !held_ && (!leader_ || leader_->ticking()); }
    std::function<void()> Action;

  signals:
    void tickingChanged(bool ticking);

  private:
    void tick() {
        for (const QPointer<Timer>& follower : followers_) {
            if (follower && follower->ticking() && follower->Action) {
                follower->Action();
            }
        }
        if (mode_ != Off && Action) {
            Action();
        }
    }
    void reschedule() {
        // A timer with a leader ticks on the leader's clock, never on its own.
        if (!ticking() || !services().clockRunning || leader_) {
            clock_->stop();
        } else if (!clock_->isActive()) {
            clock_->start();  // not restarted when running: that would shift its cadence
        }
        if (ticking() != ticked_) {
            ticked_ = ticking();
            emit tickingChanged(ticked_);
        }
    }

    int mode_ = Off;
    bool held_ = false, ticked_ = false;
    QPointer<Timer> leader_;
    std::vector<QPointer<Timer>> followers_;
    QTimer* clock_ = new QTimer(this);
};
