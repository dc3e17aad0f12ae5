#pragma once

#include <QObject>
#include <QString>
#include <functional>

class MenuBar;

// The application object: the one place that knows the application's menu bar.
// The game derives its own application class from it.
class Application : public QObject {
    Q_OBJECT
  public:
    Application();
    ~Application() override;

    // The application object, or nullptr before it is made.
    static Application* Instance();

    MenuBar* Menus() const { return menuBar_; }
    // Not owned: the menu bar is released by whoever made it.
    void SetMenuBar(MenuBar* bar) { menuBar_ = bar; }

    // Runs the event loop until Quit; returns the exit code.
    int Run();

  private:
    MenuBar* menuBar_ = nullptr;
};

// Ends the event loop (every nested loop too), after which shutdown follows.
void Quit();
// Tests replace what Quit does; an empty handler puts the default back.
void SetQuitHandler(std::function<void()> handler);

// Opens a URL (a mailto: link opens a new message) with the desktop's own
// program; false when nothing could be started.
bool ShowURL(const QString& url);
void SetUrlOpener(std::function<bool(const QString&)> opener);

// The icon of every window of the application, from a picture file or resource.
void SetApplicationIcon(const QString& file);

// A modal message; returns when the player has dismissed it.
void MsgBox(const QString& message);
void SetMessagePresenter(std::function<void(const QString&)> presenter);
// A modal question with the answers Yes and No (the default); true for Yes.
bool MsgBoxYesNo(const QString& question);
void SetQuestionPresenter(std::function<bool(const QString&)> presenter);
