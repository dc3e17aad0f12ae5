// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

#include "board/Window1.h"
#include "framework/Application.h"
#include "headless/Headless.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

// A failure shows the file as escaped text, not a byte a line.
void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << ::testing::PrintToString(bytes.toStdString());
}
void PrintTo(const QString& text, std::ostream* out) {
    *out << ::testing::PrintToString(text.toStdString());
}

namespace {
using Bytes = std::optional<QByteArray>;  // nothing: no file
using Cause = std::function<bool(const QByteArray& path)>;

// Writes past this size fail, as on a full disk.
bool maxFileBytes(rlim_t bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = std::min(bytes, limit.rlim_max);  // only root may raise the hard limit
    return ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// What the score file's failures wrote to their logging category; the rest is passed on.
QStringList logged;
QtMessageHandler passOn = nullptr;
void keepScoresLog(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (QByteArrayView(context.category) == "huemix.scores") {
        logged << text;
    } else if (passOn) {
        passOn(type, context, text);
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
        logged.clear();
        passOn = qInstallMessageHandler(keepScoresLog);
    }
    void TearDown() override {
        qInstallMessageHandler(passOn);
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
    // What saves make beside the file: nothing may stay.
    QStringList leftovers(const QString& folder = {}) const {
        const QString in = folder.isEmpty() ? home.path() : folder;
        return QDir(in).entryList({".Huemix.prefs.*"}, QDir::Files | QDir::Hidden);
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

// A file not read whole is told, and a save asks before replacing it by what was read. A save
// that cannot write keeps the old file, leaves nothing beside it, and tells why and where.
TEST_F(ScoresTest, whatCannotBeReadIsToldAndAFailedSaveKeepsTheOldFile) {
    const QByteArray text = "Ann,1\nBobby,2\n" + QByteArray("P,1\n").repeated(1200);
    const QByteArray homeWas = qgetenv("HOME");
    const bool root = ::geteuid() == 0;  // reads what its mode forbids
    // Our memory's start cannot be read, and no lock can be made beside it.
    const Cause memory = [](auto& p) {
        return QFile::remove(p) && QFile::link("/proc/self/mem", p);
    };
    const Cause fifo = [](auto& p) { return QFile::remove(p) && ::mkfifo(p, 0600) == 0; };
    // Over the limit across several reads, after a line that is no record.
    const Cause longScore = [](auto& p) {
        QFile file(QFile::decodeName(p));
        return file.open(QIODevice::Append) &&
               file.write("note\nCid," + QByteArray(1 << 21, 'x')) > 0;
    };
    const Cause diskFull = [](auto&) { return maxFileBytes(4096); };
    const Cause noHome = [](auto&) {
        return qputenv("XDG_CONFIG_HOME", "c") && qputenv("HOME", "/");
    };
    const Cause unreadable = [](auto& p) { return ::chmod(p, 0204) == 0; };
    // Written through, its owner and mode kept (only root may give a file away).
    const Cause linked = [root](auto& p) {
        const bool made = QFile::rename(p, p + ".kept") && QFile::link("Huemix.prefs.kept", p);
        return made && (!root || ::chown(p, 4321, 4322) == 0);
    };
    const QByteArray saved = text + "Zed,3\n";
    const QByteArray readable = saved + "note\n";  // a line that is no record too
    const QByteArray first = "Ann,1\nZed,3\n";     // what was read before a field too long
    const char* denied = root ? "" : "Permission denied";
    const std::optional<bool> askUnlessRoot = root ? std::nullopt : std::optional(true);
    const struct {
        const char* name;
        Cause cause;  // none: a file of `text`
        ScoreFileLimits limits;
        const char* told;  // on the board
        int loaded;
        std::optional<bool> answer;  // to the question before replacing, if asked
        const char* why;             // in the question, or in the failure's message
        Bytes after;                 // nothing: the file as it was
    } cases[] = {
        {"read error", memory, {}, "Input/output error", 0, {}, "lock file could not be made", {}},
        {"no regular file", fifo, {}, "not a regular file", 0, {}, "not a regular file", {}},
        {"name too long", {}, {.fieldBytes = 3}, "longer than", 1, true, "longer than", first},
        {"score over the limit", longScore, {}, "longer than", 1202, true, "longer than", readable},
        {"file over the limit", {}, {.fileBytes = 9}, "larger than", 0, false, "larger than", {}},
        {"disk full", diskFull, {}, "", 1202, {}, "too large", {}},
        {"no home", noHome, {}, "no home folder was found", 0, {}, "no home folder was found", {}},
        // Replaced, it is its owner's to read again; the other bits stay.
        {"unreadable", unreadable, {}, denied, root ? 1202 : 0, askUnlessRoot, denied, saved},
        {"a link", linked, {}, "", 1202, {}, "", saved},
    };
    for (const auto& [name, cause, limits, told, loaded, answer, why, after] : cases) {
        SCOPED_TRACE(name);
        put(text);
        ASSERT_EQ(::chmod(QFile::encodeName(path()), 0604), 0);  // a save keeps the mode
        ASSERT_TRUE(!cause || cause(QFile::encodeName(path())));
        scoreFileLimits = limits;
        recorded() = {{}, {}, answer.value_or(false), 0};
        logged.clear();
        Window4& scores = Open();
        const QString shown = scores.StaticText5->widget()->property("text").toString();
        EXPECT_TRUE(*told ? shown.contains(told) : shown.isEmpty())
            << "told: " << shown.toStdString();
        EXPECT_EQ(scores.ListBox1->ListCount(), loaded) << "rows loaded";
        const SaveResult result = saveScores(*scores.ListBox1, "Zed", 3);
        const QString where = QDir::toNativeSeparators(scoreFile().path());
        ASSERT_TRUE(maxFileBytes(RLIM_INFINITY));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        qputenv("HOME", homeWas);
        ASSERT_EQ(recorded().questions.size(), answer ? 1 : 0) << "asked before replacing";
        const QString said = answer ? recorded().questions.value(0) : result.message;
        EXPECT_TRUE(*why ? said.contains(why) : said.isEmpty()) << "said: " << said.toStdString();
        if (!answer && !after) {
            EXPECT_TRUE(said.contains(where)) << "the failure names the file";
        }
        EXPECT_EQ(logged.isEmpty(), said.isEmpty() && !*told)
            << "a failure, and only one, is logged";
        EXPECT_EQ(result.saved, after.has_value()) << "saved";
        const QFileInfo now(path());  // a link or FIFO left as it is
        if (after) {
            EXPECT_EQ(fileBytes(), after);
            struct stat info {};
            ASSERT_EQ(::stat(QFile::encodeName(path()), &info), 0);
            EXPECT_EQ(info.st_mode & 0777, 0604u) << "the mode, its owner's to read again";
        } else if (now.isFile() && !now.isSymLink()) {
            EXPECT_EQ(fileBytes(), text) << "the old file was changed";
        }
        EXPECT_EQ(leftovers(), QStringList()) << "a save leaves nothing";
    }
    EXPECT_FALSE(QFileInfo::exists("c")) << "no home, yet a folder was made";
    if (root) {
        EXPECT_EQ(QFileInfo(path()).ownerId(), 4321u) << "the owner of the file a link leads to";
        EXPECT_EQ(QFileInfo(path()).groupId(), 4322u) << "the group of the file a link leads to";
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
    const auto held = [&] {
        holder = ::open(lock, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        return holder >= 0 && ::flock(holder, LOCK_EX) == 0;
    };
    const char* inTheWay = "stands where its lock";
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
        {"a FIFO", [&] { return ::mkfifo(lock, 0600) == 0; }, inTheWay, 0, 500},
        {"a folder", [&] { return QDir().mkdir(lock); }, inTheWay, 0, 500},
        {"held by a running game", held, "another program is writing it", 2900, 4000},
    };
    for (const auto& [name, leave, why, atLeastMs, atMostMs] : cases) {
        SCOPED_TRACE(name);
        put("Ann,1\n");
        ListBox& list = *Open().ListBox1;
        ASSERT_TRUE(leave());
        const QFileInfo before(lock);
        QElapsedTimer clock;
        clock.start();
        const SaveResult result = saveScores(list, "Zed", 3);
        const qint64 ms = clock.elapsed();
        EXPECT_GE(ms, atLeastMs) << "ms the save took";
        EXPECT_LE(ms, atMostMs) << "ms the save took";
        EXPECT_EQ(result.saved, !*why);
        const bool told = *why ? result.message.contains(why) : result.message.isEmpty();
        EXPECT_TRUE(told) << "said: " << result.message.toStdString();
        EXPECT_EQ(fileBytes(), *why ? "Ann,1\n" : "Ann,1\nZed,3\n");
        if (why == inTheWay) {
            EXPECT_TRUE(result.message.contains(QString::fromUtf8(lock))) << "the lock is named";
            EXPECT_TRUE(QFileInfo(lock).exists()) << "what stood there was removed";
            EXPECT_EQ(QFileInfo(lock).isDir(), before.isDir()) << "what stood there was changed";
        }
        if (!*why) {
            EXPECT_EQ(leftovers(), QStringList()) << "a save leaves nothing";
        }
        ::close(std::exchange(holder, -1));
        ::unlink(lock);
        ::rmdir(lock);
    }
    EXPECT_FALSE(QFileInfo("/dev/zero").isFile()) << "what a link led to was replaced";
}

// Savers killed at a random row: the file is the old one or one whole save, never a mix, and
// the next save takes over the dead one's lock and clears its leavings. The kill moments come
// from a seed it prints; HUEMIX_KILL_SEED=that seed replays a failing run.
TEST_F(ScoresTest, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    QByteArray up;
    QByteArray down;  // a mix of the two differs from both
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
                if (++steps == killAt) {
                    ::kill(::getpid(), SIGKILL);
                }
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
        ASSERT_TRUE(fileBytes() == up || fileBytes() == down) << round << ": a mix of two saves";
        cutOff += QFileInfo::exists(".Huemix.prefs.saving") ? 1 : 0;
    }
    EXPECT_EQ(cutOff, 30) << "a kill left no cut save: nothing was tried";
    list.rows().sort(1, Qt::AscendingOrder);
    EXPECT_TRUE(saveScores(list, {}, 0).saved) << "the save after the kills failed";
    EXPECT_TRUE(fileBytes() == up) << "the save after the kills wrote another file";
    EXPECT_EQ(leftovers(), QStringList()) << "the killed saves' leavings stay";
}

// Two game processes reach one file through a link of each's own config folder, both loaded
// before either saves. B holds the lock a while; A waits, reads the file again (in B's order,
// not A's) and keeps B's records, a record there twice that was there once included.
TEST_F(ScoresTest, twoGamesSavingAtOnceTakeTurnsAndKeepEachOthersRecords) {
    const QString shared = home.filePath("shared");
    const QString b = home.filePath("b");
    ASSERT_TRUE(QDir().mkpath(shared)) << "no shared folder";
    ASSERT_TRUE(QDir().mkpath(b)) << "no folder for B";
    ASSERT_TRUE(QFile::link("shared/Huemix.prefs", path()));
    ASSERT_TRUE(QFile::link("../shared/Huemix.prefs", b + "/Huemix.prefs"));
    QFile file(shared + "/Huemix.prefs");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << "the shared file could not be made";
    ASSERT_EQ(file.write("Ama,1\nZoe,2\n"), 12) << "the shared file was not written";
    file.close();
    ListBox& list = *Open().ListBox1;
    int saving[2];
    ASSERT_EQ(::pipe(saving), 0);
    const pid_t other = ::fork();
    list.AddRow(other == 0 ? "Zoe" : "Ann");
    list.setCell(list.LastIndex(), 1, other == 0 ? "2" : "3");
    if (other == 0) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(b));
        list.rows().sort(0, Qt::DescendingOrder);
        services().progress = [&](const QString&, qint64 done, qint64) {
            if (done == 0 && ::write(saving[1], "s", 1) == 1) {
                ::usleep(300000);  // a slow disk
            }
        };
        ::_exit(saveScores(list, "Bee", 5).saved ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(saving[0], &byte, 1), 1) << "B did not begin to save";
    ::close(saving[0]);
    ::close(saving[1]);
    EXPECT_TRUE(saveScores(list, "Ayy", 4).saved) << "A did not save";
    int status = -1;
    EXPECT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_EQ(status, 0) << "B did not save, or did not end";
    EXPECT_EQ(fileBytes(), "Ama,1\nZoe,2\nAnn,3\nZoe,2\nBee,5\nAyy,4\n");
    EXPECT_TRUE(QFileInfo(path()).isSymLink()) << "the link was replaced";
    for (const QString& folder : {home.path(), shared, b}) {
        EXPECT_EQ(leftovers(folder), QStringList()) << folder.toStdString();
    }
}

// From the score board (a name typed, then "Run") through the steps, blank-separated, to the
// way out: the file before and after. The first game scores `score`.
struct Ending {
    const char* name;
    const char* typed;
    const char* steps;
    int score;
    Bytes before;
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
                EXPECT_EQ(board.Timer1->Mode(), Timer::Off) << "the game went on while asking";
                ++asked;
                return answer.value_or(SaveChoice::Cancel);
            });
            board.close();
        }
        EXPECT_EQ(asked, answer.has_value() ? 1 : 0) << "asked about unsaved scores";
        EXPECT_EQ(board.isVisible(), answer == SaveChoice::Cancel) << "the board stays open";
    };
    const auto orderBy = [&](int column) {  // a click on the heading
        QHeaderView* header = static_cast<QTableView*>(list.widget())->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(column) + 5, header->height() / 2});
    };
    const std::map<QString, std::function<void(Window1&)>> does{
        {"ByName", [&](Window1&) { orderBy(0); }},
        {"ByScore", [&](Window1&) { orderBy(1); }},
        {"Expert", [&](Window1& board) { board.RadioButton2->setValue(true); }},
        {"Start",
         [&](Window1& board) {
             board.PushButton1->Push();
             board.counter = run.score;
         }},
        {"NewGame",
         [&](Window1& board) {  // Beginner is off only after a recorded game
             const int rowsBefore = list.ListCount();
             board.PushButton4->Push();
             settleEvents();
             EXPECT_EQ(Window1::shared().RadioButton1->Enabled(), list.ListCount() == rowsBefore);
         }},
        {"Quit", [&](Window1& board) { board.PushButton3->Push(); }},
        {"QuitFailing",
         [&](Window1& board) {  // told why, and the game goes on
             maxFileBytes(0);
             board.PushButton3->Push();
             maxFileBytes(RLIM_INFINITY);
             EXPECT_EQ(recorded().messages.size(), 1) << "the failed quit was not told";
             EXPECT_EQ(recorded().quits, 0) << "the game quit though the save failed";
             EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game stopped";
         }},
        {"Close", [&](Window1& board) { close(board, std::nullopt); }},
        {"CloseSave", [&](Window1& board) { close(board, SaveChoice::Save); }},
        {"Discard", [&](Window1& board) { close(board, SaveChoice::DontSave); }},
        {"Cancel", [&](Window1& board) { close(board, SaveChoice::Cancel); }},
    };
    for (const QString& step : QString::fromUtf8(run.steps).split(' ')) {
        does.at(step)(Window1::shared());
    }
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(fileBytes(), run.after);
}

// Only lines with a score are records, kept byte for byte however long their other fields;
// the other lines stay too, last, as they were.
const QByteArray odd("Ann,12\r\nB\0b,\xfe\n\xff\xfe,\0\x01\n\xc3(,9\n", 25);
const QByteArray big((1 << 20) + 9, 'x'), most(1 << 20, 'x');  // a field's limit
const QByteArray bigRecord = most + ',' + most + ",tail" + big + '\n';
// Numbers by value before texts, texts ignoring case; equal cells keep the order shown.
const QByteArray seven("Eve,10\nbob,10\nAnn,9\ncid,lots\nann,-3\nDee, 7\nFay,Lot\n");
const Ending runs[] = {
    {"fieldRule", "", "Expert Quit", 0,
     "Ann,12,x\nAnn\nAnn,\nAnn,,12\n\nBob,lots\n Ann , -4 \n,3\n" + big + '\n' + big + ",\n" +
         bigRecord + odd + "Ann,12",
     "Ann,12,x\nBob,lots\n Ann , -4 \n,3\n" + bigRecord + odd + "Ann,12\nAnn\nAnn,\nAnn,,12\n\n" +
         big + '\n' + big + ",\n"},
    {"crLfStaysOnEveryLine", "Zed", "Expert Start NewGame Quit", 2, "Ann,12\r\nnote\r\nBob,7,x\r\n",
     "Ann,12\r\nBob,7,x\r\nZed,2\r\nZed,0\r\nnote\r\n"},
    {"orderedByNameThenByScoreReversed", "", "ByName ByScore ByScore Expert Quit", 0, seven,
     "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\nann,-3\n"},
    {"beginnerRecordsNothing", "Zed", "Start NewGame Quit", 2, "Ann,12\nAnn\n", "Ann,12\nAnn\n"},
    // Also New Game's record; with no file, Quit makes one.
    {"commasAndLineBreaksInANameGo", "Smith, J\r\nDee\u2028", "Expert Start NewGame Quit", 4,
     std::nullopt, "Smith J Dee ,4\nSmith J Dee ,0\n"},
    {"commasAloneAreNoName", ",,,", "Expert Start NewGame Quit", 4, "Ann,12\n", "Ann,12\n"},
    // Any other way out asks about what Quit would write and the file lacks.
    {"closeCancelledThenDiscarded", "Zed", "Expert Start NewGame Cancel Discard", 4, "Ann,12\n",
     "Ann,12\n"},
    {"aFailedQuitKeepsTheGameThenCloseSaves", "Zed", "Expert Start QuitFailing CloseSave", 3,
     "Ann,12\n", "Ann,12\nZed,3\n"},
    {"closeWithNothingUnsaved", "Zed", "Start NewGame Expert Close", 2, "Ann,12\n", "Ann,12\n"},
};
INSTANTIATE_TEST_SUITE_P(Runs, EndingTest, ::testing::ValuesIn(runs),
                         [](const auto& row) { return std::string(row.param.name); });
}  // namespace
