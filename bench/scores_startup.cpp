// SPDX-License-Identifier: MIT
// How the score board copes with a large score file: the time from start-up
// to the score board shown with every row, to order the rows by a heading
// click, and to save them; the longest stretch of each without a step of its
// progress (when the window would not answer); and the memory the process needs.
//
//   scores_bench [RECORDS]     (default 1000000; offscreen unless QT_QPA_PLATFORM says)
//   scores_bench FILE          that score file (linked to), for its time and peak memory
//
// The score file is made in a temporary preferences folder first, untimed.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

#include "app/App.h"
#include "framework/Application.h"
#include "framework/Progress.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

namespace {
// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
long statusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    // A /proc file has no size: read it whole rather than testing for its end.
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

bool makeScoreFile(const QString& path, int records) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QRandomGenerator random(1);
    QByteArray text;
    // Shorter names past five million, so that ten million stay within the file limit.
    const QByteArray name = records > 5000000 ? "P" : "Player";
    for (int i = 0; i < records; ++i) {
        text += name + QByteArray::number(random.bounded(50000)) + ',' +
                QByteArray::number(random.bounded(1000)) + '\n';
    }
    return file.write(text) == text.size();
}

// Paints the window as it would appear, so the time includes drawing.
void paint(QWidget& window) {
    QCoreApplication::processEvents();
    window.grab();
}

QTableView* view(ListBox& list) {
    return static_cast<QTableView*>(list.widget());
}

void clickHeading(ListBox& list, int column) {
    QHeaderView* header = view(list)->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(column) + 5, header->height() / 2});
}

double elapsedMs(QElapsedTimer& clock) {
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    return ms;
}

// The process's processor time since the last call: on a busy machine the times above
// include waiting for a core, this does not.
double cpuMs() {
    static double last = 0;
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    const double ms =
        static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    return ms - std::exchange(last, ms);
}

// The thread's processor time in milliseconds.
double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The longest time without a step of progress shown, from start() to stop(): the window
// answers only at those steps. Also in processor time, which waiting for a core on a busy
// machine does not stretch.
class Stillness {
  public:
    Stillness() {
        services().progress = [this](const QString&, qint64, qint64) { step(); };
    }
    void start() {
        longest_ = 0;
        longestCpu_ = 0;
        clock_.start();
        cpuAt_ = threadCpuMs();
    }
    double stop() {
        step();
        return longest_;
    }
    double longestCpu() const { return longestCpu_; }

  private:
    void step() {
        longest_ = std::max(longest_, elapsedMs(clock_));
        const double now = threadCpuMs();
        longestCpu_ = std::max(longestCpu_, now - std::exchange(cpuAt_, now));
    }
    QElapsedTimer clock_;
    double longest_ = 0;
    double cpuAt_ = 0;
    double longestCpu_ = 0;
};
}  // namespace

int main(int argc, char** argv) {
    const bool given = argc > 1 && QFileInfo(QString::fromLocal8Bit(argv[1])).isFile();
    const int records = argc > 1 && !given ? std::atoi(argv[1]) : 1000000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    const QString prefs = home.filePath(QStringLiteral("Huemix.prefs"));
    const bool made =
        given ? QFile::link(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(), prefs)
              : makeScoreFile(prefs, records);
    if (!home.isValid() || !made) {
        std::fprintf(stderr, "scores_bench: could not make the score file\n");
        return 1;
    }
    const long baseKb = statusKilobytes("VmRSS");

    Stillness still;
    QElapsedTimer clock;
    clock.start();
    still.start();
    QApplication runtime(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Huemix"));
    QApplication::setQuitOnLastWindowClosed(false);
    installWindowSupport();
    services().message = [](const QString& message) {
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
    };
    App app;
    App::wireWindows();
    app.openDefaultWindow();
    Window4& scores = Window4::shared();
    paint(scores);
    const double shownMs = elapsedMs(clock);
    const double shownStillMs = still.stop();
    const double shownStillCpuMs = still.longestCpu();
    ListBox& list = *scores.ListBox1;
    if (!given && (list.ListCount() != records || view(list)->model()->rowCount() != records)) {
        std::fprintf(stderr, "scores_bench: %d rows shown of %d\n", list.ListCount(), records);
        return 1;
    }
    const long shownKb = statusKilobytes("VmRSS");

    clock.restart();
    view(list)->scrollToBottom();
    paint(scores);
    const double scrolledMs = elapsedMs(clock);

    still.start();
    cpuMs();
    clickHeading(list, 1);
    paint(scores);
    const double byScoreMs = elapsedMs(clock);
    const double byScoreCpuMs = cpuMs();
    const double byScoreStillMs = still.stop();
    const double byScoreStillCpuMs = still.longestCpu();
    still.start();
    clickHeading(list, 1);
    paint(scores);
    const double reversedMs = elapsedMs(clock);
    const double reversedCpuMs = cpuMs();
    const double reversedStillMs = still.stop();
    const double reversedStillCpuMs = still.longestCpu();
    still.start();
    clickHeading(list, 0);
    paint(scores);
    const double byNameMs = elapsedMs(clock);
    const double byNameCpuMs = cpuMs();
    const double byNameStillMs = still.stop();
    const double byNameStillCpuMs = still.longestCpu();
    const QHeaderView* header = view(list)->horizontalHeader();
    if (header->sortIndicatorSection() != 0 || header->sortIndicatorOrder() != Qt::AscendingOrder) {
        std::fprintf(stderr, "scores_bench: the heading clicks did not order the rows\n");
        return 1;
    }

    if (given) {
        QFile::remove(prefs);  // the link: the given file stays as it is
    }
    still.start();
    cpuMs();
    const SaveResult result = saveScores(list, QStringLiteral("Bench"), 0);
    const double savedMs = elapsedMs(clock);
    const double savedCpuMs = cpuMs();
    const double savedStillMs = still.stop();
    const double savedStillCpuMs = still.longestCpu();
    if (!result.saved) {
        std::fprintf(stderr, "scores_bench: %s\n", qPrintable(result.message));
        return 1;
    }

    std::printf("records                          %d (%lld bytes)\n", list.ListCount(),
                static_cast<long long>(QFileInfo(scoreFile().path()).size()));
    // Beside each time, the longest stretch of it without a step of progress (goal 500).
    std::printf("start-up to score board shown    %8.1f ms  (goal 2000)  still %6.1f ms\n", shownMs,
                shownStillMs);
    std::printf("scroll to the last row           %8.1f ms\n", scrolledMs);
    std::printf("order by Score (heading click)   %8.1f ms  (goal 1000)  still %6.1f ms\n",
                byScoreMs, byScoreStillMs);
    std::printf("reverse (second click)           %8.1f ms  (goal 1000)  still %6.1f ms\n",
                reversedMs, reversedStillMs);
    std::printf("order by Name                    %8.1f ms  (goal 1000)  still %6.1f ms\n",
                byNameMs, byNameStillMs);
    std::printf("save                             %8.1f ms  (goal 1000)  still %6.1f ms\n", savedMs,
                savedStillMs);
    std::printf(
        "processor time: by Score %.1f ms, reversed %.1f ms, by Name %.1f ms, save %.1f ms\n",
        byScoreCpuMs, reversedCpuMs, byNameCpuMs, savedCpuMs);
    // The goal's figure for bench/check.sh: this machine's speed, not its load.
    std::printf(
        "still in processor time: start-up %.1f ms, by Score %.1f ms, reversed %.1f ms, "
        "by Name %.1f ms, save %.1f ms\n",
        shownStillCpuMs, byScoreStillCpuMs, reversedStillCpuMs, byNameStillCpuMs, savedStillCpuMs);
    std::printf("resident before start-up         %8.1f MB\n", static_cast<double>(baseKb) / 1024);
    std::printf("resident with the board shown    %8.1f MB\n", static_cast<double>(shownKb) / 1024);
    std::printf("resident peak                    %8.1f MB  (goal 200)\n",
                static_cast<double>(statusKilobytes("VmHWM")) / 1024);
    App::shutdown();
    return 0;
}
