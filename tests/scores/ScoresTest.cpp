// SPDX-License-Identifier: MIT
// The score list, the score file (hostile files and failing saves included)
// and the score board with the board's New Game and Quit that record into it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <optional>

#include "board/Window1.h"
#include "framework/Progress.h"
#include "framework/Random.h"
#include "scores/ScoreFile.h"
#include "scores/Window4.h"
#include "support/Fakes.h"

namespace {
using Bytes = std::optional<QByteArray>;  // nothing: no file

void clickHeading(ListBox& list, int column) {
    QHeaderView* header = list.view()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(column) + 5, header->height() / 2});
}
// The rows as the file would hold them.
QByteArray rows(const ListBox& list) {
    QByteArray rows;
    for (int row = 0; row < list.ListCount(); ++row) {
        rows +=
            list.cellView(row, 0).toByteArray() + ',' + list.cellView(row, 1).toByteArray() + '\n';
    }
    return rows;
}

// A fresh preferences folder per test, the window classes registered.
class ScoresTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        Window1::registerClass();
        Window4::registerClass();
        setRandom(&random_);
        recorded().clear();
    }
    void TearDown() override {
        closeAllWindows();
        setRandom(nullptr);
    }
    QString filePath() const { return home.filePath("Huemix.prefs"); }
    void put(const Bytes& bytes) const {
        QFile::remove(filePath());
        QFile file(filePath());
        ASSERT_TRUE(!bytes ||
                    (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()));
    }
    Bytes fileBytes() const {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? Bytes(file.readAll()) : std::nullopt;
    }
    Window4& Open() {
        closeAllWindows();
        Window4& scores = Window4::shared();
        settleEvents();
        return scores;
    }
    // Loads the file and saves it back with no name; true if saved.
    bool saveBack() { return saveScores(*Open().ListBox1, {}, 0).saved; }
    Window1& run(Window4& scores, const QString& name, bool expert) {
        scores.EditField1->setText(name);
        scores.StaticText3_MouseDown(10, 10);
        if (expert) {
            Window1::shared().RadioButton2->setValue(true);
        }
        return Window1::shared();
    }

    QTemporaryDir home;
    SeededRandom random_{20};
};

TEST_F(ScoresTest, headingClicksOrderNumbersByValueThenTextsStablyAndSelectionFollows) {
    put("bob,10\nAnn,9\ncid,lots\nann,-3\nDee, 7\r\nEve,10\nFay,Lot\n");
    ListBox& list = *Open().ListBox1;
    QTreeView* view = list.view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 1)).center());  // Ann
    clickHeading(list, 1);
    EXPECT_EQ(rows(list), "ann,-3\nDee, 7\r\nAnn,9\nbob,10\nEve,10\nFay,Lot\ncid,lots\n");
    EXPECT_EQ(list.LastIndex(), 5) << "Fay was added last";
    clickHeading(list, 1);
    EXPECT_EQ(rows(list), "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\r\nann,-3\n");
    clickHeading(list, 0);  // ascending again; case ignored, then "A" before "a"
    EXPECT_TRUE(rows(list).startsWith("Ann,9\nann,-3\nbob,10\n"));
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 0) << "the selection follows its row";
    EXPECT_THROW(list.cellView(7, 0), std::out_of_range);
    EXPECT_THROW(list.setCell(0, 2, "x"), std::out_of_range);

    // Cells keep their bytes and show what would disrupt the list as visible.
    const std::pair<QByteArray, QString> cells[] = {
        {QByteArray("A\xff\0B\r", 5), QStringLiteral("A\uFFFD\u2400B")},  // a CR LF file's CR
        {"Ann\u202Eevil\u202C", QStringLiteral("Ann\uFFFDevil\uFFFD")},
        {"a\u2066b\u2069\u200F", QStringLiteral("a\uFFFDb\uFFFD\uFFFD")},
        {"Ann\u2028Bob\u0085", QStringLiteral("Ann\uFFFDBob\uFFFD")},
        {"a\tb\rc\x7f", QStringLiteral("a\u2409b\u240Dc\u2421")},
        {QByteArray(4 << 20, 'h'), QString(512, 'h')},  // cut, so painting cannot hang
    };
    for (const auto& [bytes, shown] : cells) {
        list.addRowBytes(bytes);
        EXPECT_EQ(view->model()->index(list.LastIndex(), 0).data().toString(), shown);
        EXPECT_EQ(list.cellView(list.LastIndex(), 0).toByteArray(), bytes);
    }
}

TEST_F(ScoresTest, filesLoadByTheFieldRuleAndAreWrittenBackByteForByte) {
    const QByteArray binary("\xff\xfe,\0\x01\n\xc3(,9\n", 11);
    const std::pair<Bytes, QByteArray> cases[] = {
        // before, the rows and what a save writes
        {std::nullopt, ""},
        {"Ann,12,extra\nAnn\nAnn,\nAnn,,12\n\n", "Ann,12\n"},
        {"Smith, J,5\n", "Smith, J\n"},  // a typed comma splits the name
        {"Ann,lots\nAnn,-4\n Ann , 12 \n,3", "Ann,lots\nAnn,-4\n Ann , 12 \n,3\n"},
        {"Ann,12\r\nBob,3\r\n", "Ann,12\r\nBob,3\r\n"},
        {binary, binary},
    };
    for (const auto& [before, after] : cases) {
        put(before);
        EXPECT_EQ(rows(*Open().ListBox1), after);
        EXPECT_TRUE(saveBack());
        EXPECT_EQ(fileBytes(), after);
    }
}

TEST_F(ScoresTest, hostileFilesCostNoMemoryAndKeepTheirGoodRecords) {
    const QByteArray good("Ann,12\r\nB\0b,\xfe\n", 14);
    {  // a 1 GB line of NULs, sparse on disk: first, while the peak is still low
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64{1} << 30));
        ASSERT_TRUE(file.seek(qint64{1} << 30) && file.write("\n" + good) == good.size() + 1);
    }
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(Open().ListBox1->ListCount(), 2);
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "KB more at the peak";

    QByteArray junk(1 << 20, '\0');  // NULs and invalid UTF-8, no line end, no comma
    QRandomGenerator random(99);
    for (char& b : junk) {
        b = static_cast<char>(random.bounded(256));
    }
    junk.replace('\n', 'x').replace(',', 'y');
    const QByteArray big = junk.repeated(16);
    const std::pair<QByteArray, QByteArray> cases[] = {
        {junk + '\n' + good + junk.left(4096), good},
        {QByteArray(100 << 20, 'x') + '\n' + good, good},
        {junk + "," + big + ",tail\n" + good, junk + "," + big + "\n" + good},  // big cells
    };
    for (const auto& [file, written] : cases) {
        put(file);
        EXPECT_TRUE(saveBack());
        EXPECT_TRUE(fileBytes() == written);
    }
    // A folder, a FIFO or a device is no file, and is never waited on.
    const QByteArray path = QFile::encodeName(filePath());
    for (const int kind : {0, 1, 2}) {
        ::unlink(path.constData());
        ::rmdir(path.constData());
        ASSERT_EQ(kind == 0   ? ::mkdir(path.constData(), 0700)
                  : kind == 1 ? ::mkfifo(path.constData(), 0600)
                              : ::symlink("/dev/zero", path.constData()),
                  0);
        EXPECT_EQ(Open().ListBox1->ListCount(), 0);
    }
}

TEST_F(ScoresTest, aFileCutByAReadErrorKeepsWholeRecordsAndIsReplacedOnlyIfThePlayerAgrees) {
    QByteArray text;
    for (int i = 0; i < 30000; ++i) {
        text += 'P' + QByteArray::number(i) + ",1234567\n";
    }
    put(text);
    QList<std::tuple<QString, qint64, qint64>> seen;
    setProgressObserver([&](const QString& label, qint64 done, qint64 total) {
        seen.append({label, done, total});
    });
    EXPECT_TRUE(saveBack());
    setProgressObserver(nullptr);
    EXPECT_EQ(fileBytes(), text) << "records across the reader's pieces";
    const qint64 size = text.size();
    EXPECT_EQ(seen.first(), std::make_tuple(QStringLiteral("Loading the scores…"), 0, size));
    EXPECT_TRUE(seen.contains(std::make_tuple(QStringLiteral("Loading the scores…"), size, size)));
    EXPECT_EQ(seen.last(), std::make_tuple(QStringLiteral("Saving the scores…"), 30000, 30000));
    EXPECT_LE(seen.size(), 2004) << "a step is a thousandth of the way";

    setFileFaults({.readFailsAfter = 300000});
    Window4& scores = Open();
    setFileFaults({});
    const QByteArray read = text.left(text.lastIndexOf('\n', 300000 - 1) + 1);
    EXPECT_EQ(rows(*scores.ListBox1), read) << "the cut record is not kept";
    Window1& board = run(scores, QStringLiteral("Zed"), true);
    board.counter = 3;
    board.PushButton3->Push();  // and the player answers No
    ASSERT_EQ(recorded().questions.size(), 1);
    EXPECT_TRUE(recorded().questions[0].contains("Input/output error"));
    EXPECT_EQ(fileBytes(), text);
    EXPECT_EQ(Window1::existing(), &board) << "the game and its score stay";
    recorded().answer = true;
    board.PushButton3->Push();
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(fileBytes(), read + "Zed,3\n");
}

// Ways a save can fail: what the player is told, the cause and its undoing.
rlimit savedLimit{};
const std::tuple<const char*, void (*)(ScoresTest&), void (*)(ScoresTest&)> failures[] = {
    {"could not be made",
     [](ScoresTest& t) { qputenv("XDG_CONFIG_HOME", QFile::encodeName(t.filePath() + "/config")); },
     [](ScoresTest& t) { qputenv("XDG_CONFIG_HOME", QFile::encodeName(t.home.path())); }},
    {"",  // a read-only folder; root ignores modes, so an ordinary user
     [](ScoresTest& t) {
         ASSERT_EQ(::chmod(QFile::encodeName(t.home.path()), 0555), 0);
         ASSERT_TRUE(::geteuid() != 0 || ::seteuid(65534) == 0);
     },
     [](ScoresTest& t) {
         ASSERT_TRUE(::getuid() != 0 || ::seteuid(0) == 0);
         ASSERT_EQ(::chmod(QFile::encodeName(t.home.path()), 0755), 0);
     }},
    {"not a regular file",  // a link to a device, or to a folder where none can be made
     [](ScoresTest& t) {
         const QByteArray device = QFile::encodeName(t.home.filePath("device"));
         ASSERT_TRUE(::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 ||
                     ::mkdir(device.constData(), 0700) == 0);
         ASSERT_TRUE(QFile::remove(t.filePath()) &&
                     QFile::link(t.home.filePath("device"), t.filePath()));
     },
     [](ScoresTest& t) {
         struct stat info {};
         ASSERT_EQ(::stat(QFile::encodeName(t.home.filePath("device")), &info), 0);
         EXPECT_TRUE(S_ISCHR(info.st_mode) || S_ISDIR(info.st_mode)) << "left as it was";
         t.put("Ann,12\n");
     }},
    {"No space left on device",
     [](ScoresTest&) { setFileFaults({.writeFailsAfter = 5, .writeError = ENOSPC}); },
     [](ScoresTest&) { setFileFaults({}); }},
    {"File too large",
     [](ScoresTest&) {
         ::signal(SIGXFSZ, SIG_IGN);
         ::getrlimit(RLIMIT_FSIZE, &savedLimit);
         rlimit small = savedLimit;
         small.rlim_cur = 8;
         ::setrlimit(RLIMIT_FSIZE, &small);
     },
     [](ScoresTest&) { ::setrlimit(RLIMIT_FSIZE, &savedLimit); }},
};

class SaveFailure : public ScoresTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaveFailure, keepsTheOldFileTellsThePlayerWhyAndWhereAndTheGameGoesOn) {
    const auto& [why, cause, undo] = failures[GetParam()];
    ASSERT_EQ(::chmod(QFile::encodeName(home.path()), 0755), 0);
    put("Ann,12\n");
    // Left by saves killed halfway: only "NAME." and six ASCII letters go.
    const QStringList leftovers{"Huemix.prefs.AbcdEf", "Huemix.prefs.Ab12Cd",
                                "Huemix.prefs.AbcdEfg"};
    for (const QString& name : leftovers) {
        QFile(home.filePath(name)).open(QIODevice::WriteOnly);
    }
    Window1& board = run(Open(), QStringLiteral("Zed"), true);
    board.PushButton1->Push();
    board.counter = 3;
    cause(*this);
    const Bytes before = fileBytes();
    board.PushButton3->Push();
    settleEvents();
    EXPECT_EQ(recorded().quits, 0);
    ASSERT_EQ(recorded().messages.size(), 1);
    EXPECT_TRUE(recorded().messages[0].contains(home.path()) &&
                recorded().messages[0].contains(why))
        << recorded().messages[0].toStdString();
    EXPECT_EQ(fileBytes(), before);
    QStringList left = QDir(home.path()).entryList({"Huemix.prefs.*"}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers) {
        left.removeAll(name);
    }
    EXPECT_EQ(left, QStringList()) << "the failed save left its temporary file";
    EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game goes on";
    undo(*this);

    board.PushButton3->Push();
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(fileBytes(), "Ann,12\nZed,3\n");
    EXPECT_EQ(QDir(home.path()).entryList({"Huemix.prefs.*"}, QDir::Files | QDir::Hidden),
              leftovers.mid(1));
}
INSTANTIATE_TEST_SUITE_P(Ways, SaveFailure, ::testing::Range(0, int(std::size(failures))));

TEST_F(ScoresTest, runGoesOnToTheBoardAndClosingTheScoreBoardQuits) {
    // A click on "Run", Return in the name field, Space on a focused "Run".
    for (const int way : {0, 1, 2}) {
        Window4& scores = Open();
        ASSERT_EQ(QApplication::focusWidget(), scores.EditField1->widget());
        EXPECT_EQ(Window1::existing(), nullptr) << "the board waits for Run";
        QTest::keyClicks(QApplication::focusWidget(), "Zed");
        if (way == 2) {
            scores.StaticText3->SetFocus();
        }
        QWidget* target = way == 1 ? scores.EditField1->widget() : scores.StaticText3->widget();
        way == 0 ? QTest::mouseClick(target, Qt::LeftButton)
                 : QTest::keyClick(target, way == 1 ? Qt::Key_Return : Qt::Key_Space);
        settleEvents();
        EXPECT_FALSE(scores.isVisible());
        EXPECT_EQ(Window4::existing(), &scores) << "hidden, not closed";
        ASSERT_NE(Window1::existing(), nullptr);
        EXPECT_TRUE(Window1::existing()->isVisible());
    }
    Open().close();  // the close button
    settleEvents();
    EXPECT_EQ(Window1::existing(), nullptr);
    EXPECT_EQ(recorded().quits, 1) << "no window of the game is left on screen";

    // A ten-digit score shows whole beside the scroll bar.
    put(QByteArray("Zed,2147483647\n").repeated(20));
    QTreeView* view = Open().ListBox1->view();
    ASSERT_TRUE(view->verticalScrollBar()->isVisible());
    const QRect cell = view->visualRect(view->model()->index(0, 1));
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    EXPECT_GE(cell.width() - 2 * margin, view->fontMetrics().horizontalAdvance("2147483647"));
    EXPECT_LE(cell.right(), view->viewport()->width());
}

// A run from the score board to Quit: the file before, the name typed, what
// the player does, the file after. Steps: order (a click on the Score
// heading), expert, start, tick, score=N, new (New Game), quit.
using Ending = std::tuple<Bytes, const char*, const char*, Bytes>;
class EndingTest : public ScoresTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, newGameAndQuitRecordExpertScoresUnderATypedName) {
    const auto& [before, name, script, after] = GetParam();
    put(before);
    Window4& scores = Open();
    for (const QString& step : QString::fromLatin1(script).split(' ')) {
        if (step == "order") {
            clickHeading(*scores.ListBox1, 1);
            continue;
        }
        Window1& board = Window1::existing() ? *Window1::existing()
                                             : run(scores, QString::fromUtf8(name), false);
        if (step == "expert") {
            board.RadioButton2->setValue(true);
        } else if (step == "start") {
            board.PushButton1->Push();
        } else if (step == "tick") {
            board.Timer1_Action();
        } else if (step.startsWith("score=")) {
            board.counter = step.mid(6).toInt();
        } else if (step == "new") {
            const int rows = scores.ListBox1->ListCount();
            board.PushButton4->Push();
            // Closing only defers the deletion: a tick until then would play on.
            EXPECT_EQ(board.Timer1->Mode(), Timer::Off);
            EXPECT_EQ(board.Timer4->Mode(), Timer::Off);
            settleEvents();
            const Window1& next = *Window1::existing();
            ASSERT_NE(&next, &board);
            EXPECT_EQ(next.counter, 0);
            // Expert stays chosen, and Beginner off, only after a recorded game.
            const bool kept = scores.ListBox1->ListCount() > rows;
            EXPECT_EQ(next.RadioButton2->Value(), kept);
            EXPECT_EQ(next.RadioButton1->Enabled(), !kept);
            EXPECT_EQ(recorded().quits, 0);
        } else if (step == "quit") {
            board.PushButton3->Push();
        }
    }
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_TRUE(recorded().messages.isEmpty());
    EXPECT_EQ(fileBytes(), after);
}
INSTANTIATE_TEST_SUITE_P(
    Runs, EndingTest,
    ::testing::Values(
        Ending{"Ann,12\nAnn\n", "Zed", "start score=5 quit", "Ann,12\nAnn\n"},  // Beginner
        Ending{"Ann,12\nAnn,\nBob,7,x\n", "", "expert score=3 quit", "Ann,12\nBob,7\n"},
        Ending{"Ann,12\nBob,7\nCid,30\nDee,7\n", "", "order expert quit",
               "Bob,7\nDee,7\nAnn,12\nCid,30\n"},
        Ending{"Ann,12\n", "Zed", "expert start tick tick score=2 new quit",
               "Ann,12\nZed,2\nZed,0\n"},
        Ending{"Ann,12\n", "Zed", "start score=2 new quit", "Ann,12\n"},
        Ending{"Ann,12\n", "", "expert start score=2 new quit", "Ann,12\n"},
        Ending{std::nullopt, "Smith, J", "expert score=5 quit", "Smith J,5\n"},
        Ending{"Ann,12\n", "Smith, J", "expert start score=4 new quit",
               "Ann,12\nSmith J,4\nSmith J,0\n"},
        Ending{"Ann,12\n", ",,,", "expert start score=4 new quit", "Ann,12\n"},
        Ending{std::nullopt, "Cid\r\nDee\u2028", "expert score=3 quit", "Cid Dee ,3\n"}));
}  // namespace
