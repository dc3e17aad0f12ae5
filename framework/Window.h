// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class Control;
class MenuBar;

// The size is the content area's, where the controls live; a menu bar adds its height.
struct WindowAttributes {
    QString title;
    int width = 300, height = 300;
    bool closeButton = true, minimizeButton = true, resizeable = false;  // never maximised
    bool documentWindow = true;  // false: a plain frame without window buttons
    bool whiteBackground = false;
};

// Screen-reader descriptions of windows and their controls, and the watch that holds every
// window's timers while another program is active. Called once, when the QApplication is made
// and before the first window.
void installWindowSupport();

// A window builds its controls in its constructor; Event_Open runs before it shows.
class Window : public QWidget {
    Q_OBJECT
  public:
    static void releaseAll();   // deletes every window, raising nothing: shutdown's last step
    static bool mayCloseAll();  // every window's mayClose, until one says no

    void Show() {
        show();
        raise();
        activateWindow();
    }
    // Hides, raises Event_Close, and deletes the window later, so its own handler may close it.
    void Close();
    bool closing() const { return closing_; }

    // Holds the timers as minimised or away does; arrows pressed meanwhile are forgotten.
    void setPaused(bool paused) {
        paused_ = paused;
        holdTimers();
    }
    bool paused() const { return paused_; }

  protected:
    Window();
    // The application's shortcuts, Event_Open, then shown unless closed there.
    void open();
    void applyAttributes(const WindowAttributes& attributes);
    void setMenuBar(MenuBar* bar);  // shared, not owned: shown in a bar of this window's own
    void setFirstFocus(Control* control) { firstFocus_ = control; }

    // Geometry in the content area's terms, in a group box too.
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
    Control* firstFocus_ = nullptr;  // focused each time the window shows
    QRect centred_;
    QElapsedTimer sinceCentred_;
};

// A window class with one shared instance, reached by type: Window4::shared().
template <class W>
class SharedWindow : public Window {
  public:
    static W& shared() {  // made and opened if none is open
        if (!existing()) {
            instance_ = new W;
            instance_->open();
        }
        return *instance_;
    }
    static W* existing() {  // nullptr when closed
        return instance_ && !instance_->closing() ? instance_.data() : nullptr;
    }

  protected:
    SharedWindow() { setObjectName(QString::fromLatin1(W::staticMetaObject.className())); }

  private:
    static inline QPointer<W> instance_;  // a window lives until it is closed
};
