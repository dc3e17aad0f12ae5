// SPDX-License-Identifier: MIT
#pragma once

#include <random>

#include "board/Window1.h"
#include "framework/Keyboard.h"
#include "framework/Services.h"

// A restless player of whole headless games: between clock events each arrow flips
// 1 in 6 (keys held, tapped, held together); below(n) is another choice, 0 .. n - 1.
class RandomArrows : public KeyState {
  public:
    explicit RandomArrows(std::uint32_t seed) : engine_(seed) {}
    void fidget() {
        const auto draw = engine_();
        for (const int code : {KeyCode::LeftArrow, KeyCode::RightArrow}) {
            if ((code == KeyCode::LeftArrow ? draw : draw / 6) % 6 == 0) {
                if (AsyncKeyDown(code)) {
                    release(code);
                } else {
                    press(code);
                }
            }
        }
    }
    int below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }

  private:
    std::minstd_rand engine_;
    Override<KeyState*> installed_{services().keys, this};  // the keys while it lives
};

// Timer1's and Timer4's ticks in a clock's order, the player fidgeting between them, until
// Timer1 stops, maxFrames ran or onFrame (after each Timer1 tick) is false. Returns the frames.
template <class OnFrame>
long playToEnd(Window1& board, RandomArrows& keys, OnFrame&& onFrame, long maxFrames) {
    long frames = 0, nextFrame = board.Timer1->Period();
    long nextPoll = 1 + keys.below(Window1::PollPeriod);  // the poller runs since the board opened
    for (bool going = true; going && board.Timer1->Mode() != Timer::Off && frames < maxFrames;) {
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
