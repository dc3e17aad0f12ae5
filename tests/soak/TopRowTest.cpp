// What the soak found at the top of the field: once the line is in the top row,
// a mix releases the next tile straight onto the line, possibly onto a tile of
// another colour. That tile must mix there, once, and not also land.
#include <gtest/gtest.h>

#include <string>

#include "BoardSupport.h"
#include "app/SharedPictures.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "support/Fakes.h"

namespace {

// Draws the last index every time, so every shuffle keeps the list's order.
class InOrder : public RandomSource {
  public:
    int Below(int n) override { return n - 1; }
};

}  // namespace

TEST(TopRow, tileReleasedByAMixOntoAnotherColourMixesOnceAndDoesNotLand) {
    Window1::registerClass();
    InOrder inOrder;
    SetRandom(&inOrder);
    recorded().Clear();

    // Line at the top: .  .  .  G  C  .  .  .  .   with red tiles released
    // first into column 4 (onto cyan: white), then column 3 (onto green: yellow).
    Window1& board = Window1::instance();
    board.kap3 = 0;
    board.aTest = {128, 96};
    board.nTest = {6, 1, 2, 3, 4, 5};  // red
    board.SpriteSurface1->NewSprite(Pictures::green(), 96, 0)->SetGroup(3);
    board.SpriteSurface1->NewSprite(Pictures::cyan(), 128, 0)->SetGroup(5);
    board.cTest[3] = Pictures::green();
    board.cTest[4] = Pictures::cyan();

    board.PushButton1->Push();  // red onto cyan
    board.Timer1_Action();      // white; the next red goes onto green within the same pass
    EXPECT_EQ(FieldRows(board)[0], "...RW....");
    EXPECT_EQ(board.cnt, 2);
    EXPECT_EQ(LineLetters(board), "oooGWoooo");

    board.Timer1_Action();  // yellow, and no column is left
    EXPECT_EQ(FieldRows(board)[0], "...YW....");
    EXPECT_EQ(LineLetters(board), "oooYWoooo");
    EXPECT_EQ(board.SpriteSurface1->SpriteCount(), 2);  // no red left behind
    EXPECT_EQ(board.cnt, 2);
    EXPECT_EQ(board.counter, 1);
    EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 1")});

    SetRandom(nullptr);
    CloseAllWindows();
}
