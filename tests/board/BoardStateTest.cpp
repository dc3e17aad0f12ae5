// The board as it opens, its window events, the menus, and the windows it
// swaps with (help, About), and the Start, difficulty and help controls.
#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QMenuBar>

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

TEST_F(BoardTest, aFreshBoardStartsFromItsOpeningValues) {
    Window1& b = board();
    EXPECT_EQ(b.kap, 0);
    EXPECT_EQ(b.kap3, 448);
    EXPECT_EQ(b.counter, 0);
    EXPECT_EQ(b.cnt, 0);
    EXPECT_EQ(b.testit, 1);
    EXPECT_EQ(b.testit2, 1);
    EXPECT_TRUE(b.cktru);
    EXPECT_EQ(b.aTest, (std::vector<int>{0, 32, 64, 96, 128, 160, 192, 224, 256}));
    EXPECT_EQ(b.nTest, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(b.cTest.size(), 9u);  // 10 before the board opened
    for (const PictureRef& cell : b.cTest) {
        EXPECT_EQ(cell, Pictures::whiteo());
    }
    ASSERT_EQ(b.mysprite.size(), 1u);
    EXPECT_EQ(b.mysprite[0], nullptr);
    EXPECT_EQ(b.SpriteSurface1->SpriteCount(), 0);

    EXPECT_EQ(b.StaticText1->Text(), QString());
    for (StaticText* hint : {b.StaticText16, b.StaticText17, b.StaticText18}) {
        EXPECT_EQ(hint->Text(), QString());
    }
    EXPECT_EQ(b.ImageWell1->Image(), Pictures::huemixsmall());

    EXPECT_EQ(b.Timer1->Mode(), Timer::Off);
    EXPECT_EQ(b.Timer1->Period(), 125);
    EXPECT_EQ(b.Timer4->Mode(), Timer::Multiple);
    EXPECT_EQ(b.Timer4->Period(), 25);
    EXPECT_TRUE(b.RadioButton1->Value());
    EXPECT_FALSE(b.RadioButton2->Value());
    EXPECT_FALSE(b.PushButton2->Visible());
    EXPECT_FALSE(b.EditField1->Visible());

    EXPECT_EQ(b.windowTitle(), QStringLiteral("Huemix"));
    EXPECT_EQ(b.size(), QSize(500, 573));
    EXPECT_TRUE(b.isVisible());

    // No tile before Start: a tick makes no frame, and the hidden release
    // button still works when the game pushes it.
    b.Timer1_Action();
    EXPECT_EQ(b.SpriteSurface1->SpriteCount(), 0);
    b.PushButton2->Push();
    EXPECT_EQ(b.cnt, 1);
}

TEST_F(BoardTest, picturesAreLoadedOnceAndSharedByIdentity) {
    using Accessor = PictureRef (*)();
    const Accessor all[] = {Pictures::blue,    Pictures::cyan,        Pictures::green,
                            Pictures::magenta, Pictures::red,         Pictures::yellow,
                            Pictures::white,   Pictures::huemixsmall, Pictures::gray,
                            Pictures::whiteo};
    for (std::size_t i = 0; i < std::size(all); ++i) {
        ASSERT_NE(all[i](), nullptr);
        EXPECT_EQ(all[i](), all[i]());
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(all[i](), all[j]());
        }
        const QSize size = all[i]()->Pixmap().deviceIndependentSize().toSize();
        EXPECT_EQ(size, all[i] == Pictures::huemixsmall ? QSize(64, 64) : QSize(32, 32));
    }
    Window1& b = board();
    EXPECT_EQ(b.cTest[0], b.cTest[8]);
}

TEST_F(BoardTest, theAccessorGivesTheOpenBoardWithoutOpeningItAgain) {
    Window1& first = board();
    first.counter = 5;
    first.kap3 = 32;
    Window1& again = Window1::instance();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.counter, 5);
    EXPECT_EQ(again.kap3, 32);
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

TEST_F(BoardTest, theMenuBarHoldsFileThenEditInTableOrder) {
    App app;
    struct Entry {
        const char* name;
        const char* text;
        const char* shortcut;
    };
    const std::vector<std::vector<Entry>> menus = {
        {{"FileMenu", "&File", ""},
         {"FileQuit", "Quit", "Cmd+Q"},
         {"AppleAbout", "AboutHuemix", ""}},
        {{"EditMenu", "&Edit", ""},
         {"EditUndo", "&Undo", "Cmd+Z"},
         {"UntitledMenu1", "-", ""},
         {"EditCut", "Cu&t", "Cmd+X"},
         {"EditCopy", "&Copy", "Cmd+C"},
         {"EditPaste", "&Paste", "Cmd+V"},
         {"EditClear", "&Delete", ""},
         {"UntitledMenu0", "-", ""},
         {"EditSelectAll", "Select &All", "Cmd+A"}},
    };
    const MenuBar1& bar = MenuBar1::instance();
    ASSERT_EQ(bar.Menus().size(), 2);
    for (std::size_t m = 0; m < menus.size(); ++m) {
        const MenuItem* menu = bar.Menus()[static_cast<qsizetype>(m)];
        std::vector<const MenuItem*> items{menu};
        for (const MenuItem* item : menu->Items()) {
            items.push_back(item);
        }
        ASSERT_EQ(items.size(), menus[m].size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Entry& expected = menus[m][i];
            EXPECT_EQ(items[i]->Name(), QString::fromLatin1(expected.name));
            if (items[i]->ItemKind() != MenuItem::Kind::Separator) {
                EXPECT_EQ(items[i]->Text(), QString::fromLatin1(expected.text)) << expected.name;
            }
            EXPECT_EQ(items[i]->KeyboardShortcut(), QString::fromLatin1(expected.shortcut))
                << expected.name;
            EXPECT_TRUE(items[i]->AutoEnable()) << expected.name;
        }
    }
    const MenuItem* quit = bar.Item(QStringLiteral("FileQuit"));
    EXPECT_EQ(quit->ItemKind(), MenuItem::Kind::Quit);
    EXPECT_EQ(quit->ActionObject()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(bar.Item(QStringLiteral("AppleAbout"))->ItemKind(), MenuItem::Kind::About);
    EXPECT_EQ(bar.Item(QStringLiteral("UntitledMenu0"))->ItemKind(), MenuItem::Kind::Separator);

    // One bar, made once, for the application and the board; Ctrl+Q works there.
    Window1& b = board();
    EXPECT_EQ(app.Menus(), &bar);
    EXPECT_EQ(b.Menus(), &bar);
    EXPECT_TRUE(b.actions().contains(quit->ActionObject()));
    auto* view = b.findChild<QMenuBar*>();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->actions().size(), 2);
    EXPECT_EQ(view->actions()[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(view->actions()[1]->text(), QStringLiteral("&Edit"));

    quit->ActionObject()->trigger();
    EXPECT_EQ(recorded().quits, 1);
}

TEST_F(BoardTest, aboutWithoutABoardOpensOneBehindItAndCloseShowsIt) {
    App app;
    ASSERT_EQ(Window1::existing(), nullptr);
    MenuBar1::instance().Item(QStringLiteral("AppleAbout"))->ActionObject()->trigger();

    Window1* b = Window1::existing();
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->isVisible());
    EXPECT_TRUE(b->cktru);  // it was opened
    EXPECT_EQ(b->kap3, 448);
    Window3* about = Window3::existing();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());

    about->PushButton1->Push();
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(&Window1::instance(), b);
    EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(app._AppleAbout_Action());
    EXPECT_EQ(Window3::existing(), about);  // the same About window again
}

TEST_F(BoardTest, aboutDuringAGameHidesTheBoardAndLeavesItsTimersAlone) {
    App app;
    Window1& b = board();
    plan.Then(4, 'R');
    b.PushButton1->Push();
    for (int i = 0; i < 3; ++i) {
        b.Timer1_Action();
    }
    const SpriteRef tile = b.mysprite[b.kap];
    EXPECT_FALSE(app._AppleAbout_Action());
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(b.Timer1->Mode(), Timer::Multiple);
    EXPECT_EQ(b.Timer4->Mode(), Timer::Multiple);
    EXPECT_EQ(tile->Y(), 48);

    // Closed by the window system instead of its button: the board comes back.
    Window3::existing()->close();
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(&Window1::instance(), &b);
    EXPECT_EQ(b.mysprite[b.kap], tile);
}

TEST_F(BoardTest, helpBeforeStartSwapsWithTheSameUnchangedBoard) {
    Window1& b = board();
    b.PushButton5->Push();
    EXPECT_FALSE(b.isVisible());
    Window2* help = Window2::existing();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(b.Timer1->Mode(), Timer::Off);

    help->PushButton1->Push();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(&Window1::instance(), &b);
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(b.kap3, 448);
    EXPECT_EQ(b.cnt, 0);
    EXPECT_TRUE(b.PushButton1->Enabled());
    EXPECT_TRUE(b.PushButton5->Enabled());
    EXPECT_EQ(b.SpriteSurface1->SpriteCount(), 0);

    help->resize(300, 200);
    b.PushButton5->Push();
    EXPECT_EQ(Window2::existing(), help);
    EXPECT_EQ(help->size(), QSize(300, 200));
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

TEST_F(BoardTest, theHiddenFieldShowsTheReleasesWhenItGetsTheFocus) {
    Window1& b = board();
    QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(b.EditField1->Widget(), &focus);
    EXPECT_EQ(b.EditField1->Text(), QStringLiteral("0"));

    // Twelve red tiles into one column: the first rests, the others vanish on it.
    plan.Then(2, 'R');
    b.PushButton1->Push();
    while (b.cnt < 12) {
        ASSERT_NE(RunUntilNextRelease(b), -1);
    }
    QCoreApplication::sendEvent(b.EditField1->Widget(), &focus);
    EXPECT_EQ(b.EditField1->Text(), QStringLiteral("12"));
}

}  // namespace
