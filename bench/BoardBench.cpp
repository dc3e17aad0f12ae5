// SPDX-License-Identifier: MIT
// The cost of the board's frames and of whole games, headless, through the
// board's real handlers.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "app/App.h"
#include "bench/KeepFalling.h"
#include "board/Pictures.h"
#include "board/Rules.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "headless/Autoplay.h"
#include "headless/Headless.h"

namespace {

constexpr int Line = 320;  // four grays have raised the line from 448

// Resting tiles as a long game leaves them: a coloured top on the line in
// every column, coloured tops of old lines further down (up to one per cell,
// half of what remains), and the rest white and gray tiles of group 0, which
// take part in no collision and pile up covered in the cells on and under the
// line. The falling tile comes on top of these.
void placeRestingTiles(Window1& board, int count) {
    SpriteSurface& surface = *board.SpriteSurface1;
    const int oldTops = std::min(36, (count - 9) / 2);
    const int covered = count - 9 - oldTops;
    for (int i = 0; i < covered; ++i) {
        const int cell = i % 45;  // rows 10 to 14
        surface.NewSprite(Pictures::get(i % 2 ? Pictures::gray : Pictures::white), 32 * (cell % 9),
                          Line + 32 * (cell / 9));
    }
    for (int i = 0; i < oldTops; ++i) {
        const Colour colour = releasedColour(1 + i % 6);
        surface.NewSprite(Pictures::of(colour), 32 * (i % 9), Line + 32 + 32 * (i / 9))
            ->setGroup(groupOf(colour));
    }
    for (int column = 0; column < 9; ++column) {
        const Colour colour = releasedColour(1 + column % 6);
        surface.NewSprite(Pictures::of(colour), 32 * column, Line)->setGroup(groupOf(colour));
        board.cTest[column] = Pictures::of(colour);
    }
    board.kap3 = Line;
}

// One Timer1 tick while the tile falls, with state.range(0) resting tiles.
// The tile goes back to the top before it can reach the tops on the line.
void BM_Tick(benchmark::State& state) {
    SeededRandom chance(7);
    const Override seeded(services().random, &chance);
    Window1& board = Window1::shared();
    placeRestingTiles(board, static_cast<int>(state.range(0)));
    board.PushButton1->Push();
    for (auto _ : state) {
        keepFalling(board, Line - 64);
        board.Timer1_Action();
    }
    state.counters["sprites"] = static_cast<double>(board.SpriteSurface1->sprites().size());
    closeAllWindows();
}
BENCHMARK(BM_Tick)->Arg(20)->Arg(2000);

// The same tick followed by the repaint of the field that the event loop does
// after it, for comparison: painting draws every tile, covered ones too.
void BM_TickAndPaint(benchmark::State& state) {
    SeededRandom chance(7);
    const Override seeded(services().random, &chance);
    Window1& board = Window1::shared();
    placeRestingTiles(board, static_cast<int>(state.range(0)));
    settleEvents();  // the window is shown and exposed only once the event loop has run
    board.PushButton1->Push();
    for (auto _ : state) {
        keepFalling(board, Line - 64);
        board.Timer1_Action();
        board.SpriteSurface1->widget()->repaint();
    }
    closeAllWindows();
}
BENCHMARK(BM_TickAndPaint)->Arg(20)->Arg(2000);

constexpr long FrameLimit = 1000000;

// Whole seeded games with random steering and a random difficulty, one game
// per iteration: Start, every frame to the game-over message, New Game. With
// onlyFrames the board's making, Start and New Game are left out of the time,
// leaving the frames of game logic.
void playGames(benchmark::State& state, bool onlyFrames) {
    long frames = 0;
    long games = 0;
    std::uint32_t seed = 1;
    Window1* board = &Window1::shared();
    for (auto _ : state) {
        if (onlyFrames) {
            state.PauseTiming();
        }
        SeededRandom chance(seed);
        const Override seeded(services().random, &chance);
        RandomArrows keys(seed++);
        if (keys.below(2) == 1) {
            board->RadioButton2->setValue(true);  // Expert
        }
        recorded().clear();
        board->PushButton1->Push();  // Start
        if (onlyFrames) {
            state.ResumeTiming();
        }
        frames += playToEnd(
            *board, keys, [] { return true; }, FrameLimit);
        if (onlyFrames) {
            state.PauseTiming();
        }
        if (recorded().messages.size() != 1) {
            state.SkipWithError("a game did not end with its message");
            break;
        }
        board->PushButton4->Push();  // New Game
        board = &Window1::shared();
        settleEvents();
        ++games;
        if (onlyFrames) {
            state.ResumeTiming();
        }
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["frames/game"] =
        games > 0 ? static_cast<double>(frames) / static_cast<double>(games) : 0.0;
    closeAllWindows();
}

void BM_WholeGames(benchmark::State& state) {
    playGames(state, false);
}
BENCHMARK(BM_WholeGames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_GameLogicFrames(benchmark::State& state) {
    playGames(state, true);
}
BENCHMARK(BM_GameLogicFrames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    const auto app = startHeadless(argc, argv, false);
    App::wireWindows();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
