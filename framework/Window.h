// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>

class Control;
class MenuBar;

// The size is the content area's, where the controls live; a menu bar adds its height.
struct WindowAttributes {
    QString title;
    int width = 300, height = 300;
    bool closeButton = true, minimizeButton = true, maximizeButton = false, resizeable = false;
    bool documentWindow = true;  // false: a plain frame without window buttons
    bool whiteBackground = false;
};

// A window builds its controls in its constructor; Event_Open runs before it shows.
class Window : public QWidget {
    Q_OBJECT
  public:
    // Deletes every window without raising events: the last step of shutdown.
    static void releaseAll();
    // Every window's mayClose, until one says no: the player or session, not the game, quits.
    static bool mayCloseAll();

    void Show() {
        show();
        raise();
        activateWindow();
    }
    void Hide() { hide(); }
    // Hides, raises Event_Close, and deletes the window later, so its own handler may close it.
    void Close();
    bool closing() const { return closing_; }

    // A paused window's timers hold as when it is minimised or another program is
    // active; arrows pressed meanwhile are forgotten when they resume.
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // A key ("P", "Pause") that calls the handler while this window is active.
    void addShortcut(const QString& key, std::function<void()> handler);

  protected:
    Window();
    // The application's shortcuts (Quit, About), Event_Open, then shown unless closed there.
    void open();
    void applyAttributes(const WindowAttributes& attributes);
    void setMenuBar(MenuBar* bar);  // shared, not owned
    // The control with the keyboard focus each time the window shows.
    void setFirstFocus(Control* control) { firstFocus_ = control; }
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
    // May ask the player; false keeps the window, and the application, going.
    virtual bool mayClose() { return true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    friend struct ActivationWatch;
    void fitContent();
    void holdTimers();
    void centre();

    WindowAttributes attributes_;
    QWidget* content_;  // below the menu bar
    bool closing_ = false, paused_ = false, held_ = false;
    Control* firstFocus_ = nullptr;  // a control of this window
    QRect centred_;                  // where centre put the content
    QElapsedTimer sinceCentred_;
};

// A window class with one shared instance, reached by type: Window4::shared().
template <class W>
class SharedWindow : public Window {
  public:
    // The open window of this class, or one made and opened now.
    static W& shared() {
        if (!existing()) {
            instance_ = new W;
            instance_->open();
        }
        return *instance_;
    }
    // The open window of this class, or nullptr: a closed one is gone for the game.
    static W* existing() { return instance_ && !instance_->closing() ? instance_.data() : nullptr; }

  protected:
    SharedWindow() { setObjectName(QString::fromLatin1(W::staticMetaObject.className())); }

  private:
    static inline QPointer<W> instance_;  // not owned: a window lives until it is closed
};
