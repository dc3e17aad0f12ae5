// SPDX-License-Identifier: MIT
#pragma once

#include "framework/MenuBar.h"

// The application's menu bar: File, then Edit. One shared instance, used by
// the application object and the game board alike.
class MenuBar1 : public MenuBar {
    Q_OBJECT
  public:
    explicit MenuBar1(QObject* parent = nullptr);
    // The shared menu bar, made on the first call.
    static MenuBar1& shared();
    // Deletes the shared menu bar (shutdown).
    static void release();

  private:
    void Untitled0();  // the File menu
    void Untitled1();  // the Edit menu
};
