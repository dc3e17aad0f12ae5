// SPDX-License-Identifier: MIT
// Releasing and steering tiles, the time penalty, the hints and the score's colour.
#include <QAbstractButton>
#include <set>

#include "framework/Keyboard.h"
#include "support/Board.h"

namespace {

void chooseExpert(Window1& board) {
    static_cast<QAbstractButton*>(board.RadioButton2->widget())->click();
}

TEST_F(BoardTest, everyColumnAndEveryColourCanComeFirstAndTheListsStayWhole) {
    std::set<std::string> firsts;
    for (std::uint32_t seed = 0; seed < 120; ++seed) {
        SeededRandom seeded(seed);
        setRandom(&seeded);
        Window1& b = freshBoard();
        b.PushButton1->Push();
        const SpriteRef& tile = b.mysprite.at(b.kap);
        const Tile expected = tileOf("?BGMCYR"[b.kap]);
        ASSERT_EQ(std::tuple(tile->Image(), b.colorit, tile->X(), tile->Y(), b.aTest[0]),
                  std::tuple(expected.picture, int(expected.code), 32 * b.kap2, 0, 32 * b.kap2));
        ASSERT_EQ(std::set<int>(b.aTest.begin(), b.aTest.end()),
                  (std::set<int>{0, 32, 64, 96, 128, 160, 192, 224, 256}));
        ASSERT_EQ(std::set<int>(b.nTest.begin(), b.nTest.end()), (std::set<int>{1, 2, 3, 4, 5, 6}));
        firsts.insert({"column " + std::to_string(b.kap2), "colour " + std::to_string(b.kap)});
    }
    setRandom(&plan);
    EXPECT_EQ(firsts.size(), 9u + 6u);
}

TEST_F(BoardTest, aReleaseWithNoRoomOrAfterTheEndEndsTheGameWithTheScore) {
    // No column open; the line above the top; the game already over.
    for (const auto& [columns, line, live] : {std::tuple{std::vector<int>{}, 448, true},
                                              {std::vector<int>{0}, -32, true},
                                              {std::vector<int>{0}, 448, false}}) {
        recorded().clear();
        Window1& b = freshBoard();
        b.PushButton1->Push();
        std::tie(b.counter, b.aTest, b.kap3, b.cktru) = std::tuple(7, columns, line, live);
        b.PushButton2->Push();
        b.PushButton2->Push();  // disabled now: nothing more is asked for
        EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 7")});
        EXPECT_EQ(std::tuple(b.cktru, b.cnt, b.SpriteSurface1->spriteCount(), b.Timer1->Mode()),
                  std::tuple(false, 1, 1, int(Timer::Off)));
    }
}

TEST_F(BoardTest, beginnerHintsNameTheColoursTheFallingTileMixesWithAndExpertGivesNone) {
    // Text and colour of the three lines; an empty line keeps its old colour.
    const std::pair<char, const char*> table[] = {
        {'B', "Green#00bb00 Red#bb0000 Yellow#bbbb00"},
        {'G', "Blue#0000bb Red#bb0000 Magenta#bb00bb"},
        {'M', "#123456 Green#00bb00 #123456"},
        {'C', "#123456 Red#bb0000 #123456"},
        {'Y', "#123456 Blue#0000bb #123456"},
        {'R', "Green#00bb00 Blue#0000bb Cyan#00bbbb"},
        {'b', "old#123456 old#123456 old#123456"},  // blue in Expert
    };
    for (const auto& [colour, expected] : table) {
        Window1& b = freshBoard();
        if (colour == 'b') {
            chooseExpert(b);
        }
        for (StaticText* line : {b.StaticText16, b.StaticText17, b.StaticText18}) {
            line->setText(QStringLiteral("old"));
            line->setTextColor(QColor(0x12, 0x34, 0x56));
        }
        plan.Then(4, char(std::toupper(colour)));
        b.PushButton1->Push();
        QStringList seen;
        for (StaticText* line : {b.StaticText16, b.StaticText17, b.StaticText18}) {
            seen << line->Text() + line->TextColor().name();
        }
        EXPECT_EQ(seen.join(' ').toStdString(), expected) << colour;
    }
}

TEST_F(BoardTest, theScoreTakesItsColourFromTheScoreAfterEveryFrame) {
    const std::pair<int, QRgb> table[] = {
        {0, 0x000000},  {10, 0x000000},  {11, 0xBB0000},  {25, 0xBB0000},   {26, 0xBBBB00},
        {45, 0xBBBB00}, {46, 0x00BB00},  {65, 0x00BB00},  {66, 0x00BBBB},   {75, 0x00BBBB},
        {76, 0x0000BB}, {100, 0x0000BB}, {101, 0xBB00BB}, {5000, 0xBB00BB},
    };
    Window1& b = board();
    for (const auto& [score, rgb] : table) {
        b.counter = score;
        b.Timer1_Action();
        EXPECT_EQ(b.StaticText1->TextColor(), QColor::fromRgb(rgb)) << "score " << score;
    }
    // A point scored in the frame already counts.
    Window1& playing = freshBoard();
    playing.counter = 10;
    placeTiles(playing, {"....R...."});
    plan.Then(4, 'C');
    playing.PushButton1->Push();
    ASSERT_NE(runUntilNextRelease(playing), -1);
    EXPECT_EQ(playing.StaticText1->TextColor(), QColor::fromRgb(0xBB0000));
}

// From column `column` with the line at `line`: L/R press an arrow, l/r
// release it, p is a Timer4 poll, f a Timer1 frame; `frames` the tile's
// column@Y after each frame, "+" once it has landed.
struct Steer {
    int column;
    int line;
    const char* script;
    const char* frames;
};

TEST_F(BoardTest, steeringTakesOneColumnPerPressAndTheTileLandsOnTheLine) {
    const Steer table[] = {
        {0, 448, "L f", "0@16"},  // the edges hold the tile
        {0, 448, "L R f", "1@16"},
        {8, 448, "R f", "8@16"},
        {8, 448, "R L f", "7@16"},
        {1, 448, "L f", "0@16"},
        {7, 448, "R f", "8@16"},
        {4, 448, "f L l f p f", "4@16 3@32 3@48"},  // a tap between frames
        {4, 448, "R p r p f f", "5@16 5@32"},       // a tap seen up by the poll
        {4, 448, "L f p f p f", "3@16 3@32 3@48"},  // held: one step
        {4, 448, "R f p f p f", "5@16 5@32 5@48"},
        {4, 448, "L f l p L f", "3@16 2@32"},  // up at a poll re-arms
        {4, 448, "R f r p R f", "5@16 6@32"},
        {4, 448, "L f p l L p f", "3@16 3@32"},  // up and down between two polls
        {4, 448, "R f p r R p f", "5@16 5@32"},
        {4, 448, "L R f p f p f", "3@16 4@32 4@48"},
        {4, 32, "f f L f", "4@16 4@32 +"},  // on the line: no drop, no step, it lands
        {4, 0, "L f", "+"},
    };
    for (const Steer& s : table) {
        SCOPED_TRACE(s.script);
        keys.release(KeyCode::LeftArrow);
        keys.release(KeyCode::RightArrow);
        Window1& b = freshBoard();
        b.kap3 = s.line;
        plan.Then(s.column, 'R');
        b.PushButton1->Push();
        const SpriteRef tile = b.mysprite[b.kap];
        std::string seen;
        for (const char step : std::string(s.script)) {
            const int arrow = std::toupper(step) == 'L' ? KeyCode::LeftArrow : KeyCode::RightArrow;
            if (step == 'L' || step == 'R') {
                keys.press(arrow);
            } else if (step == 'l' || step == 'r') {
                keys.release(arrow);
            } else if (step == 'p') {
                b.Timer4_Action();
            } else if (step == 'f') {
                b.Timer1_Action();
                // Appended piece by piece: GCC 12 at -O3 warns on " " + std::string.
                seen.append(" ").append(
                    b.cnt == 2 ? "+" : std::to_string(b.kap2) + "@" + std::to_string(tile->Y()));
            }
        }
        EXPECT_EQ(seen.substr(1), s.frames);
        EXPECT_EQ(brokenInvariant(b), "");
    }
}

TEST_F(BoardTest, aColourCoveringItselfVanishesAndQuickensThePaceDownTo50) {
    // Difficulty, the period before and after each red landing on red.
    for (const auto& [expert, periods] :
         {std::pair{false, "60 55 50 50"}, {true, "80 70 60 50 50"}, {true, "55 45 45"}}) {
        Window1& b = freshBoard();
        if (expert) {
            chooseExpert(b);
        }
        b.Timer1->setPeriod(std::atoi(periods));
        placeTiles(b, {"....R...."});
        plan.Then(4, 'R');
        b.PushButton1->Push();
        std::string seen = std::to_string(b.Timer1->Period());
        while (seen.size() < std::string(periods).size()) {
            const SpriteRef falling = b.mysprite[b.kap];
            ASSERT_EQ(runUntilNextRelease(b), 29);
            EXPECT_TRUE(falling->closed());
            EXPECT_EQ(b.SpriteSurface1->spriteCount(), 2);  // the resting red and the next tile
            seen.append(" ").append(std::to_string(b.Timer1->Period()));
        }
        EXPECT_EQ(seen, periods);
    }
}

}  // namespace
