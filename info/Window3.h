// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "framework/Controls.h"
#include "framework/Window.h"

// The About window: the game's name and version, and a contact link.
class Window3 : public SharedWindow<Window3> {
    Q_OBJECT
  public:
    static constexpr const char* ContactAddress = "huemix@example.org";
    Window3();
    // Where it leads back to: the game board, which the application wires in.
    static inline std::function<void()> showBoard = [] {};

    StaticText* StaticText1;  // "Huemix"
    StaticText* StaticText3;  // the version
    StaticText* StaticText4;
    StaticText* StaticText5;  // the contact link
    PushButton* PushButton1;  // "Close"

    void PushButton1_Action();
    bool StaticText5_MouseDown(int x, int y);

  protected:
    void Event_Close() override;
};
