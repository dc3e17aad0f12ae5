// SPDX-License-Identifier: MIT
// The game board through its real handlers, headless: what needs the window.
// The colour rules themselves are RulesTest's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <deque>
#include <set>

#include "app/App.h"
#include "board/Pictures.h"
#include "framework/Random.h"
#include "headless/Autoplay.h"
#include "headless/Headless.h"
#include "info/Window2.h"

namespace {

// Tiles are letters, in Colour order: '.' the empty cell, W white, A gray.
const std::string Letters = ".WABGMCYR";
char letterOf(const PictureRef& picture) {
    return Letters[std::size_t(Pictures::colourOf(picture))];
}

// 15 rows of 9 letters: the newest tile of each cell, `marked` in lower case.
std::string fieldPicture(const Window1& board, const SpriteRef& marked = nullptr) {
    std::string rows = QString(".........\n").repeated(Window1::Rows).toStdString();
    for (const SpriteRef& tile : board.SpriteSurface1->sprites()) {
        if (tile->X() >= 0 && tile->Y() >= 0 && tile->X() < 288 && tile->Y() < 480) {
            const char letter = letterOf(tile->Image());
            rows[tile->Y() / 32 * 10 + tile->X() / 32] =
                tile == marked ? char(letter | 32) : letter;
        }
    }
    return rows;
}

// The field rule, true between any two frames: the falling tile in column kap2
// and not below the line; the others resting in cells on or below the line;
// each tile's code that of its colour; cTest the newest tile on the line of
// each column; the score the whites made, and shown.
void expectFieldRule(const Window1& b) {
    const bool playing = b.Timer1->Mode() != Timer::Off && b.kap > 0 && b.kap < Window1::Slots;
    const SpriteRef falling = playing ? b.mysprite.at(b.kap) : nullptr;
    const auto field = [&] { return fieldPicture(b, falling) + "line " + std::to_string(b.kap3); };
    EXPECT_FALSE(falling && falling->closed()) << field();
    std::string cTest, line(9, '.');
    int whites = 0;
    for (const SpriteRef& tile : b.SpriteSurface1->sprites()) {
        const int x = tile->X(), y = tile->Y();
        const char letter = letterOf(tile->Image());
        const bool rests = x % 32 == 0 && y % 32 == 0 && x >= 0 && x <= 256 && y >= b.kap3;
        EXPECT_TRUE(tile->Group() == groupOf(Pictures::colourOf(tile->Image())) && y <= 448 &&
                    (tile == falling ? x == 32 * b.kap2 && y <= b.kap3 : rests))
            << letter << " off the grid, above the line or miscoded\n"
            << field();
        if (rests && y == b.kap3 && tile != falling) {
            line[x / 32] = letter;
        }
        whites += letter == 'W';
    }
    for (const PictureRef& picture : b.cTest) {
        cTest += letterOf(picture);
    }
    const SpriteRef& last = b.mysprite2;  // a gray ending the game leaves cTest as it was
    if (!b.cktru && last && last->Y() == 0 && letterOf(last->Image()) == 'A') {
        line[last->X() / 32] = cTest[last->X() / 32];
    }
    EXPECT_EQ(cTest, line) << "cTest and the line\n" << field();
    EXPECT_TRUE(b.counter == whites && b.StaticText1->widget()->property("text").toString() ==
                                           (whites ? QString::number(whites) : ""))
        << "the score is not the whites\n"
        << field();
}

// Frames until the next release or the end of the game, or -1 if neither came in 40.
int runUntilNextRelease(Window1& board) {
    const int released = board.cnt;
    for (int frame = 1; frame <= 40; ++frame) {
        board.Timer1_Action();
        if (board.cnt != released || !board.cktru) {
            return frame;
        }
    }
    return -1;
}

// Board tests release tiles as planned (Then): random draws put the planned
// column and colour first in the board's lists and keep their order.
struct BoardTest : ::testing::Test, RandomSource {
    std::deque<std::pair<int, int>> plan;  // X and colour selector of the next releases
    int planned = -1;                      // cnt of the board when the last plan was used

    void SetUp() override {
        App::wireWindows();
        recorded().clear();
        setRandom(this);
    }
    void TearDown() override {
        setRandom(nullptr);
        setKeyboard(nullptr);
        closeAllWindows();
    }
    Window1& freshBoard() {
        closeAllWindows();
        planned = -1;
        return Window1::shared();
    }
    // A fresh board, started, with the line at Y `line` holding the tiles of `row`.
    Window1& startOn(int line, const std::string& row) {
        Window1& b = freshBoard();
        b.kap3 = line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const auto colour = Colour(Letters.find(row[c]));
            if (colour != Colour::Empty) {
                b.SpriteSurface1->NewSprite(Pictures::of(colour), 32 * int(c), line)
                    ->setGroup(groupOf(colour));
                b.cTest[c] = Pictures::of(colour);
            }
        }
        b.PushButton1->Push();
        return b;
    }
    BoardTest& Then(int column, char colour) {
        plan.emplace_back(32 * column, 1 + int(std::string("BGMCYR").find(colour)));
        return *this;
    }
    int below(int n) override {
        Window1& b = Window1::shared();
        if (b.cnt != planned && !plan.empty()) {
            planned = b.cnt;
            std::iter_swap(b.aTest.begin(), std::ranges::find(b.aTest, plan[0].first));
            std::iter_swap(b.nTest.begin(), std::ranges::find(b.nTest, plan[0].second));
            plan.pop_front();
        }
        return n - 1;  // shuffle() then swaps each element with itself
    }
};

// What the board shows, by name: controls enabled, timers running, windows
// shown, both timers held, paused and "Paused" shown; then the pace's period,
// and what the game did (h for a question asked with both timers held).
std::string shown(const Window1& n, const std::string& questions) {
    const Window* help = Window2::existing();
    // clang-format off
    const std::pair<bool, const char*> flags[] = {
        {n.PushButton1->Enabled(), "start"}, {n.PushButton5->Enabled(), "help"},
        {n.RadioButton1->Enabled(), "beginner"}, {n.RadioButton2->Enabled(), "expert"},
        {n.RadioButton1->Value(), "chosen"}, {n.Timer1->Mode() != Timer::Off, "pace"},
        {n.Timer4->Mode() != Timer::Off, "poll"}, {n.isVisible(), "board"},
        {help && help->isVisible(), "helpShown"}, {n.Timer1->held() && n.Timer4->held(), "held"},
        {n.paused(), "paused"}, {!n.PausedText->widget()->isHidden(), "Paused"}};
    // clang-format on
    std::string text;
    for (const auto& [on, name] : flags) {
        text += on ? name + std::string(" ") : "";
    }
    text += std::to_string(n.Timer1->Period());
    const std::pair<long long, const char*> counts[] = {
        {n.cnt, " released"}, {recorded().quits, " quit"}, {recorded().messages.size(), " told"}};
    for (const auto& [count, name] : counts) {
        text += count ? name + std::to_string(count) : "";
    }
    return text + (questions.empty() ? "" : " asked " + questions);
}

TEST_F(BoardTest, theControlsAndTheirLetterKeysSetUpAndEndAGame) {
    // Keys: B enables Beginner first, as Expert turned it off; X: the game runs
    // out of columns; C: HELP opened, the board closed; y: questions are answered
    // Yes; p: the Pause key; D and A: another program's window active, and back.
    const std::string fresh = "start help beginner expert chosen poll board 125";
    const std::string running = "beginner chosen pace poll board 125 released1";
    const std::pair<std::string, std::string> table[] = {
        {"", fresh},
        {"EB", "start help beginner expert chosen poll board 80"},
        {"S\rSH", running},
        {"E\r", "expert pace poll board 80 released1"},
        {"ESX", "expert board 80 released1 told1"},
        {"H", "start help beginner expert chosen poll helpShown 125"},
        {"Q", fresh + " quit1"},
        {"SN", running + " asked h"},
        {"SyN", fresh + " asked h"},
        {"SQ", running + " asked h"},
        {"SyQ", running + " quit1 asked h"},
        {"SXQ", "beginner chosen board 125 released1 quit1 told1"},
        {"C", "start help beginner expert chosen poll board helpShown 125 quit1"},
        {"SXC", "start help beginner expert chosen poll board helpShown 125 told1"},
        {"P", fresh},
        {"SP", "beginner chosen pace poll board held paused Paused 125 released1"},
        {"SPp", running},
        {"SD", "beginner chosen pace poll board held 125 released1"},
        {"SDA", running},
        {"SPDA", "beginner chosen pace poll board held paused Paused 125 released1"},
    };
    const auto presenter = Application::questionPresenter;
    std::string questions;
    Application::questionPresenter = [&](const QString&) {
        const Window1& b = Window1::shared();
        questions += b.Timer1->Mode() == Timer::Off && b.Timer4->Mode() == Timer::Off ? 'h' : 'r';
        return recorded().answer;
    };
    for (const auto& [typed, expected] : table) {
        SCOPED_TRACE(typed);
        recorded().clear();
        questions.clear();
        Window1& b = freshBoard();
        b.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
        for (const char key : typed) {
            if (key == 'X') {
                b.aTest.clear();
                ASSERT_EQ(runUntilNextRelease(b), 1 + 28);
                b.PushButton2->Push();  // after the end: no second message
            } else if (key == 'C') {
                Window2::shared();  // still on screen: only the board's rule decides
                b.Close();
            } else if (key == 'D' || key == 'A') {
                QEvent away(key == 'D' ? QEvent::ApplicationDeactivate
                                       : QEvent::ApplicationActivate);
                QCoreApplication::sendEvent(qApp, &away);
            } else if (key == 'p') {
                QTest::keyClick(&b, Qt::Key_Pause);
            } else if (key == 'y') {
                recorded().answer = true;
            } else {
                b.RadioButton1->setEnabled(b.RadioButton1->Enabled() || key == 'B');
                QTest::keyClick(&b, key);
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), nullptr) << "the arrows must only steer";
        settleEvents();
        EXPECT_EQ(shown(Window1::shared(), questions), expected);
    }
    Application::questionPresenter = presenter;
}

TEST_F(BoardTest, steeringTakesOneColumnPerPressAndTheTileLandsOnTheLine) {
    // From a column: L/R press an arrow, l/r release it, p is a Timer4 poll, f a
    // Timer1 frame, P the pause key, a digit puts the line on that row; then the
    // falling tile's column after each frame, + in the frame it lands.
    const struct {
        int from;
        std::string keys, columns;
    } table[] = {
        {0, "LRf", "1"},             // the left edge holds; the right arrow steps instead
        {8, "RLf", "7"},             // the right edge holds; left first
        {1, "Lf", "0"},              // to the edges
        {7, "Rf", "8"},              //
        {4, "fLlfpf", "433"},        // a tap between frames steps once
        {4, "Rprpff", "55"},         //
        {4, "LfpflpLf", "332"},      // a held key steps once; released, polled, pressed: again
        {4, "RfpfrpRf", "556"},      //
        {4, "LfplLpf", "32"},        // a press waiting re-arms at the poll
        {4, "LRfpfpf", "344"},       // both held: left, then right, then neither
        {4, "1ffLf", "44+"},         // on the line: lands, unsteered
        {4, "0Lf", "+"},             // with the line at the top: at once
        {4, "LlLlffpfpf", "3322"},   // quick presses step one a frame, once polled
        {4, "RrRrffpfpf", "5566"},   //
        {1, "LlLlfpfRfpf", "0011"},  // a press at the edge is spent
        {7, "RrRrfpfLfpf", "8877"},  //
        {4, "1fLlLlfpfpf", "43+4"},  // presses do not outlive their tile
        {4, "PLPflpLf", "43"},       // nor the pause they were made in
    };
    for (const auto& [from, typed, columns] : table) {
        SCOPED_TRACE(typed);
        KeyState keys;
        setKeyboard(&keys);
        Then(from, 'R');
        Window1& b = startOn(448, "");
        std::string seen;
        for (const char step : typed) {
            const int arrow = std::toupper(step) == 'L' ? KeyCode::LeftArrow : KeyCode::RightArrow;
            if (std::isdigit(step)) {
                b.kap3 = 32 * (step - '0');
            } else if (std::toupper(step) == 'L' || std::toupper(step) == 'R') {
                std::isupper(step) ? keys.press(arrow) : keys.release(arrow);
            } else if (step == 'p' || step == 'P') {
                step == 'p' ? b.Timer4_Action() : b.PauseKey_Action();
            } else {
                const int released = b.cnt;
                b.Timer1_Action();
                seen += b.cnt != released ? '+' : char('0' + b.kap2);
            }
        }
        EXPECT_EQ(seen, columns);
    }
}

TEST_F(BoardTest, aColourCoveringItselfQuickensThePaceDownToItsFloor) {
    const struct {
        bool expert;
        int period, after;
    } table[] = {{false, 125, 120}, {true, 80, 70}, {true, 55, 45}, {false, 50, 50}};
    for (const auto& [expert, period, after] : table) {
        Then(4, 'R');
        Window1& b = startOn(448, "....R....");
        b.RadioButton2->setValue(expert);
        b.Timer1->setPeriod(period);
        ASSERT_NE(runUntilNextRelease(b), -1);
        EXPECT_EQ(fieldPicture(b, b.mysprite[b.kap]).substr(140), "....R....\n") << "vanished";
        EXPECT_EQ(b.Timer1->Period(), after) << "expert " << expert << " from " << period;
    }
}

TEST_F(BoardTest, inTheTopRowsAGrayOrAWhiteClosesItsColumnAndAMixComesOnce) {
    // Just below the top: the gray raises the line into the top row, where
    // the raised tile closes its column.
    Then(4, 'M').Then(0, 'G');
    Window1& b = startOn(32, "....R....");
    ASSERT_EQ(runUntilNextRelease(b), 1);
    EXPECT_EQ(fieldPicture(b, b.mysprite[b.kap]).substr(0, 20), "g...M....\n....A....\n");
    EXPECT_EQ(b.aTest, (std::vector<int>{0, 64, 96, 32, 160, 192, 224, 256}));
    b.ckArray(100);  // not open: nothing changes
    b.ckArray(96);
    EXPECT_EQ(b.aTest, (std::vector<int>{0, 64, 32, 160, 192, 224, 256}));

    // G lands, C released then meets the red in the same frame, its white
    // colouring the score at once; the white releases B onto the yellow, which
    // mixes there in the next frame, once.
    Then(0, 'G').Then(4, 'C').Then(7, 'B').Then(2, 'G');
    Window1& c = startOn(0, "....R..Y.");
    c.counter = 10;
    c.Timer1_Action();
    EXPECT_EQ(fieldPicture(c, c.mysprite[c.kap]).substr(0, 10), "G...W..b.\n");
    EXPECT_EQ(c.StaticText1->TextColor(), QColor(0xBB, 0, 0));
    c.Timer1_Action();
    EXPECT_EQ(fieldPicture(c, c.mysprite[c.kap]).substr(0, 10), "G.g.W..W.\n");
    EXPECT_EQ(c.aTest, (std::vector<int>{64, 96, 0, 160, 192, 32, 256}));
}

// Seeded games through the real handlers, random steering and difficulty, the
// field rule checked after every frame, each ending with its score; the first
// release of each may be any column and colour, shown with its hints in
// Beginner. Game g of HUEMIX_SOAK_GAMES (the unit tier 200, the soak 10,000)
// uses the seed HUEMIX_SOAK_SEED (1) + g: a failing game replays alone.
TEST_F(BoardTest, everyFrameOfSeededGamesKeepsTheFieldRuleToTheEnd) {
    const long games = qEnvironmentVariable("HUEMIX_SOAK_GAMES", "200").toLong();
    const long firstSeed = qEnvironmentVariable("HUEMIX_SOAK_SEED", "1").toLong();
    const QColor old = QColor::fromRgb(0x123456u);
    std::set<int> firsts;  // columns 0 .. 8, colours 11 .. 16
    for (long game = 0; game < games && !::testing::Test::HasFailure(); ++game) {
        Window1& board = Window1::shared();
        const auto seed = static_cast<std::uint32_t>(firstSeed + game);
        SCOPED_TRACE("HUEMIX_SOAK_SEED=" + std::to_string(seed));
        SeededRandom chance(seed);
        setRandom(&chance);
        RandomArrows keys(seed);
        recorded().clear();
        const bool expert = keys.below(2) == 1;
        board.RadioButton2->setValue(expert);
        StaticText* const lines[] = {board.StaticText16, board.StaticText17, board.StaticText18};
        for (StaticText* line : lines) {
            line->setText(QStringLiteral("old"));
            line->setTextColor(old);
        }
        board.PushButton1->Push();
        for (std::size_t i = 0; i < 3; ++i) {  // Beginner's hints; an empty one keeps its colour
            const Hint hint = hintsFor(board.kap)[i];
            EXPECT_EQ(lines[i]->widget()->property("text").toString(), expert ? "old" : hint.text);
            EXPECT_EQ(lines[i]->TextColor(),
                      expert || hint.text.isEmpty() ? old : QColor::fromRgb(hint.rgb));
        }
        firsts.insert({board.kap2, 10 + board.kap});
        playToEnd(
            board, keys, [&] { return expectFieldRule(board), !::testing::Test::HasFailure(); },
            200000);
        setRandom(nullptr);
        EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: ") +
                                                   QString::number(board.counter)});
        board.PushButton4->Push();  // New Game
        settleEvents();
    }
    EXPECT_TRUE(games < 100 || firsts.size() == 9 + 6) << "a column or colour never came first";
}
}  // namespace
