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

    // Registers the window classes, so windows can reach each other by class name.
    static void registerWindows();
    // Opens the first window.
    void openDefaultWindow();
    // Releases the shared pictures, the windows and the menu bar, in that order.
    static void shutdown();

    // The About item: hides the board and shows the About window.
    bool _AppleAbout_Action();
};
