// SPDX-License-Identifier: MIT
// The hidden release button and edit field, which only the board's own handlers may use.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenuBar>

#include "app/App.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "headless/Headless.h"
#include "scores/Window4.h"

namespace {
struct ReleaseTest : ::testing::Test {
    SeededRandom chance{7};
    const Override<RandomSource*> seeded{services().random, &chance};
    void SetUp() override {
        App::wireWindows();
        recorded().clear();
    }
    void TearDown() override { closeAllWindows(); }
};

// A push from outside a frame (a screen reader pressing the hidden button) releases nothing:
// released tiles, tiles on the field, and the game-over messages after it.
TEST_F(ReleaseTest, theReleaseButtonReleasesOnlyForStartAndTheFrames) {
    const struct {
        const char* name;
        std::function<void(Window1&)> before;
        int released, tiles, told;
    } rows[] = {
        {"beforeStart", [](Window1&) {}, 0, 0, 0},
        {"whileATileFalls",
         [](Window1& b) {
             b.PushButton1->Push();
             b.Timer1_Action();
         },
         1, 1, 0},
        {"afterGameOver",
         [](Window1& b) {
             b.PushButton1->Push();
             b.aTest.clear();  // the next release finds no open column
             while (b.Timer1->Mode() != Timer::Off) {
                 b.Timer1_Action();
             }
         },
         1, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        closeAllWindows();
        recorded().clear();
        Window1& board = Window1::shared();
        row.before(board);
        board.PushButton2->Push();
        board.PushButton2->view()->click();  // as the bridge's Press does
        EXPECT_EQ(board.cnt, row.released);
        EXPECT_EQ(board.SpriteSurface1->sprites().size(), std::size_t(row.tiles));
        EXPECT_EQ(recorded().messages.size(), row.told);
    }
}

// What a screen reader finds on the board: not the hidden button and field; the menus where
// the board is, and showing, though the score board's bar was asked about first.
TEST_F(ReleaseTest, aScreenReaderFindsNoHiddenControlAndTheBoardsOwnMenus) {
    const App app;
    Window4& scores = Window4::shared();
    const auto fileItem = [](QWidget& window) {
        QAccessibleInterface* bar =
            QAccessible::queryAccessibleInterface(window.findChild<QMenuBar*>());
        return bar->child(0);
    };
    fileItem(scores);
    scores.StaticText3_MouseDown(0, 0);  // "Run"
    Window1& board = Window1::shared();
    QAccessibleInterface* content =
        QAccessible::queryAccessibleInterface(board.PushButton1->widget()->parentWidget());
    QStringList reachable;
    for (int i = 0; i < content->childCount(); ++i) {
        reachable << content->child(i)->object()->objectName();
    }
    EXPECT_TRUE(reachable.contains("PushButton1")) << reachable.join(' ').toStdString();
    EXPECT_FALSE(reachable.contains("PushButton2")) << "the release button";
    EXPECT_FALSE(reachable.contains("EditField1")) << "the board's hidden field";
    QAccessibleInterface* file = fileItem(board);
    const QMenuBar* bar = board.findChild<QMenuBar*>();
    const QRect where =
        bar->actionGeometry(bar->actions().at(0)).translated(bar->mapToGlobal(QPoint()));
    EXPECT_EQ(file->text(QAccessible::Name), "File");
    EXPECT_EQ(file->rect(), where) << "not where the board's File is";
    EXPECT_FALSE(file->state().invisible) << "not showing with the board";
}
}  // namespace
