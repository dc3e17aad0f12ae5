// SPDX-License-Identifier: MIT
#pragma once

#include "framework/Application.h"

// The application object: it owns the start-up and shutdown order and
// handles the About menu item.
class App : public Application {
    Q_OBJECT
  public:
    App();
    ~App() override;

    // Leads the help, About and score windows, which do not know the board, on to it.
    static void wireWindows();
    // Opens the first window.
    void openDefaultWindow();
    // Starts the sound a moment after the board is first on screen: loading it
    // never delays a window, and a run that stays on the score board never
    // spends the memory.
    void startSoundWithBoard();
    // Releases the shared pictures, the windows and the menu bar, in that order.
    static void shutdown();

    // The About item: hides the board and shows the About window.
    bool _AppleAbout_Action();
};
