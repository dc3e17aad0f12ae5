// SPDX-License-Identifier: MIT
#pragma once

// The game board without a screen, for the board tests: tiles as letters, the
// field as text, the rule every frame keeps, and releases as the test plans.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "app/App.h"
#include "board/Pictures.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "support/Fakes.h"

// Blue, cyan, green, magenta, red, yellow, white, gray in Pictures::Name order; o: the empty cell.
inline const std::string Letters = "BCGMRYW?Ao";

inline char letterOf(const PictureRef& picture) {
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        if (Pictures::get(Pictures::Name(i)) == picture) {
            return Letters[i];
        }
    }
    return '?';
}

inline Tile tileOf(char letter) {
    return Pictures::tileOf(Pictures::Name(Letters.find(letter)));
}

// 15 rows of 9 letters, '.' where empty: the newest tile of each cell, `marked` in lower case.
inline std::string Field(const Window1& board, const SpriteRef& marked = nullptr) {
    std::string rows;
    for (int row = 0; row < Window1::Rows; ++row) {
        rows += ".........\n";
    }
    for (const SpriteRef& tile : board.SpriteSurface1->sprites()) {
        const char letter = letterOf(tile->Image());
        if (tile->X() >= 0 && tile->Y() >= 0 && tile->X() < 288 && tile->Y() < 480) {
            rows[tile->Y() / 32 * 10 + tile->X() / 32] =
                tile == marked ? char(std::tolower(letter)) : letter;
        }
    }
    return rows;
}

// Resting tiles on the line (kap3: set it first) where the row has letters; whites score.
inline void placeLine(Window1& board, const std::string& row) {
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (row[c] != '.') {
            const Tile tile = tileOf(row[c]);
            board.SpriteSurface1->NewSprite(tile.picture, 32 * int(c), board.kap3)
                ->setGroup(tile.code);
            board.cTest[c] = tile.picture;
        }
        if (row[c] == 'W') {
            board.StaticText1->setText(QString::number(++board.counter));
        }
    }
}

// Frames until the next release or the end of the game, or -1 if neither came in 40.
inline int runUntilNextRelease(Window1& board) {
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
inline void expectFieldRule(const Window1& b) {
    const bool playing = b.Timer1->Mode() != Timer::Off && b.kap > 0 && b.kap < Window1::Slots;
    const SpriteRef falling = playing ? b.mysprite.at(b.kap) : nullptr;
    const auto field = [&] { return Field(b, falling) + "line at " + std::to_string(b.kap3); };
    EXPECT_TRUE(!falling ||
                (!falling->closed() && falling->X() == 32 * b.kap2 && falling->Y() <= b.kap3))
        << field();
    std::string cTest;
    std::string line(9, 'o');
    int whites = 0;
    for (const SpriteRef& tile : b.SpriteSurface1->sprites()) {
        const char letter = letterOf(tile->Image());
        const int x = tile->X();
        const int y = tile->Y();
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
    EXPECT_TRUE(b.counter == whites &&
                b.StaticText1->Text() == (whites ? QString::number(whites) : ""))
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
    BoardTest& Then(int column, char colour) {
        plan.emplace_back(32 * column, 1 + int(std::string("BGMCYR").find(colour)));
        return *this;
    }
    // As a release begins, puts the planned column and colour first in the
    // board's lists and keeps their order; later releases repeat the last plan.
    int below(int n) override {
        Window1& b = *Window1::existing();
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
