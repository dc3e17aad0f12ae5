// SPDX-License-Identifier: MIT
// Savers killed (SIGKILL) at a random row of one of their first saves, half of
// them where the file system has no unnamed temporary files: the score file is
// always the old one or one whole save, never a mix, and the next save removes
// what kills left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeView>

#include "DiskFaults.h"
#include "framework/Progress.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(ScoresCrash, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    // Every record has its own name and score, so the two orders differ in every
    // line and a mix of two saves differs from both.
    QByteArrayList lines;
    for (int i = 0; i < 200000; ++i) {
        lines << 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
    }
    const QByteArray ascending = lines.join();
    std::reverse(lines.begin(), lines.end());
    const QByteArray descending = lines.join();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString prefs = config.filePath("Huemix.prefs");
    QFile file(prefs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(descending) == descending.size());
    file.close();
    setProgressObserver([](const QString&, qint64, qint64) {});
    Window4::registerClass();
    ListBox& list = *Window4::shared().ListBox1;
    auto* view = static_cast<QTreeView*>(list.widget());

    int cutOff = 0;  // kills that left a named save behind
    for (int round = 0; round < 30; ++round) {
        const QByteArray before = readAll(prefs);
        const int killAt =
            QRandomGenerator::global()->bounded(1, 3000);  // about 1,000 steps a save
        const pid_t saver = ::fork();
        if (saver == 0) {  // saves, ordered the other way round each time, until killed
            noUnnamedFiles = round % 2 == 1;
            int steps = 0;
            setProgressObserver([&](const QString&, qint64, qint64) {
                if (++steps == killAt) {
                    ::kill(::getpid(), SIGKILL);
                }
            });
            for (int save = 0; saveScores(list, {}, 0).saved; ++save) {
                view->sortByColumn(1, save % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
            }
            ::_exit(3);
        }
        ASSERT_GT(saver, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the saver failed";
        const QByteArray after = readAll(prefs);
        ASSERT_TRUE(after == before || after == ascending || after == descending)
            << "round " << round << ": " << after.size() << " bytes, neither old nor whole";
        cutOff += QDir(config.path()).entryList(QDir::Files | QDir::Hidden).size() > 1;
    }
    EXPECT_EQ(cutOff, 15) << "a kill without unnamed files left no cut save: nothing was tried";

    noUnnamedFiles = true;
    view->sortByColumn(1, Qt::AscendingOrder);
    EXPECT_TRUE(saveScores(list, {}, 0).saved);
    EXPECT_TRUE(readAll(prefs) == ascending) << "a save run to its end is the file";
    EXPECT_EQ(QDir(config.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Huemix.prefs"});
}
}  // namespace
