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

// Which keys are physically held down right now, and when each was last
// pressed. Tests install their own.
class KeyState {
  public:
    virtual ~KeyState() = default;
    virtual bool AsyncKeyDown(int code) const = 0;

    // Presses of all keys are numbered in one rising sequence, so "pressed
    // since then" is a comparison with a mark taken from Presses(). A press
    // that is already over still counts there, however short it was.
    std::uint64_t Presses() const { return presses_; }
    // The number of the key's latest press; 0 when it was never pressed.
    std::uint64_t LastPress(int code) const { return lastPress_.value(code, 0); }

  protected:
    void NotePress(int code) { lastPress_[code] = ++presses_; }

  private:
    std::uint64_t presses_ = 0;
    QHash<int, std::uint64_t> lastPress_;
};

// Key state tracked for the whole application from the key events Qt delivers.
// The release/press pairs that auto-repeat sends while a key is held are
// flagged and skipped, so a held key stays down; losing the focus to another
// application forgets every key, since its release would never reach us.
class ApplicationKeyState : public QObject, public KeyState {
    Q_OBJECT
  public:
    explicit ApplicationKeyState(QObject* parent = nullptr);
    bool AsyncKeyDown(int code) const override { return down_.contains(code); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSet<int> down_;
};

// The key state in use: the application-wide tracker unless one was installed.
KeyState& Keyboard();
// Installs a key state (not owned); nullptr puts the tracker back.
void SetKeyboard(KeyState* state);
