// SPDX-License-Identifier: MIT
// Savers killed (SIGKILL) at random moments, half of them where the file
// system has no unnamed temporary files: the score file is always the old one
// or one whole save, never a mix, and the next save removes what kills left.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <cstdarg>

#include "framework/Progress.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

// With HUEMIX_NO_UNNAMED set, unnamed temporary files fail to open as on a
// file system that has none, so each save writes a named one that a kill leaves.
extern "C" int open64(const char* path, int flags, ...) {
    const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & O_CREAT) || unnamed ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    if (unnamed && std::getenv("HUEMIX_NO_UNNAMED")) {
        errno = EOPNOTSUPP;
        return -1;
    }
    using Open = int (*)(const char*, int, ...);
    return reinterpret_cast<Open>(dlsym(RTLD_NEXT, "open64"))(path, flags, mode);
}

namespace {
const bool isSaver = qEnvironmentVariableIsSet("HUEMIX_SAVES");

// The saver loads the score file, says "ready", then saves HUEMIX_SAVES times
// (0: until killed), ordered by score the other way round each time.
TEST(ScoresCrash, saver) {
    if (!isSaver) {
        GTEST_SKIP() << "the killed test's saver";
    }
    setProgressObserver([](const QString&, qint64, qint64) {});
    Window4::registerClass();
    ListBox& list = *Window4::shared().ListBox1;
    std::printf("ready\n");
    std::fflush(stdout);
    const int saves = qEnvironmentVariableIntValue("HUEMIX_SAVES");
    for (int done = 0; saves == 0 || done < saves; ++done) {
        static_cast<QTreeView*>(list.widget())
            ->sortByColumn(1, done % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        ASSERT_TRUE(saveScores(list, {}, 0).saved);
    }
}

bool start(QProcess& saver, const QString& config, int saves, bool named) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("HUEMIX_SAVES", QString::number(saves));
    if (named) {
        environment.insert("HUEMIX_NO_UNNAMED", "1");
    }
    saver.setProcessEnvironment(environment);
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=ScoresCrash.saver"});
    QByteArray output;
    while (!output.contains("ready\n") && saver.waitForReadyRead(60000)) {
        output += saver.readAllStandardOutput();
    }
    return output.contains("ready\n");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(ScoresCrash, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    if (isSaver) {
        GTEST_SKIP();
    }
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
    const QString prefs = config.filePath("Huemix.prefs");
    QFile file(prefs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(descending) == descending.size());
    file.close();
    const quint32 seed = qEnvironmentVariableIsSet("HUEMIX_CRASH_SEED")
                             ? qEnvironmentVariableIntValue("HUEMIX_CRASH_SEED")
                             : QRandomGenerator::global()->generate();
    std::printf("scores_crash: seed %u (HUEMIX_CRASH_SEED)\n", seed);
    QRandomGenerator random(seed);
    int cutOff = 0;  // kills that left a named save behind
    for (int round = 0; round < 30; ++round) {
        const QByteArray before = readAll(prefs);
        QProcess saver;
        ASSERT_TRUE(start(saver, config.path(), 0, round % 2 == 1)) << "round " << round;
        QThread::msleep(random.bounded(300));
        saver.kill();
        saver.waitForFinished();
        const QByteArray after = readAll(prefs);
        ASSERT_TRUE(after == before || after == ascending || after == descending)
            << "round " << round << ": " << after.size() << " bytes, neither old nor whole";
        cutOff += QDir(config.path()).entryList(QDir::Files | QDir::Hidden).size() > 1;
    }
    std::printf("scores_crash: 30 kills, %d left a cut save\n", cutOff);
    EXPECT_GT(cutOff, 0) << "every kill came between saves: nothing was tried";

    QProcess last;
    ASSERT_TRUE(start(last, config.path(), 1, true));
    ASSERT_TRUE(last.waitForFinished(60000) && last.exitCode() == 0);
    EXPECT_TRUE(readAll(prefs) == ascending) << "a save run to its end is the file";
    EXPECT_EQ(QDir(config.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Huemix.prefs"});
}
}  // namespace
