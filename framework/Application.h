// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <functional>

class MenuBar;

// The application object: the one place that knows the application's menu
// bar (not owned). The game derives its own application class from it.
class Application : public QObject {
    Q_OBJECT
  public:
    Application();
    ~Application() override;
    // The application object, or nullptr before it is made.
    static Application* shared();

    MenuBar* menus() const { return menuBar_; }
    void setMenuBar(MenuBar* bar) { menuBar_ = bar; }
    // Runs the event loop until Quit; returns the exit code.
    int run() { return QCoreApplication::exec(); }

    // What Quit, ShowURL, MsgBox and msgBoxYesNo do instead of the real thing;
    // tests set them, and an empty one means the real thing.
    static inline std::function<void()> quitHandler;
    static inline std::function<bool(const QString&)> urlOpener;
    static inline std::function<void(const QString&)> messagePresenter;
    static inline std::function<bool(const QString&)> questionPresenter;

  private:
    MenuBar* menuBar_ = nullptr;
};

// Ends the event loop (every nested loop too), after which shutdown follows.
void Quit();
// Opens a URL (a mailto: link opens a new message) with the desktop's own
// program; false when nothing could be started.
bool ShowURL(const QString& url);
// The icon of every window of the application, from a picture file or resource.
void setApplicationIcon(const QString& file);
// A modal message; returns when the player has dismissed it.
void MsgBox(const QString& message);
// A modal question with the answers Yes and No (the default); true for Yes.
bool msgBoxYesNo(const QString& question);
