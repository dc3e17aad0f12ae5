// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QSet>
#include <cstdint>

// Virtual key codes the game asks about.
namespace KeyCode {
constexpr int LeftArrow = 123;
constexpr int RightArrow = 124;
}  // namespace KeyCode

// Which keys are down, and the number of each key's latest press. Presses of
// all keys share one rising count, so "pressed since then" is a comparison
// with presses() taken then, however short the press was.
class KeyState {
  public:
    virtual ~KeyState() = default;
    virtual bool AsyncKeyDown(int code) const { return down_.contains(code); }
    std::uint64_t presses() const { return presses_; }
    std::uint64_t lastPress(int code) const { return lastPress_.value(code, 0); }

    void press(int code) {
        if (!down_.contains(code)) {
            lastPress_[code] = ++presses_;
            down_.insert(code);
        }
    }
    void release(int code) { down_.remove(code); }
    void releaseAll() { down_.clear(); }

  private:
    QSet<int> down_;
    std::uint64_t presses_ = 0;
    QHash<int, std::uint64_t> lastPress_;
};

// The key state in use: one tracking the application's key events, unless
// another was installed (not owned; nullptr puts the tracker back).
KeyState& Keyboard();
void setKeyboard(KeyState* state);
