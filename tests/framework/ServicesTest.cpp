// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>

#include "framework/Random.h"
#include "framework/Services.h"
#include "framework/Timer.h"
#include "framework/Window.h"

namespace {
struct Held : Window {
    Timer* Clock = new Timer(QStringLiteral("Clock"), this);
};

// A test that replaces a service, or leaves the game away, must not reach the next one.
TEST(ServicesTest, whatATestReplacesIsPutBackWhenItsScopeEnds) {
    SeededRandom chance(1);
    const Services before = services();
    {
        const ScopedServices scope;
        services().random = &chance;
        services().progress = [](const QString&, qint64, qint64) {};
        services().clockRunning = !before.clockRunning;
        services().away = true;
    }
    EXPECT_EQ(services().random, before.random) << "the random source stayed replaced";
    EXPECT_FALSE(services().progress) << "the progress observer stayed replaced";
    EXPECT_EQ(services().clockRunning, before.clockRunning) << "the clock stayed as set";
    EXPECT_FALSE(services().away) << "the game stayed away";
    {
        const Override seeded(services().random, &chance);
        EXPECT_EQ(services().random, &chance) << "the override did not replace the source";
    }
    EXPECT_EQ(services().random, before.random) << "the override did not put it back";
}

// Installed once at start-up: another program active holds a window's timers; back, they go on.
TEST(ServicesTest, anotherProgramActiveHoldsTheTimers) {
    Held window;
    window.Clock->setMode(Timer::Multiple);
    window.show();
    ASSERT_FALSE(window.Clock->held()) << "held before another program was active";
    QEvent away(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &away);
    EXPECT_TRUE(window.Clock->held()) << "ticking while another program is active";
    QEvent back(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(qApp, &back);
    EXPECT_FALSE(window.Clock->held()) << "held after the game is active again";
}
}  // namespace
