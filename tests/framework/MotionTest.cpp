// SPDX-License-Identifier: MIT
// How the sprite surface shows motion between the frames of its pace, on a clock of the test's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>
#include <QProperty>
#include <string>

#include "framework/SpriteSurface.h"
#include "framework/Timer.h"

namespace {
struct MotionTest : ::testing::Test {
    MotionTest() {
        pace.setPeriod(80);
        pace.setMode(Timer::Multiple);
        surface.setPace(&pace);
        surface.NextFrame = [this] { step(*tile); };
    }
    qint64 time = 1000;
    const Override<std::function<qint64()>> ownClock{services().clock, [this] { return time; }};
    QWidget parent;
    SpriteSurface surface{"SpriteSurface1", &parent, 288, 480};
    Timer pace;
    SpriteRef tile = surface.NewSprite(std::make_shared<const Picture>(32, 32), 64, 0);
    std::function<void(Sprite&)> step = [](Sprite& s) { s.setY(s.Y() + 16); };
};

TEST_F(MotionTest, aFallGlidesBehindTheSpriteOverOnePeriodAndASidewaysStepShowsAtOnce) {
    step = [](Sprite& s) {
        s.setY(s.Y() + 16);
        s.setX(s.X() + 32);
    };
    surface.Update();  // at 1000: Y 0 -> 16, X 64 -> 96
    const std::pair<qint64, QPointF> table[] = {
        {1000, {96, 0}},   // the step in the frame it was made, the fall not begun
        {1040, {96, 8}},   // half a period: half the fall
        {1080, {96, 16}},  // a period: where the sprite is
        {1500, {96, 16}},  // and no further, however late the next frame
    };
    for (const auto& [at, drawn] : table) {
        time = at;
        EXPECT_EQ(tile->drawnRect().topLeft(), drawn) << "at " << at;
    }
    time = 1040;
    surface.Update();  // an early frame glides on from where the sprite shows
    EXPECT_EQ(tile->drawnRect().top(), 8) << "a frame come early jumped";
    time = 1080;
    EXPECT_EQ(tile->drawnRect().top(), 8 + (32 - 8) / 2.0);
}

TEST_F(MotionTest, aSpriteShowsWhereItIsAtOnceWhenMovedOutsideAFrameOrWhenThePaceStops) {
    tile->setY(100);
    EXPECT_EQ(tile->drawnRect().top(), 100) << "moved outside a frame";
    surface.Update();
    pace.hold(true);  // paused or minimised: the tile is drawn where the rules put it
    EXPECT_EQ(tile->drawnRect().top(), 116) << "held";
    pace.hold(false);
    surface.Update();
    pace.setMode(Timer::Off);
    EXPECT_EQ(tile->drawnRect().top(), 132) << "stopped";
}

// Each display frame wakes the game and the X server: more than fifty a second cost
// CPU and look no smoother, fewer than forty show a fall in visible jumps.
TEST_F(MotionTest, theDisplayClockRunsAtFortyToFiftyFramesASecondOnlyWhileSomethingMoves) {
    EXPECT_FALSE(surface.animating()) << "before anything moved";
    surface.Update();
    EXPECT_TRUE(surface.animating()) << "while the fall glides";
    EXPECT_GE(surface.displayInterval(), 20) << "more than fifty frames a second";
    EXPECT_LE(surface.displayInterval(), 25) << "fewer than forty frames a second";
    time += 80;
    surface.displayFrame();
    EXPECT_FALSE(surface.animating()) << "after the glide";
    surface.animate({0, 0, 32, 32}, 150);
    time += 149;
    surface.displayFrame();
    EXPECT_TRUE(surface.animating()) << "while an animation lasts";
    time += 1;
    surface.displayFrame();
    EXPECT_FALSE(surface.animating()) << "after the animation";
}

// What the event loop paints of a widget.
struct PaintLog : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

bool covers(const QRegion& painted, const QRect& rect) {
    return (QRegion(rect) - painted).isEmpty();
}

TEST_F(MotionTest, whatAFrameChangedIsRepaintedAfterItOrWhenTheSurfaceClosesInIt) {
    parent.show();
    PaintLog log;
    surface.widget()->installEventFilter(&log);
    QCoreApplication::processEvents();
    log.painted = {};
    step = [](Sprite& s) {
        s.setY(s.Y() + 16);
        s.setX(s.X() + 32);
    };
    surface.Update();  // Y 0 -> 16, X 64 -> 96
    QCoreApplication::processEvents();
    EXPECT_TRUE(covers(log.painted, {64, 0, 32, 32})) << "where the tile was";
    EXPECT_TRUE(covers(log.painted, {96, 16, 32, 32})) << "where the tile went";
    QRegion paintedInFrame;
    step = [&](Sprite& s) {
        log.painted = {};
        s.setX(s.X() + 32);
        surface.Close();                    // the game is over...
        QCoreApplication::processEvents();  // ...and says so in a box of its own loop
        paintedInFrame = log.painted;
    };
    time += 80;
    surface.Update();
    EXPECT_TRUE(covers(paintedInFrame, {128, 16, 32, 32})) << "the last step under the box";
}

TEST(TimerTest, aRunningClockKeepsItsCadenceAndAFollowerTicksJustBeforeItsLeaderOnly) {
    const Override<bool> clockRuns(services().clockRunning, true);
    Timer leader, poller;
    std::string ticks;
    leader.Action = [&] { ticks += 'L'; };
    poller.Action = [&] { ticks += 'p'; };
    poller.setMode(Timer::Multiple);
    poller.tickBefore(&leader);
    EXPECT_FALSE(poller.ticking()) << "its leader off";
    leader.setMode(Timer::Multiple);
    QTimer* clock = leader.findChild<QTimer*>();
    EXPECT_TRUE(clock->isActive()) << "the clock does not run with its Mode on";
    int restarts = 0;  // a restart stops the clock first: that would shift its cadence
    const QPropertyNotifier watch = clock->bindableActive().addNotifier([&] { ++restarts; });
    leader.setMode(Timer::Multiple);
    EXPECT_EQ(restarts, 0) << "the running clock was restarted";
    EXPECT_TRUE(poller.ticking()) << "its leader on";
    EXPECT_FALSE(poller.findChild<QTimer*>()->isActive()) << "it runs a clock of its own";
    QMetaObject::invokeMethod(clock, "timeout");  // as the event loop delivers it
    EXPECT_EQ(ticks, "pL") << "not just before its leader's tick";
    poller.hold(true);
    EXPECT_FALSE(poller.ticking()) << "itself held";
    QMetaObject::invokeMethod(clock, "timeout");
    EXPECT_EQ(ticks, "pLL") << "ticked while held";
    EXPECT_EQ(poller.Mode(), Timer::Multiple) << "held, it lost its mode";
    poller.hold(false);
    leader.hold(true);
    EXPECT_FALSE(clock->isActive()) << "the clock ticks while held";
    EXPECT_FALSE(poller.ticking()) << "its leader held";
    leader.hold(false);
    leader.setMode(Timer::Off);
    EXPECT_FALSE(clock->isActive()) << "the clock ticks with its Mode off";
}
}  // namespace
