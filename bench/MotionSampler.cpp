// SPDX-License-Identifier: MIT
// Samples what the X server shows of the board's field every 10 ms while the first tile
// of a game falls, and prints how smoothly it moved: distinct drawn positions per second
// and the largest jump between two samples.
//   motion_sampler WINDOW_ID X Y WIDTH HEIGHT
// The field as it is when the sampler starts (no tile yet) is the reference; the tile is
// where the field differs from it. Sampling ends when a second tile shows (the first landed).
// A jump counts only between samples taken on time: a sampler held up by a busy machine would
// blame the game for its own lateness. A sample is taken at some moment of its grab, which a
// busy X server can stretch to tens of milliseconds: on time is from the start of the one grab
// to the end of the next.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <set>

namespace {
constexpr int SampleMs = 10;
constexpr int GiveUpMs = 15000;
constexpr int TileSide = 32;
constexpr int OnTimeMs = 15;  // two samples at most this far apart show the game's own jumps

// The rows where `now` differs from `before`: first and last, or -1 when none.
std::pair<int, int> changedRows(const QImage& before, const QImage& now) {
    int first = -1, last = -1;
    for (int y = 0; y < now.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(now.constScanLine(y));
        if (!std::equal(a, a + now.width(), b)) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}
}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: motion_sampler WINDOW_ID X Y WIDTH HEIGHT\n");
        return 2;
    }
    const WId window = QString(argv[1]).toULongLong(nullptr, 0);
    const int x = atoi(argv[2]), y = atoi(argv[3]), w = atoi(argv[4]), h = atoi(argv[5]);
    QScreen* screen = QGuiApplication::primaryScreen();
    const auto grab = [&] {
        return screen->grabWindow(window, x, y, w, h)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage reference = grab();
    std::printf("ready\n");
    std::fflush(stdout);

    std::set<int> positions;
    int previous = -1, largestJump = 0, samples = 0, late = 0;
    qint64 firstSeen = -1, lastSeen = -1;  // when the grabs of tile samples began
    QElapsedTimer clock;
    clock.start();
    for (qint64 next = 0; clock.elapsed() < GiveUpMs; next += SampleMs) {
        QThread::msleep(static_cast<unsigned long>(qMax<qint64>(0, next - clock.elapsed())));
        const qint64 taken = clock.elapsed();
        const QImage field = grab();
        const qint64 grabbed = clock.elapsed();
        const auto [top, bottom] = changedRows(reference, field);
        if (top < 0) {
            continue;  // not released yet
        }
        if (bottom - top > TileSide + 8 || (previous >= 0 && top < previous)) {
            break;  // a second tile: the first has landed
        }
        const bool onTime = previous >= 0 && grabbed - lastSeen <= OnTimeMs;
        if (onTime) {
            largestJump = qMax(largestJump, top - previous);
        }
        late += previous >= 0 && !onTime;
        firstSeen = firstSeen < 0 ? taken : firstSeen;
        lastSeen = taken;
        previous = top;
        positions.insert(top);
        ++samples;
    }
    const double seconds = static_cast<double>(lastSeen - firstSeen) / 1000.0;
    if (samples < 2 || seconds <= 0) {
        std::printf("no falling tile seen\n");
        return 1;
    }
    std::printf(
        "%.1f positions/s largest-jump %d px (%zu positions, %d samples, %d late, %.2f s)\n",
        static_cast<double>(positions.size()) / seconds, largestJump, positions.size(), samples,
        late, seconds);
    return 0;
}
