// SPDX-License-Identifier: MIT
// How the score board copes with a large score file: the time from start-up
// to the score board shown with every row, to order the rows by a heading
// click, and to save them; and the memory the process needs.
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
#include <cstdio>

#include "app/App.h"
#include "framework/Application.h"
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
    for (int i = 0; i < records; ++i) {
        text += "Player" + QByteArray::number(random.bounded(50000)) + ',' +
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

    QElapsedTimer clock;
    clock.start();
    QApplication runtime(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Huemix"));
    QApplication::setQuitOnLastWindowClosed(false);
    Application::messagePresenter = [](const QString& message) {
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
    };
    App app;
    App::wireWindows();
    app.openDefaultWindow();
    Window4& scores = Window4::shared();
    paint(scores);
    const double shownMs = elapsedMs(clock);
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

    clickHeading(list, 1);
    paint(scores);
    const double byScoreMs = elapsedMs(clock);
    clickHeading(list, 1);
    paint(scores);
    const double reversedMs = elapsedMs(clock);
    clickHeading(list, 0);
    paint(scores);
    const double byNameMs = elapsedMs(clock);
    const QHeaderView* header = view(list)->horizontalHeader();
    if (header->sortIndicatorSection() != 0 || header->sortIndicatorOrder() != Qt::AscendingOrder) {
        std::fprintf(stderr, "scores_bench: the heading clicks did not order the rows\n");
        return 1;
    }

    if (given) {
        QFile::remove(prefs);  // the link: the given file stays as it is
    }
    const SaveResult result = saveScores(list, QStringLiteral("Bench"), 0);
    const double savedMs = elapsedMs(clock);
    if (!result.saved) {
        std::fprintf(stderr, "scores_bench: %s\n", qPrintable(result.message));
        return 1;
    }

    std::printf("records                          %d (%lld bytes)\n", list.ListCount(),
                static_cast<long long>(QFileInfo(scoreFile().path()).size()));
    std::printf("start-up to score board shown    %8.1f ms  (goal 2000)\n", shownMs);
    std::printf("scroll to the last row           %8.1f ms\n", scrolledMs);
    std::printf("order by Score (heading click)   %8.1f ms  (goal 1000)\n", byScoreMs);
    std::printf("reverse (second click)           %8.1f ms  (goal 1000)\n", reversedMs);
    std::printf("order by Name                    %8.1f ms  (goal 1000)\n", byNameMs);
    std::printf("save                             %8.1f ms  (goal 1000)\n", savedMs);
    std::printf("resident before start-up         %8.1f MB\n", static_cast<double>(baseKb) / 1024);
    std::printf("resident with the board shown    %8.1f MB\n", static_cast<double>(shownKb) / 1024);
    std::printf("resident peak                    %8.1f MB  (goal 200)\n",
                static_cast<double>(statusKilobytes("VmHWM")) / 1024);
    App::shutdown();
    return 0;
}
