// The board as it opens and closes, the windows it swaps with (help, About),
// and the Start, difficulty and help controls.
#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include "BoardSupport.h"
#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/SharedPictures.h"
#include "info/Window2.h"
#include "info/Window3.h"

namespace {

void click(RadioButton* button) {
    static_cast<QAbstractButton*>(button->Widget())->click();
}

TEST_F(BoardTest, returnStartsTheGameAndThenReleasesNothing) {
    Window1& b = board();
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(b.cnt, 1) << "Start is the default button";
    // Start is disabled now, and the release button, a default too, is hidden:
    // pushing it would put a second tile in play.
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(b.cnt, 1);
}

TEST_F(BoardTest, closingTheBoardQuitsOnlyWhileItsGameIsLive) {
    board().Close();
    EXPECT_EQ(recorded().quits, 1);
    SettleEvents();

    // Another window stays on screen, so only the board's own rule decides.
    Window1& b = freshBoard();
    Window2::instance();
    b.PushButton1->Push();
    b.aTest.clear();  // no column left: the next release ends the game
    ASSERT_EQ(RunUntilNextRelease(b), 1 + 28);
    ASSERT_FALSE(b.cktru);
    recorded().Clear();
    b.Close();
    SettleEvents();
    EXPECT_EQ(recorded().quits, 0);
    EXPECT_NE(&Window1::instance(), &b);
}

TEST_F(BoardTest, shutdownAfterAGameReleasesTheWindowsAndThePictures) {
    {
        App app;
        Window1& b = board();
        b.PushButton1->Push();
        b.Timer1_Action();
        // Deletes the board, whose surface outlives its view: Qt deletes a
        // window's children in creation order.
        App::Shutdown();
    }
    EXPECT_EQ(Window1::existing(), nullptr);
    EXPECT_TRUE(Pictures::Kept().isEmpty());
}

TEST_F(BoardTest, aboutHidesTheBoardWithoutStoppingItAndItsCloseShowsTheBoard) {
    App app;
    // From the score board there is no board yet: one is made behind About.
    ASSERT_EQ(Window1::existing(), nullptr);
    MenuBar1::instance().Item(QStringLiteral("AppleAbout"))->ActionObject()->trigger();
    Window1* b = Window1::existing();
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->isVisible());
    Window3* about = Window3::existing();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    about->PushButton1->Push();
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(Window1::existing(), b);
    EXPECT_TRUE(b->isVisible());

    // During a game: the same About window, and the game goes on.
    b->PushButton1->Push();
    b->Timer1_Action();
    const SpriteRef tile = b->mysprite[b->kap];
    EXPECT_FALSE(app._AppleAbout_Action());
    EXPECT_EQ(Window3::existing(), about);
    EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(b->Timer1->Mode(), Timer::Multiple);
    EXPECT_EQ(b->Timer4->Mode(), Timer::Multiple);

    // Closed by the window system instead of its button: the board comes back.
    about->close();
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(Window1::existing(), b);
    EXPECT_EQ(b->mysprite[b->kap], tile);
}

TEST_F(BoardTest, helpSwapsWithTheSameBoardAndClosingItShowsTheBoard) {
    App app;
    Window1& b = board();
    b.PushButton5->Push();
    EXPECT_FALSE(b.isVisible());
    Window2* help = Window2::existing();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    // It has no menu bar, yet Quit and About work there as everywhere.
    for (QAction* shortcut : app.Menus()->ShortcutActions()) {
        EXPECT_TRUE(help->actions().contains(shortcut)) << shortcut->text().toStdString();
    }

    help->PushButton1->Push();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(Window1::existing(), &b);
    EXPECT_TRUE(b.isVisible());

    // The help comes back as it was left; closed by the window system, it
    // must not leave the board hidden.
    help->resize(300, 200);
    b.PushButton5->Push();
    EXPECT_EQ(Window2::existing(), help);
    EXPECT_EQ(help->size(), QSize(300, 200));
    ASSERT_FALSE(b.isVisible());
    help->close();
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(Window1::existing(), &b);
}

struct ControlsState {
    const char* name;
    bool chooseExpert;
    bool start;
    bool endGame;
    // Start, HELP, Beginner, Expert: enabled?
    bool startOn, helpOn, beginnerOn, expertOn;
    bool beginnerSelected;
    int period;
};

class ControlsStates : public BoardTest, public ::testing::WithParamInterface<ControlsState> {};

TEST_P(ControlsStates, followTheStartAndTheDifficulty) {
    const ControlsState& s = GetParam();
    Window1& b = board();
    if (s.chooseExpert) {
        click(b.RadioButton2);
    }
    if (s.start) {
        b.PushButton1->Push();
        EXPECT_EQ(b.Timer1->Mode(), Timer::Multiple);
        EXPECT_EQ(b.cnt, 1);
    }
    if (s.endGame) {
        b.aTest.clear();
        ASSERT_NE(RunUntilNextRelease(b), -1);
        ASSERT_FALSE(b.cktru);
    }
    EXPECT_EQ(b.PushButton1->Enabled(), s.startOn);
    EXPECT_EQ(b.PushButton5->Enabled(), s.helpOn);
    EXPECT_EQ(b.RadioButton1->Enabled(), s.beginnerOn);
    EXPECT_EQ(b.RadioButton2->Enabled(), s.expertOn);
    EXPECT_EQ(b.RadioButton1->Value(), s.beginnerSelected);
    EXPECT_EQ(b.RadioButton2->Value(), !s.beginnerSelected);
    EXPECT_EQ(b.Timer1->Period(), s.period);
    // The step latches re-arm from the moment the board opens to the end.
    EXPECT_EQ(b.Timer4->Mode(), s.endGame ? Timer::Off : Timer::Multiple);
}

INSTANTIATE_TEST_SUITE_P(
    Board, ControlsStates,
    ::testing::Values(
        ControlsState{"openedBeginner", false, false, false, true, true, true, true, true, 125},
        ControlsState{"openedExpert", true, false, false, true, true, false, true, false, 80},
        ControlsState{"playingBeginner", false, true, false, false, false, true, false, true, 125},
        ControlsState{"playingExpert", true, true, false, false, false, false, true, false, 80},
        ControlsState{"overBeginner", false, true, true, false, false, true, false, true, 125},
        ControlsState{"overExpert", true, true, true, false, false, false, true, false, 80}),
    [](const ::testing::TestParamInfo<ControlsState>& row) { return row.param.name; });

}  // namespace
