// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QSet>
#include <cstdint>

namespace KeyCode {
constexpr int LeftArrow = 123;
constexpr int RightArrow = 124;
}  // namespace KeyCode

// Which keys are down, and how often each was pressed: a key held down is one press.
class KeyState {
  public:
    // X's auto-repeat can reach us as an unflagged release and press stamped together: a press
    // this soon (ms) after its key's release continues the hold. A finger is far slower.
    static constexpr std::uint64_t RepeatGap = 5;

    virtual ~KeyState() = default;
    virtual bool AsyncKeyDown(int code) const { return down_.contains(code); }
    std::uint64_t pressCount(int code) const { return counts_.value(code, 0); }
    const QHash<int, std::uint64_t>& pressCounts() const { return counts_; }

    // `time`: the event's, in ms; 0 when unknown (a press after a release then counts).
    void press(int code, std::uint64_t time = 0) {
        const std::uint64_t released = releasedAt_.value(code, 0);  // 0: none known
        const bool repeat = time && released && time >= released && time - released <= RepeatGap;
        counts_[code] += !down_.contains(code) && !repeat;
        down_.insert(code);
    }
    void release(int code, std::uint64_t time = 0) {
        down_.remove(code);
        if (time) {
            releasedAt_[code] = time;
        } else {
            releasedAt_.remove(code);
        }
    }
    void releaseAll() {
        down_.clear();
        releasedAt_.clear();
    }

  private:
    QSet<int> down_;
    QHash<int, std::uint64_t> counts_, releasedAt_;  // per key: presses, last release time
};

// The key state in use: the application's key events, unless services() has another.
KeyState& Keyboard();
