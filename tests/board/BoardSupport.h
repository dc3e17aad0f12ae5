#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "board/Window1.h"
#include "framework/Random.h"
#include "support/Fakes.h"

// Tile letters: B G M C Y R W A are blue, green, magenta, cyan, yellow, red,
// white and gray; '.' is an empty cell, 'o' the empty-cell marker whiteo.
char LetterOf(const PictureRef& picture);
PictureRef PictureOf(char letter);
int CodeOf(char letter);      // the colour code a tile of that letter carries
int SelectorOf(char letter);  // 1 (blue) .. 6 (red), the draw that releases it
char LetterOfSelector(int selector);

// The field as 15 lines of 9 letters, top row first; where tiles share a cell
// the newest shows, and a tile between rows shows in the row of its top edge.
std::vector<std::string> FieldRows(const Window1& board);
// The bottom `count` lines of the field, for readable failures.
std::string Bottom(const Window1& board, int count);
std::string Lines(const std::vector<std::string>& rows);
// cTest as 9 letters.
std::string LineLetters(const Window1& board);

// Puts resting tiles where the rows have letters, the last row at the bottom
// of the field. Tiles on the active bottom line (kap3: set it first) become
// the cTest entries of their columns.
void PlaceTiles(Window1& board, const std::vector<std::string>& rows);

// Runs frames until the next tile has been released or the game has ended;
// returns how many it took, or -1 if nothing happened in `limit` frames.
int RunUntilNextRelease(Window1& board, int limit = 40);

// Steers the coming releases to chosen columns and colours through the
// release's own shuffles. Once the plan is used up every draw is n - 1, which
// keeps the lists in order, so later tiles repeat the last column and colour.
class ReleasePlan : public RandomSource {
  public:
    ReleasePlan& Then(int column, char colour) {
        plan_.emplace_back(column, SelectorOf(colour));
        return *this;
    }
    int Below(int n) override;

  private:
    // Queues the draws with which a shuffle (Fisher-Yates from the end) puts
    // `value` first and the first element in its place, the rest unmoved.
    void PutFirst(const std::vector<int>& list, int value);

    std::deque<std::pair<int, int>> plan_;
    std::deque<int> draws_;
};

// Every board test starts with the window classes known, no window left
// over, releases steered by `plan` and the arrows held as `keys` says.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    Window1& board() { return Window1::instance(); }
    // A fresh board in place of the one there is.
    Window1& freshBoard();

    ReleasePlan plan;
    FakeKeyboard keys;
};
