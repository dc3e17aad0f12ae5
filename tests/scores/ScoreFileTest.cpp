// The score file: what a file loads as, what is written back, hostile files,
// and saves that fail.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QRandomGenerator>

#include "ScoresTesting.h"
#include "framework/Progress.h"
#include "scores/ScoreFile.h"

namespace {
using Rows = QList<std::pair<QByteArray, QByteArray>>;

Rows RowsOf(const ListBox& list) {
    Rows rows;
    for (int row = 0; row < list.ListCount(); ++row) {
        rows.append({list.CellBytes(row, 0), list.CellBytes(row, 1)});
    }
    return rows;
}

struct FileCase {
    const char* title;
    std::optional<QByteArray> before;  // nothing: no file
    Rows rows;
    QByteArray after;  // written back with no name given
};

const FileCase fileCases[] = {
    {"no file", std::nullopt, {}, ""},
    {"empty file", "", {}, ""},
    {"a third field is dropped", "Ann,12,extra\n", {{"Ann", "12"}}, "Ann,12\n"},
    {"no comma, nothing after it, or a second comma next are skipped",
     "Ann\nAnn,\nAnn,,12\nBob,7\n",
     {{"Bob", "7"}},
     "Bob,7\n"},
    {"a typed comma splits the name", "Smith, J,5\n", {{"Smith", " J"}}, "Smith, J\n"},
    {"a name may come many times, a score be any text",
     "Ann,lots\nAnn,-4\nAnn,lots\n",
     {{"Ann", "lots"}, {"Ann", "-4"}, {"Ann", "lots"}},
     "Ann,lots\nAnn,-4\nAnn,lots\n"},
    {"nothing is trimmed and a name may be empty",
     " Ann , 12 \n,3\n",
     {{" Ann ", " 12 "}, {"", "3"}},
     " Ann , 12 \n,3\n"},
    {"blank lines are skipped", "\n\nAnn,12\n\n", {{"Ann", "12"}}, "Ann,12\n"},
    {"CR LF line ends come back as they were",
     "Ann,12\r\nBob,3\r\n",
     {{"Ann", "12\r"}, {"Bob", "3\r"}},
     "Ann,12\r\nBob,3\r\n"},
    {"the last line needs no line end",
     "Ann,12\nBob,3",
     {{"Ann", "12"}, {"Bob", "3"}},
     "Ann,12\nBob,3\n"},
    {"invalid UTF-8 and NUL bytes are kept",
     QByteArray("\xff\xfe,\0\x01\n\xc3(,9\n", 11),
     {{"\xff\xfe", QByteArray("\0\x01", 2)}, {"\xc3(", "9"}},
     QByteArray("\xff\xfe,\0\x01\n\xc3(,9\n", 11)},
};

class ScoreFileTest : public ScoresTest {};

TEST_F(ScoreFileTest, filesLoadByTheFieldRuleAndAreWrittenBackUnchanged) {
    for (const FileCase& c : fileCases) {
        SCOPED_TRACE(c.title);
        QFile::remove(ScorePath());
        if (c.before) {
            PutScores(*c.before);
        }
        Window4& scores = OpenScoreBoard();
        EXPECT_EQ(RowsOf(*scores.ListBox1), c.rows);
        EXPECT_TRUE(SaveScores(*scores.ListBox1, {}, 0).saved);
        EXPECT_EQ(Scores(), c.after);
        CloseAllWindows();
    }
}

TEST_F(ScoreFileTest, aNameCannotBreakARecordInTwo) {
    Window4& scores = OpenScoreBoard();
    scores.ListBox1->AddRow(QStringLiteral("Ann\nBob"));
    scores.ListBox1->SetCell(0, 1, QStringLiteral("1\n2"));
    EXPECT_TRUE(SaveScores(*scores.ListBox1, QStringLiteral("Cid\r\nDee\x2028"), 3).saved);
    EXPECT_EQ(Scores(), "Ann Bob,1 2\nCid Dee ,3\n");
}

// Bytes with no line end and no comma: a line of them is skipped.
QByteArray RandomJunk(qsizetype size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator random(99);
    for (char& b : bytes) {
        b = static_cast<char>(random.bounded(256));
        if (b == '\n' || b == ',') {
            b = '\xff';
        }
    }
    return bytes;
}

TEST_F(ScoreFileTest, hostileFilesLoadWithoutHarmAndKeepTheirGoodRecords) {
    const QByteArray good = QByteArray("Ann,12\r\n") + QByteArray("B\0b,\xfe\n", 6);
    // A 256 MB line of NULs without a comma (4 KB on disk) costs no memory.
    // First, while the peak is still low.
    {
        QFile file(ScorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_TRUE(file.resize(qint64{256} << 20));
        ASSERT_TRUE(file.seek(qint64{256} << 20));
        ASSERT_EQ(file.write("\n" + good), good.size() + 1);
    }
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(OpenScoreBoard().ListBox1->ListCount(), 2);
    CloseAllWindows();
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "KB more at the peak";

    // Hostile content around two good records (random bytes hold NULs and
    // invalid UTF-8); the records come back byte for byte.
    const std::pair<const char*, QByteArray> cases[] = {
        {"binary bytes", RandomJunk(1 << 20)},
        {"a 100 MB single line", QByteArray(100 << 20, 'x')},
    };
    for (const auto& [title, junk] : cases) {
        SCOPED_TRACE(title);
        PutScores(junk + '\n' + good + junk.left(4096));
        Window4& scores = OpenScoreBoard();
        EXPECT_EQ(scores.ListBox1->ListCount(), 2);
        EXPECT_TRUE(SaveScores(*scores.ListBox1, {}, 0).saved);
        EXPECT_EQ(Scores(), good);
        CloseAllWindows();
    }

    // A large name and score are cells like any other.
    const QByteArray bigName = RandomJunk(1 << 20);
    const QByteArray bigScore = RandomJunk(16 << 20);
    PutScores(bigName + "," + bigScore + ",tail\n" + good);
    Window4& scores = OpenScoreBoard();
    EXPECT_TRUE(SaveScores(*scores.ListBox1, {}, 0).saved);
    EXPECT_EQ(Scores(), bigName + "," + bigScore + "\n" + good);
    CloseAllWindows();
}

QByteArray ManyRecords(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        text += 'P' + QByteArray::number(i) + ",1234567\n";
    }
    return text;
}

TEST_F(ScoreFileTest, aFileCutByAReadErrorKeepsWholeRecordsAndIsReplacedOnlyIfThePlayerAgrees) {
    const QByteArray text = ManyRecords(10000);
    PutScores(text);
    SetFileFaults({.readFailsAfter = 64 * 1024});
    Window4& scores = OpenScoreBoard();
    SetFileFaults({});
    const QByteArray read = text.left(text.lastIndexOf('\n', 64 * 1024 - 1) + 1);
    const Rows rows = RowsOf(*scores.ListBox1);
    ASSERT_EQ(rows.size(), read.count('\n'));
    EXPECT_EQ(rows.back().second, "1234567") << "the record the error cut is not kept";

    Window1& board = Run(scores, QStringLiteral("Zed"), true);
    board.counter = 3;
    board.PushButton3->Push();  // and the player answers No
    ASSERT_EQ(recorded().questions.size(), 1);
    EXPECT_TRUE(recorded().questions[0].contains("Input/output error"));
    EXPECT_EQ(recorded().quits, 0);
    EXPECT_EQ(Scores(), text);
    EXPECT_EQ(Window1::existing(), &board) << "the game and its score stay";

    recorded().answer = true;
    board.PushButton3->Push();
    EXPECT_EQ(recorded().questions.size(), 2);
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(Scores(), read + "Zed,3\n");
}

TEST_F(ScoreFileTest, loadingAndSavingReportTheirProgressToTheEnd) {
    QList<std::tuple<QString, qint64, qint64>> seen;
    SetProgressObserver([&](const QString& label, qint64 done, qint64 total) {
        seen.append({label, done, total});
    });
    const QByteArray text = ManyRecords(10000);
    PutScores(text);
    EXPECT_TRUE(SaveScores(*OpenScoreBoard().ListBox1, {}, 0).saved);
    SetProgressObserver(nullptr);

    const std::pair<QString, qint64> works[] = {
        {QStringLiteral("Loading the scores…"), text.size()},
        {QStringLiteral("Saving the scores…"), 10000}};
    for (const auto& [label, total] : works) {
        QList<qint64> done;
        for (const auto& [seenLabel, seenDone, seenTotal] : seen) {
            if (seenLabel == label) {
                done << seenDone;
                EXPECT_EQ(seenTotal, total);
            }
        }
        ASSERT_GE(done.size(), 2) << label.toStdString();
        EXPECT_LE(done.size(), 1001) << "a step is a thousandth of the way";
        EXPECT_EQ(done.front(), 0);
        EXPECT_EQ(done.back(), total);
        EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    }
}

TEST_F(ScoreFileTest, aScoreFileThatIsNoRegularFileIsNoFile) {
    struct Kind {
        const char* title;
        std::function<void(const QByteArray& path)> make;
    };
    const Kind kinds[] = {
        {"a folder", [](const QByteArray& path) { ASSERT_EQ(::mkdir(path.constData(), 0700), 0); }},
        {"a FIFO, never waited on",
         [](const QByteArray& path) { ASSERT_EQ(::mkfifo(path.constData(), 0600), 0); }},
        {"a device",
         [](const QByteArray& path) { ASSERT_EQ(::symlink("/dev/zero", path.constData()), 0); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.title);
        const QByteArray path = QFile::encodeName(ScorePath());
        ::unlink(path.constData());
        ::rmdir(path.constData());
        kind.make(path);
        Window4& scores = OpenScoreBoard();
        EXPECT_EQ(scores.ListBox1->ListCount(), 0);
        EXPECT_TRUE(scores.EditField1->Visible());
        CloseAllWindows();
    }
}

// Ways a save can fail; each is undone afterwards, and then the save works.
struct Failure {
    const char* title;
    const char* why;                         // in the message the player reads
    std::function<void(ScoresTest&)> cause;  // with the score board open, before Quit
    std::function<void()> during;            // around the Quit only
    std::function<void()> after;
    std::function<void(ScoresTest&)> undo;
};

class SaveFailureTest : public ScoresTest, public ::testing::WithParamInterface<int> {};

// Root ignores file modes: drop to an ordinary user for the duration.
void AsOrdinaryUser() {
    if (::geteuid() == 0) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
}
void AsOurselves() {
    if (::getuid() == 0) {
        ASSERT_EQ(::seteuid(0), 0);
    }
}

rlimit savedLimit{};

const Failure failures[] = {
    {"a folder in the file's place", "not a regular file",
     [](ScoresTest& t) {
         ASSERT_TRUE(QFile::remove(t.ScorePath()));
         ASSERT_TRUE(QDir(t.home_.path()).mkpath("Huemix.prefs/inside"));
     },
     [] {}, [] {}, [](ScoresTest& t) { ASSERT_TRUE(QDir(t.ScorePath()).removeRecursively()); }},
    {"a preferences folder that cannot be made", "could not be made",
     [](ScoresTest& t) {
         QFile plain(t.home_.filePath("plain"));
         ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
         qputenv("XDG_CONFIG_HOME", QFile::encodeName(t.home_.filePath("plain/config")));
     },
     [] {}, [] {},
     [](ScoresTest& t) { qputenv("XDG_CONFIG_HOME", QFile::encodeName(t.home_.path())); }},
    {"a read-only folder", "",
     [](ScoresTest& t) {
         ASSERT_EQ(::chmod(QFile::encodeName(t.ScorePath()), 0666), 0);
         ASSERT_EQ(::chmod(QFile::encodeName(t.home_.path()), 0555), 0);
     },
     AsOrdinaryUser, AsOurselves,
     [](ScoresTest& t) { ASSERT_EQ(::chmod(QFile::encodeName(t.home_.path()), 0755), 0); }},
    {"a link to a device (to a folder where no device can be made)", "not a regular file",
     [](ScoresTest& t) {
         const QByteArray device = QFile::encodeName(t.home_.filePath("device"));
         if (::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
             ASSERT_EQ(::mkdir(device.constData(), 0700), 0);
         }
         ASSERT_TRUE(QFile::remove(t.ScorePath()));
         ASSERT_TRUE(QFile::link(t.home_.filePath("device"), t.ScorePath()));
     },
     [] {}, [] {},
     [](ScoresTest& t) {
         struct stat info {};
         const QByteArray device = QFile::encodeName(t.home_.filePath("device"));
         ASSERT_EQ(::stat(device.constData(), &info), 0);
         EXPECT_TRUE(S_ISCHR(info.st_mode) || S_ISDIR(info.st_mode)) << "left as it was";
         ASSERT_TRUE(QFile::remove(t.ScorePath()));
         t.PutScores("Ann,12\n");
     }},
    {"a full disk", "No space left on device", [](ScoresTest&) {},
     [] { SetFileFaults({.writeFailsAfter = 5, .writeError = ENOSPC}); }, [] { SetFileFaults({}); },
     [](ScoresTest&) {}},
    {"a file size limit", "File too large", [](ScoresTest&) {},
     [] {
         ::signal(SIGXFSZ, SIG_IGN);
         ::getrlimit(RLIMIT_FSIZE, &savedLimit);
         rlimit small = savedLimit;
         small.rlim_cur = 8;
         ::setrlimit(RLIMIT_FSIZE, &small);
     },
     [] {
         ::setrlimit(RLIMIT_FSIZE, &savedLimit);
         ::signal(SIGXFSZ, SIG_DFL);
     },
     [](ScoresTest&) {}},
};

TEST_P(SaveFailureTest, aFailedSaveKeepsTheOldFileTellsThePlayerAndKeepsRunning) {
    const Failure& failure = failures[GetParam()];
    SCOPED_TRACE(failure.title);
    // Searchable for the ordinary user of the read-only case.
    ASSERT_EQ(::chmod(QFile::encodeName(home_.path()), 0755), 0);
    PutScores("Ann,12\n");
    Window4& scores = OpenScoreBoard();
    Window1& board = Run(scores, QStringLiteral("Zed"), true);
    board.PushButton1->Push();
    board.counter = 3;
    failure.cause(*this);
    const std::optional<QByteArray> before = Scores();

    failure.during();
    board.PushButton3->Push();
    failure.after();
    SettleEvents();

    EXPECT_EQ(recorded().quits, 0);
    ASSERT_EQ(recorded().messages.size(), 1);
    EXPECT_TRUE(recorded().messages[0].contains(home_.path()))
        << recorded().messages[0].toStdString();
    EXPECT_TRUE(recorded().messages[0].contains(failure.why))
        << recorded().messages[0].toStdString();
    EXPECT_EQ(Scores(), before);
    EXPECT_EQ(QDir(home_.path()).entryList({"Huemix.prefs.*"}, QDir::AllEntries | QDir::Hidden),
              QStringList())
        << "no temporary file is left";
    EXPECT_EQ(Window1::existing(), &board);
    EXPECT_TRUE(board.isVisible());
    EXPECT_EQ(board.Timer1->Mode(), Timer::Multiple) << "the game goes on";

    failure.undo(*this);
    board.PushButton3->Push();
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(Scores(), "Ann,12\nZed,3\n");
}

INSTANTIATE_TEST_SUITE_P(Ways, SaveFailureTest, ::testing::Range(0, int(std::size(failures))));
}  // namespace
