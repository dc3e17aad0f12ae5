// Where the falling tile meets the resting tiles: landing, mixing, the rise
// of the active bottom line, and the end of the game.
#include <QAbstractButton>
#include <algorithm>
#include <random>

#include "BoardSupport.h"
#include "app/SharedPictures.h"
#include "framework/Keyboard.h"
#include "framework/Text.h"

namespace {

// The open tile drawn on top in a cell, or nullptr.
SpriteRef topTileAt(const Window1& board, int x, int y, const SpriteRef& except = nullptr) {
    SpriteRef top;
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        if (sprite != except && sprite->X() == x && sprite->Y() == y) {
            top = sprite;
        }
    }
    return top;
}

// Outcomes of a falling tile meeting a resting one: '=' the falling tile
// vanishes on its own colour, 's' it stays on top, else the letter the cell
// turns into (A: gray, and the falling tile is raised a row).
constexpr const char* Resting = "BGMCYRWA.";
struct LandingRow {
    char falling;
    const char* outcomes;  // one per resting kind above
};
constexpr LandingRow LandingTable[] = {
    {'B', "=CAAWMsss"}, {'G', "C=WAAYsss"}, {'M', "AW=AAAsss"},
    {'C', "AAA=AWsss"}, {'Y', "WAAA=Asss"}, {'R', "MYAWA=sss"},
};

struct Landing {
    char falling;
    char resting;
    char outcome;
};

std::vector<Landing> allLandings() {
    std::vector<Landing> all;
    for (const LandingRow& row : LandingTable) {
        for (int i = 0; Resting[i] != '\0'; ++i) {
            all.push_back({row.falling, Resting[i], row.outcomes[i]});
        }
    }
    return all;
}

class LandingRule : public BoardTest, public ::testing::WithParamInterface<Landing> {};

TEST_P(LandingRule, mixesOrLandsInTheRestingCellAndReleasesOnce) {
    const Landing& l = GetParam();
    Window1& b = board();
    PlaceTiles(b, {std::string("....") + l.resting + "...."});
    plan.Then(4, l.falling);
    b.PushButton1->Push();
    const SpriteRef falling = b.mysprite[b.kap];
    ASSERT_NE(RunUntilNextRelease(b), -1);

    // Exactly one release after the first, and the pace runs again.
    EXPECT_EQ(b.cnt, 2);
    EXPECT_NE(b.mysprite[b.kap], falling);
    EXPECT_EQ(b.Timer1->Mode(), Timer::Multiple);
    EXPECT_TRUE(b.cktru);

    // The two bottom rows, the line letters and the cell's code as they must be.
    const char f = l.falling;
    const char o = l.outcome;
    const char shown = o == '=' ? l.resting : o == 's' ? f : o;
    const std::string above = o == 'A' ? std::string("....") + f + "...." : ".........";
    EXPECT_EQ(Bottom(b, 2), above + "\n...." + shown + "....\n");
    EXPECT_EQ(LineLetters(b), std::string("oooo") + (o == 'A' ? f : shown) + "oooo");
    EXPECT_EQ(b.kap3, o == 'A' ? 416 : 448);
    const SpriteRef cell = topTileAt(b, 128, 448);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Group(), CodeOf(shown));
    EXPECT_EQ(falling->Closed(), o != 's');
    if (o == 'A') {
        // The falling tile, named first, is raised onto the new line.
        const SpriteRef raised = topTileAt(b, 128, 416);
        ASSERT_NE(raised, nullptr);
        EXPECT_EQ(raised->Group(), CodeOf(f));
    }
    if (o != '=' && o != 's') {
        EXPECT_EQ(b.mysprite2, cell);
    }
    EXPECT_EQ(b.counter, o == 'W' ? 1 : 0);
    EXPECT_EQ(b.StaticText1->Text(), o == 'W' ? QStringLiteral("1") : QString());
    EXPECT_EQ(b.Timer1->Period(), o == '=' ? 120 : 125);
}

INSTANTIATE_TEST_SUITE_P(Board, LandingRule, ::testing::ValuesIn(allLandings()),
                         [](const ::testing::TestParamInfo<Landing>& row) {
                             const char resting =
                                 row.param.resting == '.' ? 'E' : row.param.resting;
                             return std::string(1, row.param.falling) + "onto" + resting;
                         });

// Rows 2 to 14 full of grays, so that the line at 0 or 32 is where play has got to.
std::vector<std::string> withGraysBelow(std::vector<std::string> top) {
    while (top.size() < 15) {
        top.push_back("AAAAAAAAA");
    }
    return top;
}

TEST_F(BoardTest, anIncompatiblePairJustBelowTheTopRaisesIntoTheTopRowAndClosesTheColumn) {
    Window1& b = board();
    b.kap3 = 32;
    PlaceTiles(b, withGraysBelow({".........", "....R...."}));
    plan.Then(4, 'M').Then(0, 'G');
    b.PushButton1->Push();
    ASSERT_EQ(RunUntilNextRelease(b), 1);
    EXPECT_EQ(Lines({FieldRows(b)[0], FieldRows(b)[1]}),
              "G...M....\n"
              "....A....\n");
    EXPECT_EQ(b.kap3, 0);
    std::vector<int> open = b.aTest;
    std::sort(open.begin(), open.end());
    EXPECT_EQ(open, (std::vector<int>{0, 32, 64, 96, 160, 192, 224, 256}));
    EXPECT_EQ(LineLetters(b), "ooooMoooo");
    EXPECT_TRUE(b.cktru);
    EXPECT_EQ(b.cnt, 2);

    // Play goes on: the next tile is on the line and lands in its first frame.
    ASSERT_EQ(RunUntilNextRelease(b), 1);
    EXPECT_EQ(LineLetters(b), "GoooMoooo");
}

TEST_F(BoardTest, anIncompatiblePairInTheTopRowEndsTheGameWithTheScore) {
    Window1& b = board();
    b.kap3 = 0;
    b.counter = 5;
    PlaceTiles(b, withGraysBelow({"....R...."}));
    // The first tile rests in an empty cell; the one released then meets the red.
    plan.Then(0, 'G').Then(4, 'M');
    b.PushButton1->Push();
    b.Timer1_Action();

    EXPECT_EQ(FieldRows(b)[0], "G...A....");
    EXPECT_EQ(b.mysprite2, topTileAt(b, 128, 0));
    EXPECT_FALSE(b.cktru);
    EXPECT_EQ(b.kap3, 0);
    EXPECT_EQ(b.cnt, 2);  // the release after the gray ended the game instead
    EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 5")});
    EXPECT_EQ(b.Timer1->Mode(), Timer::Off);
    EXPECT_EQ(b.Timer4->Mode(), Timer::Off);
    EXPECT_FALSE(b.PushButton2->Enabled());
    EXPECT_TRUE(b.SpriteSurface1->Closed());
}

TEST_F(BoardTest, aCompatiblePairInTheTopRowClosesTheColumnAndPlayGoesOn) {
    Window1& b = board();
    b.kap3 = 0;
    PlaceTiles(b, withGraysBelow({"....R...."}));
    plan.Then(0, 'G').Then(4, 'C').Then(8, 'B');
    b.PushButton1->Push();
    b.Timer1_Action();

    EXPECT_EQ(FieldRows(b)[0], "G...W...B");
    EXPECT_EQ(b.counter, 1);
    EXPECT_EQ(b.aTest.size(), 8u);
    EXPECT_EQ(std::count(b.aTest.begin(), b.aTest.end(), 128), 0);
    EXPECT_TRUE(b.cktru);
    EXPECT_EQ(b.cnt, 3);
    EXPECT_EQ(b.Timer1->Mode(), Timer::Multiple);
    EXPECT_EQ(LineLetters(b), "GoooWoooo");
}

// What must hold between frames while the game runs: resting tiles in cells
// on or below the line, cTest naming the top tile on the line, every white
// still there and counted. `except` is a column whose cTest may lag (the
// game-over gray).
void expectConsistent(const Window1& b, int except = -1) {
    // While the game runs the tile in the falling slot has not landed yet.
    const SpriteRef falling =
        b.cktru && b.kap < static_cast<int>(b.mysprite.size()) ? b.mysprite[b.kap] : nullptr;
    int whites = 0;
    for (const SpriteRef& sprite : b.SpriteSurface1->Sprites()) {
        whites += sprite->Image() == Pictures::white() ? 1 : 0;
        if (sprite == falling) {
            ASSERT_EQ(sprite->X(), 32 * b.kap2);
            ASSERT_LE(sprite->Y(), std::max(b.kap3, 0));
            continue;
        }
        ASSERT_EQ(sprite->X() % 32, 0);
        ASSERT_EQ(sprite->Y() % 32, 0) << Lines(FieldRows(b));
        ASSERT_GE(sprite->Y(), b.kap3) << Lines(FieldRows(b));
        ASSERT_LE(sprite->Y(), 448);
    }
    ASSERT_EQ(whites, b.counter);
    for (int column = 0; column < 9; ++column) {
        if (column == except) {
            continue;
        }
        const SpriteRef top = topTileAt(b, 32 * column, b.kap3, falling);
        ASSERT_EQ(LetterOf(b.cTest[column]), top ? LetterOf(top->Image()) : 'o')
            << "column " << column << "\n"
            << Lines(FieldRows(b)) << LineLetters(b);
    }
}

TEST_F(BoardTest, wholeSeededGamesWithRandomSteeringEndConsistently) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        recorded().Clear();
        SeededRandom chance(seed);
        SetRandom(&chance);
        std::mt19937 player(seed);
        Window1& b = freshBoard();
        if (seed % 3 == 0) {
            static_cast<QAbstractButton*>(b.RadioButton2->Widget())->click();
        }
        b.PushButton1->Push();
        int frames = 0;
        while (b.Timer1->Mode() != Timer::Off && frames < 100000) {
            for (int poll = static_cast<int>(player() % 6); poll > 0; --poll) {
                if (player() % 4 == 0) {
                    keys.Press(player() % 2 ? KeyCode::LeftArrow : KeyCode::RightArrow);
                } else if (player() % 3 == 0) {
                    keys.Release(player() % 2 ? KeyCode::LeftArrow : KeyCode::RightArrow);
                }
                b.Timer4_Action();
            }
            b.Timer1_Action();
            ++frames;
            if (b.cktru) {
                expectConsistent(b);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }

        ASSERT_FALSE(b.cktru) << "no end after " << frames << " frames";
        EXPECT_EQ(recorded().messages,
                  QStringList{QStringLiteral("Game Over. Your Score: ") + Str(b.counter)});
        EXPECT_EQ(b.StaticText1->Text(), b.counter > 0 ? Str(b.counter) : QString());
        // A gray in the top row ends the game without touching cTest.
        const bool grayOnTop = b.mysprite2 && b.mysprite2->Y() == 0 &&
                               b.mysprite2->Image() == Pictures::gray() && !b.mysprite2->Closed();
        expectConsistent(b, grayOnTop ? b.mysprite2->X() / 32 : -1);

        // Frozen: a stray tick moves nothing and tells nothing more.
        const std::vector<std::string> before = FieldRows(b);
        b.Timer1_Action();
        EXPECT_EQ(FieldRows(b), before);
        EXPECT_EQ(recorded().messages.size(), 1);
    }
}

}  // namespace
