// SPDX-License-Identifier: MIT
// Where the falling tile meets the resting tiles: landing, mixing, the rise
// of the active bottom line, the end of the game, and whole games.
#include <chrono>
#include <cstdio>

#include "support/Autoplay.h"
#include "support/Board.h"

namespace {

TEST_F(BoardTest, aTileLandingOnEachKindOfTileMixesStaysOrVanishes) {
    // Column by column, the bottom cell holds one of these before the landing.
    const std::string resting = "BGMCYRWA.";
    // The bottom two rows after: the tile that fell in lower case where it
    // stays, and a gray raises a new tile of the falling colour a row.
    const std::pair<char, const char*> table[] = {
        {'B', "..BB.....\nBCAAWMbbb\n"}, {'G', "...GG....\nCGWAAYggg\n"},
        {'M', "M..MMM...\nAWMAAAmmm\n"}, {'C', "CCC.C....\nAAACAWccc\n"},
        {'Y', ".YYY.Y...\nWAAAYAyyy\n"}, {'R', "..R.R....\nMYAWARrrr\n"},
    };
    for (const auto& [falling, after] : table) {
        std::string seen = ".........\n.........\n";
        for (int column = 0; column < 9; ++column) {
            SCOPED_TRACE(std::string(1, falling) + " onto " + resting[column]);
            Window1& b = freshBoard();
            placeTiles(b, {std::string(8, '.').insert(column, 1, resting[column])});
            Then(column, falling);
            b.PushButton1->Push();
            const SpriteRef tile = b.mysprite[b.kap];
            ASSERT_NE(runUntilNextRelease(b), -1);
            const std::string rows = Field(b, tile).substr(130);
            seen[column] = rows[column];
            seen[10 + column] = rows[10 + column];
            expectFieldRule(b);
            // One release, and the pace runs again, quicker where a colour covered itself.
            EXPECT_EQ(std::tuple(b.cnt, b.Timer1->Mode(), b.Timer1->Period()),
                      std::tuple(2, int(Timer::Multiple), resting[column] == falling ? 120 : 125));
        }
        EXPECT_EQ(seen, after) << falling << " falling";
    }
}

// Play has reached the top rows: `top` above rows of grays, the game started.
Window1& nearTheTop(Window1& b, int line, std::vector<std::string> top) {
    b.kap3 = line;
    top.resize(15, "AAAAAAAAA");
    placeTiles(b, top);
    b.PushButton1->Push();
    return b;
}

TEST_F(BoardTest, inTheTopRowsAGrayClosesTheColumnOrEndsTheGameAndAMixComesOnce) {
    // Just below the top: the gray raises the line into the top row, where
    // the raised tile closes its column.
    Then(4, 'M').Then(0, 'G');
    Window1& b = nearTheTop(freshBoard(), 32, {".........", "....R...."});
    ASSERT_EQ(runUntilNextRelease(b), 1);
    EXPECT_EQ(Field(b, b.mysprite[b.kap]).substr(0, 20), "g...M....\n....A....\n");
    EXPECT_EQ(b.kap3, 0);
    EXPECT_EQ(b.aTest, (std::vector<int>{0, 64, 96, 32, 160, 192, 224, 256}));
    expectFieldRule(b);
    b.ckArray(100);  // not open: nothing changes
    b.ckArray(96);
    EXPECT_EQ(b.aTest, (std::vector<int>{0, 64, 32, 160, 192, 224, 256}));

    // G lands, C released then meets the red in the same frame; the white
    // releases B onto the yellow, which mixes there in the next frame, once.
    Then(0, 'G').Then(4, 'C').Then(7, 'B').Then(2, 'G');
    Window1& c = nearTheTop(freshBoard(), 0, {"....R..Y."});
    c.Timer1_Action();
    EXPECT_EQ(Field(c, c.mysprite[c.kap]).substr(0, 10), "G...W..b.\n");
    c.Timer1_Action();
    EXPECT_EQ(Field(c, c.mysprite[c.kap]).substr(0, 10), "G.g.W..W.\n");
    EXPECT_EQ(c.cnt, 4);
    EXPECT_EQ(c.aTest, (std::vector<int>{64, 96, 0, 160, 192, 32, 256}));
    expectFieldRule(c);

    // A gray in the top row ends the game with the score.
    Then(0, 'G').Then(4, 'M');
    Window1& full = nearTheTop(freshBoard(), 0, {"....R...."});
    full.counter = 5;
    full.Timer1_Action();
    EXPECT_EQ(Field(full).substr(0, 10), "G...A....\n");
    EXPECT_EQ(std::tuple(full.kap3, full.cnt, full.Timer1->Mode()),
              std::tuple(0, 2, int(Timer::Off)));
    EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 5")});
}

// Seeded games through the real handlers, random steering and difficulty, the
// field rule checked after every frame, each ending with its score. Game g of
// HUEMIX_SOAK_GAMES (the unit tier 200, the soak 10,000) uses the seed
// HUEMIX_SOAK_SEED (1) + g, so a failing game replays alone with HUEMIX_SOAK_GAMES=1.
TEST(WholeGames, everyFrameOfSeededGamesKeepsTheFieldRuleToTheEnd) {
    App::registerWindows();  // New Game reaches the score board
    const long games = qEnvironmentVariable("HUEMIX_SOAK_GAMES", "200").toLong();
    const long firstSeed = qEnvironmentVariable("HUEMIX_SOAK_SEED", "1").toLong();
    long frames = 0;
    const auto started = std::chrono::steady_clock::now();
    for (long game = 0; game < games && !::testing::Test::HasFailure(); ++game) {
        Window1& board = Window1::shared();
        const auto seed = static_cast<std::uint32_t>(firstSeed + game);
        SCOPED_TRACE("HUEMIX_SOAK_SEED=" + std::to_string(seed));
        SeededRandom chance(seed);
        setRandom(&chance);
        RandomArrows keys(seed);
        recorded().clear();
        board.RadioButton2->setValue(keys.below(2) == 1);
        board.PushButton1->Push();
        frames += playToEnd(
            board, keys, [&] { return expectFieldRule(board), !::testing::Test::HasFailure(); },
            200000);
        setRandom(nullptr);
        EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: ") +
                                                   QString::number(board.counter)});
        board.PushButton4->Push();  // New Game
        settleEvents();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("whole games: %ld, %ld frames in %.1f s\n", games, frames, seconds);
    closeAllWindows();
}

}  // namespace
