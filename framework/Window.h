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
    static void registerClass(const QString& className, Factory make);
    static Window* shared(const QString& className);
    static Window* existing(const QString& className);  // or nullptr
    // Deletes every window without raising events; the last step of shutdown.
    static void releaseAll();

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
    T& controlNamed(const QString& name) const {
        if (auto* control = findChild<T*>(name)) {
            return *control;
        }
        throw NilObjectException(("no control " + name + " on " + objectName()).toStdString());
    }

  protected:
    explicit Window(const QString& className);
    void applyAttributes(const WindowAttributes& attributes);
    // Shows the shared menu bar (not owned) at the top of this window.
    void setMenuBar(MenuBar* bar);

    // A control at a position of the window's content area, or of the group
    // box given as container (in the window's terms); a timer has none.
    template <class T, class... Args>
    T* addControl(const QString& name, QRect geometry, Args&&... args) {
        auto* control = new T(name, content_, std::forward<Args>(args)...);
        control->widget()->setGeometry(geometry);
        return control;
    }
    template <class T, class Container>
    T* addControlIn(Container* container, const QString& name, QRect geometry) {
        auto* control = new T(name, container->widget());
        control->widget()->setGeometry(geometry.translated(-container->widget()->pos()));
        return control;
    }
    template <class T>
    T* addInvisible(const QString& name) {
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
    void fitContent();

    WindowAttributes attributes_;
    QWidget* content_;
    bool closing_ = false;
};

// A window class with one shared instance, reached by type: Window1::shared().
// The class names itself in a static ClassName.
template <class W>
class SharedWindow : public Window {
  public:
    static W& shared() { return static_cast<W&>(*Window::shared(W::ClassName)); }
    static W* existing() { return static_cast<W*>(Window::existing(W::ClassName)); }
    static void registerClass() {
        Window::registerClass(W::ClassName, [] { return new W; });
    }

  protected:
    SharedWindow() : Window(W::ClassName) {}
};
