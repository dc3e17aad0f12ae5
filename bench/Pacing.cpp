// SPDX-License-Identifier: MIT
// Timer1's pace in the real event loop: 200 ticks at 50 ms, stamped as the
// board receives them, while the event loop also runs Timer4 and paints the
// board. Two runs: steady falls (the tile goes back to the top before it
// lands, so Timer1 never restarts), and real play with random steering, where
// every collision stops Timer1 and the next release restarts it.
//
//   huemix_pacing [ticks]      default 200
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <vector>

#include "app/App.h"
#include "bench/KeepFalling.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "headless/Autoplay.h"
#include "headless/Headless.h"

namespace {

constexpr int Period = 50;

struct Run {
    std::vector<double> intervals;     // ms between two ticks of the same board
    std::vector<double> gridLateness;  // ms behind start + i * period (steady run only)
    int restarts = 0;                  // ticks that came after a collision restarted Timer1
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void report(const char* name, const Run& run) {
    const std::vector<double>& d = run.intervals;
    const double n = static_cast<double>(d.size());
    const double mean = std::accumulate(d.begin(), d.end(), 0.0) / n;
    double absolute = 0.0;
    std::vector<double> late;
    for (const double interval : d) {
        absolute += std::abs(interval - Period);
        late.push_back(std::max(0.0, interval - Period));
    }
    std::printf("%s: %zu intervals at %d ms\n", name, d.size(), Period);
    std::printf("  mean period %.3f ms: mean period error %.2f %% (goal < 1 %%)\n", mean,
                100.0 * std::abs(mean - Period) / Period);
    std::printf("  mean |interval - period| %.3f ms (%.2f %%), shortest %.3f, longest %.3f ms\n",
                absolute / n, 100.0 * absolute / n / Period, *std::min_element(d.begin(), d.end()),
                *std::max_element(d.begin(), d.end()));
    std::printf("  lateness after the previous tick: p99 %.3f ms (goal < 3 ms), max %.3f ms\n",
                percentile(late, 0.99), *std::max_element(late.begin(), late.end()));
    if (!run.gridLateness.empty()) {
        std::printf("  lateness behind the start + i x period: p99 %.3f ms, max %.3f ms\n",
                    percentile(run.gridLateness, 0.99),
                    *std::max_element(run.gridLateness.begin(), run.gridLateness.end()));
    }
    if (run.restarts > 0) {
        std::printf("  %d of the ticks followed a collision's restart of Timer1\n", run.restarts);
    }
}

// Steady falls on a fresh board: no landing, no collision, Timer1 runs throughout.
Run steady(int ticks) {
    Run run;
    QEventLoop loop;
    QElapsedTimer clock;
    std::vector<double> stamps;
    Window1& board = Window1::shared();
    board.Timer1->setPeriod(Period);
    board.Timer1->Action = [&, tick = board.Timer1->Action] {
        stamps.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        keepFalling(board, 384);
        tick();
        if (static_cast<int>(stamps.size()) > ticks) {
            board.Timer1->setMode(Timer::Off);
            loop.quit();
        }
    };
    clock.start();
    board.PushButton1->Push();  // Start: the first tile, Timer1 on
    loop.exec();
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        run.intervals.push_back(stamps[i] - stamps[i - 1]);
        // The timer started at 0 on this clock, as Start returned at once.
        run.gridLateness.push_back(stamps[i] - static_cast<double>(i + 1) * Period);
    }
    closeAllWindows();
    return run;
}

// Real Beginner games at 50 ms with random steering; New Game whenever one ends.
Run play(int ticks) {
    Run run;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    RandomArrows keys(11);
    SeededRandom chance(11);
    const Override seeded(services().random, &chance);
    double last = -1.0;      // the previous tick of this board; none yet
    bool restarted = false;  // a collision in the previous tick restarted Timer1
    std::function<void(Window1*)> begin = [&](Window1* board) {
        last = -1.0;
        board->Timer1->setPeriod(Period);
        board->SpriteSurface1->Collision = [&, mix = board->SpriteSurface1->Collision](
                                               const SpriteRef& s1, const SpriteRef& s2) {
            restarted = true;
            mix(s1, s2);
        };
        board->Timer1->Action = [&, board, tick = board->Timer1->Action] {
            const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (last >= 0.0) {
                run.intervals.push_back(now - last);
                run.restarts += restarted;
            }
            last = now;
            restarted = false;
            keys.fidget();
            tick();
            if (static_cast<int>(run.intervals.size()) >= ticks) {
                board->Timer1->setMode(Timer::Off);
                loop.quit();
            } else if (!board->cktru) {
                // Game over: New Game once this tick is done, as a player would.
                QTimer::singleShot(0, &loop, [&, board] {
                    board->PushButton4->Push();
                    begin(&Window1::shared());
                });
            }
        };
        board->Timer4->Action = [&, poll = board->Timer4->Action] {
            keys.fidget();
            poll();
        };
        board->PushButton1->Push();
    };
    begin(&Window1::shared());
    loop.exec();
    closeAllWindows();
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = startHeadless(argc, argv, true);
    App::wireWindows();
    const int ticks = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) > 0) {
        std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    }
    report("steady falls", steady(ticks));
    report("real play", play(ticks));
    return 0;
}
