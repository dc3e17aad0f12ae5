// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

#include "framework/Services.h"

class MenuBar;

// The base of the game's application object; it knows the menu bar (not owned) of every window.
class Application : public QObject {
    Q_OBJECT
  public:
    Application();
    ~Application() override;
    static Application* shared() { return theApplication_; }  // nullptr before it is made

    MenuBar* menus() const { return menuBar_; }
    void setMenuBar(MenuBar* bar) { menuBar_ = bar; }

    // Runs the event loop until Quit. A Quit that came before (a signal while the score file
    // loaded, with no loop yet to end) ends the run at once.
    int exec();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static inline Application* theApplication_ = nullptr;
    MenuBar* menuBar_ = nullptr;
};

// Ends the event loop, nested ones too; so do SIGTERM, SIGHUP and the session's end, asking
// nothing. SIGINT (Ctrl+C where the game was started) is the File menu's Quit: every window
// may ask first.
void Quit();
// False when nothing could be started, or no program takes mail links.
bool ShowURL(const QString& url);
void MsgBox(const QString& message);
bool msgBoxYesNo(const QString& question);       // No is the default
SaveChoice msgBoxSave(const QString& question);  // Save is the default, Escape cancels
