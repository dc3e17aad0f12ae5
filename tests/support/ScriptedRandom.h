#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "framework/Random.h"

// A random source that gives the answers a test queued. Without a queued
// answer Below(n) gives n - 1, which makes Shuffle keep the list as it is.
class ScriptedRandom : public RandomSource {
  public:
    int Below(int n) override {
        ++draws_;
        if (answers_.empty()) {
            return n - 1;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        if (answer < 0 || answer >= n) {
            ADD_FAILURE() << "scripted answer " << answer << " to Below(" << n << ")";
            return n - 1;
        }
        return answer;
    }

    void Queue(int answer) { answers_.push_back(answer); }
    bool Pending() const { return !answers_.empty(); }
    int Draws() const { return draws_; }

    // Queues the answers with which Shuffle (Fisher-Yates from the end) puts
    // `value` first in `list` and leaves the rest where they are, but for the
    // element that was first, which takes the value's old place.
    void PutFirst(const std::vector<int>& list, int value) {
        const auto found = std::find(list.begin(), list.end(), value);
        if (found == list.end()) {
            ADD_FAILURE() << value << " is not in the list";
            return;
        }
        const int at = static_cast<int>(found - list.begin());
        for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
            Queue(i == at ? 0 : i);
        }
    }

  private:
    std::deque<int> answers_;
    int draws_ = 0;
};
