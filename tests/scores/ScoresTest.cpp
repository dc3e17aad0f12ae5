// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>

#include <QDir>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Progress.h"
#include "headless/Headless.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"

namespace {
using Bytes = std::optional<QByteArray>;  // nothing: no file

// Writes past this size fail, as on a full disk.
bool maxFileBytes(rlim_t bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = std::min(bytes, limit.rlim_max);  // only root may raise the hard limit
    return ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// A fresh preferences folder per test.
class ScoresTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        recorded().clear();
    }
    void TearDown() override {
        closeAllWindows();
        scoreFileLimits = {};
    }
    QString path() const { return home.filePath("Huemix.prefs"); }
    void put(const Bytes& bytes) const {
        QFile::remove(path());
        QFile file(path());
        ASSERT_TRUE(!bytes || (file.open(QIODevice::WriteOnly) && file.write(*bytes) >= 0));
    }
    Bytes fileBytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? Bytes(file.readAll()) : std::nullopt;
    }
    QStringList files(const QString& pattern) const {
        return QDir(home.path()).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    Window4& Open() { return closeAllWindows(), Window4::shared(); }

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
    // clang-format off
    const struct {
        const char* name;
        std::function<bool(const QByteArray& path)> cause;  // none: a file of `text`
        ScoreFileLimits limits;
        const char* told;            // on the board
        int loaded;
        std::optional<bool> answer;  // to the question before replacing, if asked
        const char* why;             // in the question, or in the failure's message
        Bytes after;                 // nothing: the file as it was
    } cases[] = {
        {"read error", [](auto& p) { return QFile::remove(p) && QFile::link("/proc/self/mem", p); },
         {}, "Input/output error", 0, {}, "", {}},  // our memory's start cannot be read
        {"no regular file", [](auto& p) { return QFile::remove(p) && ::mkfifo(p, 0600) == 0; },
         {}, "not a regular file", 0, {}, "it is not a regular file, and was left as it is.", {}},
        {"field over the limit", {}, {.fieldBytes = 3}, "longer than", 1, true, "longer than",
         "Ann,1\nZed,3\n"},
        {"file over the limit", {}, {.fileBytes = 9}, "larger than", 0, false, "larger than", {}},
        {"disk full", [](auto&) { return maxFileBytes(4096); }, {}, "", 1202, {}, "too large", {}},
        {"no home",
         [](auto&) { return qputenv("XDG_CONFIG_HOME", "config") && qputenv("HOME", "/"); }, {},
         "Scores cannot be kept: no home folder was found.", 0, {}, "no home folder was found", {}},
        // Written through, its owner and mode kept (only root may give a file away).
        {"a link", [](auto& p) { return QFile::rename(p, p + ".kept") &&
                                        QFile::link("Huemix.prefs.kept", p) && !::chmod(p, 0604) &&
                                        (::geteuid() || !::chown(p, 4321, 4322)); },
         {}, "", 1202, {}, "", text + "Zed,3\n"},
    };
    // clang-format on
    for (const auto& [name, cause, limits, told, loaded, answer, why, after] : cases) {
        put(text);
        ASSERT_TRUE(!cause || cause(QFile::encodeName(path()))) << name;
        scoreFileLimits = limits;
        recorded() = {{}, {}, answer.value_or(false), 0};
        Window4& scores = Open();
        EXPECT_TRUE(scores.StaticText5->widget()->property("text").toString().contains(told) &&
                    scores.ListBox1->ListCount() == loaded)
            << name;
        const SaveResult result = saveScores(*scores.ListBox1, "Zed", 3);
        const QString where = QDir::toNativeSeparators(scoreFile().path());
        ASSERT_TRUE(maxFileBytes(RLIM_INFINITY)) << name;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8()), qputenv("HOME", homeWas);
        ASSERT_EQ(recorded().questions.size(), answer ? 1 : 0) << name;
        const QString said = answer ? recorded().questions.value(0) : result.message;
        EXPECT_TRUE(said.contains(why) && (answer || after || said.contains(where))) << name;
        const QFileInfo now(path());  // a link or FIFO left as it is
        EXPECT_TRUE(result.saved == after.has_value() &&
                    (after ? fileBytes() == after
                           : now.isSymLink() || !now.isFile() || fileBytes() == text))
            << name;
        EXPECT_EQ(files(".Huemix.prefs.*"), QStringList()) << name << ": a save leaves nothing";
    }
    struct stat kept {};  // the owner and mode of the file the link leads to are kept
    EXPECT_FALSE(QFileInfo::exists("config")) << "no home, no file";
    EXPECT_TRUE(QFileInfo(path()).isSymLink() && ::stat(QFile::encodeName(path()), &kept) == 0 &&
                kept.st_mode % 01000 == 0604 &&
                (::geteuid() != 0 || (kept.st_uid == 4321 && kept.st_gid == 4322)));
}

// Savers killed at a random row: the file is the old one or one whole save, never a mix, and
// the next save takes over the dead one's lock and clears its leavings.
TEST_F(ScoresTest, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    QByteArray up, down;  // a mix of the two differs from both
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
        up += line, down.prepend(line);
    }
    put(down);
    ListBox& list = *Open().ListBox1;
    qsizetype cutOff = 0;  // kills that left a cut save behind
    for (int round = 0; round < 30; ++round) {
        const int killAt = QRandomGenerator::global()->bounded(1, 3000);  // 1,001 steps a save
        const pid_t saver = ::fork();
        if (saver == 0) {  // saves, ordered the other way round each time, until killed
            Progress::observer = [&, steps = 0](const QString&, qint64, qint64) mutable {
                (++steps == killAt && ::kill(::getpid(), SIGKILL));
            };
            for (int n = 0; saveScores(list, {}, 0).saved; ++n) {
                list.rows().sort(1, n % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
            }
            ::_exit(3);
        }
        int status = 0;
        ASSERT_TRUE(saver > 0 && ::waitpid(saver, &status, 0) == saver && WIFSIGNALED(status));
        ASSERT_TRUE(fileBytes() == up || fileBytes() == down) << "round " << round;
        cutOff += files(".Huemix.prefs.saving").size();
    }
    EXPECT_EQ(cutOff, 30) << "a kill left no cut save: nothing was tried";
    list.rows().sort(1, Qt::AscendingOrder);
    EXPECT_TRUE(saveScores(list, {}, 0).saved && fileBytes() == up);
    EXPECT_EQ(files(".Huemix.prefs.*"), QStringList());
}

// Two game processes, both loaded before either saves. B holds the lock a while; A waits,
// reads the file again (in B's order, not A's) and keeps B's records.
TEST_F(ScoresTest, twoGamesSavingAtOnceTakeTurnsAndKeepEachOthersRecords) {
    put("Ama,1\nZoe,2\n");
    ListBox& list = *Open().ListBox1;
    int saving[2];
    ASSERT_EQ(::pipe(saving), 0);
    const pid_t b = ::fork();
    list.AddRow(b == 0 ? "Zoe" : "Ann");  // B's Zoe is there twice then, and stays
    list.setCell(list.LastIndex(), 1, b == 0 ? "2" : "3");
    if (b == 0) {
        list.rows().sort(0, Qt::DescendingOrder);
        Progress::observer = [&](const QString&, qint64 done, qint64) {
            (done == 0 && ::write(saving[1], "s", 1) == 1 && ::usleep(300000));
        };
        ::_exit(saveScores(list, "Bee", 5).saved ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(saving[0], &byte, 1), 1);
    EXPECT_TRUE(saveScores(list, "Ayy", 4).saved);
    int status = -1;
    EXPECT_TRUE(::waitpid(b, &status, 0) == b && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fileBytes(), "Ama,1\nZoe,2\nAnn,3\nZoe,2\nBee,5\nAyy,4\n");
}

// From the score board (a name typed, then "Run") to the way out: the file
// before, what the player does, the file after. The first game scores `score`.
// clang-format off
enum Step { ByName, ByScore, Expert, Start, NewGame, AddLines, Quit, QuitFailing, Close, CloseSave,
            Discard, Cancel };
struct Ending { const char* name; Bytes before; const char* typed; std::vector<Step> steps;
                int score; Bytes after; };
void PrintTo(const Ending& run, std::ostream* out) { *out << run.name; }
// clang-format on
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
        const auto presenter = std::exchange(Application::saveQuestionPresenter, [&](auto&) {
            EXPECT_EQ(board.Timer1->Mode(), Timer::Off);
            return ++asked, answer.value_or(SaveChoice::Cancel);
        });
        board.close();
        Application::saveQuestionPresenter = presenter;
        EXPECT_TRUE(asked == answer.has_value() &&
                    board.isVisible() == (answer == SaveChoice::Cancel));
    };
    const auto newGame = [&](Window1& board) {  // Beginner is off only after a recorded game
        const int rowsBefore = list.ListCount();
        board.PushButton4->Push(), settleEvents();
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
        {Start, [&](Window1& board) { board.PushButton1->Push(), board.counter = run.score; }},
        {NewGame, newGame},
        {AddLines, [&](Window1&) { put(*fileBytes() + "Cid,1\nAnn,12\nEve\nBob,7,x\n"); }},
        {Quit, [](Window1& board) { board.PushButton3->Push(); }},
        {QuitFailing,
         [&](Window1& board) {  // told why, and the game goes on
             maxFileBytes(0), board.PushButton3->Push(), maxFileBytes(RLIM_INFINITY);
             EXPECT_TRUE(recorded().messages.size() == 1 && recorded().quits == 0 &&
                         board.Timer1->Mode() == Timer::Multiple);
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

// Only lines with a score are records, kept byte for byte however long their other fields.
const QByteArray odd("Ann,12\r\nB\0b,\xfe\n\xff\xfe,\0\x01\n\xc3(,9\n", 25);
const QByteArray big((1 << 20) + 9, 'x'), most(1 << 20, 'x');  // a field's limit
// Numbers by value before texts, texts ignoring case; equal cells keep the order shown.
const QByteArray seven("Eve,10\nbob,10\nAnn,9\ncid,lots\nann,-3\nDee, 7\nFay,Lot\n");
// clang-format off
const Ending runs[] = {
    {"fieldRule", "Ann,12,x\nAnn\nAnn,\nAnn,,12\n\nBob,lots\n Ann , -4 \n,3\n" + big + '\n' + big +
     ",\n" + most + ',' + most + ",tail" + big + '\n' + odd + "Ann,12", "", {Expert, Quit}, 0,
     "Ann,12\nBob,lots\n Ann , -4 \n,3\n" + most + ',' + most + '\n' + odd + "Ann,12\n"},
    {"orderedByNameThenScore", seven, "", {ByName, ByScore, Expert, Quit}, 0,
     "ann,-3\nDee, 7\nAnn,9\nbob,10\nEve,10\nFay,Lot\ncid,lots\n"},
    {"orderedByScoreReversed", seven, "", {ByName, ByScore, ByScore, Expert, Quit}, 0,
     "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\nann,-3\n"},
    {"beginnerRecordsNothing", "Ann,12\nAnn\n", "Zed", {Start, NewGame, Quit}, 2, "Ann,12\nAnn\n"},
    {"commasInANameGo", "Smith, J,5\n", "Smith, J", {Expert, Start, NewGame, Quit}, 4,
     "Smith, J\nSmith J,4\nSmith J,0\n"},
    {"commasAloneAreNoName", "Ann,12\n", ",,,", {Expert, Start, NewGame, Quit}, 4, "Ann,12\n"},
    {"lineBreaksGoAndQuitMakesTheFile", std::nullopt, "Cid\r\nDee\u2028", {Expert, Start, Quit}, 3,
     "Cid Dee ,3\n"},
    // Records added by hand since the load stay, after the list's rows; a non-record does not.
    {"handAddedRecordsStay", "Ann,12\nBob,7\n", "Zed", {Expert, Start, NewGame, AddLines, Quit}, 2,
     "Ann,12\nBob,7\nZed,2\nCid,1\nAnn,12\nBob,7\nZed,0\n"},
    // Any other way out asks about what Quit would write and the file lacks.
    {"closeCancelledThenDiscarded", "Ann,12\n", "Zed", {Expert, Start, NewGame, Cancel, Discard}, 4,
     "Ann,12\n"},
    {"closeCancelledThenSaved", "Ann,12\n", "Zed", {Expert, Start, Cancel, CloseSave}, 3,
     "Ann,12\nZed,3\n"},
    {"aFailedQuitKeepsTheGame", "Ann,12\n", "Zed", {Expert, Start, QuitFailing, Quit}, 3,
     "Ann,12\nZed,3\n"},
    {"closeWithNothingUnsaved", "Ann,12\n", "Zed", {Start, NewGame, Expert, Close}, 2, "Ann,12\n"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Runs, EndingTest, ::testing::ValuesIn(runs),
                         [](const auto& row) { return std::string(row.param.name); });
}  // namespace
