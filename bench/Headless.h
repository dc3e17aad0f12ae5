#pragma once

// What the measurement programs share: the game running without a screen.

#include <QApplication>
#include <memory>

class Window1;

// Makes the application for a measurement: the offscreen platform unless
// QT_QPA_PLATFORM names another, every window class of the game registered,
// message boxes and quitting counted instead of shown or done. With the clock
// stopped, timers tick only when their handlers are called.
std::unique_ptr<QApplication> StartHeadless(int& argc, char** argv, bool clockRunning);

// How many messages (game over) the game has shown so far.
int MessagesShown();

// Runs the deferred deletions and zero-time timers the event loop would run
// between two events (New Game deletes the old board that way).
void Settle();

// Deletes every window, so the next board is a fresh one.
void CloseAllWindows();

// Puts the falling tile back at the top once it has come down to Y = lowest,
// so that ticks stay plain falls: no landing, no collision.
void KeepFalling(Window1& board, int lowest);
