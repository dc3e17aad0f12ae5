// The score board window, and the board's New Game and Quit that record into it.
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTreeView>

#include "ScoresTesting.h"

namespace {
class ScoreBoardTest : public ScoresTest {};

TEST_F(ScoreBoardTest, runHidesTheScoreBoardWithTheTypedNameAndShowsTheBoard) {
    // A click on "Run", Return in the name field, Space on a focused "Run".
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        Window4& scores = OpenScoreBoard();
        ASSERT_EQ(QApplication::focusWidget(), scores.EditField1->Widget());
        EXPECT_EQ(Window1::existing(), nullptr) << "the board waits for Run";
        QTest::keyClicks(QApplication::focusWidget(), "Zed");
        if (way == 0) {
            QTest::mouseClick(scores.StaticText3->Widget(), Qt::LeftButton);
        } else if (way == 1) {
            QTest::keyClick(scores.EditField1->Widget(), Qt::Key_Return);
        } else {
            scores.StaticText3->SetFocus();
            QTest::keyClick(scores.StaticText3->Widget(), Qt::Key_Space);
        }
        SettleEvents();

        EXPECT_FALSE(scores.isVisible());
        EXPECT_EQ(Window4::existing(), &scores) << "hidden, not closed";
        EXPECT_EQ(scores.EditField1->Text(), "Zed");
        ASSERT_NE(Window1::existing(), nullptr);
        EXPECT_TRUE(Window1::existing()->isVisible());
        EXPECT_EQ(recorded().quits, 0);
        if (way == 2) {
            const QString longName(40000, QLatin1Char('n'));
            scores.EditField1->SetText(longName);
            EXPECT_EQ(scores.EditField1->Text().size(), longName.size()) << "no length limit";
        }
        CloseAllWindows();
    }
}

TEST_F(ScoreBoardTest, closingTheScoreBoardEndsTheGameWithoutOpeningTheBoard) {
    Window4& scores = OpenScoreBoard();
    scores.close();  // the close button
    SettleEvents();
    EXPECT_EQ(Window4::existing(), nullptr);
    EXPECT_EQ(Window1::existing(), nullptr);
    EXPECT_EQ(recorded().quits, 1) << "no window of the game is left on screen";
}

TEST_F(ScoreBoardTest, quitWritesTheRowsInTheOrderAHeadingClickLeftThem) {
    PutScores("Ann,12\nBob,7\nCid,30\nDee,7\n");
    Window4& scores = OpenScoreBoard();
    QHeaderView* header = scores.ListBox1->View()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(1) + 5, header->height() / 2});
    Window1& board = Run(scores, {}, true);
    board.PushButton3->Push();
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_EQ(Scores(), "Bob,7\nDee,7\nAnn,12\nCid,30\n");
}

TEST_F(ScoreBoardTest, aTenDigitScoreShowsWholeBesideTheScrollBar) {
    PutScores(QByteArray("Zed,2147483647\n").repeated(20));
    QTreeView* view = OpenScoreBoard().ListBox1->View();
    ASSERT_TRUE(view->verticalScrollBar()->isVisible());
    const QRect cell = view->visualRect(view->model()->index(0, 1));
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    EXPECT_GE(cell.width() - 2 * margin, view->fontMetrics().horizontalAdvance("2147483647"));
    EXPECT_LE(cell.right(), view->viewport()->width());
}

// A run from the score board to Quit, as a script of what the player does:
// expert (choose Expert), start, tick, score=N (the game reaches N), new, quit.
struct Ending {
    const char* title;
    std::optional<QByteArray> before;
    const char* name;
    const char* script;
    std::optional<QByteArray> after;
};

const Ending endings[] = {
    {"Beginner quit leaves the file untouched", "Ann,12\nAnn\n", "Zed", "start score=5 quit",
     "Ann,12\nAnn\n"},
    {"Expert quit without a name writes exactly the rows", "Ann,12\nAnn,\nBob,7,x\n", "",
     "expert score=3 quit", "Ann,12\nBob,7\n"},
    {"New Game mid-game records the score so far", "Ann,12\n", "Zed",
     "expert start tick tick score=2 new quit", "Ann,12\nZed,2\nZed,0\n"},
    {"a comma in a name is dropped, so the score reads back", std::nullopt, "Smith, J",
     "expert score=5 quit", "Smith J,5\n"},
    {"and in a name New Game put in the list", "Ann,12\n", "Smith, J",
     "expert start score=4 new quit", "Ann,12\nSmith J,4\nSmith J,0\n"},
    {"a name of commas alone is no name", "Ann,12\n", ",,,", "expert start score=4 new quit",
     "Ann,12\n"},
};

class EndingTest : public ScoresTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, newGameAndQuitRecordExpertScoresUnderTheTypedName) {
    const Ending& ending = GetParam();
    if (ending.before) {
        PutScores(*ending.before);
    }
    Window4& scores = OpenScoreBoard();
    Run(scores, QString::fromUtf8(ending.name), false);
    for (const QString& step : QString::fromLatin1(ending.script).split(' ')) {
        Window1& board = Window1::instance();
        if (step == "expert") {
            board.RadioButton2->SetValue(true);
        } else if (step == "start") {
            board.PushButton1->Push();
        } else if (step == "tick") {
            board.Timer1_Action();
        } else if (step.startsWith("score=")) {
            board.counter = step.mid(6).toInt();
        } else if (step == "new") {
            board.PushButton4->Push();
            SettleEvents();
        } else if (step == "quit") {
            board.PushButton3->Push();
        } else {
            FAIL() << "unknown step " << step.toStdString();
        }
    }
    EXPECT_EQ(recorded().quits, 1);
    EXPECT_TRUE(recorded().messages.isEmpty());
    EXPECT_EQ(Scores(), ending.after);
}

INSTANTIATE_TEST_SUITE_P(Runs, EndingTest, ::testing::ValuesIn(endings),
                         [](const ::testing::TestParamInfo<Ending>& param) {
                             return "run" + std::to_string(param.index);
                         });

TEST_F(ScoreBoardTest, newGameKeepsExpertOnlyAfterARecordedGame) {
    struct Case {
        bool expert;
        const char* name;
        bool recorded;
    };
    for (const Case c :
         {Case{true, "Zed", true}, Case{true, "", false}, Case{false, "Zed", false}}) {
        SCOPED_TRACE(std::string(c.expert ? "Expert" : "Beginner") + " '" + c.name + "'");
        Window4& scores = OpenScoreBoard();
        Window1& old = Run(scores, c.name, c.expert);
        old.PushButton1->Push();
        old.counter = 6;
        old.PushButton4->Push();
        // Closing only defers the deletion: a tick until then would play on.
        EXPECT_EQ(old.Timer1->Mode(), Timer::Off);
        EXPECT_EQ(old.Timer4->Mode(), Timer::Off);
        SettleEvents();

        ASSERT_NE(Window1::existing(), nullptr);
        Window1& board = *Window1::existing();
        EXPECT_NE(&board, &old);
        EXPECT_TRUE(board.isVisible());
        EXPECT_EQ(board.counter, 0);
        EXPECT_EQ(scores.ListBox1->ListCount(), c.recorded ? 1 : 0);
        if (c.recorded) {
            EXPECT_EQ(scores.ListBox1->Cell(0, 0), "Zed");
            EXPECT_EQ(scores.ListBox1->Cell(0, 1), "6");
        }
        EXPECT_EQ(board.RadioButton2->Value(), c.recorded);
        EXPECT_EQ(board.RadioButton1->Enabled(), !c.recorded);
        EXPECT_EQ(recorded().quits, 0) << "the old board closed without ending the application";
        CloseAllWindows();
    }
}
}  // namespace
