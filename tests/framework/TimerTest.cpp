#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "framework/Timer.h"

namespace {

// Waits in the event loop until the timer has ticked `count` times in all, or
// until `limit` ms have gone; returns the elapsed time.
qint64 waitForTicks(const int& ticks, int count, const QElapsedTimer& clock, int limit) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ticks >= count || clock.elapsed() >= limit) {
            loop.quit();
        }
    });
    poll.start(2);
    loop.exec();
    return clock.elapsed();
}

// Tests give time by calling a timer's handler: a stopped clock never ticks.
TEST(TimerTest, aStoppedClockNeverTicks) {
    Timer timer(QStringLiteral("Timer1"));
    int ticks = 0;
    timer.Action = [&] { ++ticks; };
    timer.SetPeriod(1);
    timer.SetMode(Timer::Multiple);
    QElapsedTimer clock;
    clock.start();
    waitForTicks(ticks, 1, clock, 20);
    EXPECT_EQ(ticks, 0);
}

// The one test with a real clock: every other test gives time by hand.
TEST(TimerTest, realTicksKeepTheirCadenceAndFollowANewPeriod) {
    Timer::SetClockRunning(true);
    int ticks = 0;
    {
        Timer timer(QStringLiteral("Timer1"));
        timer.Action = [&] { ++ticks; };
        timer.SetPeriod(400);
        QElapsedTimer clock;
        clock.start();
        timer.SetMode(Timer::Multiple);

        // Asking for the running mode again must not restart the wait.
        waitForTicks(ticks, 1, clock, 200);
        EXPECT_EQ(ticks, 0);
        timer.SetMode(Timer::Multiple);
        const qint64 first = waitForTicks(ticks, 1, clock, 900);
        EXPECT_EQ(ticks, 1);
        EXPECT_LT(first, 560);  // a restart would put it at 600

        timer.SetPeriod(20);
        const qint64 before = clock.elapsed();
        const qint64 third = waitForTicks(ticks, 3, clock, 900);
        EXPECT_EQ(ticks, 3);
        EXPECT_LT(third - before, 300);

        timer.SetMode(Timer::Off);
        const int stopped = ticks;
        waitForTicks(ticks, stopped + 1, clock, static_cast<int>(clock.elapsed()) + 60);
        EXPECT_EQ(ticks, stopped);
    }
    Timer::SetClockRunning(false);
}

}  // namespace
