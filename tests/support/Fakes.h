#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include "framework/Keyboard.h"

// Keys held down as the test says, nothing else.
class FakeKeyboard : public KeyState {
  public:
    FakeKeyboard();
    ~FakeKeyboard() override;
    bool AsyncKeyDown(int code) const override { return down_.contains(code); }
    void Press(int code) {
        if (!down_.contains(code)) {
            NotePress(code);
        }
        down_.insert(code);
    }
    void Release(int code) { down_.remove(code); }

  private:
    QSet<int> down_;
};

// What the game would have shown in message boxes, the questions it asked
// (answered with `answer`), and how often it asked to quit, since the test began.
struct Recorded {
    QStringList messages;
    QStringList questions;
    bool answer = false;
    int quits = 0;
    void Clear() { *this = {}; }
};
Recorded& recorded();

// Deletes every window at once and runs the deferred deletions, so a test
// starts with no window left over from the one before.
void CloseAllWindows();
// Runs the deletions and zero-time timers that the event loop would.
void SettleEvents();
