// Where the falling tile meets the resting tiles: landing, mixing, the rise
// of the active bottom line, the end of the game, and whole games.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "BoardSupport.h"
#include "app/App.h"
#include "framework/Text.h"
#include "support/Autoplay.h"

namespace {

TEST_F(BoardTest, aTileLandingOnEachKindOfTileMixesStaysOrVanishes) {
    // One board per column, its bottom cell holding one of these, and the
    // falling tile released into that column.
    const std::string resting = "BGMCYRWA.";
    // The bottom two rows after the landing. Where the tile that fell stays
    // it shows in lower case; a gray raises a new tile of its colour a row.
    const struct {
        char falling;
        const char* after;
    } table[] = {
        {'B',
         "..BB.....\n"
         "BCAAWMbbb\n"},
        {'G',
         "...GG....\n"
         "CGWAAYggg\n"},
        {'M',
         "M..MMM...\n"
         "AWMAAAmmm\n"},
        {'C',
         "CCC.C....\n"
         "AAACAWccc\n"},
        {'Y',
         ".YYY.Y...\n"
         "WAAAYAyyy\n"},
        {'R',
         "..R.R....\n"
         "MYAWARrrr\n"},
    };
    for (const auto& [falling, after] : table) {
        std::string seen = ".........\n.........\n";
        for (int column = 0; column < 9; ++column) {
            SCOPED_TRACE(std::string(1, falling) + " onto " + resting[column]);
            Window1& b = freshBoard();
            PlaceTiles(b, {std::string(8, '.').insert(column, 1, resting[column])});
            plan.Then(column, falling);
            b.PushButton1->Push();
            const SpriteRef tile = b.mysprite[b.kap];
            ASSERT_NE(RunUntilNextRelease(b), -1);
            const std::string rows = Field(b, 13, 2, tile);
            seen[column] = rows[column];
            seen[10 + column] = rows[10 + column];
            EXPECT_EQ(BrokenInvariant(b), "");
            // Exactly one release, and the pace runs again; quicker only
            // where a colour covered itself.
            EXPECT_EQ(b.cnt, 2);
            EXPECT_EQ(b.Timer1->Mode(), Timer::Multiple);
            EXPECT_EQ(b.Timer1->Period(), resting[column] == falling ? 120 : 125);
        }
        EXPECT_EQ(seen, after) << falling << " falling";
    }
}

// Rows 2 to 14 full of grays, so that the line at 0 or 32 is where play has got to.
std::vector<std::string> withGraysBelow(std::vector<std::string> top) {
    while (top.size() < 15) {
        top.push_back("AAAAAAAAA");
    }
    return top;
}

std::vector<int> sorted(std::vector<int> list) {
    std::sort(list.begin(), list.end());
    return list;
}

TEST_F(BoardTest, anIncompatiblePairJustBelowTheTopRaisesIntoTheTopRowAndClosesTheColumn) {
    Window1& b = board();
    b.kap3 = 32;
    PlaceTiles(b, withGraysBelow({".........", "....R...."}));
    plan.Then(4, 'M').Then(0, 'G');
    b.PushButton1->Push();
    ASSERT_EQ(RunUntilNextRelease(b), 1);
    EXPECT_EQ(Field(b, 0, 2, FallingTile(b)),
              "g...M....\n"
              "....A....\n");
    EXPECT_EQ(b.kap3, 0);
    EXPECT_EQ(sorted(b.aTest), (std::vector<int>{0, 32, 64, 96, 160, 192, 224, 256}));
    EXPECT_EQ(BrokenInvariant(b), "");

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

    EXPECT_EQ(Field(b, 0, 1), "G...A....\n");
    EXPECT_EQ(b.mysprite2, b.SpriteSurface1->Sprites().back());
    EXPECT_EQ(b.kap3, 0);
    EXPECT_EQ(b.cnt, 2);  // the release after the gray ended the game instead
    EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 5")});
    EXPECT_EQ(b.Timer1->Mode(), Timer::Off);
}

TEST_F(BoardTest, inTheTopRowAMixClosesItsColumnAndATileItReleasesOntoAColourMixesOnce) {
    Window1& b = board();
    b.kap3 = 0;
    PlaceTiles(b, withGraysBelow({"....R..Y."}));
    // G lands in an empty cell, and the C released then meets the red in the
    // same frame. The white releases B onto the yellow: it must mix there in
    // the next frame, once, and not also land.
    plan.Then(0, 'G').Then(4, 'C').Then(7, 'B').Then(2, 'G');
    b.PushButton1->Push();
    b.Timer1_Action();
    EXPECT_EQ(Field(b, 0, 1, FallingTile(b)), "G...W..b.\n");
    EXPECT_EQ(b.cnt, 3);

    b.Timer1_Action();
    EXPECT_EQ(Field(b, 0, 1, FallingTile(b)), "G.g.W..W.\n");
    EXPECT_EQ(b.cnt, 4);
    EXPECT_EQ(sorted(b.aTest), (std::vector<int>{0, 32, 64, 96, 160, 192, 256}));
    EXPECT_EQ(BrokenInvariant(b), "");
}

long fromEnvironment(const char* name, long fallback) {
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

// What must hold once a game has ended.
std::string brokenEnding(Window1& board) {
    if (board.Timer1->Mode() != Timer::Off) {
        return "the game has not ended";
    }
    const QString expected = QStringLiteral("Game Over. Your Score: ") + Str(board.counter);
    if (recorded().messages != QStringList{expected}) {
        return "the game ended with the messages \"" +
               recorded().messages.join(QStringLiteral("\", \"")).toStdString() + "\"";
    }
    if (board.cktru || board.Timer4->Mode() != Timer::Off || board.PushButton2->Enabled() ||
        !board.SpriteSurface1->Closed()) {
        return "the board is not frozen after game over";
    }
    const std::string before = Field(board);
    board.Timer1_Action();
    if (Field(board) != before || recorded().messages.size() != 1) {
        return "a tick after game over changed the board";
    }
    return {};
}

// Seeded games through the real handlers, with random steering and
// difficulty, the board checked after every frame. The unit tier plays a
// few; the soak (ctest -L slow) plays 10,000.
//   HUEMIX_SOAK_GAMES  how many games
//   HUEMIX_SOAK_SEED   seed of the first game; game g uses seed + g, so a
//                      failing game replays alone with HUEMIX_SOAK_GAMES=1
TEST(WholeGames, everyFrameOfSeededGamesKeepsTheBoardConsistentToTheEnd) {
    App::RegisterWindows();  // New Game reaches the score board
    CloseAllWindows();
    const long games = fromEnvironment("HUEMIX_SOAK_GAMES", 200);
    const long firstSeed = fromEnvironment("HUEMIX_SOAK_SEED", 1);
    long frames = 0;
    long experts = 0;
    const auto started = std::chrono::steady_clock::now();
    Window1* board = &Window1::instance();
    for (long game = 0; game < games; ++game) {
        const auto seed = static_cast<std::uint32_t>(firstSeed + game);
        SeededRandom chance(seed);
        SetRandom(&chance);
        RandomArrows keys(seed);
        recorded().Clear();
        const bool expert = keys.Below(2) == 1;
        if (expert) {
            board->RadioButton2->SetValue(true);
        }
        board->PushButton1->Push();

        std::string broken;
        frames += PlayToEnd(
            *board, keys,
            [&] {
                broken = BrokenInvariant(*board);
                return broken.empty();
            },
            200000);
        if (broken.empty()) {
            broken = brokenEnding(*board);
        }
        SetRandom(nullptr);
        if (!broken.empty()) {
            ADD_FAILURE() << "game " << game << " (HUEMIX_SOAK_SEED=" << seed << ", "
                          << (expert ? "Expert" : "Beginner") << "): " << broken;
            break;
        }
        experts += expert ? 1 : 0;
        board->PushButton4->Push();  // New Game
        board = &Window1::instance();
        SettleEvents();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %ld games (%ld Expert), %ld frames in %.1f s: %.0f games/s, %.0f frames/s\n",
                games, experts, frames, seconds, static_cast<double>(games) / seconds,
                static_cast<double>(frames) / seconds);
    CloseAllWindows();
}

}  // namespace
