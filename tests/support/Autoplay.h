#pragma once

// Headless play of whole games through the board's real handlers, for the
// whole-game test and the benchmarks.

#include <cstdint>
#include <random>

#include "board/Window1.h"
#include "framework/Keyboard.h"
#include "framework/Timer.h"

// A restless player: each arrow goes down or up at random moments, so keys are
// held through many frames, tapped between two polls, and held together.
class RandomArrows : public KeyState {
  public:
    explicit RandomArrows(std::uint32_t seed) : engine_(seed) { SetKeyboard(this); }
    ~RandomArrows() override { SetKeyboard(nullptr); }
    RandomArrows(const RandomArrows&) = delete;
    RandomArrows& operator=(const RandomArrows&) = delete;

    bool AsyncKeyDown(int code) const override {
        return (code == KeyCode::LeftArrow && left_) || (code == KeyCode::RightArrow && right_);
    }

    // Called between clock events: each arrow changes state with a chance of 1 in 6.
    void Fidget() {
        const auto draw = engine_();
        if (draw % 6 == 0) {
            left_ = !left_;
        }
        if ((draw / 6) % 6 == 0) {
            right_ = !right_;
        }
    }

    // The player's other choices: 0 .. n - 1.
    int Below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }

  private:
    std::minstd_rand engine_;
    bool left_ = false;
    bool right_ = false;
};

// Delivers the board's timer ticks in the order a real clock would (Timer1 at
// its current period, Timer4 every 25 ms), with the player fidgeting between
// them, until Timer1 stops for good, maxFrames frames have run or onFrame,
// called after every Timer1 tick, returns false. Returns the number of frames.
//
// A collision stops Timer1 and the release that follows restarts it, so the
// next tick is one period after the tick that restarted it: handlers take no
// time on this clock.
template <class OnFrame>
long PlayToEnd(Window1& board, RandomArrows& keys, OnFrame&& onFrame, long maxFrames) {
    constexpr int PollPeriod = 25;
    long frames = 0;
    long nextFrame = board.Timer1->Period();
    long nextPoll = 1 + keys.Below(PollPeriod);  // the poller runs since the board opened
    while (board.Timer1->Mode() != Timer::Off && frames < maxFrames) {
        keys.Fidget();
        if (board.Timer4->Mode() != Timer::Off && nextPoll <= nextFrame) {
            board.Timer4_Action();
            nextPoll += PollPeriod;
            continue;
        }
        const long now = nextFrame;
        board.Timer1_Action();
        ++frames;
        if (!onFrame()) {
            break;
        }
        nextFrame = now + board.Timer1->Period();
    }
    return frames;
}

// Puts the falling tile back at the top once it has come down to Y = lowest,
// so that ticks stay plain falls: no landing, no collision.
inline void KeepFalling(Window1& board, int lowest) {
    const SpriteRef& tile = board.mysprite[board.kap];
    if (tile && tile->Y() >= lowest) {
        tile->SetY(0);
    }
}
