// SPDX-License-Identifier: MIT
// How the board draws its field, on a clock of the test's.
#include <gtest/gtest.h>

#include "app/App.h"
#include "board/FieldView.h"
#include "board/Pictures.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "headless/Headless.h"

namespace {
// Every shuffle keeps its order: the first tile is blue, in column 0.
struct InOrder : RandomSource {
    int below(int n) override { return n - 1; }
};

struct FieldTest : ::testing::Test {
    FieldTest() { App::wireWindows(); }
    ~FieldTest() override { closeAllWindows(); }
    QColor shown(int x, int y) const {
        return board.SpriteSurface1->widget()->grab().toImage().pixelColor(x, y);
    }
    InOrder order;
    const Override<RandomSource*> inOrder{services().random, &order};
    qint64 time = 1000;
    const Override<std::function<qint64()>> ownClock{services().clock, [this] { return time; }};
    Window1& board = Window1::shared();
};

// Blue falls onto magenta in column 0: gray, and the line rises a row.
TEST_F(FieldTest, aFallingTileIsNeverDrawnInTheTileItMeetsAndTheLineIsDrawnRising) {
    board.SpriteSurface1->NewSprite(Pictures::of(Colour::Magenta), 0, 448)
        ->setGroup(groupOf(Colour::Magenta));
    board.cTest[0] = Pictures::of(Colour::Magenta);
    board.PushButton1->Push();
    const QColor open = shown(100, 300), line = shown(100, 479);
    EXPECT_EQ(open, QColor(Qt::white)) << "the open field";
    while (board.kap3 == Window1::BottomLine) {
        const SpriteRef tile = board.mysprite[board.kap];
        board.Timer1_Action();
        for (int ms = 0; ms < board.Timer1->Period() && !tile->closed(); ms += 10) {
            time += 10;
            ASSERT_LE(tile->drawnRect().bottom(), 448) << "drawn in the magenta, Y " << tile->Y();
        }
    }
    EXPECT_EQ(shown(100, 479), line) << "the line, the moment it starts to rise";
    time += FieldView::RiseMs;
    EXPECT_EQ(shown(100, 449), line) << "the line, risen a row";
    EXPECT_NE(shown(100, 470), open) << "the row under it, ground";
    board.SpriteSurface1->displayFrame();
    EXPECT_FALSE(board.SpriteSurface1->animating()) << "the rise and the gray's picture are over";
}
}  // namespace
