#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <utility>
#include <vector>

#include "board/Window1.h"
#include "framework/Random.h"
#include "support/Board.h"
#include "support/Fakes.h"

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
