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

#include "DiskFaults.h"
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
QByteArray rows(const ListBox& list) {
    QByteArray rows;
    for (int row = 0; row < list.ListCount(); ++row) {
        rows += list.Cell(row, 0).toByteArray() + ',' + list.Cell(row, 1).toByteArray() + '\n';
    }
    return rows;
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
            QFile file(home.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(name.toUtf8()) > 0);
        }
    }
    void TearDown() override {
        closeAllWindows();
        setProgressObserver(nullptr);
        failFiles(DiskFault::None);
        for (const QString& name : playersFiles) {
            QFile file(home.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == name.toUtf8())
                << name.toStdString();
        }
    }
    const QStringList playersFiles{"Huemix.prefs.AbcdEf", "Huemix.prefs.Backup",
                                   "Huemix.prefs.backup", "Huemix.prefs.oldone"};
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
    QStringList files(const QString& pattern) const {
        return QDir(home.path()).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    Window4& Open() {
        closeAllWindows();
        Window4::shared();
        settleEvents();
        return Window4::shared();
    }

    QTemporaryDir home;
};

TEST_F(ScoresTest, headingsOrderNumbersThenTextsStablyAndTheBoardShowsTenDigitsAndQuitsOnClose) {
    put("bob,10\nAnn,9\ncid,lots\nann,-3\nDee, 7\r\nEve,10\nFay,Lot\n");
    ListBox& list = *Open().ListBox1;
    auto* view = static_cast<QTableView*>(list.widget());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 1)).center());  // Ann
    clickHeading(list, 1);
    EXPECT_EQ(rows(list), "ann,-3\nDee, 7\r\nAnn,9\nbob,10\nEve,10\nFay,Lot\ncid,lots\n");
    EXPECT_EQ(list.LastIndex(), 5) << "Fay was added last";
    clickHeading(list, 1);
    EXPECT_EQ(rows(list), "cid,lots\nFay,Lot\nbob,10\nEve,10\nAnn,9\nDee, 7\r\nann,-3\n");
    clickHeading(list, 0);  // ascending again; case ignored, then "A" before "a"
    EXPECT_TRUE(rows(list).startsWith("Ann,9\nann,-3\nbob,10\n"));
    EXPECT_EQ(view->selectionModel()->selectedRows(), QModelIndexList{view->model()->index(0, 0)})
        << "the selection follows its row";
    EXPECT_THROW(list.Cell(7, 0), std::out_of_range);
    EXPECT_THROW(list.setCell(0, 2, "x"), std::out_of_range);

    // Cells keep their bytes and show what would disrupt the list as visible.
    const std::pair<QByteArray, QString> cells[] = {
        // The last CR is a CR LF file's; bidi controls and line breaks must not act.
        {QByteArray("A\xff\0B", 4) + "\u202Eevil\u202C\u2066b\u2069\u200F\u2028\u0085a\tb\rc\x7f\r",
         QStringLiteral(
             "A\uFFFD\u2400B\uFFFDevil\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFDa\u2409b\u240Dc\u2421")},
        {QByteArray(4 << 20, 'h'), QString(512, 'h')},  // cut, so painting cannot hang
    };
    for (const auto& [bytes, shown] : cells) {
        list.rows().addRow(bytes);
        EXPECT_EQ(view->model()->index(list.LastIndex(), 0).data().toString(), shown);
        EXPECT_EQ(rows(list).right(bytes.size() + 2), bytes + ",\n");
    }
    // Many equal cells keep the order shown (not the order of adding), not only
    // as few as sort by insertion.
    QByteArray equal;
    for (int i = 1; i <= 40; ++i) {
        list.AddRow(QString::number(41 - i));
        list.setCell(list.LastIndex(), 1, "5");
        equal += QByteArray::number(i) + ",5\n";
    }
    clickHeading(list, 0);  // descending, then by name from 1 up to 40
    clickHeading(list, 0);
    clickHeading(list, 1);
    EXPECT_TRUE(rows(list).contains(equal));

    const QRect cell = view->visualRect(view->model()->index(0, 1));
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    EXPECT_GE(cell.width() - 2 * margin, view->fontMetrics().horizontalAdvance("2147483647"));
    EXPECT_LE(cell.right(), view->viewport()->width()) << "not under the scroll bar";
    Window4::shared().close();  // the close button
    settleEvents();
    EXPECT_EQ(recorded().quits, 1) << "no window of the game is left on screen";
}

TEST_F(ScoresTest, hostileFilesNeitherCrashNorHangAndAreWrittenBackByteForByte) {
    const QByteArray good("Ann,12\r\nB\0b,\xfe\n\xff\xfe,\0\x01\n\xc3(,9\n", 25);
    const qint64 line = MaxScoreFileBytes - good.size() - 1;
    {  // a line of NULs as long as the file may be, sparse on disk: first, while the peak is low
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(line));
        ASSERT_TRUE(file.seek(line) && file.write("\n" + good) == good.size() + 1);
    }
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(rows(*Open().ListBox1), good);
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "KB more at the peak";
    // The kernel's time to make the zeros varies with the machine's load; ours should not.
    EXPECT_LT(after.ru_utime.tv_sec - before.ru_utime.tv_sec, 3) << "seconds for the line";

    const QByteArray big(3 << 20, 'x');  // longer than a piece the reader takes
    const QByteArray most(MaxFieldBytes, 'x');
    const std::pair<Bytes, QByteArray> files[] = {
        {std::nullopt, ""},
        {"Ann,lots\nAnn,-4\n Ann , 12 \n,3", "Ann,lots\nAnn,-4\n Ann , 12 \n,3\n"},
        {big + '\n' + big + ",\n" + good + big, good},  // no records, however long
        {most + "," + most + ",tail" + big + "\n" + good, most + "," + most + "\n" + good},
    };
    for (const auto& [file, written] : files) {
        put(file);
        EXPECT_TRUE(saveScores(*Open().ListBox1, {}, 0).saved);
        EXPECT_TRUE(fileBytes() == written) << fileBytes()->left(40).toStdString();
    }
    // A folder, a FIFO or a device is no file, and is never waited on.
    for (const auto make : {+[](const char* p) { return ::mkfifo(p, 0600); },
                            +[](const char* p) { return ::symlink("/dev/zero", p); },
                            +[](const char* p) { return ::mkdir(p, 0700); }}) {
        put(std::nullopt);
        ASSERT_EQ(make(QFile::encodeName(filePath()).constData()), 0);
        EXPECT_EQ(Open().ListBox1->LastIndex(), -1) << "no row added";
    }
}

// Files that cannot be read whole, then saves that fail: each keeps the old
// file, tells why and where, and the game goes on until a save succeeds.
TEST_F(ScoresTest, aSaveKeepsTheOldFileUnlessItCanAndMayReplaceItAndTheGameGoesOn) {
    // The board says why the list is short; while the file stays so, a save
    // asks first, and No (the default) leaves it as it is.
    const QByteArray tooLong(MaxFieldBytes + 1, 'n');
    const std::tuple<QByteArray, DiskFault, qint64, const char*, QByteArray> unread[] = {
        {"Ann,1\n", DiskFault::Open, 0, "Input/output error", ""},  // the file alone
        {"Ann,1\n" + tooLong + ",5\nBob,2\n", DiskFault::None, 0, "longer than 1 MB", "Ann,1\n"},
        {"Ann,1\n", DiskFault::None, MaxScoreFileBytes + 1, "larger than 128 MB", ""},
    };
    for (const auto& [bytes, fault, size, why, shown] : unread) {
        put(bytes);
        ASSERT_TRUE(size == 0 || QFile(filePath()).resize(size));
        struct stat before = {}, after = {};
        ASSERT_EQ(::stat(QFile::encodeName(filePath()).constData(), &before), 0);
        failFiles(fault, filePath(), 0, EIO);
        Window4& scores = Open();
        EXPECT_EQ(rows(*scores.ListBox1), shown);
        EXPECT_TRUE(scores.StaticText5->widget()->property("text").toString().contains(why)) << why;
        EXPECT_FALSE(saveScores(*scores.ListBox1, "Zed", 3).saved);
        ASSERT_EQ(recorded().questions.size(), 1) << why;
        EXPECT_TRUE(recorded().questions.takeFirst().contains(why)) << why;
        ASSERT_EQ(::stat(QFile::encodeName(filePath()).constData(), &after), 0);
        EXPECT_TRUE(after.st_ino == before.st_ino && after.st_size == before.st_size) << why;
        failFiles(DiskFault::None);
    }

    QByteArray text;
    for (int i = 0; i < 30000; ++i) {
        text += 'P' + QByteArray::number(i) + ",1234567\n";
    }
    put(text);
    const QByteArray device = QFile::encodeName(home.filePath("device"));
    ASSERT_TRUE(::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 ||
                ::mkdir(device.constData(), 0700) == 0);  // a folder where no device can be made
    QFile(home.filePath("file")).open(QIODevice::WriteOnly);
    failFiles(DiskFault::Read, home.path(), 300000, EIO);
    Open().EditField1->setText(QStringLiteral("Zed"));
    Window4::shared().StaticText3_MouseDown(10, 10);  // Run
    Window1& board = Window1::shared();
    board.RadioButton2->setValue(true);  // Expert
    board.PushButton1->Push();
    board.counter = 3;
    board.PushButton3->Push();  // and the player answers No
    ASSERT_EQ(recorded().questions.size(), 1);
    EXPECT_TRUE(recorded().questions[0].contains("Input/output error"));
    failFiles(DiskFault::None);
    EXPECT_EQ(fileBytes(), text);
    EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game and its score stay";

    const QByteArray homeWas = qgetenv("HOME");
    const std::pair<std::function<void()>, const char*> causes[] = {
        {[&] { qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("file/config"))); },
         "could not be made"},
        {[&] { QFile::remove(filePath()), QFile::link(home.filePath("device"), filePath()); },
         "it is not a regular file, and was left as it is."},
        {[&] { failFiles(DiskFault::Write, home.path(), 4096, ENOSPC); },
         "No space left on device"},
        // A relative folder is ignored, and "/" is no home: nothing is kept at the root.
        {[&] { qputenv("XDG_CONFIG_HOME", "config"), qputenv("HOME", "/"); },
         "no home folder was found"},
    };
    for (const auto& [cause, why] : causes) {
        cause();
        board.PushButton3->Push();
        ASSERT_EQ(recorded().messages.size(), 1);
        const QString message = recorded().messages.takeFirst();
        EXPECT_TRUE(message.contains(why) &&
                    message.contains(QDir::toNativeSeparators(scoreFile().path())))
            << message.toStdString();
        EXPECT_TRUE(files(".Huemix.prefs.*").isEmpty()) << "a failed save leaves nothing";
        EXPECT_TRUE(QFileInfo(filePath()).isSymLink() || fileBytes() == text);
        EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game goes on";
        EXPECT_EQ(recorded().quits, 0);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        qputenv("HOME", homeWas);
        failFiles(DiskFault::None);
        put(text);
    }
    EXPECT_FALSE(QFileInfo::exists("config"));
    // Once more, through a link to a regular file, which is written through
    // and keeps its owner and mode; the file now read whole needs no question.
    const QByteArray kept = QFile::encodeName(home.filePath("kept"));
    ASSERT_TRUE(QFile::rename(filePath(), home.filePath("kept")) &&
                QFile::link(home.filePath("kept"), filePath()));
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE((!root || ::chown(kept.constData(), 4321, 4322) == 0) &&
                ::chmod(kept.constData(), 0604) == 0);
    board.PushButton3->Push();
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(recorded().questions.size(), 1);
    EXPECT_TRUE(QFileInfo(filePath()).isSymLink());
    EXPECT_EQ(fileBytes(), text + "Zed,3\n") << "what the load missed is kept";
    struct stat info {};
    ASSERT_EQ(::stat(kept.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_TRUE(!root || (info.st_uid == 4321 && info.st_gid == 4322));

    QList<std::tuple<QString, qint64, qint64>> seen;
    setProgressObserver([&](const QString& label, qint64 done, qint64 total) {
        seen.append({label, done, total});
    });
    EXPECT_EQ(rows(*Open().ListBox1), text + "Zed,3\n");
    const qint64 size = text.size() + 6;
    EXPECT_EQ(seen.first(), std::make_tuple(QStringLiteral("Loading the scores…"), 0, size));
    EXPECT_EQ(seen.last(), std::make_tuple(QStringLiteral("Loading the scores…"), size, size));
    EXPECT_LE(seen.size(), 1002) << "a step is a thousandth of the way";
    qputenv("XDG_CONFIG_HOME", "config"), qputenv("HOME", "/");
    EXPECT_EQ(Open().StaticText5->widget()->property("text").toString(),
              "Scores cannot be kept: no home folder was found.");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    qputenv("HOME", homeWas);
}

// Savers killed (SIGKILL) at a random row of one of their first saves: the
// score file is always the old one or one whole save, never a mix; the next
// save takes over the dead one's lock and clears what it left, and only that.
// The slow tier runs it alone, as it forks.
TEST_F(ScoresTest, killedSavesLeaveTheOldFileOrAWholeNewOneNeverAMix) {
    // Every record has its own name and score, so the two orders differ in every
    // line and a mix of two saves differs from both.
    QByteArray ascending, descending;
    for (int i = 0; i < 200000; ++i) {
        const QByteArray line = 'P' + QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
        ascending += line;
        descending.prepend(line);
    }
    put(descending);
    setProgressObserver([](const QString&, qint64, qint64) {});
    ListBox& list = *Open().ListBox1;

    qsizetype cutOff = 0;  // kills that left a cut save behind
    for (int round = 0; round < 30; ++round) {
        const int killAt = QRandomGenerator::global()->bounded(1, 3000);  // ~1,000 steps a save
        const pid_t saver = ::fork();
        if (saver == 0) {  // saves, ordered the other way round each time, until killed
            int steps = 0;
            setProgressObserver([&](const QString&, qint64, qint64) {
                if (++steps == killAt) {
                    ::kill(::getpid(), SIGKILL);
                }
            });
            while (saveScores(list, {}, 0).saved) {
                clickHeading(list, 1);
            }
            ::_exit(3);
        }
        ASSERT_GT(saver, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the saver failed";
        // The file before each round is one of the two orders too.
        ASSERT_TRUE(fileBytes() == ascending || fileBytes() == descending)
            << "round " << round << ": neither old nor whole";
        cutOff += files(".Huemix.prefs.saving").size();
    }
    EXPECT_EQ(cutOff, 30) << "a kill left no cut save: nothing was tried";

    clickHeading(list, 1);  // ascending
    EXPECT_TRUE(saveScores(list, {}, 0).saved);
    EXPECT_TRUE(fileBytes() == ascending) << "a save run to its end is the file";
    QStringList left = files("*"), want = QStringList{"Huemix.prefs"} + playersFiles;
    left.sort(), want.sort();
    EXPECT_EQ(left, want);
}

// Two games on one score file, each a process of its own, both loaded before
// either saves: B saves first, A first, or both at once (a lock takes turns). Every record of both
// is in the file at the end, the last saver's list first.
TEST_F(ScoresTest, twoGamesOnOneFileKeepEachOthersRecords) {
    QByteArray before;
    for (int i = 0; i < 20000; ++i) {
        before += "Old" + QByteArray::number(i) + ",1\n";
    }
    const QByteArray aLast = before + "Ann,3\nBob,2\nBee,5\nAyy,4\n";
    const QByteArray bLast = before + "Bob,2\nAnn,3\nAyy,4\nBee,5\n";
    for (const QByteArray order : {"BA", "AB", "both"}) {
        put(before);
        // A list never shown: a forked process must not paint, as the
        // painter's threads stayed behind. B is forked after the load.
        setProgressObserver([](const QString&, qint64, qint64) {});
        QWidget window;
        auto* list = new ListBox("ListBox1", &window, new ScoreModel);
        loadScores(static_cast<ScoreModel&>(list->rows()));
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        const pid_t b = ::fork();
        list->AddRow(b == 0 ? "Bob" : "Ann");
        list->setCell(list->LastIndex(), 1, b == 0 ? "2" : "3");
        if (b == 0 && order == "BA") {
            list->rows().sort(0, Qt::DescendingOrder);  // A then finds its records out of order
        }
        if (b == 0) {
            char byte = 0;
            ::_exit(::read(go[0], &byte, 1) == 1 && saveScores(*list, "Bee", 5).saved ? 0 : 1);
        }
        int status = -1;
        const auto runB = [&] { return ::write(go[1], "g", 1) == 1; };
        const auto waitB = [&] { return ::waitpid(b, &status, 0) == b; };
        EXPECT_TRUE(order == "AB" || (runB() && (order == "both" || waitB())));
        EXPECT_TRUE(saveScores(*list, "Ayy", 4).saved);
        EXPECT_TRUE((order != "AB" || runB()) && (order == "BA" || waitB()));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << order.data();
        ::close(go[0]), ::close(go[1]);
        const Bytes now = fileBytes();
        EXPECT_TRUE(now == aLast || now == bLast) << order.data();
        EXPECT_TRUE(order == "both" || now == (order == "BA" ? aLast : bLast)) << order.data();
    }
}

// A run from the score board to Quit: the file before, the name typed, what
// the player does, the file after. Space on "Run" goes on to the board; then
// order (a click on the Score heading), expert, start, score=N, new, quit, or
// the window system's close of the board: close=ANSWER when it must ask about
// unsaved scores (save, discard, cancel), close when it must not.
using Ending = std::tuple<Bytes, const char*, const char*, Bytes>;
class EndingTest : public ScoresTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, newGameAndQuitRecordExpertScoresUnderATypedName) {
    const auto& [before, name, script, after] = GetParam();
    put(before);
    Window4& scores = Open();
    scores.EditField1->setText(QString::fromUtf8(name));
    scores.StaticText3->SetFocus();
    QTest::keyClick(scores.StaticText3->widget(), Qt::Key_Space);
    settleEvents();
    EXPECT_FALSE(scores.isVisible());
    const int loaded = scores.ListBox1->ListCount();
    for (const QString& step : QString::fromLatin1(script).split(' ')) {
        Window1& board = Window1::shared();
        if (step == "order") {
            clickHeading(*scores.ListBox1, 1);
        } else if (step == "expert") {
            board.RadioButton2->setValue(true);
        } else if (step == "start") {
            board.PushButton1->Push();
        } else if (step.startsWith("score=")) {
            board.counter = step.mid(6).toInt();
        } else if (step == "new") {
            const int rows = scores.ListBox1->ListCount();
            board.PushButton4->Push();
            // Closing only defers the deletion: a tick until then would play on.
            EXPECT_TRUE(board.Timer1->Mode() == Timer::Off && board.Timer4->Mode() == Timer::Off);
            settleEvents();
            // Expert stays chosen, and Beginner off, only after a recorded game.
            const Window1& next = Window1::shared();
            const bool kept = scores.ListBox1->ListCount() > rows;
            EXPECT_TRUE(next.RadioButton2->Value() == kept && next.RadioButton1->Enabled() != kept);
            EXPECT_EQ(unsavedScores(*scores.ListBox1), scores.ListBox1->ListCount() > loaded);
        } else if (step.startsWith("add=")) {  // a line added to the file by hand
            QFile file(filePath());
            ASSERT_TRUE(file.open(QIODevice::Append) && file.write(step.mid(4).toUtf8() + '\n'));
        } else if (step == "quit") {
            board.PushButton3->Push();
        } else if (step.startsWith("close")) {
            const auto choice = SaveChoice(QStringList{"=save", "=discard"}.indexOf(step.mid(5)));
            const int pace = board.Timer1->Mode();
            int asked = 0;
            const auto presenter =
                std::exchange(Application::saveQuestionPresenter, [&](const QString&) {
                    EXPECT_EQ(board.Timer1->Mode(), Timer::Off) << "the game holds still";
                    return ++asked, choice;
                });
            board.close();
            Application::saveQuestionPresenter = presenter;
            EXPECT_EQ(asked, step.size() > 5 ? 1 : 0);
            EXPECT_EQ(board.isVisible() && board.Timer1->Mode() == pace, step == "close=cancel");
        }
    }
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(fileBytes(), after);
}
INSTANTIATE_TEST_SUITE_P(
    Runs, EndingTest,
    ::testing::Values(
        Ending{"Ann,12,x\nAnn\nAnn,\nAnn,,12\n\nBob,7\n", "", "expert score=3 quit",
               "Ann,12\nBob,7\n"},
        Ending{"Ann,12\nBob,7\nCid,30\nDee,7\n", "", "order expert quit",
               "Bob,7\nDee,7\nAnn,12\nCid,30\n"},
        Ending{"Ann,12\nAnn\n", "Zed", "start score=2 new quit", "Ann,12\nAnn\n"},  // Beginner
        Ending{"Smith, J,5\n", "Smith, J", "expert start score=4 new quit",
               "Smith, J\nSmith J,4\nSmith J,0\n"},
        Ending{"Ann,12\n", ",,,", "expert start score=4 new quit", "Ann,12\n"},
        Ending{std::nullopt, "Cid\r\nDee\u2028", "expert score=3 quit", "Cid Dee ,3\n"},
        // Records added by hand since the load are kept, after the list's rows,
        // each as often as it was added; a line that is no record is not.
        Ending{"Ann,12\nBob,7\n", "Zed",
               "expert add=Cid,1 add=Ann,12 add=Eve start score=2 new add=Bob,7,x quit",
               "Ann,12\nBob,7\nZed,2\nCid,1\nAnn,12\nBob,7\nZed,0\n"},
        // Any other way out asks about what Quit would write and the file lacks.
        Ending{"Ann,12\n", "Zed", "expert start score=4 new close=cancel close=discard",
               "Ann,12\n"},
        Ending{"Ann,12\n", "Zed", "expert start score=3 close=cancel close=save",
               "Ann,12\nZed,3\n"},
        Ending{"Ann,12\n", "Zed", "start score=2 new expert close", "Ann,12\n"}));
}  // namespace
