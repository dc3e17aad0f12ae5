// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include "framework/Keyboard.h"

// Keys held down as the test says (Press, Release), nothing else, while it lives.
class FakeKeyboard : public KeyState {
  public:
    FakeKeyboard();
    ~FakeKeyboard() override;
};

// What the game would have shown in message boxes, the questions it asked
// (answered with `answer`), and how often it asked to quit, since the test began.
struct Recorded {
    QStringList messages;
    QStringList questions;
    bool answer = false;
    int quits = 0;
    void clear() { *this = {}; }
};
Recorded& recorded();

// Deletes every window at once and runs the deferred deletions, so a test
// starts with no window left over from the one before.
void closeAllWindows();
// Runs the deletions and zero-time timers that the event loop would.
void settleEvents();
