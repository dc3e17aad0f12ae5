// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <numeric>

#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <iostream>
#include <optional>

#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Progress.h"
#include "headless/Headless.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

namespace {
using Bytes = std::optional<QByteArray>;  // nothing: no file

bool append(const QByteArray& path, const QByteArray& bytes) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

// Writes past this size fail, as on a full disk.
bool maxFileBytes(rlim_t bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = std::min(bytes, limit.rlim_max);  // only root may raise the hard limit
    return ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// What the score file's failures wrote to their logging category.
QStringList& scoresLogged() {
    static QStringList lines;
    return lines;
}

void keepScoresLog(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (QByteArrayView(context.category) == "huemix.scores") {
        scoresLogged() << text;
    } else {
        qInstallMessageHandler(nullptr);
        qt_message_output(type, context, text);
        qInstallMessageHandler(keepScoresLog);
    }
}

// A fresh preferences folder, and working folder, per test: nothing is read from or left in
// the build tree, whatever a broken rule writes to a relative path.
class ScoresTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir::setCurrent(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        recorded().clear();
        scoresLogged().clear();
        qInstallMessageHandler(keepScoresLog);
    }
    void TearDown() override {
        qInstallMessageHandler(nullptr);
        closeAllWindows();
        scoreFileLimits = {};
        QDir::setCurrent(workingFolder);
    }
    QString path() const { return home.filePath("Huemix.prefs"); }
    void put(const Bytes& bytes) const {
        QFile::remove(path());
        QFile file(path());
        if (bytes) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << "the score file could not be made";
            ASSERT_EQ(file.write(*bytes), bytes->size()) << "the score file was not written";
        }
    }
    Bytes fileBytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? Bytes(file.readAll()) : std::nullopt;
    }
    QStringList files(const QString& pattern) const {
        return QDir(home.path()).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    Window4& Open() {
        closeAllWindows();
        return Window4::shared();
    }

    const QString workingFolder = QDir::currentPath();
    QTemporaryDir home;
};

// Control characters, invalid UTF-8 and bidi controls show as visible; a CR ends a CR LF line.
TEST(ScoreModelTest, cellsShowSafely) {
    EXPECT_EQ(shownCell(QByteArray("A\xff\0\x7f\xe2\x80\xaez\r", 9)),
              QStringLiteral("A\uFFFD\u2400\u2421\uFFFDz"));
}

// A long list is ordered in runs merged pairwise, showing progress, into the order one stable
// sort by the rule gives: whole numbers by value first, then texts ignoring case, then bytes.
TEST(ScoreModelTest, longListsOrderAsShortOnesShowingProgress) {
    ScoreModel scores;
    QRandomGenerator random(7);
    const QByteArray forms[] = {"ann", "Ann", "ANN", "Player-with-a-long-name-", " ", "-", "x\0"};
    for (int i = 0; i < 150000; ++i) {
        const int n = random.bounded(300);
        const bool number = random.bounded(4) == 0;
        scores.appendRecord(
            number ? QByteArray::number(n - 150) : forms[n % 7] + QByteArray::number(n / 7),
            QByteArray::number(i));
    }
    scores.publish();
    std::vector<int> expected(150000);
    std::iota(expected.begin(), expected.end(), 0);
    const auto key = [&](int row) { return scores.cell(row, 0); };
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        bool aNumber = false, bNumber = false;
        const qlonglong x = key(a).toLongLong(&aNumber), y = key(b).toLongLong(&bNumber);
        if (aNumber || bNumber) {
            return aNumber && bNumber ? x > y : bNumber;  // descending: texts first
        }
        const int folded = key(a).toByteArray().toLower().compare(key(b).toByteArray().toLower());
        return folded != 0 ? folded > 0 : key(a).toByteArray().compare(key(b).toByteArray()) > 0;
    });
    for (int& row : expected) {
        row = scores.cell(row, 1).toInt();
    }
    QString label;
    qint64 done = -1, total = 0;
    {
        const Override watching(services().progress,
                                [&](const QString& text, qint64 now, qint64 all) {
                                    label = text;
                                    done = now;
                                    total = all;
                                });
        scores.sort(0, Qt::DescendingOrder);
    }
    int firstAmiss = -1;
    for (int row = 0; row < 150000 && firstAmiss < 0; ++row) {
        firstAmiss =
            scores.cell(row, 1).toInt() == expected[static_cast<std::size_t>(row)] ? -1 : row;
    }
    EXPECT_EQ(firstAmiss, -1) << "the first row out of order";
    EXPECT_EQ(label, QStringLiteral("Ordering the scores…"));
    EXPECT_GT(total, 0);
    EXPECT_EQ(done, total) << "progress reaches its end";
}

// A file not read whole is told, and a save asks before replacing it by what was read. A save
// that cannot write keeps the old file, leaves nothing beside it, and tells why and where.
TEST_F(ScoresTest, whatCannotBeReadIsToldAndAFailedSaveKeepsTheOldFile) {
    const QByteArray text = "Ann,1\nBobby,2\n" + QByteArray("P,1\n").repeated(1200);
    const QByteArray homeWas = qgetenv("HOME");
    const QByteArray longField((1 << 20) + 1, 'x');  // over the limit, across several reads
    const bool root = ::geteuid() == 0;              // reads what its mode forbids
    const struct {
        const char* name;
        std::function<bool(const QByteArray& path)> cause;  // none: a file of `text`
        ScoreFileLimits limits;
        const char* told;  // on the board
        int loaded;
        std::optional<bool> answer;  // to the question before replacing, if asked
        const char* why;             // in the question, or in the failure's message
        Bytes after;                 // nothing: the file as it was
        int mode = 0;                // of the file after, if given
    } cases[] = {
        // Our memory's start cannot be read, and nothing can be made beside it.
        {"read error",
         [](auto& p) { return QFile::remove(p) && QFile::link("/proc/self/mem", p); },
         {},
         "Input/output error",
         0,
         {},
         "its lock file could not be made",
         {}},
        {"no regular file",
         [](auto& p) { return QFile::remove(p) && ::mkfifo(p, 0600) == 0; },
         {},
         "not a regular file",
         0,
         {},
         "it is not a regular file, and was left as it is.",
         {}},
        {"field over the limit",
         {},
         {.fieldBytes = 3},
         "longer than",
         1,
         true,
         "longer than",
         "Ann,1\nZed,3\n"},
        {"long name across reads",
         [&](auto& p) { return append(p, longField + ",1\n"); },
         {},
         "longer than",
         1202,
         true,
         "longer than",
         text + "Zed,3\n"},
        {"long score across reads",
         [&](auto& p) { return append(p, "Cid," + longField + '\n'); },
         {},
         "longer than",
         1202,
         true,
         "longer than",
         text + "Zed,3\n"},
        {"file over the limit", {}, {.fileBytes = 9}, "larger than", 0, false, "larger than", {}},
        {"disk full", [](auto&) { return maxFileBytes(4096); }, {}, "", 1202, {}, "too large", {}},
        {"no home",
         [](auto&) { return qputenv("XDG_CONFIG_HOME", "config") && qputenv("HOME", "/"); },
         {},
         "Scores cannot be kept: no home folder was found.",
         0,
         {},
         "no home folder was found",
         {}},
        // Replaced, it is its owner's to read again; the other bits stay.
        {"unreadable",
         [](auto& p) { return ::chmod(p, 0204) == 0; },
         {},
         root ? "" : "Permission denied",
         root ? 1202 : 0,
         root ? std::nullopt : std::optional(true),
         root ? "" : "Permission denied",
         text + "Zed,3\n",
         0604},
        // Written through, its owner and mode kept (only root may give a file away).
        {"a link",
         [](auto& p) {
             return QFile::rename(p, p + ".kept") && QFile::link("Huemix.prefs.kept", p) &&
                    !::chmod(p, 0604) && (::geteuid() || !::chown(p, 4321, 4322));
         },
         {},
         "",
         1202,
         {},
         "",
         text + "Zed,3\n",
         0604},
    };
    for (const auto& [name, cause, limits, told, loaded, answer, why, after, mode] : cases) {
        put(text);
        ASSERT_TRUE(!cause || cause(QFile::encodeName(path()))) << name;
        scoreFileLimits = limits;
        recorded() = {{}, {}, answer.value_or(false), 0};
        scoresLogged().clear();
        Window4& scores = Open();
        const QString shown = scores.StaticText5->widget()->property("text").toString();
        if (*told) {
            EXPECT_TRUE(shown.contains(told)) << name << ": " << shown.toStdString();
        } else {
            EXPECT_EQ(shown.toStdString(), "") << name;
        }
        EXPECT_EQ(scores.ListBox1->ListCount(), loaded) << name;
        const SaveResult result = saveScores(*scores.ListBox1, "Zed", 3);
        const QString where = QDir::toNativeSeparators(scoreFile().path());
        ASSERT_TRUE(maxFileBytes(RLIM_INFINITY)) << name;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("HOME", homeWas);
        ASSERT_EQ(recorded().questions.size(), answer ? 1 : 0) << name;
        const QString said = answer ? recorded().questions.value(0) : result.message;
        if (*why) {
            EXPECT_TRUE(said.contains(why)) << name << ": " << said.toStdString();
        } else {
            EXPECT_EQ(said.toStdString(), "") << name;
        }
        if (!answer && !after) {
            EXPECT_TRUE(said.contains(where)) << name << ": the failure names the file";
        }
        EXPECT_EQ(scoresLogged().isEmpty(), said.isEmpty() && !*told)
            << name << ": a failure, and only a failure, is logged";
        EXPECT_EQ(result.saved, after.has_value()) << name;
        const QFileInfo now(path());  // a link or FIFO left as it is
        if (after) {
            EXPECT_EQ(fileBytes(), after) << name << fileBytes()->size() << " " << after->size()
                                          << fileBytes()->right(40).toStdString();
        } else if (now.isFile() && !now.isSymLink()) {
            EXPECT_EQ(fileBytes(), text) << name;
        }
        struct stat saved {};
        if (mode) {
            ASSERT_EQ(::stat(QFile::encodeName(path()), &saved), 0) << name;
            EXPECT_EQ(saved.st_mode & 0777, static_cast<unsigned>(mode | 0600)) << name;
        }
        EXPECT_EQ(files(".Huemix.prefs.*"), QStringList()) << name << ": a save leaves nothing";
    }
    struct stat kept {};  // the owner of the file the link leads to is kept
    EXPECT_FALSE(QFileInfo::exists("config")) << "no home, no file";
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    ASSERT_EQ(::stat(QFile::encodeName(path()), &kept), 0);
    if (root) {
        EXPECT_EQ(kept.st_uid, 4321u);
        EXPECT_EQ(kept.st_gid, 4322u);
    }
}

// Whatever a game left where the lock is made, a save ends within a few seconds: it takes a
// dead game's lock over, waits for a running one, and names what it must not remove.
TEST_F(ScoresTest, aLeftoverLockNeverBlocksSavingForGood) {
    const QByteArray lock = QFile::encodeName(home.filePath(".Huemix.prefs.lock"));
    const auto old = [&](const QByteArray& text) {  // a file left by a crash an hour ago
        QFile file(QFile::decodeName(lock));
        const timeval then[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        const bool written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
        file.close();
        return written && ::utimes(lock, then) == 0;
    };
    int holder = -1;  // a running game's lock
    const struct {
        const char* name;
        std::function<bool()> leave;
        const char* why;  // the failure's message; empty when saved
        int atLeastMs, atMostMs;
    } cases[] = {
        {"empty", [&] { return old(""); }, "", 0, 500},
        {"garbage", [&] { return old("\xff\xfe\n\n-1x"); }, "", 0, 500},
        {"another host's dead game", [&] { return old("4242\nHuemix\nelsewhere\n"); }, "", 0, 500},
        {"just made, its maker gone", [&] { return old("") && ::utimes(lock, nullptr) == 0; }, "",
         900, 2500},
        {"a dangling link", [&] { return QFile::link("nowhere", lock); }, "", 0, 500},
        {"a link to an endless device", [&] { return QFile::link("/dev/zero", lock); }, "", 0, 500},
        {"a FIFO", [&] { return ::mkfifo(lock, 0600) == 0; }, "stands where its lock", 0, 500},
        {"a folder", [&] { return QDir().mkdir(lock); }, "stands where its lock", 0, 500},
        {"held by a running game",
         [&] {
             holder = ::open(lock, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
             return holder >= 0 && ::flock(holder, LOCK_EX) == 0;
         },
         "another program is writing it", 2900, 4000},
    };
    for (const auto& [name, leave, why, atLeastMs, atMostMs] : cases) {
        put("Ann,1\n");
        ListBox& list = *Open().ListBox1;
        ASSERT_TRUE(leave()) << name;
        const QFileInfo before(lock);
        QElapsedTimer clock;
        clock.start();
        const SaveResult result = saveScores(list, "Zed", 3);
        const qint64 ms = clock.elapsed();
        EXPECT_GE(ms, atLeastMs) << name;
        EXPECT_LE(ms, atMostMs) << name;
        EXPECT_EQ(result.saved, !*why) << name;
        if (*why) {
            EXPECT_TRUE(result.message.contains(why))
                << name << ": " << result.message.toStdString();
            EXPECT_EQ(fileBytes(), "Ann,1\n") << name;
            EXPECT_EQ(QFileInfo(lock).isDir(), before.isDir()) << name << ": left as it was";
            EXPECT_EQ(QFileInfo(lock).exists(), true) << name << ": left as it was";
        } else {
            EXPECT_EQ(fileBytes(), "Ann,1\nZed,3\n") << name;
            EXPECT_EQ(files(".Huemix.prefs.*"), QStringList()) << name << ": a save leaves nothing";
        }
        if (*why && QByteArrayView(why).startsWith("stands")) {
            EXPECT_TRUE(result.message.contains(QString::fromUtf8(lock))) << name << ": named";
        }
        if (holder >= 0) {
            ::close(holder);
        }
        holder = -1;
        ::unlink(lock);
        ::rmdir(lock);
    }
    struct stat zero {};
    ASSERT_EQ(::stat("/dev/zero", &zero), 0);
    EXPECT_TRUE(S_ISCHR(zero.st_mode)) << "what a link led to stays as it was";
}

// Savers killed at a random row: the file is the old one or one whole save, never a mix, and
// the next save takes over the dead one's lock and clears its leavings. The kill moments come
// from a seed it prints; HUEMIX_KILL_SEED=that seed replays a failing run.
TEST_F(ScoresTest, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    QByteArray up, down;  // a mix of the two differs from both
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
        up += line;
        down.prepend(line);
    }
    put(down);
    ListBox& list = *Open().ListBox1;
    qsizetype cutOff = 0;  // kills that left a cut save behind
    bool given = false;
    const uint asked = qEnvironmentVariable("HUEMIX_KILL_SEED").toUInt(&given);
    const uint seed = given ? asked : QRandomGenerator::global()->generate();
    QRandomGenerator chance(seed);
    std::cout << "HUEMIX_KILL_SEED=" << seed << std::endl;
    SCOPED_TRACE("HUEMIX_KILL_SEED=" + std::to_string(seed));
    for (int round = 0; round < 30; ++round) {
        const int killAt = chance.bounded(1, 3000);  // 1,001 steps a save
        const pid_t saver = ::fork();
        if (saver == 0) {  // saves, ordered the other way round each time, until killed
            services().progress = [&, steps = 0](const QString&, qint64, qint64) mutable {
                (++steps == killAt && ::kill(::getpid(), SIGKILL));
            };
            for (int n = 0; saveScores(list, {}, 0).saved; ++n) {
                list.rows().sort(1, n % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
            }
            ::_exit(3);
        }
        int status = 0;
        ASSERT_GT(saver, 0) << "no saver started";
        ASSERT_EQ(::waitpid(saver, &status, 0), saver) << "the saver was not waited for";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended before its kill";
        ASSERT_TRUE(fileBytes() == up || fileBytes() == down)
            << "round " << round << ": a mix of two saves";
        cutOff += files(".Huemix.prefs.saving").size();
    }
    EXPECT_EQ(cutOff, 30) << "a kill left no cut save: nothing was tried";
    list.rows().sort(1, Qt::AscendingOrder);
    EXPECT_TRUE(saveScores(list, {}, 0).saved) << "the save after the kills failed";
    EXPECT_TRUE(fileBytes() == up) << "the save after the kills wrote another file";
    EXPECT_EQ(files(".Huemix.prefs.*"), QStringList());
}

// Two game processes, both loaded before either saves. B holds the lock a while; A waits,
// reads the file again (in B's order, not A's) and keeps B's records. So also when each
// reaches one shared file through a link of its own config folder.
TEST_F(ScoresTest, twoGamesSavingAtOnceTakeTurnsAndKeepEachOthersRecords) {
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "two folders linking one file" : "one folder");
        const QString shared = home.filePath("shared/Huemix.prefs"), b = home.filePath("b");
        if (linked) {
            ASSERT_TRUE(QDir().mkpath(home.filePath("shared"))) << "no shared folder";
            ASSERT_TRUE(QDir().mkpath(b)) << "no folder for B";
            ASSERT_TRUE(QFile::remove(path()) || !QFileInfo::exists(path()));
            ASSERT_TRUE(QFile::link("shared/Huemix.prefs", path()));
            ASSERT_TRUE(QFile::link("../shared/Huemix.prefs", b + "/Huemix.prefs"));
            QFile file(shared);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << "the shared file could not be made";
            ASSERT_EQ(file.write("Ama,1\nZoe,2\n"), 12) << "the shared file was not written";
        } else {
            put("Ama,1\nZoe,2\n");
        }
        ListBox& list = *Open().ListBox1;
        int saving[2];
        ASSERT_EQ(::pipe(saving), 0);
        const pid_t other = ::fork();
        list.AddRow(other == 0 ? "Zoe" : "Ann");  // B's Zoe is there twice then, and stays
        list.setCell(list.LastIndex(), 1, other == 0 ? "2" : "3");
        if (other == 0) {
            if (linked) {
                qputenv("XDG_CONFIG_HOME", QFile::encodeName(b));
            }
            list.rows().sort(0, Qt::DescendingOrder);
            services().progress = [&](const QString&, qint64 done, qint64) {
                if (done == 0 && ::write(saving[1], "s", 1) == 1) {
                    ::usleep(300000);  // a slow disk
                }
            };
            ::_exit(saveScores(list, "Bee", 5).saved ? 0 : 1);
        }
        char byte = 0;
        ASSERT_EQ(::read(saving[0], &byte, 1), 1);
        ::close(saving[0]);
        ::close(saving[1]);
        EXPECT_TRUE(saveScores(list, "Ayy", 4).saved);
        int status = -1;
        EXPECT_EQ(::waitpid(other, &status, 0), other);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "B saved";
        EXPECT_EQ(fileBytes(), "Ama,1\nZoe,2\nAnn,3\nZoe,2\nBee,5\nAyy,4\n");
        EXPECT_TRUE(QFileInfo(path()).isSymLink() == linked) << "the link stays a link";
        for (const QString& folder : {home.path(), home.filePath("shared"), b}) {
            EXPECT_EQ(QDir(folder).entryList({".Huemix.prefs.*"}, QDir::Files | QDir::Hidden),
                      QStringList())
                << folder.toStdString();
        }
    }
}

// From the score board (a name typed, then "Run") to the way out: the file
// before, what the player does, the file after. The first game scores `score`.
enum Step {
    ByName,
    ByScore,
    Expert,
    Start,
    NewGame,
    AddLines,
    Quit,
    QuitFailing,
    Close,
    CloseSave,
    Discard,
    Cancel
};
struct Ending {
    const char* name;
    Bytes before;
    const char* typed;
    std::vector<Step> steps;
    int score;
    Bytes after;
};
void PrintTo(const Ending& run, std::ostream* out) {
    *out << run.name;
}
class EndingTest : public ScoresTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, newGameAndQuitRecordExpertScoresUnderATypedName) {
    const Ending& run = GetParam();
    put(run.before);
    Window4& scores = Open();
    ListBox& list = *scores.ListBox1;
    scores.EditField1->setText(QString::fromUtf8(run.typed));
    scores.StaticText3_MouseDown(0, 0);  // "Run"
    // The window system's close; asked about unsaved scores, the game holds still.
    const auto close = [&](Window1& board, std::optional<SaveChoice> answer) {
        int asked = 0;
        {
            const Override asking(services().saveQuestion, [&](const QString&) {
                EXPECT_EQ(board.Timer1->Mode(), Timer::Off);
                ++asked;
                return answer.value_or(SaveChoice::Cancel);
            });
            board.close();
        }
        EXPECT_EQ(asked, answer.has_value() ? 1 : 0) << "asked about unsaved scores";
        EXPECT_EQ(board.isVisible(), answer == SaveChoice::Cancel) << "the board stays open";
    };
    const auto newGame = [&](Window1& board) {  // Beginner is off only after a recorded game
        const int rowsBefore = list.ListCount();
        board.PushButton4->Push();
        settleEvents();
        EXPECT_EQ(Window1::shared().RadioButton1->Enabled(), list.ListCount() == rowsBefore);
    };
    const auto orderBy = [&](int column) {  // a click on the heading
        QHeaderView* header = static_cast<QTableView*>(list.widget())->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(column) + 5, header->height() / 2});
    };
    const std::map<Step, std::function<void(Window1&)>> does{
        {ByName, [&](Window1&) { orderBy(0); }},
        {ByScore, [&](Window1&) { orderBy(1); }},
        {Expert, [](Window1& board) { board.RadioButton2->setValue(true); }},
        {Start,
         [&](Window1& board) {
             board.PushButton1->Push();
             board.counter = run.score;
         }},
        {NewGame, newGame},
        {AddLines, [&](Window1&) { put(*fileBytes() + "Cid,1\nAnn,12\nEve\nBob,7,x\n"); }},
        {Quit, [](Window1& board) { board.PushButton3->Push(); }},
        {QuitFailing,
         [&](Window1& board) {  // told why, and the game goes on
             maxFileBytes(0);
             board.PushButton3->Push();
             maxFileBytes(RLIM_INFINITY);
             EXPECT_EQ(recorded().messages.size(), 1) << "the failed quit was not told";
             EXPECT_EQ(recorded().quits, 0) << "the game quit though the save failed";
             EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game stopped";
         }},
        {Close, [&](Window1& board) { close(board, std::nullopt); }},
        {CloseSave, [&](Window1& board) { close(board, SaveChoice::Save); }},
        {Discard, [&](Window1& board) { close(board, SaveChoice::DontSave); }},
        {Cancel, [&](Window1& board) { close(board, SaveChoice::Cancel); }},
    };
    for (const Step step : run.steps) {
        does.at(step)(Window1::shared());
    }
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(fileBytes(), run.after);
}

// Only lines with a score are records, kept byte for byte however long their other fields;
// the other lines stay too, last, as they were.
const QByteArray odd("Ann,12\r\nB\0b,\xfe\n\xff\xfe,\0\x01\n\xc3(,9\n", 25);
const QByteArray big((1 << 20) + 9, 'x'), most(1 << 20, 'x');  // a field's limit
// Numbers by value before texts, texts ignoring case; equal cells keep the order shown.
const QByteArray seven("Eve,10\nbob,10\nAnn,9\ncid,lots\nann,-3\nDee, 7\nFay,Lot\n");
const Ending runs[] = {
    {"fieldRule",
     "Ann,12,x\nAnn\nAnn,\nAnn,,12\n\nBob,lots\n Ann , -4 \n,3\n" + big + '\n' + big + ",\n" +
         most + ',' + most + ",tail" + big + '\n' + odd + "Ann,12",
     "",
     {Expert, Quit},
     0,
     "Ann,12,x\nBob,lots\n Ann , -4 \n,3\n" + most + ',' + most + ",tail" + big + '\n' + odd +
         "Ann,12\nAnn\nAnn,\nAnn,,12\n\n" + big + '\n' + big + ",\n"},
    {"crLfStaysOnEveryLine",
     "Ann,12\r\nnote\r\nBob,7,x\r\n",
     "Zed",
     {Expert, Start, NewGame, Quit},
     2,
     "Ann,12\r\nBob,7,x\r\nZed,2\r\nZed,0\r\nnote\r\n"},
    {"orderedByNameThenScore",
     seven,
     "",
     {ByName, ByScore, Expert, Quit},
     0,
     "ann,-3\nDee, 7\nAnn,9\nbob,10\nEve,10\nFay,Lot\ncid,lots\n"},
    {"orderedByScoreReversed",
     seven,
     "",
     {ByName, ByScore, ByScore, Expert, Quit},
     0,
     "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\nann,-3\n"},
    {"beginnerRecordsNothing", "Ann,12\nAnn\n", "Zed", {Start, NewGame, Quit}, 2, "Ann,12\nAnn\n"},
    {"commasInANameGo",
     "Smith, J,5\n",
     "Smith, J",
     {Expert, Start, NewGame, Quit},
     4,
     "Smith, J,5\nSmith J,4\nSmith J,0\n"},
    {"commasAloneAreNoName", "Ann,12\n", ",,,", {Expert, Start, NewGame, Quit}, 4, "Ann,12\n"},
    {"lineBreaksGoAndQuitMakesTheFile",
     std::nullopt,
     "Cid\r\nDee\u2028",
     {Expert, Start, Quit},
     3,
     "Cid Dee ,3\n"},
    // Records added by hand since the load stay, after the list's rows.
    {"handAddedRecordsStay",
     "Ann,12\nBob,7\n",
     "Zed",
     {Expert, Start, NewGame, AddLines, Quit},
     2,
     "Ann,12\nBob,7\nZed,2\nCid,1\nAnn,12\nBob,7,x\nZed,0\nEve\n"},
    // Any other way out asks about what Quit would write and the file lacks.
    {"closeCancelledThenDiscarded",
     "Ann,12\n",
     "Zed",
     {Expert, Start, NewGame, Cancel, Discard},
     4,
     "Ann,12\n"},
    {"closeCancelledThenSaved",
     "Ann,12\n",
     "Zed",
     {Expert, Start, Cancel, CloseSave},
     3,
     "Ann,12\nZed,3\n"},
    {"aFailedQuitKeepsTheGame",
     "Ann,12\n",
     "Zed",
     {Expert, Start, QuitFailing, Quit},
     3,
     "Ann,12\nZed,3\n"},
    {"closeWithNothingUnsaved", "Ann,12\n", "Zed", {Start, NewGame, Expert, Close}, 2, "Ann,12\n"},
};
INSTANTIATE_TEST_SUITE_P(Runs, EndingTest, ::testing::ValuesIn(runs),
                         [](const auto& row) { return std::string(row.param.name); });
}  // namespace
