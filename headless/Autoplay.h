// SPDX-License-Identifier: MIT
#pragma once

// Whole games played headless through the board's handlers, for tests and benchmarks.

#include <cstdint>
#include <random>

#include "board/Window1.h"
#include "framework/Keyboard.h"

// A restless player: each arrow goes down or up at random moments, so keys are
// held through many frames, tapped between two polls, and held together.
class RandomArrows : public KeyState {
  public:
    explicit RandomArrows(std::uint32_t seed) : engine_(seed) { setKeyboard(this); }
    ~RandomArrows() override { setKeyboard(nullptr); }
    // Between clock events: each arrow changes state with a chance of 1 in 6.
    void fidget() {
        const auto draw = engine_();
        flip(draw % 6 == 0, KeyCode::LeftArrow);
        flip((draw / 6) % 6 == 0, KeyCode::RightArrow);
    }
    // The player's other choices: 0 .. n - 1.
    int below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }

  private:
    void flip(bool change, int code) {
        if (change) {
            AsyncKeyDown(code) ? release(code) : press(code);
        }
    }
    std::minstd_rand engine_;
};

// Timer1's and Timer4's ticks in the order a clock would give them, the player
// fidgeting between them, until Timer1 stops, maxFrames have run or onFrame
// (after every Timer1 tick) returns false. Returns the number of frames.
template <class OnFrame>
long playToEnd(Window1& board, RandomArrows& keys, OnFrame&& onFrame, long maxFrames) {
    long frames = 0;
    long nextFrame = board.Timer1->Period();
    long nextPoll = 1 + keys.below(Window1::PollPeriod);  // the poller runs since the board opened
    bool going = true;
    while (going && board.Timer1->Mode() != Timer::Off && frames < maxFrames) {
        keys.fidget();
        if (board.Timer4->Mode() != Timer::Off && nextPoll <= nextFrame) {
            board.Timer4_Action();
            nextPoll += Window1::PollPeriod;
        } else {
            board.Timer1_Action();
            ++frames;
            nextFrame += board.Timer1->Period();
            going = onFrame();
        }
    }
    return frames;
}
