#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "board/Window1.h"
#include "support/Fakes.h"
#include "support/ScriptedRandom.h"

// Tile letters as the field pictures use them: B G M C Y R W A are blue,
// green, magenta, cyan, yellow, red, white and gray; '.' is an empty cell.
char LetterOf(const PictureRef& picture);
PictureRef PictureOf(char letter);
int CodeOf(char letter);      // the colour code a tile of that letter carries
int SelectorOf(char letter);  // 1 (blue) .. 6 (red), the draw that releases it
char LetterOfSelector(int selector);

// The 9 x 15 field as 15 lines of 9 letters, top row first. Where tiles share
// a cell the one drawn last (on top) shows; a tile between two rows shows in
// the row its top edge is in.
std::vector<std::string> FieldRows(const Window1& board);
// The bottom `count` lines of the field, one per line, for readable failures.
std::string Bottom(const Window1& board, int count);
std::string Lines(const std::vector<std::string>& rows);
// cTest as 9 letters, 'o' for the empty-cell marker whiteo.
std::string LineLetters(const Window1& board);

// Puts resting tiles where the picture has letters; its last line is the
// field's bottom row. Tiles on the active bottom line (kap3, set it first)
// become the cTest entries of their columns.
void PlaceTiles(Window1& board, const std::vector<std::string>& rows);

// Runs frames (Timer1 ticks) until the next tile has been released or the
// game has ended; returns how many it took, or -1 if nothing happened in
// `limit` frames.
int RunUntilNextRelease(Window1& board, int limit = 40);

// Steers the coming releases to chosen columns and colours through the
// release's own shuffles. When the plan is used up the lists keep their
// order, so later tiles repeat the last column and colour.
class ReleasePlan : public RandomSource {
  public:
    ReleasePlan& Then(int column, char colour) {
        plan_.emplace_back(column, SelectorOf(colour));
        return *this;
    }
    int Below(int n) override;
    bool UsedUp() const { return plan_.empty() && !script_.Pending(); }

  private:
    std::deque<std::pair<int, int>> plan_;
    ScriptedRandom script_;
};

// A fresh start for every board test: the window classes known, no window
// left over, releases steered by `plan`, the arrows held as `keys` says.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // The board, made and opened now if there is none.
    Window1& board();
    // A fresh board in place of the one there is.
    Window1& freshBoard();

    ReleasePlan plan;
    FakeKeyboard keys;
};
