// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <cstdint>

// Virtual key codes the game asks about.
namespace KeyCode {
constexpr int LeftArrow = 123;
constexpr int RightArrow = 124;
}  // namespace KeyCode

// Which keys are held down right now, and the number of each key's latest
// press. Presses of all keys are numbered in one rising sequence, so "pressed
// since then" compares with a mark taken from presses(), however short the
// press was. Tests install their own.
class KeyState {
  public:
    virtual ~KeyState() = default;
    virtual bool AsyncKeyDown(int code) const { return down_.contains(code); }
    std::uint64_t presses() const { return presses_; }
    std::uint64_t lastPress(int code) const { return lastPress_.value(code, 0); }  // 0: never

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

// Key state tracked for the whole application from the key events Qt
// delivers. Auto-repeat's release/press pairs while a key is held are skipped,
// so a held key stays down; losing the focus to another application forgets
// every key, since its release would never reach us.
class ApplicationKeyState : public QObject, public KeyState {
    Q_OBJECT
  public:
    explicit ApplicationKeyState(QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The key state in use: the application-wide tracker unless one was installed.
KeyState& Keyboard();
// Installs a key state (not owned); nullptr puts the tracker back.
void setKeyboard(KeyState* state);
