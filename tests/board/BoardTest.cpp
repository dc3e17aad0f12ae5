// SPDX-License-Identifier: MIT
// The game board through its real handlers, headless: the controls, releasing,
// steering and landing tiles, mixing, the time penalty, the hints, the score's
// colour, the rise of the active bottom line, the end of the game, whole games.
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

// Tiles are letters, the field is text, and releases go where the test plans.
// Blue, cyan, green, magenta, red, yellow, white, gray in Pictures::Name order; o: the empty cell.
const std::string Letters = "BCGMRYW?Ao";

char letterOf(const PictureRef& picture) {
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        if (Pictures::get(Pictures::Name(i)) == picture) {
            return Letters[i];
        }
    }
    return '?';
}

struct Tile {
    PictureRef picture;
    int code;
};
Tile tileOf(char letter) {
    const PictureRef p = Pictures::get(Pictures::Name(Letters.find(letter)));
    return {p, groupOf(Pictures::colourOf(p))};
}

// 15 rows of 9 letters, '.' where empty: the newest tile of each cell, `marked` in lower case.
std::string fieldPicture(const Window1& board, const SpriteRef& marked = nullptr) {
    std::string rows = QString(".........\n").repeated(Window1::Rows).toStdString();
    for (const SpriteRef& tile : board.SpriteSurface1->sprites()) {
        const char letter = letterOf(tile->Image());
        if (tile->X() >= 0 && tile->Y() >= 0 && tile->X() < 288 && tile->Y() < 480) {
            rows[tile->Y() / 32 * 10 + tile->X() / 32] =
                tile == marked ? char(std::tolower(letter)) : letter;
        }
    }
    return rows;
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

// The field rule, true between any two frames: the falling tile in column kap2
// and not below the line; the others resting in cells on or below the line;
// each tile's code that of its colour; cTest the newest tile on the line of
// each column; the score the whites made, and shown.
void expectFieldRule(const Window1& b) {
    const bool playing = b.Timer1->Mode() != Timer::Off && b.kap > 0 && b.kap < Window1::Slots;
    const SpriteRef falling = playing ? b.mysprite.at(b.kap) : nullptr;
    const auto field = [&] {
        return fieldPicture(b, falling) + "line at " + std::to_string(b.kap3);
    };
    EXPECT_TRUE(!falling ||
                (!falling->closed() && falling->X() == 32 * b.kap2 && falling->Y() <= b.kap3))
        << field();
    std::string cTest, line(9, 'o');
    int whites = 0;
    for (const SpriteRef& tile : b.SpriteSurface1->sprites()) {
        const char letter = letterOf(tile->Image());
        const int x = tile->X(), y = tile->Y();
        const bool rests = x % 32 == 0 && y % 32 == 0 && x >= 0 && x <= 256 && y >= b.kap3;
        EXPECT_TRUE(tile->Group() == tileOf(letter).code && (tile == falling || rests) && y <= 448)
            << letter << " off the grid, above the line or with another code\n"
            << field();
        if (rests && y == b.kap3 && tile != falling) {
            line[x / 32] = letter;
        }
        whites += letter == 'W';
    }
    for (const PictureRef& picture : b.cTest) {
        cTest += letterOf(picture);
    }
    // A gray in the top row ends the game and leaves cTest as it was.
    const SpriteRef& last = b.mysprite2;
    if (!b.cktru && last && last->Y() == 0 && letterOf(last->Image()) == 'A') {
        line[last->X() / 32] = cTest[last->X() / 32];
    }
    EXPECT_EQ(cTest, line) << "cTest and the line\n" << field();
    EXPECT_TRUE(b.counter == whites && b.StaticText1->widget()->property("text").toString() ==
                                           (whites ? QString::number(whites) : ""))
        << "the score is not the whites\n"
        << field();
}

// Board tests release tiles as planned (Then).
struct BoardTest : ::testing::Test, RandomSource {
    std::deque<std::pair<int, int>> plan;  // X and colour selector of the next releases
    int planned = -1;                      // cnt of the board when the last plan was used

    void SetUp() override {
        App::registerWindows();
        recorded().clear();
        setRandom(this);
    }
    void TearDown() override {
        setRandom(nullptr);
        setKeyboard(nullptr);
        closeAllWindows();
    }
    Window1& freshBoard() {  // in place of the board there is
        closeAllWindows();
        planned = -1;
        return Window1::shared();
    }
    // A fresh board, started, with the line at Y `line` holding the tiles of
    // `row` (whites score).
    Window1& startOn(int line, const std::string& row) {
        Window1& b = freshBoard();
        b.kap3 = line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (row[c] != '.') {
                const Tile tile = tileOf(row[c]);
                b.SpriteSurface1->NewSprite(tile.picture, 32 * int(c), line)->setGroup(tile.code);
                b.cTest[c] = tile.picture;
            }
            if (row[c] == 'W') {
                b.StaticText1->setText(QString::number(++b.counter));
            }
        }
        b.PushButton1->Push();
        return b;
    }
    BoardTest& Then(int column, char colour) {
        plan.emplace_back(32 * column, 1 + int(std::string("BGMCYR").find(colour)));
        return *this;
    }
    // As a release begins, puts the planned column and colour first in the
    // board's lists and keeps their order; later releases repeat the last plan.
    int below(int n) override {
        Window1& b = Window1::shared();
        if (b.cnt != planned && !plan.empty()) {
            planned = b.cnt;
            for (auto [list, value] : {std::pair{&b.aTest, plan.front().first},
                                       std::pair{&b.nTest, plan.front().second}}) {
                const auto at = std::find(list->begin(), list->end(), value) - list->begin();
                std::swap(list->at(0), list->at(at));
            }
            plan.pop_front();
        }
        return n - 1;  // shuffle() then swaps each element with itself
    }
};

TEST_F(BoardTest, theControlsAndTheirLetterKeysSetUpAndEndAGame) {
    // Keys typed on a fresh board (B enables Beginner first, as Expert turned it
    // off; X: the game runs out of columns; C: HELP opened, the board closed;
    // y: questions are answered Yes). Then, of the board read anew: Start,
    // HELP, Beginner, Expert enabled, Beginner chosen, Timer1 and the poller
    // running, the board and HELP shown; Timer1's period, tiles released,
    // quits, messages, and h for each question asked with both timers held.
    const std::pair<std::string, const char*> table[] = {
        {"", "111110110 125 0 0 0 -"},    {"E", "110100110 80 0 0 0 -"},
        {"EB", "111110110 80 0 0 0 -"},   {"S\rSH", "001011110 125 1 0 0 -"},
        {"E\r", "000101110 80 1 0 0 -"},  {"SX", "001010010 125 1 0 1 -"},
        {"ESX", "000100010 80 1 0 1 -"},  {"H", "111110101 125 0 0 0 -"},
        {"Q", "111110110 125 0 1 0 -"},   {"SN", "001011110 125 1 0 0 h"},
        {"SyN", "111110110 125 0 0 0 h"}, {"SQ", "001011110 125 1 0 0 h"},
        {"SyQ", "001011110 125 1 1 0 h"}, {"SXQ", "001010010 125 1 1 1 -"},
        {"C", "111110111 125 0 1 0 -"},   {"SXC", "111110111 125 0 0 1 -"},
    };
    const auto presenter = Application::questionPresenter;
    std::string held;
    Application::questionPresenter = [&](const QString&) {
        const Window1& b = Window1::shared();
        held += b.Timer1->Mode() == Timer::Off && b.Timer4->Mode() == Timer::Off ? 'h' : 'r';
        return recorded().answer;
    };
    for (const auto& [typed, expected] : table) {
        SCOPED_TRACE(typed);
        recorded().clear();
        held.clear();
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
            } else if (key == 'y') {
                recorded().answer = true;
            } else {
                b.RadioButton1->setEnabled(b.RadioButton1->Enabled() || key == 'B');
                QTest::keyClick(&b, key);
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), nullptr) << "the arrows must only steer";
        settleEvents();
        const Window1& n = Window1::shared();
        const Window* help = Window::existing(Window2::ClassName);
        EXPECT_EQ(QString::asprintf("%d%d%d%d%d%d%d%d%d %d %d %d %lld %s", n.PushButton1->Enabled(),
                                    n.PushButton5->Enabled(), n.RadioButton1->Enabled(),
                                    n.RadioButton2->Enabled(), n.RadioButton1->Value(),
                                    n.Timer1->Mode() != 0, n.Timer4->Mode() != 0, n.isVisible(),
                                    help && help->isVisible(), n.Timer1->Period(), n.cnt,
                                    recorded().quits, recorded().messages.size(),
                                    held.empty() ? "-" : held.c_str()),
                  expected);
    }
    Application::questionPresenter = presenter;
}

TEST_F(BoardTest, steeringTakesOneColumnPerPressAndTheTileLandsOnTheLine) {
    // From a column: L/R press an arrow, l/r release it, p is a Timer4 poll, f a
    // Timer1 frame, a digit puts the line on that row; then the falling tile's
    // column after each frame, + in the frame it lands. The edges hold the tile
    // and spend the press; a held key steps once; presses quicker than a frame
    // step one a frame once a poll re-arms; none outlives its tile.
    const std::tuple<int, std::string, std::string> table[] = {
        {0, "LRf", "1"},
        {8, "Rf", "8"},
        {8, "RLf", "7"},
        {1, "Lf", "0"},
        {7, "Rf", "8"},
        {4, "fLlfpf", "433"},
        {4, "Rprpff", "55"},
        {4, "Lfpfpf", "333"},
        {4, "Rfpfpf", "555"},
        {4, "LflpLf", "32"},
        {4, "RfrpRf", "56"},
        {4, "LfplLpf", "32"},
        {4, "RfprRpf", "56"},
        {4, "LRfpfpf", "344"},
        {4, "1ffLf", "44+"},
        {4, "0Lf", "+"},
        {4, "LlLlffpfpf", "3322"},
        {1, "LlLlfpfRf", "001"},
        {4, "1fLlLlfpfpf", "43+4"},
    };
    for (const auto& [column, script, frames] : table) {
        SCOPED_TRACE(script);
        KeyState keys;
        setKeyboard(&keys);
        Then(column, 'R');
        Window1& b = startOn(448, "");
        std::string seen;
        for (const char step : script) {
            const int arrow = std::toupper(step) == 'L' ? KeyCode::LeftArrow : KeyCode::RightArrow;
            if (std::isdigit(step)) {
                b.kap3 = 32 * (step - '0');
            } else if (std::toupper(step) == 'L' || std::toupper(step) == 'R') {
                std::isupper(step) ? keys.press(arrow) : keys.release(arrow);
            } else if (step == 'p') {
                b.Timer4_Action();
            } else {
                const int released = b.cnt;
                b.Timer1_Action();
                seen += b.cnt != released ? '+' : char('0' + b.kap2);
            }
        }
        EXPECT_EQ(seen, frames);
    }
}

TEST_F(BoardTest, pauseAndAnotherProgramHoldTheGameAndArrowsPressedMeanwhileDoNotStep) {
    // Paused (timers held, "Paused" shown) only in a game; back from another
    // program's window, a game paused by key stays paused.
    KeyState keys;
    setKeyboard(&keys);
    std::string seen;
    const auto type = [&](Window1& b, const std::string& typed) {
        b.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b));
        for (const char key : typed) {
            QEvent away(key == 'D' ? QEvent::ApplicationDeactivate : QEvent::ApplicationActivate);
            key == 'D' || key == 'A'
                ? void(QCoreApplication::sendEvent(qApp, &away))
                : QTest::keyClick(&b, key == 'p' ? Qt::Key_Pause : Qt::Key(key));
            seen += QString::asprintf(" %d%d%d%d", b.paused(), b.Timer1->held(), b.Timer4->held(),
                                      !b.PausedText->widget()->isHidden())
                        .toStdString();
        }
    };
    type(freshBoard(), "P");
    Then(4, 'R');
    Window1& b = startOn(448, "");
    type(b, "P");
    keys.press(KeyCode::LeftArrow);
    type(b, "pDAPDAP");
    EXPECT_EQ(seen, " 0000 1111 0000 0110 0000 1111 1111 1111 0000");
    b.Timer1_Action();
    keys.release(KeyCode::LeftArrow);
    b.Timer4_Action();
    keys.press(KeyCode::LeftArrow);
    b.Timer1_Action();
    EXPECT_EQ(b.kap2, 3) << "the arrow pressed while paused stepped, or the one after did not";
}

TEST_F(BoardTest, aTileLandingOnEachKindOfTileMixesStaysOrVanishesWithAPenalty) {
    // Column by column, the bottom cell holds one of these before the landing.
    const std::string resting = "BGMCYRWA.";
    // The falling colour, Expert, Timer1's period before and after it covers
    // itself; the bottom two rows after: the tile that fell in lower case
    // where it stays, and a gray raises a new tile of the falling colour a row.
    const std::tuple<char, bool, int, int, const char*> table[] = {
        {'B', false, 125, 120, "..BB.....\nBCAAWMbbb\n"},
        {'G', false, 55, 50, "...GG....\nCGWAAYggg\n"},
        {'M', false, 50, 50, "M..MMM...\nAWMAAAmmm\n"},
        {'C', true, 80, 70, "CCC.C....\nAAACAWccc\n"},
        {'Y', true, 55, 45, ".YYY.Y...\nWAAAYAyyy\n"},
        {'R', true, 60, 50, "..R.R....\nMYAWARrrr\n"},
    };
    for (const auto& [falling, expert, before, after, rows] : table) {
        std::string seen = ".........\n.........\n";
        for (int column = 0; column < 9; ++column) {
            SCOPED_TRACE(std::string(1, falling) + " onto " + resting[column]);
            Then(column, falling);
            Window1& b = startOn(448, std::string(8, '.').insert(column, 1, resting[column]));
            b.RadioButton2->setValue(expert);
            b.Timer1->setPeriod(before);
            const SpriteRef tile = b.mysprite[b.kap];
            ASSERT_NE(runUntilNextRelease(b), -1);
            const std::string field = fieldPicture(b, tile).substr(130);
            seen[column] = field[column];
            seen[10 + column] = field[10 + column];
            expectFieldRule(b);
            // One release, and the pace runs again.
            EXPECT_EQ(
                std::tuple(b.cnt, b.Timer1->Mode(), b.Timer1->Period()),
                std::tuple(2, int(Timer::Multiple), resting[column] == falling ? after : before));
        }
        EXPECT_EQ(seen, rows) << falling << " falling";
    }
}

TEST_F(BoardTest, theScoreTakesItsColourFromTheScoreAfterEveryFrame) {
    Then(4, 'C');
    Window1& b = startOn(448, "....R....");
    b.counter = 10;
    ASSERT_NE(runUntilNextRelease(b), -1);
    EXPECT_EQ(b.StaticText1->TextColor(), QColor(0xBB, 0, 0)) << "the point of this frame counts";
    const std::pair<int, QRgb> table[] = {
        {0, 0x000000},  {10, 0x000000},  {11, 0xBB0000},  {25, 0xBB0000},   {26, 0xBBBB00},
        {45, 0xBBBB00}, {46, 0x00BB00},  {65, 0x00BB00},  {66, 0x00BBBB},   {75, 0x00BBBB},
        {76, 0x0000BB}, {100, 0x0000BB}, {101, 0xBB00BB}, {5000, 0xBB00BB},
    };
    for (const auto& [score, rgb] : table) {
        b.counter = score;
        b.Timer1_Action();
        EXPECT_EQ(b.StaticText1->TextColor(), QColor::fromRgb(rgb)) << "score " << score;
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

    // G lands, C released then meets the red in the same frame; the white
    // releases B onto the yellow, which mixes there in the next frame, once.
    Then(0, 'G').Then(4, 'C').Then(7, 'B').Then(2, 'G');
    Window1& c = startOn(0, "....R..Y.");
    c.Timer1_Action();
    EXPECT_EQ(fieldPicture(c, c.mysprite[c.kap]).substr(0, 10), "G...W..b.\n");
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
    // Per colour selector: text and colour of the three hint lines, which were
    // "old" in #123456 before; an empty line keeps its colour.
    const char* hints[] = {"",
                           "Green#00bb00 Red#bb0000 Yellow#bbbb00",
                           "Blue#0000bb Red#bb0000 Magenta#bb00bb",
                           "#123456 Green#00bb00 #123456",
                           "#123456 Red#bb0000 #123456",
                           "#123456 Blue#0000bb #123456",
                           "Green#00bb00 Blue#0000bb Cyan#00bbbb"};
    const long games = qEnvironmentVariable("HUEMIX_SOAK_GAMES", "200").toLong();
    const long firstSeed = qEnvironmentVariable("HUEMIX_SOAK_SEED", "1").toLong();
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
            line->setTextColor(QColor(0x12, 0x34, 0x56));
        }
        board.PushButton1->Push();
        QStringList shown;
        for (const StaticText* line : lines) {
            shown << line->widget()->property("text").toString() + line->TextColor().name();
        }
        EXPECT_EQ(shown.join(' ').toStdString(),
                  expert ? "old#123456 old#123456 old#123456" : hints[board.kap]);
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
