// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <memory>

#include "framework/Window.h"

// The application offscreen, dialogs and quitting recorded, not shown or done.
// With the clock stopped, timers tick only when their handlers are called.
std::unique_ptr<QApplication> startHeadless(int& argc, char** argv, bool clockRunning);

struct Recorded {  // since the test began; questions answered `answer` (unsaved work: Cancel)
    QStringList messages, questions;
    bool answer = false;
    int quits = 0;
    void clear() { *this = {}; }
};
inline Recorded& recorded() {
    static Recorded record;
    return record;
}

// Runs the deletions and zero-time timers that the event loop would.
inline void settleEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Deletes every window at once, so a test starts with none left over.
inline void closeAllWindows() {
    Window::releaseAll();
    settleEvents();
}
