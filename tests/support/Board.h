// SPDX-License-Identifier: MIT
#pragma once

// The game board without a screen, for the tests and the benchmarks.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "board/Pictures.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "support/Fakes.h"

// Tile letters: B G M C Y R W A are blue, green, magenta, cyan, yellow, red,
// white and gray; 'o' is the empty-cell marker whiteo.
char letterOf(const PictureRef& picture);
Tile tileOf(char letter);

// Rows `first` .. `first + count - 1` of the field (0 is the top), 9 letters
// each and '.' where empty: the newest tile of each cell, `marked` in lower case.
std::string Field(const Window1& board, int first = 0, int count = 15,
                  const SpriteRef& marked = nullptr);
// cTest as 9 letters.
std::string lineLetters(const Window1& board);
// Puts resting tiles where the rows have letters, the last row at the bottom
// of the field; those on the line (kap3: set it first) go into cTest, and
// whites count as scored.
void placeTiles(Window1& board, const std::vector<std::string>& rows);
// Runs frames until the next release or the end of the game; returns how
// many it took, or -1 if nothing happened in `limit` frames.
int runUntilNextRelease(Window1& board, int limit = 40);
// The tile in play while Timer1 runs, else nullptr.
SpriteRef fallingTile(const Window1& board);
// What holds between any two frames: the falling tile in column kap2 and not
// below the line; the others resting in cells on or below the line; each
// tile's code that of its colour; cTest the newest tile on the line of each
// column; the score the whites made, and shown. The first thing broken, with
// the field, or an empty text.
std::string brokenInvariant(const Window1& board);

// Puts each planned column and colour first in the board's lists as a release
// begins; every draw keeps the order, so later tiles repeat the last plan.
class ReleasePlan : public RandomSource {
  public:
    ReleasePlan& Then(int column, char colour);
    int below(int n) override;
    void newBoard() { planned_ = -1; }

  private:
    std::deque<std::pair<int, int>> plan_;
    int planned_ = -1;  // cnt of the board when the last plan was used
};

// Board tests start with the window classes known and no window left over;
// releases follow `plan`, and the arrows are down as `keys` says.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    Window1& board() { return Window1::shared(); }
    Window1& freshBoard();  // a new board in place of the one there is

    ReleasePlan plan;
    FakeKeyboard keys;
};
