// The board as it opens and closes, the windows it swaps with (help, About),
// and the Start, difficulty and help controls.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "BoardSupport.h"
#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/SharedPictures.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

namespace {

void click(RadioButton* button) {
    static_cast<QAbstractButton*>(button->Widget())->click();
}

TEST_F(BoardTest, keysChooseExpertAndStartAndTheArrowsChangeNoControl) {
    Window1& b = board();
    b.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
    QTest::keyClick(&b, Qt::Key_E);
    EXPECT_EQ(b.Timer1->Period(), 80) << "E chooses Expert";
    for (const Qt::Key arrow : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Right}) {
        QTest::keyClick(&b, arrow);
    }
    EXPECT_TRUE(b.RadioButton2->Value());
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
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
    const QPointer<Window1> closed(&b);  // a new board may reuse the old one's address
    b.Close();
    SettleEvents();
    EXPECT_EQ(recorded().quits, 0);
    EXPECT_TRUE(closed.isNull());
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

// Players with red-green or blue-yellow colour blindness must still tell every
// tile from every other: under each simulated dichromacy (Machado, Oliveira
// and Fuentes 2009, severity 1, in linear RGB) at least 5 % of the pixels of
// any two tile pictures differ plainly, by 64 levels or more in a channel.
TEST(TilePictures, everyPairDiffersPlainlyForColourBlindPlayers) {
    const double simulations[3][3][3] = {
        {{0.152286, 1.052583, -0.204868},
         {0.114503, 0.786281, 0.099216},
         {-0.003882, -0.048116, 1.051998}},  // protanopia
        {{0.367322, 0.860646, -0.227968},
         {0.280085, 0.672501, 0.047413},
         {-0.011820, 0.042940, 0.968881}},  // deuteranopia
        {{1.255528, -0.076749, -0.178779},
         {-0.078411, 0.930809, 0.147602},
         {0.004733, 0.691367, 0.303900}},  // tritanopia
    };
    const auto linear = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const auto encoded = [](double v) {
        v = std::clamp(v, 0.0, 1.0);
        return 255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
    };
    const int tiles[] = {168, 169, 170, 171, 172, 173, 174, 178};
    for (const char* scale : {"", "@2x"}) {
        for (const auto& m : simulations) {
            std::vector<std::vector<std::array<double, 3>>> seen;
            for (const int number : tiles) {
                const QImage image(QStringLiteral(":/pictures/%1%2.png").arg(number).arg(scale));
                ASSERT_FALSE(image.isNull()) << number << scale;
                auto& pixels = seen.emplace_back();
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb rgb = image.pixel(x, y);
                        const double in[3] = {linear(qRed(rgb)), linear(qGreen(rgb)),
                                              linear(qBlue(rgb))};
                        auto& out = pixels.emplace_back();
                        for (int i = 0; i < 3; ++i) {
                            out[i] = encoded(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2]);
                        }
                    }
                }
            }
            for (std::size_t a = 0; a < seen.size(); ++a) {
                for (std::size_t b = a + 1; b < seen.size(); ++b) {
                    std::size_t plain = 0;
                    for (std::size_t p = 0; p < seen[a].size(); ++p) {
                        for (int i = 0; i < 3; ++i) {
                            if (std::abs(seen[a][p][i] - seen[b][p][i]) >= 64) {
                                ++plain;
                                break;
                            }
                        }
                    }
                    EXPECT_GE(plain * 20, seen[a].size())
                        << tiles[a] << " and " << tiles[b] << scale << ": " << plain << " of "
                        << seen[a].size() << " pixels differ plainly";
                }
            }
        }
    }
}

TEST_F(BoardTest, aboutHidesTheBoardWithoutStoppingItAndItsCloseShowsTheBoard) {
    App app;
    // From the score board there is no board yet: one is made behind About.
    ASSERT_EQ(Window1::existing(), nullptr);
    MenuBar1::instance().item(QStringLiteral("AppleAbout"))->trigger();
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
    for (QAction* shortcut : app.Menus()->shortcutActions()) {
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

// What a window manager shows of the four windows: their exact titles, the
// game's icon, and the content at its full size below the menu bar, if any.
TEST_F(BoardTest, windowsShowTheirTitlesTheIconAndTheirContentBelowTheMenuBar) {
    App app;
    App::RegisterWindows();
    Window4& scores = Window4::instance();
    Window1& b = board();
    b.PushButton5->Push();
    app._AppleAbout_Action();
    struct Case {
        Window* window;
        const char* title;
        QSize content;
        QWidget* control;  // the last one down, with its described top left
        QPoint at;
        bool menuBar;
    };
    for (const Case& c : {
             Case{&scores, "Scores", {350, 300}, scores.StaticText3->Widget(), {174, 235}, true},
             Case{&b, "Huemix", {500, 573}, b.PushButton2->Widget(), {208, 545}, true},
             Case{Window2::existing(),
                  "HELP",
                  {425, 425},
                  Window2::existing()->PushButton1->Widget(),
                  {293, 385},
                  false},
             Case{Window3::existing(),
                  "About",
                  {300, 300},
                  Window3::existing()->PushButton1->Widget(),
                  {224, 225},
                  false},
         }) {
        SCOPED_TRACE(c.title);
        Window& w = *c.window;
        EXPECT_EQ(w.windowTitle(), c.title);
        EXPECT_FALSE(w.windowIcon().pixmap(32, 32).isNull());
        w.layout()->activate();
        const auto* bar = w.findChild<QMenuBar*>();
        ASSERT_EQ(bar != nullptr, c.menuBar);
        const int top = bar ? bar->height() : 0;
        EXPECT_GT(top, c.menuBar ? 10 : -1);
        EXPECT_EQ(w.size(), c.content + QSize(0, top));
        EXPECT_EQ(c.control->mapTo(&w, QPoint()), c.at + QPoint(0, top));
        if (bar) {
            // One menu bar: the same menus, shown in each window.
            EXPECT_EQ(bar->actions().size(), 2);
            EXPECT_EQ(bar->actions().first(), MenuBar1::instance().menus().first()->menuAction());
        }
    }
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
