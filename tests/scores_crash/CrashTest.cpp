// A process saving a large score list is killed (SIGKILL) at random moments;
// the score file must then always be one whole save, never a mix of two.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {
constexpr int Records = 200000;

// Every record has its own name and score, so each order of the list is a
// different file and any mix of two saves differs from both.
QByteArray ScoreText(const std::vector<int>& order) {
    QByteArray text;
    text.reserve(order.size() * 14);
    for (const int i : order) {
        text += 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
    }
    return text;
}

std::vector<int> Ascending() {
    std::vector<int> order(Records);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(text), text.size());
}

class Saver {
  public:
    // namedOnly: as on a file system without unnamed temporary files.
    Saver(const QString& config, int saves, bool namedOnly = false) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        if (namedOnly) {
            environment.insert(QStringLiteral("LD_PRELOAD"),
                               QStringLiteral(SCORES_CRASH_NO_UNNAMED));
            // The sanitizer build's runtime would refuse to come second.
            const QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
            environment.insert(QStringLiteral("ASAN_OPTIONS"),
                               asan + QStringLiteral(":verify_asan_link_order=0"));
        }
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(SCORES_CRASH_SAVER), {QString::number(saves)});
    }
    ~Saver() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // The score board has loaded the file; false after 60 s or an early end.
    bool WaitUntilReady() {
        QElapsedTimer clock;
        clock.start();
        while (!output_.contains("ready") && clock.elapsed() < 60000) {
            if (!process_.waitForReadyRead(1000) && process_.state() == QProcess::NotRunning) {
                return false;
            }
            output_ += process_.readAllStandardOutput();
        }
        return output_.contains("ready");
    }
    // The process has a file open in that folder: a save is being written.
    // (Qt may write it as an unnamed file, so the folder itself shows nothing.)
    bool Writing(const QString& folder) const {
        const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(process_.processId()));
        for (const QFileInfo& link : descriptors.entryInfoList(QDir::Files | QDir::System)) {
            if (link.symLinkTarget().startsWith(folder + QLatin1Char('/'))) {
                return true;
            }
        }
        return false;
    }
    void Kill() {
        process_.kill();  // SIGKILL
        process_.waitForFinished();
    }
    bool Finish() {
        return process_.waitForFinished(60000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    int Saves() {
        output_ += process_.readAllStandardOutput();
        return static_cast<int>(output_.count("saved"));
    }

  private:
    QProcess process_;
    QByteArray output_;
};

class ScoresCrash : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        std::vector<int> order = Ascending();
        ascending_ = ScoreText(order);
        std::reverse(order.begin(), order.end());
        descending_ = ScoreText(order);
        std::shuffle(order.begin(), order.end(), *QRandomGenerator::global());
        shuffled_ = ScoreText(order);
        Write(prefs_, shuffled_);
    }

    // Whatever is beside the score file: what a save left when it was cut off.
    QStringList Leftovers() const {
        QStringList names = QDir(config_.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("Huemix.prefs"));
        return names;
    }

    QTemporaryDir config_;
    QString prefs_ = config_.filePath(QStringLiteral("Huemix.prefs"));
    QByteArray ascending_, descending_, shuffled_;
};

TEST_F(ScoresCrash, savesRunToTheEndLeaveTheLastOrder) {
    Saver saver(config_.path(), 3);
    ASSERT_TRUE(saver.WaitUntilReady());
    ASSERT_TRUE(saver.Finish());
    EXPECT_EQ(saver.Saves(), 3);
    // Ascending, descending, ascending by score.
    EXPECT_TRUE(ReadAll(prefs_) == ascending_) << "the score file is not the last save";
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join(' ').toStdString();
}

// Half the kills on a file system without unnamed temporary files, where a
// cut-off save leaves its temporary file; the next save removes it.
TEST_F(ScoresCrash, killedWhileSavingLeavesTheOldFileOrTheNewNeverAMix) {
    const quint32 seed = qEnvironmentVariableIsSet("HUEMIX_CRASH_SEED")
                             ? qEnvironmentVariableIntValue("HUEMIX_CRASH_SEED")
                             : QRandomGenerator::global()->generate();
    std::printf("scores_crash: seed %u (HUEMIX_CRASH_SEED)\n", seed);
    QRandomGenerator random(seed);
    int saves = 0;
    int cutOff = 0;
    int changed = 0;
    int leftovers = 0;
    for (int round = 0; round < 30; ++round) {
        const QByteArray before = ReadAll(prefs_);
        Saver saver(config_.path(), 0, round % 2 == 1);
        ASSERT_TRUE(saver.WaitUntilReady()) << "round " << round;
        QThread::msleep(random.bounded(300));
        cutOff += saver.Writing(config_.path());
        saver.Kill();
        saves += saver.Saves();

        const QByteArray after = ReadAll(prefs_);
        const bool whole = after == before || after == ascending_ || after == descending_;
        ASSERT_TRUE(whole) << "round " << round << ": the score file holds " << after.size()
                           << " bytes, neither the old file nor a whole save";
        changed += after != before;
        leftovers += static_cast<int>(Leftovers().size());
    }
    std::printf(
        "scores_crash: 30 kills, %d saves done, %d kills cut a save off, %d changed the file, "
        "%d temporary files left\n",
        saves, cutOff, changed, leftovers);
    // Otherwise the kills all came between saves, and nothing was tried.
    EXPECT_GT(cutOff, 0);

    Saver last(config_.path(), 1, true);
    ASSERT_TRUE(last.WaitUntilReady());
    ASSERT_TRUE(last.Finish());
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join(' ').toStdString();
}
}  // namespace
