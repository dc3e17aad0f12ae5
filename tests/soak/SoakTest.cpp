// Many seeded games through the board's real handlers, with random steering
// and difficulty, checking the board after every frame.
//
//   HUEMIX_SOAK_GAMES  how many games (default below)
//   HUEMIX_SOAK_SEED   seed of the first game; game g uses seed + g, so a
//                      failing game replays alone with HUEMIX_SOAK_GAMES=1
//   HUEMIX_SOAK_TRACE  set to 1 to print the field after every frame
#include <gtest/gtest.h>

#include <QByteArray>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "BoardSupport.h"
#include "app/App.h"
#include "app/SharedPictures.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "framework/Text.h"
#include "support/Autoplay.h"
#include "support/Fakes.h"

namespace {

constexpr int DefaultGames = 10000;
// Far more than any game needs: a game that gets here does not end.
constexpr long FrameLimit = 200000;

long fromEnvironment(const char* name, long fallback) {
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

// The field as the player sees it: the newest tile of each cell, the falling
// one in lower case, "<" at the active bottom line; then cTest.
std::string drawn(const Window1& board, const SpriteRef& falling) {
    std::array<std::string, 15> rows;
    rows.fill(std::string(9, '.'));
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const int column = sprite->X() / 32;
        const int row = sprite->Y() / 32;
        if (column >= 0 && column < 9 && row >= 0 && row < 15) {
            const char letter = LetterOf(sprite->Image());
            rows[row][column] = sprite == falling ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
    }
    std::string picture;
    for (int row = 0; row < 15; ++row) {
        picture += rows[row] + (row * 32 == board.kap3 ? " <\n" : "\n");
    }
    picture += "cTest ";
    for (const PictureRef& top : board.cTest) {
        picture += LetterOf(top);
    }
    return picture + "\n";
}

// The sprite in the falling-tile slot: the tile in play, or the last one.
SpriteRef slotTile(const Window1& board) {
    return board.kap >= 0 && board.kap < static_cast<int>(board.mysprite.size())
               ? board.mysprite[board.kap]
               : nullptr;
}

// The tile in play, while the game runs.
SpriteRef fallingTile(const Window1& board) {
    return board.Timer1->Mode() == Timer::Off ? nullptr : slotTile(board);
}

// The first invariant the board breaks, or an empty text.
std::string brokenInvariant(const Window1& board, const SpriteRef& falling, int releases) {
    if (falling) {
        if (falling->Closed()) {
            return "the falling tile is gone while Timer1 runs";
        }
        if (falling->Y() > board.kap3 || falling->X() != board.kap2 * 32) {
            return "the falling tile is below the line or not in column kap2";
        }
    }
    int whites = 0;
    std::array<SpriteRef, 9> onLine{};
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        if (sprite->Image() == Pictures::white()) {
            ++whites;
        }
        if (sprite == falling) {
            continue;
        }
        const int x = sprite->X();
        const int y = sprite->Y();
        if (y < board.kap3) {
            return "a resting tile at " + std::to_string(x) + "," + std::to_string(y) +
                   " is above the line";
        }
        if (x % 32 != 0 || y % 32 != 0 || x < 0 || x > 256 || y > 448) {
            return "a resting tile at " + std::to_string(x) + "," + std::to_string(y) +
                   " is off the grid";
        }
        if (y == board.kap3) {
            onLine[x / 32] = sprite;  // oldest first, so the newest, the top, wins
        }
    }
    if (board.cTest.size() != 9) {
        return "cTest has " + std::to_string(board.cTest.size()) + " elements";
    }
    // A gray in the top row ends the game without touching cTest, which nothing
    // reads after the end: its cell keeps the picture of the tile it replaced.
    const bool endedByGray = !board.cktru && board.mysprite2 &&
                             board.mysprite2->Image() == Pictures::gray() &&
                             board.mysprite2->Y() == 0;
    for (std::size_t column = 0; column < 9; ++column) {
        if (endedByGray && onLine[column] == board.mysprite2) {
            continue;
        }
        const PictureRef expected = onLine[column] ? onLine[column]->Image() : Pictures::whiteo();
        if (board.cTest[column] != expected) {
            return "cTest(" + std::to_string(column) + ") is " + LetterOf(board.cTest[column]) +
                   " but the line holds " + LetterOf(expected);
        }
    }
    if (board.counter != whites) {
        return "the score is " + std::to_string(board.counter) + " with " + std::to_string(whites) +
               " whites made";
    }
    if (board.StaticText1->Text() != (board.counter > 0 ? Str(board.counter) : QString())) {
        return "the score shows \"" + board.StaticText1->Text().toStdString() + "\"";
    }
    if (board.cnt != releases) {
        return "cnt is " + std::to_string(board.cnt) + " after " + std::to_string(releases) +
               " releases";
    }
    return {};
}

// What must hold once the game-over message has been shown.
std::string brokenEnding(Window1& board) {
    const QString expected = QStringLiteral("Game Over. Your Score: ") + Str(board.counter);
    if (recorded().messages != QStringList{expected}) {
        return "the game ended with the messages \"" +
               recorded().messages.join(QStringLiteral("\", \"")).toStdString() + "\"";
    }
    if (board.cktru || board.Timer4->Mode() != Timer::Off || board.PushButton2->Enabled() ||
        !board.SpriteSurface1->Closed()) {
        return "the board is not frozen after game over";
    }
    // A stray tick after the end moves nothing.
    std::vector<std::pair<int, int>> before;
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        before.emplace_back(sprite->X(), sprite->Y());
    }
    board.Timer1_Action();
    std::vector<std::pair<int, int>> after;
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        after.emplace_back(sprite->X(), sprite->Y());
    }
    if (after != before || recorded().messages.size() != 1) {
        return "a tick after game over changed the board";
    }
    return {};
}

// The offscreen platform says so on every window shown: once per game.
QtMessageHandler otherMessages = nullptr;
void withoutRaiseWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (message.contains(QStringLiteral("does not support raise()"))) {
        return;
    }
    if (otherMessages) {
        otherMessages(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

struct Totals {
    long games = 0;
    long expert = 0;
    long frames = 0;
    long tiles = 0;
    long whites = 0;
};

}  // namespace

TEST(Soak, everyFrameOfManySeededGamesKeepsTheBoardConsistent) {
    // Every window of the game, since New Game reaches the score board.
    App::RegisterWindows();
    otherMessages = qInstallMessageHandler(withoutRaiseWarnings);
    const long games = fromEnvironment("HUEMIX_SOAK_GAMES", DefaultGames);
    const auto firstSeed = static_cast<std::uint32_t>(fromEnvironment("HUEMIX_SOAK_SEED", 1));
    const bool trace = fromEnvironment("HUEMIX_SOAK_TRACE", 0) != 0;
    Totals totals;
    const auto started = std::chrono::steady_clock::now();

    Window1* board = &Window1::instance();
    for (long game = 0; game < games; ++game) {
        const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(game);
        SeededRandom chance(seed);
        SetRandom(&chance);
        RandomArrows keys(seed);
        recorded().Clear();

        const bool expert = keys.Below(2) == 1;
        if (expert) {
            board->RadioButton2->SetValue(true);
        }
        // Counted apart from cnt: a release is a push that puts a new tile in play.
        int releases = 0;
        board->PushButton2->Action = [board, release = board->PushButton2->Action, &releases] {
            const SpriteRef before = slotTile(*board);
            release();
            const SpriteRef after = slotTile(*board);
            if (after && after != before) {
                ++releases;
            }
        };
        board->PushButton1->Push();

        std::string broken;
        const long frames = PlayToEnd(
            *board, keys,
            [&] {
                if (trace) {
                    std::printf("cnt %d, counter %d, period %d\n%s\n", board->cnt, board->counter,
                                board->Timer1->Period(),
                                drawn(*board, fallingTile(*board)).c_str());
                }
                broken = brokenInvariant(*board, fallingTile(*board), releases);
                return broken.empty();
            },
            FrameLimit);
        if (broken.empty() && board->Timer1->Mode() != Timer::Off) {
            broken = "the game has not ended after " + std::to_string(frames) + " frames";
        }
        if (broken.empty()) {
            broken = brokenEnding(*board);
        }
        if (!broken.empty()) {
            ADD_FAILURE() << "game " << game << " (HUEMIX_SOAK_SEED=" << seed << ", "
                          << (expert ? "Expert" : "Beginner") << "), frame " << frames << ": "
                          << broken << "\n"
                          << drawn(*board, fallingTile(*board));
            break;
        }

        ++totals.games;
        totals.expert += expert;
        totals.frames += frames;
        totals.tiles += board->cnt;
        totals.whites += board->counter;

        board->PushButton4->Push();  // New Game
        board = &Window1::instance();
        SettleEvents();
    }
    SetRandom(nullptr);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "soak: %ld games (%ld Expert), %ld frames, %ld tiles, %ld whites in %.1f s: "
        "%.0f games/s, %.0f frames/s\n",
        totals.games, totals.expert, totals.frames, totals.tiles, totals.whites, seconds,
        static_cast<double>(totals.games) / seconds, static_cast<double>(totals.frames) / seconds);
    EXPECT_EQ(totals.games, games);
    CloseAllWindows();
    qInstallMessageHandler(otherMessages);
}
