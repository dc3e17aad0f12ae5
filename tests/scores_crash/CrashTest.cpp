// SPDX-License-Identifier: MIT
// Savers killed (SIGKILL) at random moments, half of them where the file
// system has no unnamed temporary files: the score file is always the old one
// or one whole save, never a mix, and the next save removes what kills left.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Every record has its own name and score, so the two orders differ in every
// line and a mix of two saves differs from both.
QByteArray Records(bool descending) {
    QByteArray text;
    for (int i = 0; i < 200000; ++i) {
        const QByteArray n = QByteArray::number(descending ? 199999 - i : i);
        text += 'P' + n + ',' + n + '\n';
    }
    return text;
}

// The saver loads the score file, says "ready", then saves until killed or
// `saves` times, ordering by score the other way round before each save.
bool Start(QProcess& saver, const QString& config, int saves, bool namedOnly) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config);
    if (namedOnly) {
        environment.insert("LD_PRELOAD", SCORES_CRASH_NO_UNNAMED);
        // The sanitizer build's runtime would refuse to come second.
        environment.insert("ASAN_OPTIONS",
                           environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    }
    saver.setProcessEnvironment(environment);
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start(SCORES_CRASH_SAVER, {QString::number(saves)});
    QByteArray output;
    while (!output.contains("ready") && saver.waitForReadyRead(60000)) {
        output += saver.readAllStandardOutput();
    }
    return output.contains("ready");
}

// A save is being written: the saver has a file open in the folder (an
// unnamed one shows nowhere else).
bool Writing(const QProcess& saver, const QString& folder) {
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(saver.processId()));
    for (const QFileInfo& link : descriptors.entryInfoList(QDir::Files | QDir::System)) {
        if (link.symLinkTarget().startsWith(folder + '/')) {
            return true;
        }
    }
    return false;
}

TEST(ScoresCrash, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    QTemporaryDir config;
    const QString prefs = config.filePath("Huemix.prefs");
    const QByteArray ascending = Records(false);
    const QByteArray descending = Records(true);
    QFile file(prefs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(descending) == descending.size());
    file.close();
    const quint32 seed = qEnvironmentVariableIsSet("HUEMIX_CRASH_SEED")
                             ? qEnvironmentVariableIntValue("HUEMIX_CRASH_SEED")
                             : QRandomGenerator::global()->generate();
    std::printf("scores_crash: seed %u (HUEMIX_CRASH_SEED)\n", seed);
    QRandomGenerator random(seed);
    int cutOff = 0;
    for (int round = 0; round < 30; ++round) {
        const QByteArray before = readAll(prefs);
        QProcess saver;
        ASSERT_TRUE(Start(saver, config.path(), 0, round % 2 == 1)) << "round " << round;
        QThread::msleep(random.bounded(300));
        cutOff += Writing(saver, config.path());
        saver.kill();
        saver.waitForFinished();
        const QByteArray after = readAll(prefs);
        ASSERT_TRUE(after == before || after == ascending || after == descending)
            << "round " << round << ": " << after.size() << " bytes, neither old nor whole";
    }
    std::printf("scores_crash: 30 kills, %d cut a save off\n", cutOff);
    EXPECT_GT(cutOff, 0) << "every kill came between saves: nothing was tried";

    QProcess last;
    ASSERT_TRUE(Start(last, config.path(), 1, true));
    ASSERT_TRUE(last.waitForFinished(60000) && last.exitCode() == 0);
    EXPECT_TRUE(readAll(prefs) == ascending) << "a save run to its end is the file";
    EXPECT_EQ(QDir(config.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Huemix.prefs"});
}
}  // namespace
