// SPDX-License-Identifier: MIT
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

// The help window: the rules of the game, and "BACK" to the board.
class Window2 : public SharedWindow<Window2> {
    Q_OBJECT
  public:
    static constexpr const char* ClassName = "Window2";
    Window2();

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
