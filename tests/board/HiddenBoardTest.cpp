// SPDX-License-Identifier: MIT
// A board hidden while its game runs (About, HELP) holds the game as minimised.
#include <gtest/gtest.h>

#include <QTest>

#include "app/App.h"
#include "board/Window1.h"
#include "framework/Keyboard.h"
#include "framework/Random.h"
#include "headless/Headless.h"
#include "info/Window3.h"

namespace {
TEST(HiddenBoardTest, holdsAndGoesOnWhenShownWithoutTheKeysPressedMeanwhile) {
    App app;  // whose About item hides the board
    App::wireWindows();
    SeededRandom chance(7);
    const Override seeded(services().random, &chance);
    KeyState keys;
    const Override steering(services().keys, &keys);
    Window1& board = Window1::shared();
    board.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&board));
    QTest::keyClick(&board, 'S');
    const SpriteRef tile = board.mysprite[board.kap];
    const int column = tile->X(), top = tile->Y();
    services().clockRunning = true;
    board.Timer1->setMode(Timer::Multiple);  // rescheduled: the real clock runs now
    const QTimer* pace = board.Timer1->findChild<QTimer*>();
    EXPECT_TRUE(pace->isActive());

    app._AppleAbout_Action();  // About in the board's place
    EXPECT_FALSE(pace->isActive()) << "the pace timer ticks behind About";
    const int arrow = column > 0 ? KeyCode::LeftArrow : KeyCode::RightArrow;
    keys.press(arrow);  // pressed and let go unseen
    keys.release(arrow);
    board.Timer1_Action();
    EXPECT_EQ(tile->Y(), top) << "a frame played on the hidden board";

    Window3::shared().PushButton1->Push();  // Close: the board again
    EXPECT_TRUE(pace->isActive()) << "the pace timer does not go on";
    services().clockRunning = false;
    board.Timer1->setMode(Timer::Multiple);
    board.Timer1_Action();
    EXPECT_EQ(tile->Y(), top + 16) << "the game does not go on";
    EXPECT_EQ(tile->X(), column) << "a key pressed while hidden was played";
    closeAllWindows();
}
}  // namespace
