// SPDX-License-Identifier: MIT
#pragma once

// The application for a test or a measurement, without a screen.

#include <QApplication>
#include <memory>

// Makes the application: the offscreen platform unless QT_QPA_PLATFORM names
// another, message boxes and quitting recorded (see recorded()) instead of
// shown or done, no mail program. With the clock stopped, timers tick only
// when their handlers are called.
std::unique_ptr<QApplication> startHeadless(int& argc, char** argv, bool clockRunning);
