// SPDX-License-Identifier: MIT
// The board's Game menu and its keys, with the shell's menu bar there; M kept between runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QMenuBar>
#include <QTest>

#include "app/App.h"
#include "board/Sounds.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "headless/Headless.h"

namespace {
struct GameMenuTest : ::testing::Test {
    SeededRandom chance{7};
    const Override<RandomSource*> seeded{services().random, &chance};
    std::unique_ptr<App> app;

    void SetUp() override {
        app = std::make_unique<App>();  // the menu bar the board shows its Game menu in
        App::wireWindows();
        recorded().clear();
    }
    void TearDown() override {
        sounds().setMuted(false);
        closeAllWindows();
        app.reset();
    }
    static Window1& activeBoard() {
        Window1& board = Window1::shared();
        board.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&board));  // letter keys act in the active window
        return board;
    }
};

// Each item as the open menu shows it: text, keys, and "off" when disabled.
std::string menuAsShown(Window1& board) {
    emit board.GameMenu->aboutToShow();
    std::string shown;
    for (const QAction* item : board.GameMenu->actions()) {
        if (item->isSeparator()) {
            continue;
        }
        QStringList keys;
        for (const QKeySequence& key : item->shortcuts()) {
            keys << key.toString();
        }
        shown += (shown.empty() ? "" : ", ") + item->text().toStdString() + ' ' +
                 keys.join(" / ").toStdString() + (item->isEnabled() ? "" : " off");
    }
    return shown;
}

TEST_F(GameMenuTest, itemsShowTheirKeysAndAreEnabledExactlyWhenTheKeyActs) {
    // Typed on the board: E Expert, S Start, P Pause, X the game over (no open column).
    const std::pair<std::string, std::string> table[] = {
        {"", "New Game N, Pause P off, Beginner B, Expert E, HELP H / F1, Sound M"},
        {"E", "New Game N, Pause P off, Beginner B off, Expert E, HELP H / F1, Sound M"},
        {"S", "New Game N, Pause P, Beginner B, Expert E off, HELP H / F1 off, Sound M"},
        {"SP", "New Game N, Pause P, Beginner B, Expert E off, HELP H / F1 off, Sound M"},
        {"SX", "New Game N, Pause P off, Beginner B, Expert E off, HELP H / F1 off, Sound M"},
    };
    for (const auto& [typed, expected] : table) {
        SCOPED_TRACE("typed " + typed);
        closeAllWindows();
        Window1& board = activeBoard();
        for (const char key : typed) {
            if (key == 'X') {
                board.aTest.clear();
                for (int frame = 0; frame < 29; ++frame) {
                    board.Timer1_Action();
                }
            } else {
                QTest::keyClick(&board, key);
            }
        }
        EXPECT_EQ(menuAsShown(board), expected);
    }
    const QMenuBar* bar = Window1::shared().findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->actions().last()->text(), "&Game") << "the Game menu comes after File and Edit";
}

TEST_F(GameMenuTest, aKeyOrAnItemActsOnceWithTheMenuBarThere) {
    // N in a running game asks once; P pauses (twice would resume); the item does what its key
    // does.
    Window1& board = activeBoard();
    QTest::keyClick(&board, 'S');
    QTest::keyClick(&board, 'N');
    EXPECT_EQ(recorded().questions.size(), 1) << "N";
    QTest::keyClick(&board, 'P');
    EXPECT_TRUE(board.paused()) << "P";
    emit board.GameMenu->aboutToShow();  // opened, as a click needs
    board.GameMenu->findChild<QAction*>("GamePause")->trigger();
    EXPECT_FALSE(board.paused()) << "the Pause item";
    emit board.GameMenu->aboutToShow();
    board.GameMenu->findChild<QAction*>("GameNew")->trigger();
    EXPECT_EQ(recorded().questions.size(), 2) << "the New Game item";
}

TEST_F(GameMenuTest, mIsRememberedBesideTheScoresAndSilencesEverySound) {
    std::string heard;  // a letter a sound: L aloud, l muted
    const Override listening(services().soundHeard,
                             [&](int, bool muted) { heard += muted ? 'l' : 'L'; });
    Window1& board = activeBoard();
    QTest::keyClick(&board, 'M');
    EXPECT_TRUE(sounds().muted()) << "M does not mute";
    EXPECT_TRUE(Sounds::remembered()) << "the next run would not be muted";
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));  // the test's own
    EXPECT_TRUE(config.exists("Huemix.conf")) << "not kept beside the scores";
    EXPECT_FALSE(config.exists("Huemix.prefs")) << "the score file was written";
    board.PushButton1->Push();
    board.mysprite[board.kap]->setY(board.kap3);
    board.Timer1_Action();
    EXPECT_EQ(heard, "l") << "a landing while muted";
    board.GameMenu->findChild<QAction*>("GameSound")->trigger();
    EXPECT_FALSE(sounds().muted()) << "the Sound item does not turn it on again";
    EXPECT_FALSE(Sounds::remembered()) << "the switch as the next run reads it";
}
}  // namespace
