// SPDX-License-Identifier: MIT
// The board's controls, releasing and steering tiles, the time penalty, the
// hints and the score's colour.
#include <QApplication>
#include <QTest>
#include <set>

#include "framework/Keyboard.h"
#include "info/Window2.h"
#include "support/Board.h"

namespace {

TEST_F(BoardTest, theControlsAndTheirLetterKeysSetUpAndEndAGame) {
    // Keys typed on a fresh board (B enables Beginner first, as Expert turned it
    // off; X: the game runs out of columns; C: HELP opened, the board closed).
    // Then, of the board read anew: Start, HELP, Beginner, Expert enabled,
    // Beginner chosen, the poller running, the board and HELP shown; Timer1's
    // period, tiles released, quits asked for.
    const std::pair<std::string, const char*> table[] = {
        {"", "11111110 125 0 0"},    {"E", "11010110 80 0 0"},      {"EB", "11111110 80 0 0"},
        {"\r", "00101110 125 1 0"},  {"S\rSH", "00101110 125 1 0"}, {"ES", "00010110 80 1 0"},
        {"SX", "00101010 125 1 0"},  {"ESX", "00010010 80 1 0"},    {"H", "11111101 125 0 0"},
        {"Q", "11111110 125 0 1"},   {"SN", "11111110 125 0 0"},    {"C", "11111111 125 0 1"},
        {"SXC", "11111111 125 0 0"},
    };
    for (const auto& [typed, expected] : table) {
        SCOPED_TRACE(typed);
        recorded().clear();
        Window1& b = freshBoard();
        b.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
        for (const char key : typed) {
            if (key == 'X') {
                b.aTest.clear();
                ASSERT_EQ(runUntilNextRelease(b), 1 + 28);
            } else if (key == 'C') {
                Window2::shared();  // still on screen: only the board's rule decides
                b.Close();
            } else {
                b.RadioButton1->setEnabled(b.RadioButton1->Enabled() || key == 'B');
                QTest::keyClick(&b, key);
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), nullptr) << "the arrows must only steer";
        settleEvents();
        const Window1& n = Window1::shared();
        std::string seen;
        for (const bool on :
             {n.PushButton1->Enabled(), n.PushButton5->Enabled(), n.RadioButton1->Enabled(),
              n.RadioButton2->Enabled(), n.RadioButton1->Value(), n.Timer4->Mode() != Timer::Off,
              n.isVisible(), Window2::existing() && Window2::existing()->isVisible()}) {
            seen += on ? '1' : '0';
        }
        EXPECT_EQ(seen + " " + std::to_string(n.Timer1->Period()) + " " + std::to_string(n.cnt) +
                      " " + std::to_string(recorded().quits),
                  expected);
    }
}

TEST_F(BoardTest, anyColumnAndColourComeFirstWithTheirHintsAndANoRoomReleaseEndsTheGame) {
    // Per colour selector: text and colour of the three Beginner hints.
    const char* hints[] = {"",
                           "Green#00bb00 Red#bb0000 Yellow#bbbb00",
                           "Blue#0000bb Red#bb0000 Magenta#bb00bb",
                           "#000000 Green#00bb00 #000000",
                           "#000000 Red#bb0000 #000000",
                           "#000000 Blue#0000bb #000000",
                           "Green#00bb00 Blue#0000bb Cyan#00bbbb"};
    std::set<int> firsts;  // columns 0 .. 8, colours 11 .. 16
    for (std::uint32_t seed = 0; seed < 120; ++seed) {
        SeededRandom seeded(seed);
        setRandom(&seeded);
        Window1& b = freshBoard();
        b.PushButton1->Push();
        expectFieldRule(b);
        ASSERT_EQ(letterOf(b.mysprite.at(b.kap)->Image()), "?BGMCYR"[b.kap]);
        ASSERT_EQ(std::set(b.aTest.begin(), b.aTest.end()),
                  (std::set{0, 32, 64, 96, 128, 160, 192, 224, 256}));
        ASSERT_EQ(std::set(b.nTest.begin(), b.nTest.end()), (std::set{1, 2, 3, 4, 5, 6}));
        QStringList seen;
        for (const StaticText* line : {b.StaticText16, b.StaticText17, b.StaticText18}) {
            seen << line->Text() + line->TextColor().name();
        }
        ASSERT_EQ(seen.join(' ').toStdString(), hints[b.kap]);
        firsts.insert({b.kap2, 10 + b.kap});
    }
    EXPECT_EQ(firsts.size(), 9u + 6u);
    setRandom(this);

    // No column open; the line above the top; the game already over.
    for (const auto& [columns, line, live] : {std::tuple{std::vector<int>{}, 448, true},
                                              {std::vector<int>{0}, -32, true},
                                              {std::vector<int>{0}, 448, false}}) {
        recorded().clear();
        Window1& b = freshBoard();
        b.PushButton1->Push();
        std::tie(b.counter, b.aTest, b.kap3, b.cktru) = std::tuple(7, columns, line, live);
        b.PushButton2->Push();
        b.PushButton2->Push();  // disabled now: nothing more is asked for
        EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 7")});
        EXPECT_EQ(std::tuple(b.cktru, b.cnt, b.SpriteSurface1->closed(), b.Timer1->Mode(),
                             b.Timer4->Mode()),
                  std::tuple(false, 1, true, int(Timer::Off), int(Timer::Off)));
    }
}

TEST_F(BoardTest, steeringTakesOneColumnPerPressAndTheTileLandsOnTheLine) {
    // From a column: L/R press an arrow, l/r release it, p is a Timer4 poll, f a
    // Timer1 frame, a digit puts the line on that row; then the tile's column
    // after each frame, + once it has landed. The edges hold the tile; a press
    // steps once until a poll sees its key up; on the line a tile only lands.
    const std::tuple<int, std::string, std::string> table[] = {
        {0, "Lf", "0"},       {0, "LRf", "1"},      {8, "Rf", "8"},        {8, "RLf", "7"},
        {1, "Lf", "0"},       {7, "Rf", "8"},       {4, "fLlfpf", "433"},  {4, "Rprpff", "55"},
        {4, "Lfpfpf", "333"}, {4, "Rfpfpf", "555"}, {4, "LflpLf", "32"},   {4, "RfrpRf", "56"},
        {4, "LfplLpf", "33"}, {4, "RfprRpf", "55"}, {4, "LRfpfpf", "344"}, {4, "1ffLf", "44+"},
        {4, "0Lf", "+"},
    };
    for (const auto& [column, script, frames] : table) {
        SCOPED_TRACE(script);
        keys.releaseAll();
        Window1& b = freshBoard();
        Then(column, 'R');
        b.PushButton1->Push();
        std::string seen;
        for (const char step : script) {
            const int arrow = std::toupper(step) == 'L' ? KeyCode::LeftArrow : KeyCode::RightArrow;
            if (std::isdigit(step)) {
                b.kap3 = 32 * (step - '0');
            } else if (step == 'L' || step == 'R') {
                keys.press(arrow);
            } else if (step == 'l' || step == 'r') {
                keys.release(arrow);
            } else if (step == 'p') {
                b.Timer4_Action();
            } else {
                b.Timer1_Action();
                seen += b.cnt == 2 ? '+' : char('0' + b.kap2);
            }
        }
        EXPECT_EQ(seen, frames);
        expectFieldRule(b);
    }
}

TEST_F(BoardTest, aColourCoveringItselfQuickensThePaceBy5Or10WhileAbove50AndExpertHasNoHints) {
    // Expert, and the period before and after a red lands on a red.
    for (const auto& [expert, before, after] : {std::tuple{false, 125, 120},
                                                {false, 55, 50},
                                                {false, 50, 50},
                                                {true, 80, 70},
                                                {true, 60, 50},
                                                {true, 55, 45},
                                                {true, 50, 50}}) {
        Window1& b = freshBoard();
        b.RadioButton2->setValue(expert);
        b.Timer1->setPeriod(before);
        placeTiles(b, {"....R...."});
        Then(4, 'R');
        b.PushButton1->Push();
        ASSERT_EQ(runUntilNextRelease(b), 29);
        EXPECT_EQ(b.Timer1->Period(), after) << before << (expert ? " expert" : " beginner");
        EXPECT_EQ(b.StaticText16->Text(), expert ? "" : "Green");
    }
}

TEST_F(BoardTest, theScoreTakesItsColourFromTheScoreAfterEveryFrame) {
    Window1& b = freshBoard();
    b.counter = 10;
    placeTiles(b, {"....R...."});
    Then(4, 'C');
    b.PushButton1->Push();
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

}  // namespace
