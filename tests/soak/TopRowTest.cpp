// What the soak found at the top of the field: once the line is in the top row,
// a mix releases the next tile straight onto the line, possibly onto a tile of
// another colour. That tile must mix there, once, and not also land.
#include <gtest/gtest.h>

#include <string>

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

char letterOf(const PictureRef& picture) {
    const std::pair<PictureRef, char> letters[] = {
        {Pictures::blue(), 'B'},  {Pictures::green(), 'G'},  {Pictures::magenta(), 'M'},
        {Pictures::cyan(), 'C'},  {Pictures::yellow(), 'Y'}, {Pictures::red(), 'R'},
        {Pictures::white(), 'W'}, {Pictures::gray(), 'A'},   {Pictures::whiteo(), 'o'}};
    for (const auto& [known, letter] : letters) {
        if (known == picture) {
            return letter;
        }
    }
    return '?';
}

// The top row of the field, every tile on the surface drawn (newest on top).
std::string topRow(const Window1& board) {
    std::string row(9, '.');
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        if (sprite->Y() == 0) {
            row[sprite->X() / 32] = letterOf(sprite->Image());
        }
    }
    return row;
}

std::string pictures(const std::vector<PictureRef>& list) {
    std::string letters;
    for (const PictureRef& picture : list) {
        letters += letterOf(picture);
    }
    return letters;
}

class TopRow : public ::testing::Test {
  protected:
    void SetUp() override {
        Window1::registerClass();
        SetRandom(&inOrder_);
        recorded().Clear();
    }
    void TearDown() override {
        SetRandom(nullptr);
        CloseAllWindows();
    }

    InOrder inOrder_;
};

}  // namespace

TEST_F(TopRow, tileReleasedByAMixOntoAnotherColourMixesOnceAndDoesNotLand) {
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
    EXPECT_EQ(topRow(board), "...RW....");
    EXPECT_EQ(board.cnt, 2);
    EXPECT_EQ(pictures(board.cTest), "oooGWoooo");

    board.Timer1_Action();  // yellow, and no column is left
    EXPECT_EQ(topRow(board), "...YW....");
    EXPECT_EQ(pictures(board.cTest), "oooYWoooo");
    EXPECT_EQ(board.SpriteSurface1->SpriteCount(), 2);  // no red left behind
    EXPECT_EQ(board.cnt, 2);
    EXPECT_EQ(board.counter, 1);
    EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 1")});
}

TEST_F(TopRow, tileOnTheTopLineStillLandsOnEmptyWhiteAndItsOwnColour) {
    // The same frame that mixes a tile onto another colour lands it elsewhere
    // as before: on an empty cell, a white, or its own colour (which it leaves).
    struct Case {
        const char* name;
        PictureRef resting;  // nullptr: the cell is empty
        int restingCode;
        const char* row;  // the top row after the landing
        int period;
    };
    const Case cases[] = {
        {"empty", nullptr, 0, "....R....", 125},
        {"white", Pictures::white(), 0, "....R....", 125},
        {"own colour", Pictures::red(), 7, "....R....", 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window1& board = Window1::instance();
        board.kap3 = 0;
        board.aTest = {128};
        board.nTest = {6, 1, 2, 3, 4, 5};  // red
        if (c.resting) {
            board.SpriteSurface1->NewSprite(c.resting, 128, 0)->SetGroup(c.restingCode);
            board.cTest[4] = c.resting;
        }
        board.PushButton1->Push();
        const SpriteRef first = board.mysprite[board.kap];
        board.Timer1_Action();
        EXPECT_NE(board.mysprite[board.kap], first) << "the landing releases the next tile";
        EXPECT_EQ(board.cnt, 2);
        EXPECT_EQ(topRow(board), c.row);
        EXPECT_EQ(board.Timer1->Period(), c.period);
        CloseAllWindows();
    }
}
