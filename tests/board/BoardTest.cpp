// SPDX-License-Identifier: MIT
// The game board through its real handlers, headless; the colour rules are RulesTest's.
#include <gtest/gtest.h>

#include <QTest>
#include <deque>

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

// The field rule, between any two frames: the falling tile in column kap2, not below
// the line; the others in cells on or below it; codes by colour; cTest the line's
// newest tiles; the score the whites made, and shown.
void expectFieldRule(const Window1& b) {
    const bool playing = b.Timer1->Mode() != Timer::Off && b.kap > 0 && b.kap < Window1::Slots;
    const SpriteRef falling = playing ? b.mysprite.at(b.kap) : nullptr;
    const auto field = [&] { return fieldPicture(b, falling) + "line " + std::to_string(b.kap3); };
    if (falling) {
        EXPECT_FALSE(falling->closed()) << "the falling tile is gone\n" << field();
    }
    std::string cTest, line(9, '.');
    int whites = 0;
    for (const SpriteRef& tile : b.SpriteSurface1->sprites()) {
        const int x = tile->X(), y = tile->Y();
        const char letter = letterOf(tile->Image());
        const bool rests =
            x % 32 == 0 && y % 32 == 0 && x >= 0 && x <= 256 && y >= b.kap3 && y <= 448;
        EXPECT_EQ(tile->Group(), groupOf(Pictures::colourOf(tile->Image())))
            << letter << " miscoded\n"
            << field();
        if (tile == falling) {
            EXPECT_EQ(x, 32 * b.kap2) << letter << " falling outside column kap2\n" << field();
            EXPECT_LE(y, b.kap3) << letter << " falling below the line\n" << field();
        } else {
            EXPECT_TRUE(rests) << letter << " off the grid, above the line or below it\n"
                               << field();
        }
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
    EXPECT_EQ(b.counter, whites) << "the score is not the whites\n" << field();
    EXPECT_EQ(b.StaticText1->widget()->property("text").toString(),
              whites ? QString::number(whites) : "")
        << "the score shown is not the whites\n"
        << field();
}

// Random draws put the planned column and colour (Then) first in the board's lists.
struct BoardTest : ::testing::Test, RandomSource {
    std::deque<std::pair<int, int>> plan;  // X and colour selector of the next releases
    int planned = -1;                      // cnt of the board when the last plan was used
    const Override<RandomSource*> planFirst{services().random, this};

    void SetUp() override { App::wireWindows(); }
    void TearDown() override { closeAllWindows(); }
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
    void Then(const std::string& releases) {  // column digit and colour letter each
        for (std::size_t i = 0; i + 1 < releases.size(); i += 2) {
            plan.emplace_back(32 * (releases[i] - '0'),
                              1 + int(std::string("BGMCYR").find(releases[i + 1])));
        }
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

// A letter script in words, for the trace of a failing row; a digit follows `digit`.
std::string spelled(const std::string& script, const std::map<char, std::string>& words,
                    const std::string& digit = "the line on row ") {
    std::string text;
    for (const char letter : script) {
        if (!text.empty()) {
            text += ", ";
        }
        if (std::isdigit(letter)) {
            text += digit + letter;
        } else {
            text += words.at(letter);
        }
    }
    return text;
}

// What the board shows: the names of its flags that are on (help, beginner, expert and pause:
// the Game menu's items, each enabled as its key acts; poll: the arrow poller wakes), the pace's
// period, what the game did (h for a question asked with both timers held).
std::string shown(const Window1& n, const std::string& questions) {
    static const QStringList names = QString(
                                         "start help beginner expert chosen pause pace poll "
                                         "board helpShown held paused Paused")
                                         .split(' ');
    const Window* help = Window2::existing();
    emit n.GameMenu->aboutToShow();
    const auto item = [&n](const char* name) {
        return n.GameMenu->findChild<QAction*>(name)->isEnabled();
    };
    const bool on[] = {
        n.PushButton1->Enabled(),
        item("GameHelp"),
        item("GameBeginner"),
        item("GameExpert"),
        n.RadioButton1->Value(),
        item("GamePause"),
        n.Timer1->Mode() != Timer::Off,
        n.Timer4->ticking(),
        n.isVisible(),
        help && help->isVisible(),
        n.Timer1->held() && n.Timer4->held(),
        n.paused(),
        !n.PausedText->widget()->isHidden(),
    };
    std::string text;
    for (qsizetype i = 0; i < names.size(); ++i) {
        text += on[i] ? names[i].toStdString() + ' ' : "";
    }
    const auto count = [](long long k, const char* what) {
        return k ? what + std::to_string(k) : "";
    };
    return text + std::to_string(n.Timer1->Period()) + count(n.cnt, " released") +
           count(recorded().quits, " quit") + count(recorded().messages.size(), " told") +
           (questions.empty() ? "" : " asked " + questions);
}

TEST_F(BoardTest, theControlsAndTheirLetterKeysSetUpAndEndAGame) {
    // Letter keys as typed (B enables Beginner first, as Expert turned it off), and: R Return;
    // X the game runs out of columns; C HELP opened, the board closed; y questions answered
    // Yes; p the Pause key; D and A another program's window active, and back; U the hidden
    // release button pushed from outside a frame (as a screen reader can).
    const std::string fresh = "start help beginner expert chosen board 125";
    const std::string running = "beginner chosen pause pace poll board 125 released1";
    const std::pair<std::string, std::string> table[] = {
        {"EB", "start help beginner expert chosen board 80"},
        {"U", fresh},
        {"SU", running},
        {"SRSH", running},
        {"ER", "expert pause pace poll board 80 released1"},
        {"ESX", "expert board 80 released1 told1"},
        {"H", "start help beginner expert chosen helpShown held 125"},
        {"Q", fresh + " quit1"},
        {"SN", running + " asked h"},
        {"SyN", fresh + " asked h"},
        {"SQ", running + " asked h"},
        {"SyQ", running + " quit1 asked h"},
        {"SXQ", "beginner chosen board 125 released1 quit1 told1"},
        {"C", "start help beginner expert chosen board helpShown 125 quit1"},
        {"SXC", "start help beginner expert chosen board helpShown 125 told1"},
        {"P", fresh},
        {"SP", "beginner chosen pause pace board held paused Paused 125 released1"},
        {"SPp", running},
        {"SD", "beginner chosen pause pace board held 125 released1"},
        {"SDA", running},
        {"SPDA", "beginner chosen pause pace board held paused Paused 125 released1"},
    };
    std::string questions;
    const Override asking(services().question, [&](const QString&) {
        const Window1& b = Window1::shared();
        questions += b.Timer1->Mode() == Timer::Off && b.Timer4->Mode() == Timer::Off ? 'h' : 'r';
        return recorded().answer;
    });
    const std::map<char, std::string> words = {
        {'B', "Beginner"},
        {'E', "Expert"},
        {'S', "Start"},
        {'R', "Return"},
        {'H', "Help"},
        {'N', "New Game"},
        {'Q', "Quit"},
        {'X', "run out of columns"},
        {'C', "HELP opened, the board closed"},
        {'y', "answer Yes"},
        {'P', "P"},
        {'p', "Pause key"},
        {'D', "another program active"},
        {'A', "back to the game"},
        {'U', "release button pushed"},
    };
    for (const auto& [typed, expected] : table) {
        SCOPED_TRACE(spelled(typed, words));
        recorded().clear();
        questions.clear();
        Window1& b = freshBoard();
        b.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
        for (const char key : typed) {
            if (key == 'X') {
                b.aTest.clear();  // 28 frames to the line, then no open column
                for (int frame = 0; frame < 29; ++frame) {
                    b.Timer1_Action();
                }
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
            } else if (key == 'R') {
                QTest::keyClick(&b, Qt::Key_Return);
            } else if (key == 'U') {
                b.PushButton2->Push();
            } else {
                b.RadioButton1->setEnabled(b.RadioButton1->Enabled() || key == 'B');
                QTest::keyClick(&b, key);
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), nullptr) << "the arrows must only steer";
        settleEvents();
        EXPECT_EQ(shown(Window1::shared(), questions), expected);
    }
}

TEST_F(BoardTest, steeringTakesOneColumnPerPressAndTheTileLandsOnTheLine) {
    // From a column: L/R press an arrow, l/r release it, p a Timer4 poll, f a Timer1 frame, P
    // the pause key, h the board hidden (About in its place), m minimised, s shown again, Q its
    // question (both arrows typed in its box, answered No), a digit the line on that row. Seen: ? a
    // question, then after each frame the falling tile's column, + in the frame it lands, = when
    // the frame played nothing.
    const std::tuple<int, std::string, std::string> table[] = {
        {0, "LRf", "1"},             // the left edge holds; the right arrow steps instead
        {8, "RLf", "7"},             // the right edge holds; left first
        {1, "Lf", "0"},              // to the edges
        {7, "Rf", "8"},              //
        {4, "LfpflpLf", "332"},      // a held key steps once; released, polled, pressed: again
        {4, "RfpfrpRf", "556"},      //
        {4, "LfplLpf", "32"},        // a press waiting re-arms at the poll
        {4, "RfprRpf", "56"},        //
        {4, "LRfpfpf", "344"},       // both held: left, then right, then neither
        {4, "1ffLf", "44+"},         // on the line: lands, unsteered
        {4, "0Lf", "+"},             // with the line at the top: at once
        {4, "LlLlffpfpf", "3322"},   // taps step one a frame, once polled, each once
        {4, "RrRrffpfpf", "5566"},   //
        {1, "LlLlfpfRfpf", "0011"},  // a press at the edge is spent
        {7, "RrRrfpfLfpf", "8877"},  //
        {4, "1fLlLlfpfpf", "43+4"},  // presses do not outlive their tile
        {4, "PLPflpLf", "43"},       // nor the pause they were made in
        {4, "hfLlsfpf", "=44"},      // hidden: holds, then goes on without the keys meanwhile
        {4, "mfRrsfpf", "=44"},      // minimised: the same
        {4, "Qfpf", "?44"},          // arrows typed in a question box are for the question
    };
    const std::map<char, std::string> words = {
        {'L', "press left"},
        {'R', "press right"},
        {'l', "release left"},
        {'r', "release right"},
        {'p', "poll"},
        {'f', "frame"},
        {'P', "pause key"},
        {'h', "hide"},
        {'m', "minimise"},
        {'s', "show"},
        {'Q', "Q, arrows in its box"},
    };
    for (const auto& [from, typed, columns] : table) {
        SCOPED_TRACE("from column " + std::to_string(from) + ": " + spelled(typed, words));
        KeyState keys;
        const Override steering(services().keys, &keys);
        std::string seen;
        const Override asking(services().question, [&](const QString&) {
            seen += '?';
            keys.press(KeyCode::LeftArrow);
            keys.release(KeyCode::LeftArrow);
            keys.press(KeyCode::RightArrow);
            keys.release(KeyCode::RightArrow);
            return false;
        });
        Then(std::to_string(from) + 'R');
        Window1& b = startOn(448, "");
        b.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
        for (const char step : typed) {
            const int arrow = std::toupper(step) == 'L' ? KeyCode::LeftArrow : KeyCode::RightArrow;
            if (std::isdigit(step)) {
                b.kap3 = 32 * (step - '0');
            } else if (step == 'L' || step == 'R') {
                keys.press(arrow);
            } else if (step == 'l' || step == 'r') {
                keys.release(arrow);
            } else if (step == 'p') {
                b.Timer4_Action();
            } else if (step == 'P') {
                b.PauseKey_Action();
            } else if (step == 'h') {
                b.hide();
            } else if (step == 'm') {
                b.showMinimized();
            } else if (step == 's') {
                b.showNormal();
            } else if (step == 'Q') {
                QTest::keyClick(&b, step);
            } else {
                const int released = b.cnt;
                const int top = b.mysprite[b.kap]->Y();
                b.Timer1_Action();
                if (b.cnt != released) {
                    seen += '+';
                } else if (b.mysprite[b.kap]->Y() == top) {
                    seen += '=';
                } else {
                    seen += char('0' + b.kap2);
                }
            }
        }
        EXPECT_EQ(seen, columns);
    }
}

TEST_F(BoardTest, landingsSoundQuickenThePaceCloseColumnsAndMixOnce) {
    // From a line holding `row`, the planned releases (column digit and colour letter each) and
    // `frames` frames: the top rows (the falling tile in lower case), the pace, the open columns,
    // the sounds (L land, M mix, W white, G gray, P penalty, O game over).
    const bool beginner = false;
    const bool expert = true;
    const std::vector<int> any;  // the open columns not checked
    const std::vector<int> but4 = {0, 64, 96, 32, 160, 192, 224, 256};  // in the board's order
    const std::vector<int> but4And7 = {64, 96, 0, 160, 192, 32, 256};
    const struct {
        int line;
        std::string row, plan;
        int frames;
        bool expert;
        int period, after;
        std::string top;
        std::vector<int> open;
        std::string heard;
    } table[] = {
        // A colour covering itself vanishes and quickens the pace by 5, or 10 in Expert, while
        // the pace is above its floor of 50 (so 55 goes to 45).
        {32, "....R....", "4R", 3, beginner, 125, 120, "....r....\n....R....\n", any, "P"},
        {32, "....R....", "4R", 3, expert, 55, 45, "", any, "P"},
        {32, "....R....", "4R", 3, beginner, 50, 50, "", any, "P"},
        // Just below the top the gray raises the line into the top row: its column closes.
        {32, "....R....", "4M0G", 1, beginner, 125, 125, "g...M....\n....A....\n", but4, "G"},
        // C meets the red as released, its white colouring the score at once; the
        // white releases B onto the yellow, which mixes in the next frame, once.
        {0, "....R..Y.", "0G4C7B2G", 1, beginner, 125, 125, "G...W..b.\n", any, "LW"},
        {0, "....R..Y.", "0G4C7B2G", 2, beginner, 125, 125, "G.g.W..W.\n", but4And7, "LWW"},
        // Red mixes with green; then magenta on red makes a gray in the top row: game over.
        {0, "....G...R", "4R8M", 2, beginner, 125, 125, "....Y...A\n", any, "MGO"},
    };
    const std::map<char, std::string> colours = {
        {'B', "blue"}, {'G', "green"},  {'M', "magenta"},
        {'C', "cyan"}, {'Y', "yellow"}, {'R', "red"},
    };
    std::string heard;
    const Override listening(services().soundHeard,
                             [&](int sound, bool) { heard += "LMWGPO"[sound]; });
    for (const auto& row : table) {
        SCOPED_TRACE(spelled(row.plan, colours, "column ") + ", from a pace of " +
                     std::to_string(row.period));
        Then(row.plan);
        Window1& b = startOn(row.line, row.row);
        b.RadioButton2->setValue(row.expert);
        b.Timer1->setPeriod(row.period);
        b.counter = 10;
        heard.clear();
        for (int frame = 0; frame < row.frames; ++frame) {
            b.Timer1_Action();
        }
        EXPECT_EQ(fieldPicture(b, b.mysprite[b.kap]).substr(0, row.top.size()), row.top)
            << "the top rows";
        EXPECT_EQ(b.Timer1->Period(), row.after) << "the pace";
        EXPECT_EQ(b.StaticText1->TextColor(), QColor::fromRgb(scoreColor(b.counter)))
            << "the score's colour";
        if (!row.open.empty()) {
            EXPECT_EQ(b.aTest, row.open) << "the open columns";
        }
        EXPECT_EQ(heard, row.heard) << "the sounds";
        plan.clear();
    }
}

// Seeded games, random steering and difficulty, the field rule after every frame. Game g of
// HUEMIX_SOAK_GAMES (200; the soak 10,000) has seed HUEMIX_SOAK_SEED (1) + g: it replays alone.
TEST_F(BoardTest, everyFrameOfSeededGamesKeepsTheFieldRuleToTheEnd) {
    const long games = qEnvironmentVariable("HUEMIX_SOAK_GAMES", "200").toLong();
    const long firstSeed = qEnvironmentVariable("HUEMIX_SOAK_SEED", "1").toLong();
    const QColor old = QColor::fromRgb(0x123456u);
    for (long game = 0; game < games && !::testing::Test::HasFailure(); ++game) {
        Window1& board = Window1::shared();
        const auto seed = static_cast<std::uint32_t>(firstSeed + game);
        SCOPED_TRACE("HUEMIX_SOAK_SEED=" + std::to_string(seed));
        SeededRandom chance(seed);
        const Override seeded(services().random, &chance);
        RandomArrows keys(seed);
        recorded().clear();
        const bool expert = keys.below(2) == 1;
        board.RadioButton2->setValue(expert);
        StaticText* const lines[] = {board.StaticText16, board.StaticText17, board.StaticText18};
        for (StaticText* line : lines) {
            line->setText(QStringLiteral("old"));
        }
        lines[0]->setTextColor(old);
        board.PushButton1->Push();
        const std::array<Hint, 3> hints = hintsFor(board.kap);  // shown in Beginner
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(lines[i]->widget()->property("text").toString(),
                      expert ? "old" : hints[i].text);
        }
        EXPECT_EQ(lines[0]->TextColor(),  // an empty hint keeps its colour
                  expert || hints[0].text.isEmpty() ? old : QColor::fromRgb(hints[0].rgb));
        playToEnd(
            board, keys,
            [&] {
                expectFieldRule(board);
                return !::testing::Test::HasFailure();
            },
            200000);
        board.PushButton4->Push();  // New Game
        settleEvents();
    }
}
}  // namespace
