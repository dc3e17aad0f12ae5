// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "framework/Controls.h"
#include "framework/Window.h"

// The help window: the rules of the game, and "BACK" to the board.
class Window2 : public SharedWindow<Window2> {
    Q_OBJECT
  public:
    Window2();
    // Where it leads back to: the game board, which the application wires in.
    static inline std::function<void()> showBoard = [] {};

    StaticText* StaticText1;  // the help text
    PushButton* PushButton1;  // "BACK"

    void PushButton1_Action();

    // The help text, line by line.
    static QString helpText();

  protected:
    // The help has no close button, but a window manager may close it anyway:
    // the board must not stay hidden behind a help window that is gone.
    void Event_Close() override;
};
