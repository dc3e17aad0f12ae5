// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <stdexcept>

class MenuBar;

// Raised when code asks for something that is not there: a control name a
// window never created, a window class nobody registered.
class NilObjectException : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// Width and height are those of the content area, where the controls live; a
// window that shows a menu bar grows by the bar's height.
struct WindowAttributes {
    QString title;
    int width = 300;
    int height = 300;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = false;
    bool resizeable = false;
    bool documentWindow = true;  // false: a plain frame without window buttons
    bool whiteBackground = false;
};

// A window of the game. Each window class has one shared instance, reached by
// the class name: the open one, or a new one made and opened on request.
// Windows build their controls in their constructor; Event_Open runs once they
// exist, then the window is shown.
class Window : public QWidget {
    Q_OBJECT
  public:
    using Factory = std::function<Window*()>;
    static void RegisterClass(const QString& className, Factory make);
    static Window* Shared(const QString& className);
    static Window* Existing(const QString& className);  // or nullptr
    // Deletes every window without raising events; the last step of shutdown.
    static void ReleaseAll();

    void Show() {
        show();
        raise();
        activateWindow();
    }
    void Hide() { hide(); }
    // Hides the window, raises Event_Close and deletes the window once the
    // current event is done, so closing from one of its own handlers is safe.
    void Close();

    template <class T>
    T& ControlNamed(const QString& name) const {
        if (auto* control = findChild<T*>(name)) {
            return *control;
        }
        throw NilObjectException(("no control " + name + " on " + objectName()).toStdString());
    }

  protected:
    explicit Window(const QString& className);
    void ApplyAttributes(const WindowAttributes& attributes);
    // Shows the shared menu bar (not owned) at the top of this window.
    void SetMenuBar(MenuBar* bar);

    // A control at a position of the window's content area, or of the group
    // box given as container (in the window's terms); a timer has none.
    template <class T, class... Args>
    T* AddControl(const QString& name, QRect geometry, Args&&... args) {
        auto* control = new T(name, content_, std::forward<Args>(args)...);
        control->Widget()->setGeometry(geometry);
        return control;
    }
    template <class T, class Container>
    T* AddControlIn(Container* container, const QString& name, QRect geometry) {
        auto* control = new T(name, container->Widget());
        control->Widget()->setGeometry(geometry.translated(-container->Widget()->pos()));
        return control;
    }
    template <class T>
    T* AddInvisible(const QString& name) {
        return new T(name, this);
    }

    virtual void Event_Open() {}
    virtual void Event_Close() {}

    void closeEvent(QCloseEvent* event) override;
    // Return pushes the default button that is shown and enabled.
    void keyPressEvent(QKeyEvent* event) override;
    // Minimising holds the window's timers and restoring lets them go on;
    // hiding by the program leaves them running.
    void changeEvent(QEvent* event) override;

  private:
    // Sizes the window so that its content area has the attributes' size.
    void FitContent();

    WindowAttributes attributes_;
    QWidget* content_;
    bool closing_ = false;
};

// Typed access to a window class's shared instance: Window1::instance().
template <class W>
class SharedWindow {
  public:
    static W& instance() { return static_cast<W&>(*Window::Shared(W::ClassName)); }
    static W* existing() { return static_cast<W*>(Window::Existing(W::ClassName)); }
    static void registerClass() {
        Window::RegisterClass(W::ClassName, [] { return new W; });
    }
};
