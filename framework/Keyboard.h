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

// Which keys are down, and how often each was pressed: a key held down is one press.
class KeyState {
  public:
    // X's auto-repeat of a held key can reach us as a release and a press that
    // Qt did not flag, stamped the same moment: a press this soon (ms of event
    // time) after its key's release continues the hold. A finger is far slower.
    static constexpr std::uint64_t RepeatGap = 5;

    virtual ~KeyState() = default;
    virtual bool AsyncKeyDown(int code) const { return down_.contains(code); }
    std::uint64_t pressCount(int code) const { return counts_.value(code, 0); }
    const QHash<int, std::uint64_t>& pressCounts() const { return counts_; }

    // `time`: the event's time in ms, or 0 when unknown (a press after a release then counts).
    void press(int code, std::uint64_t time = 0) {
        const auto released = releasedAt_.constFind(code);
        const bool repeat = time && released != releasedAt_.cend() && time >= *released &&
                            time - *released <= RepeatGap;
        if (!down_.contains(code) && !repeat) {
            ++counts_[code];
        }
        down_.insert(code);
    }
    void release(int code, std::uint64_t time = 0) {
        down_.remove(code);
        time ? void(releasedAt_[code] = time) : void(releasedAt_.remove(code));
    }
    void releaseAll() {
        down_.clear();
        releasedAt_.clear();
    }

  private:
    QSet<int> down_;
    QHash<int, std::uint64_t> counts_;      // presses of each key so far
    QHash<int, std::uint64_t> releasedAt_;  // event time of each key's last release
};

// The key state in use: one tracking the application's key events, unless
// another was installed (not owned; nullptr puts the tracker back).
KeyState& Keyboard();
void setKeyboard(KeyState* state);
