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

TEST_F(GameMenuTest, itemsShowTheirKeysInTheGameMenuAfterFileAndEdit) {
    QStringList shown;  // when each is enabled is checked with the board's controls
    for (const QAction* item : Window1::shared().GameMenu->actions()) {
        QStringList keys;
        for (const QKeySequence& key : item->shortcuts()) {
            keys << key.toString();
        }
        if (!item->isSeparator()) {
            shown << item->text() + ' ' + keys.join(" / ");
        }
    }
    EXPECT_EQ(shown.join(", "), "New Game N, Pause P, Beginner B, Expert E, HELP H / F1, Sound M");
    const QMenuBar* bar = Window1::shared().findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->actions().last()->text(), "&Game") << "the Game menu comes after File and Edit";
}

TEST_F(GameMenuTest, aKeyOrAnItemActsOnceWithTheMenuBarThere) {
    // N in a running game asks once; the item does what its key does.
    Window1& board = activeBoard();
    QTest::keyClick(&board, 'S');
    QTest::keyClick(&board, 'N');
    EXPECT_EQ(recorded().questions.size(), 1) << "N";
    emit board.GameMenu->aboutToShow();  // opened, as a click needs
    board.GameMenu->findChild<QAction*>("GamePause")->trigger();
    EXPECT_TRUE(board.paused()) << "the Pause item";
}

// That a muted game is silent is heard in the real game.
TEST_F(GameMenuTest, mIsRememberedBesideTheScoresAndTheSoundItemUndoesIt) {
    Window1& board = activeBoard();
    QTest::keyClick(&board, 'M');
    EXPECT_TRUE(sounds().muted()) << "M does not mute";
    EXPECT_TRUE(Sounds::remembered()) << "the next run would not be muted";
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));  // the test's own
    EXPECT_TRUE(config.exists("Huemix.conf")) << "not kept beside the scores";
    EXPECT_FALSE(config.exists("Huemix.prefs")) << "the score file was written";
    board.GameMenu->findChild<QAction*>("GameSound")->trigger();
    EXPECT_FALSE(sounds().muted()) << "the Sound item does not turn it on again";
    EXPECT_FALSE(Sounds::remembered()) << "the switch as the next run reads it";
}
}  // namespace
