// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

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

void clickHeading(const ListBox& list, int column) {
    QHeaderView* header = static_cast<QTableView*>(list.widget())->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(column) + 5, header->height() / 2});
}
// The rows as the file would hold them.
QByteArray rows(const ListRows& list) {
    QByteArray rows;
    for (int row = 0; row < list.rowCount({}); ++row) {
        rows += list.cell(row, 0).toByteArray() + ',' + list.cell(row, 1).toByteArray() + '\n';
    }
    return rows;
}
// Writes past this size fail, as on a full disk.
bool maxFileBytes(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
QString told(const Window4& scores) {  // why the list is empty or short
    return scores.StaticText5->widget()->property("text").toString();
}

// A fresh preferences folder per test, the window classes registered, and
// files of the player's own beside the score file that no save may touch.
class ScoresTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        Window4::showBoard = [] { Window1::shared().Show(); };
        recorded().clear();
        for (const QString& name : playersFiles) {
            put(name.toUtf8(), name);
        }
    }
    void TearDown() override {
        closeAllWindows();
        Progress::observer = nullptr;
        scoreFileLimits = {};
        for (const QString& name : playersFiles) {
            EXPECT_EQ(fileBytes(name), name.toUtf8()) << name.toStdString();
        }
    }
    const QStringList playersFiles{"Huemix.prefs.AbcdEf", "Huemix.prefs.backup", ".Huemix.prefs"};
    QString path(const QString& name = "Huemix.prefs") const { return home.filePath(name); }
    void put(const Bytes& bytes, const QString& name = "Huemix.prefs") const {
        QFile::remove(path(name));
        QFile file(path(name));
        ASSERT_TRUE(!bytes || (file.open(QIODevice::WriteOnly) && file.write(*bytes) >= 0));
    }
    Bytes fileBytes(const QString& name = "Huemix.prefs") const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? Bytes(file.readAll()) : std::nullopt;
    }
    QStringList files(const QString& pattern) const {
        return QDir(home.path()).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    Window4& Open() {
        closeAllWindows();
        Window4& scores = Window4::shared();
        settleEvents();
        return scores;
    }

    QTemporaryDir home;
};

// Numbers by value before texts, texts ignoring case; equal cells keep the
// order shown, and what is selected stays selected. Cells show what would
// disrupt the list as visible, and keep their bytes.
TEST(ScoreModelTest, orderingIsStableAndCellsShowSafely) {
    ScoreModel model;
    for (const char* row :
         {"bob,10", "Ann,9", "cid,lots", "ann,-3", "Dee, 7", "Eve,10", "Fay,Lot"}) {
        model.appendRecord(QByteArray(row).split(',')[0], QByteArray(row).split(',')[1]);
    }
    model.publish();
    const QPersistentModelIndex ann = model.index(1, 0);
    const struct {
        const char* name;
        int column;
        Qt::SortOrder order;
        QByteArray shown;
    } orders[] = {
        {"by score", 1, Qt::AscendingOrder,
         "ann,-3\nDee, 7\nAnn,9\nbob,10\nEve,10\nFay,Lot\ncid,lots\n"},
        {"by score, reversed", 1, Qt::DescendingOrder,
         "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\nann,-3\n"},
        {"by name", 0, Qt::AscendingOrder,
         "Ann,9\nann,-3\nbob,10\ncid,lots\nDee, 7\nEve,10\nFay,Lot\n"},
    };
    for (const auto& [name, column, order, shown] : orders) {
        model.sort(column, order);
        EXPECT_EQ(rows(model), shown) << name;
    }
    EXPECT_TRUE(ann.row() == 0 && model.lastIndex() == 6);
    EXPECT_THROW(model.setCell(7, 0, "x"), std::out_of_range);
    QByteArray equal;  // more equal cells than std::sort orders by insertion
    for (int i = 1; i <= 40; ++i) {
        model.addRow(QByteArray::number(41 - i));
        model.setCell(model.lastIndex(), 1, "5");
        equal += QByteArray::number(i) + ",5\n";
    }
    model.sort(0, Qt::AscendingOrder);  // shown 1 to 40, added the other way round
    model.sort(1, Qt::AscendingOrder);
    EXPECT_TRUE(rows(model).contains(equal));

    const std::pair<QByteArray, QString> cells[] = {
        {QByteArray("A\xff\0B\x7f\tb\rc\r", 10),
         QStringLiteral("A\uFFFD\u2400B\u2421\u2409b\u240Dc")},
        {"\u202Eevil\u202C\u2066b\u2069\u200F\u2028\u0085a",
         QStringLiteral("\uFFFDevil\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFDa")},
        {QByteArray(4 << 20, 'h'), QString(512, 'h')},  // cut, so painting cannot hang
    };
    for (const auto& [bytes, shown] : cells) {
        model.addRow(bytes);
        EXPECT_EQ(model.index(model.lastIndex(), 0).data().toString(), shown);
        EXPECT_EQ(model.cell(model.lastIndex(), 0), bytes);
    }
}

// Lines are cut at commas; only lines with a score are records, read and
// written back byte for byte. Only two fields of a line are kept in memory.
TEST_F(ScoresTest, filesLoadByTheFieldRuleAndSaveBackByteForByte) {
    scoreFileLimits.fieldBytes = 64;
    const QByteArray odd("Ann,12\r\nB\0b,\xfe\n\xff\xfe,\0\x01\n\xc3(,9\n", 25);
    const QByteArray big(200, 'x'), most(64, 'x');
    const struct {
        const char* name;
        Bytes file;
        QByteArray written;
    } cases[] = {
        {"no file", std::nullopt, ""},
        {"field rule", "Ann,12,x\nAnn\nAnn,\nAnn,,12\n\nBob,lots\n Ann , -4 \n,3\nAnn,12",
         "Ann,12\nBob,lots\n Ann , -4 \n,3\nAnn,12\n"},
        {"odd bytes", odd, odd},
        {"long lines that are no record", big + '\n' + big + ",\n" + odd + big, odd},
        {"fields at the limit", most + ',' + most + ",tail" + big + '\n' + odd,
         most + ',' + most + '\n' + odd},
    };
    for (const auto& [name, file, written] : cases) {
        put(file);
        EXPECT_TRUE(saveScores(*Open().ListBox1, {}, 0).saved) << name;
        EXPECT_EQ(fileBytes(), written) << name;
    }
    // A folder, a FIFO or a device is no file, and is never waited on.
    for (const auto make : {+[](const char* p) { return ::mkfifo(p, 0600); },
                            +[](const char* p) { return ::symlink("/dev/zero", p); },
                            +[](const char* p) { return ::mkdir(p, 0700); }}) {
        put(std::nullopt);
        ASSERT_EQ(make(QFile::encodeName(path()).constData()), 0);
        EXPECT_EQ(Open().ListBox1->ListCount(), 0);
        EXPECT_TRUE(told(Window4::shared()).contains("not a regular file"));
    }
    Window4::shared().close();  // the close button
    settleEvents();
    EXPECT_EQ(recorded().quits, 1) << "no window of the game is left on screen";
    qputenv("XDG_CONFIG_HOME", "config"), qputenv("HOME", "/");  // no home, and "/" is none
    EXPECT_EQ(told(Open()), "Scores cannot be kept: no home folder was found.");
}

// A file that cannot be read whole is named on the board; a save asks first,
// and No (the default) leaves the file as it is.
TEST_F(ScoresTest, aFileNotReadWholeIsToldAndReplacedOnlyWhenThePlayerSaysYes) {
    const struct {
        const char* name;
        bool ioError;  // the file is a link to our memory's start, which cannot be read
        ScoreFileLimits limits;
        const char* why;
        QByteArray shown;
    } cases[] = {
        {"read error", true, {}, "Input/output error", ""},
        {"field over the limit", false, {.fieldBytes = 3}, "longer than", "Ann,1\n"},
        {"file over the limit", false, {.fileBytes = 9}, "larger than", ""},
    };
    for (const auto& [name, ioError, limits, why, shown] : cases) {
        put("Ann,1\nBobby,2\n");
        ASSERT_TRUE(!ioError || (QFile::remove(path()) && QFile::link("/proc/self/mem", path())));
        scoreFileLimits = limits;
        const QFileInfo before(path());
        Window4& scores = Open();
        EXPECT_EQ(rows(scores.ListBox1->rows()), shown) << name;
        EXPECT_TRUE(told(scores).contains(why)) << name;
        EXPECT_FALSE(saveScores(*scores.ListBox1, "Zed", 3).saved) << name;
        // Our memory is no file a save could replace: it fails before asking.
        ASSERT_EQ(recorded().questions.size(), ioError ? 0 : 1) << name;
        EXPECT_TRUE(ioError || recorded().questions.takeFirst().contains(why)) << name;
        const QFileInfo after(path());
        EXPECT_TRUE(after.lastModified() == before.lastModified() &&
                    after.size() == before.size() && after.isSymLink() == ioError);
    }
    // No descriptor left to open it with.
    rlimit files{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &files), 0);
    const rlim_t was = std::exchange(files.rlim_cur, static_cast<rlim_t>(::dup(2)));
    ::close(static_cast<int>(files.rlim_cur));
    ScoreModel model;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &files), 0);
    const QString why = loadScores(model);
    files.rlim_cur = was;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &files), 0);
    EXPECT_TRUE(why.contains("Too many open files")) << why.toStdString();
    recorded().answer = true;  // Yes keeps what can be read
    EXPECT_TRUE(saveScores(*Window4::shared().ListBox1, "Zed", 3).saved);
    EXPECT_EQ(fileBytes(), "Zed,3\n");
}

// A save that cannot write keeps the old file, leaves nothing beside it and
// tells why and where; the next that can keeps what the load missed, and the
// owner and mode of the file, written through a link.
TEST_F(ScoresTest, aFailedSaveKeepsTheOldFileAndTellsWhy) {
    QByteArray text = "Ann,1\nBobby,2\n";
    for (int i = 0; i < 1000; ++i) {
        text += 'P' + QByteArray::number(i) + ",1\n";
    }
    put(text);
    scoreFileLimits.fieldBytes = 3;  // the load stops at Bobby
    ListBox& list = *Open().ListBox1;
    scoreFileLimits = {};
    const QByteArray device = path("device").toUtf8(), kept = path("kept").toUtf8();
    ASSERT_TRUE(::mknod(device, S_IFCHR | 0666, makedev(1, 3)) == 0 || ::mkdir(device, 0700) == 0);
    put("", "file");
    const QByteArray homeWas = qgetenv("HOME");
    const struct {
        const char* name;
        std::function<bool()> cause;
        const char* why;
    } causes[] = {
        {"no folder", [&] { return qputenv("XDG_CONFIG_HOME", path("file/c").toUtf8()); },
         "could not be made"},
        {"no regular file", [&] { return QFile::remove(path()) && QFile::link("device", path()); },
         "it is not a regular file, and was left as it is."},
        {"disk full", [] { return maxFileBytes(4096); }, "File too large"},
        {"no home", [] { return qputenv("XDG_CONFIG_HOME", "config") && qputenv("HOME", "/"); },
         "no home folder was found"},
    };
    for (const auto& [name, cause, why] : causes) {
        ASSERT_TRUE(cause()) << name;
        const SaveResult result = saveScores(list, "Zed", 3);
        ASSERT_TRUE(maxFileBytes(RLIM_INFINITY)) << name;
        EXPECT_TRUE(!result.saved && result.message.contains(why) &&
                    result.message.contains(QDir::toNativeSeparators(scoreFile().path())))
            << result.message.toStdString();
        EXPECT_TRUE(files(".Huemix.prefs.*").isEmpty()) << name << ": a failed save leaves nothing";
        EXPECT_TRUE(QFileInfo(path()).isSymLink() || fileBytes() == text) << name;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8()), qputenv("HOME", homeWas);
        put(text);
    }
    EXPECT_FALSE(QFileInfo::exists("config"));
    ASSERT_TRUE(QFile::rename(path(), path("kept")) && QFile::link("kept", path()));
    const bool root = ::geteuid() == 0;  // only root may give a file away
    ASSERT_TRUE((!root || ::chown(kept, 4321, 4322) == 0) && ::chmod(kept, 0604) == 0);
    EXPECT_TRUE(saveScores(list, "Zed", 3).saved);
    EXPECT_TRUE(QFileInfo(path()).isSymLink() && fileBytes() == text + "Zed,3\n");
    struct stat info {};
    EXPECT_TRUE(::stat(kept, &info) == 0 && info.st_mode % 01000 == 0604 &&
                (!root || (info.st_uid == 4321 && info.st_gid == 4322)));
}

// Savers killed (SIGKILL) at a random row of one of their first saves: the
// file is always the old one or one whole save, never a mix; the next save
// takes over the dead one's lock and clears what it left, and only that.
TEST_F(ScoresTest, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    QByteArray up, down;  // a mix of the two differs from both
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
        up += line, down.prepend(line);
    }
    put(down);
    int steps = 0;  // a step is a thousandth of the way
    Progress::observer = [&](const QString&, qint64, qint64) { ++steps; };
    ListBox& list = *Open().ListBox1;
    steps = 0;
    EXPECT_TRUE(saveScores(list, {}, 0).saved && steps == 1001 && fileBytes() == down);
    qsizetype cutOff = 0;  // kills that left a cut save behind
    for (int round = 0; round < 30; ++round) {
        const int killAt = QRandomGenerator::global()->bounded(1, 3000);  // ~1,000 steps a save
        const pid_t saver = ::fork();
        if (saver == 0) {  // saves, ordered the other way round each time, until killed
            Progress::observer = [&, steps = 0](const QString&, qint64, qint64) mutable {
                (++steps == killAt && ::kill(::getpid(), SIGKILL));
            };
            while (saveScores(list, {}, 0).saved) {
                clickHeading(list, 1);
            }
            ::_exit(3);
        }
        int status = 0;
        ASSERT_TRUE(saver > 0 && ::waitpid(saver, &status, 0) == saver && WIFSIGNALED(status));
        ASSERT_TRUE(fileBytes() == up || fileBytes() == down) << "round " << round;
        cutOff += files(".Huemix.prefs.saving").size();
    }
    EXPECT_EQ(cutOff, 30) << "a kill left no cut save: nothing was tried";
    clickHeading(list, 1);
    EXPECT_TRUE(saveScores(list, {}, 0).saved && fileBytes() == up);
    EXPECT_TRUE(files(".Huemix.prefs.saving").isEmpty());
}

// Two games on one file, each a process of its own, both loaded before either
// saves. B's save holds the lock a while; A's waits for its turn, reads the
// file again (B's order is not the one A read) and keeps B's records.
TEST_F(ScoresTest, twoGamesSavingAtOnceTakeTurnsAndKeepEachOthersRecords) {
    put("Ama,1\nZoe,2\n");
    QWidget window;
    Progress::observer = [](const QString&, qint64, qint64) {};
    auto* list = new ListBox("ListBox1", &window, new ScoreModel);  // never shown: a
    loadScores(static_cast<ScoreModel&>(list->rows()));             // forked process must not paint
    int saving[2];
    ASSERT_EQ(::pipe(saving), 0);
    const pid_t b = ::fork();
    list->AddRow(b == 0 ? "Bob" : "Ann");
    list->setCell(list->LastIndex(), 1, b == 0 ? "2" : "3");
    if (b == 0) {
        list->rows().sort(0, Qt::DescendingOrder);
        Progress::observer = [&](const QString&, qint64 done, qint64) {
            (done == 0 && ::write(saving[1], "s", 1) == 1 && ::usleep(300000));
        };
        ::_exit(saveScores(*list, "Bee", 5).saved ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(saving[0], &byte, 1), 1);
    EXPECT_TRUE(saveScores(*list, "Ayy", 4).saved);
    int status = -1;
    EXPECT_TRUE(::waitpid(b, &status, 0) == b && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fileBytes(), "Ama,1\nZoe,2\nAnn,3\nBob,2\nBee,5\nAyy,4\n");
}

// From the score board (a name typed, then "Run") to the way out: the file
// before, what the player does, the file after. The first game scores `score`.
// clang-format off
enum Step { Order, Expert, Start, NewGame, AddLine, Quit, QuitFailing, Close, CloseSave, Discard, Cancel };
// clang-format on
struct Ending {
    const char* name;
    Bytes before;
    const char* typed;
    std::vector<Step> steps;
    int score;
    Bytes after;
    QByteArrayList lines = {};  // added by hand, one at each AddLine
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
    scores.StaticText3->SetFocus();
    QTest::keyClick(scores.StaticText3->widget(), Qt::Key_Space);  // on "Run"
    settleEvents();
    EXPECT_FALSE(scores.isVisible());
    const auto* view = static_cast<QTableView*>(list.widget());  // ten digits shown whole
    EXPECT_GE(view->columnWidth(1), view->fontMetrics().horizontalAdvance("2147483647") + 4);
    EXPECT_LE(view->columnViewportPosition(1) + view->columnWidth(1), view->viewport()->width());
    const int loaded = list.ListCount();
    QByteArrayList lines = run.lines;
    // The window system's close; asked about unsaved scores, the game holds still.
    const auto close = [&](Window1& board, std::optional<SaveChoice> answer) {
        const int pace = board.Timer1->Mode();
        int asked = 0;
        const auto presenter = std::exchange(Application::saveQuestionPresenter, [&](auto&) {
            EXPECT_EQ(board.Timer1->Mode(), Timer::Off);
            return ++asked, answer.value_or(SaveChoice::Cancel);
        });
        board.close();
        Application::saveQuestionPresenter = presenter;
        EXPECT_EQ(asked, answer ? 1 : 0);
        EXPECT_EQ(board.isVisible() && board.Timer1->Mode() == pace, answer == SaveChoice::Cancel);
    };
    const auto newGame = [&](Window1& board) {
        const int rowsBefore = list.ListCount();
        board.PushButton4->Push();
        settleEvents();
        // Expert stays chosen, and Beginner off, only after a recorded game.
        const Window1& next = Window1::shared();
        const bool kept = list.ListCount() > rowsBefore;
        EXPECT_TRUE(next.RadioButton2->Value() == kept && next.RadioButton1->Enabled() != kept);
        EXPECT_EQ(unsavedScores(list), list.ListCount() > loaded);
    };
    const std::map<Step, std::function<void(Window1&)>> does{
        {Order, [&](Window1&) { clickHeading(list, 1); }},
        {Expert, [](Window1& board) { board.RadioButton2->setValue(true); }},
        {Start, [&](Window1& board) { board.PushButton1->Push(), board.counter = run.score; }},
        {NewGame, newGame},
        {AddLine, [&](Window1&) { put(*fileBytes() + lines.takeFirst() + '\n'); }},
        {Quit, [](Window1& board) { board.PushButton3->Push(); }},
        {QuitFailing,
         [&](Window1& board) {  // told why, and the game goes on
             maxFileBytes(0), board.PushButton3->Push(), maxFileBytes(RLIM_INFINITY);
             EXPECT_EQ(recorded().messages.size(), 1);
             EXPECT_TRUE(board.Timer1->Mode() == Timer::Multiple && recorded().quits == 0);
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

// clang-format off
const Ending runs[] = {
    {"orderedByScoreAndNoName", "Ann,12\nBob,7\nCid,30\nDee,7\n", "", {Order, Expert, Quit}, 0,
     "Bob,7\nDee,7\nAnn,12\nCid,30\n"},
    {"beginnerRecordsNothing", "Ann,12\nAnn\n", "Zed", {Start, NewGame, Quit}, 2, "Ann,12\nAnn\n"},
    {"commasInANameGo", "Smith, J,5\n", "Smith, J", {Expert, Start, NewGame, Quit}, 4,
     "Smith, J\nSmith J,4\nSmith J,0\n"},
    {"commasAloneAreNoName", "Ann,12\n", ",,,", {Expert, Start, NewGame, Quit}, 4, "Ann,12\n"},
    {"lineBreaksGoAndQuitMakesTheFile", std::nullopt, "Cid\r\nDee\u2028", {Expert, Start, Quit}, 3,
     "Cid Dee ,3\n"},
    // Records added by hand since the load stay, after the list's rows, as
    // often as they were added; a line that is no record does not.
    {"recordsAddedSinceTheLoadStay", "Ann,12\nBob,7\n", "Zed",
     {Expert, AddLine, AddLine, AddLine, Start, NewGame, AddLine, Quit}, 2,
     "Ann,12\nBob,7\nZed,2\nCid,1\nAnn,12\nBob,7\nZed,0\n", {"Cid,1", "Ann,12", "Eve", "Bob,7,x"}},
    // Any other way out asks about what Quit would write and the file lacks.
    {"closeCancelledThenDiscarded", "Ann,12\n", "Zed", {Expert, Start, NewGame, Cancel, Discard}, 4,
     "Ann,12\n"},
    {"closeCancelledThenSaved", "Ann,12\n", "Zed", {Expert, Start, Cancel, CloseSave}, 3,
     "Ann,12\nZed,3\n"},
    {"aFailedQuitKeepsTheGame", "Ann,12\n", "Zed", {Expert, Start, QuitFailing, Quit}, 3, "Ann,12\nZed,3\n"},
    {"closeWithNothingUnsaved", "Ann,12\n", "Zed", {Start, NewGame, Expert, Close}, 2, "Ann,12\n"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Runs, EndingTest, ::testing::ValuesIn(runs),
                         [](const auto& row) { return std::string(row.param.name); });
}  // namespace
