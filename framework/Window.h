// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

class Control;
class MenuBar;

// Asked for a control or a window class that is not there.
class NilObjectException : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// The size is the content area's, where the controls live; a menu bar adds its height.
struct WindowAttributes {
    QString title;
    int width = 300, height = 300;
    bool closeButton = true, minimizeButton = true, maximizeButton = false, resizeable = false;
    bool documentWindow = true;  // false: a plain frame without window buttons
    bool whiteBackground = false;
};

// Each window class has one shared instance, reached by the class name: the
// open one, or one made and opened on request. A window builds its controls
// in its constructor; Event_Open runs once they exist, then it is shown.
class Window : public QWidget {
    Q_OBJECT
  public:
    static void registerClass(const QString& className, std::function<Window*()> make);
    static Window* shared(const QString& className);
    static Window* existing(const QString& className);  // or nullptr
    // Deletes every window without raising events: the last step of shutdown.
    static void releaseAll();
    // Every window's mayClose, until one says no: before the application ends
    // by the player's or the session's wish rather than the game's own Quit.
    static bool mayCloseAll();

    void Show() {
        show();
        raise();
        activateWindow();
    }
    void Hide() { hide(); }
    // Hides, raises Event_Close, and deletes the window once the current event
    // is done, so a handler of its own may close it.
    void Close();

    // A paused window's timers hold as when it is minimised (they hold too
    // while another program's window is active); arrows pressed meanwhile are
    // forgotten when they resume.
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // A key ("P", "Pause") that calls the handler while this window is active.
    void addShortcut(const QString& key, std::function<void()> handler);

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
    void setMenuBar(MenuBar* bar);  // shared, not owned
    // The control with the keyboard focus each time the window shows.
    void setFirstFocus(Control* control) { firstFocus_ = control; }
    // Tab goes through these controls in this order.
    static void setTabOrder(std::initializer_list<const Control*> controls);

    // Geometry in the content area's terms, in a group box too; a timer has none.
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
    // Asked before the window system closes the window, and by mayCloseAll; it
    // may ask the player. False keeps the window, and the application, going.
    virtual bool mayClose() { return true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    friend class ActivationWatch;
    void fitContent();
    void holdTimers();
    void centre();

    WindowAttributes attributes_;
    QWidget* content_;  // below the menu bar
    bool closing_ = false;
    bool paused_ = false, held_ = false;
    Control* firstFocus_ = nullptr;  // a control of this window
    QRect centred_;                  // where centre put the content
    QElapsedTimer sinceCentred_;
};

// A window class reached by type (Window1::shared()); it names itself in ClassName.
template <class W>
class SharedWindow : public Window {
  public:
    static W& shared() { return static_cast<W&>(*Window::shared(W::ClassName)); }
    static void registerClass() {
        Window::registerClass(W::ClassName, [] { return new W; });
    }

  protected:
    SharedWindow() : Window(W::ClassName) {}
};
