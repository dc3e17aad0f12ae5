// SPDX-License-Identifier: MIT
#include "framework/Window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/SpriteSurface.h"
#include "framework/Timer.h"

namespace {
struct WindowClass {
    std::function<Window*()> make;
    QPointer<Window> open;
};
QHash<QString, WindowClass> classes;

// Where the window that was hidden last lay: the one a window shown next
// replaces. The frame is the window manager's, known once a window was shown.
QPointer<QScreen> replacedScreen;
QMargins replacedFrame;

// A screen reader announces each of the game's windows as a window (not as a
// blank area), and places its controls within it.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    auto* window = className == QLatin1String("Window") ? qobject_cast<Window*>(object) : nullptr;
    return window ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

QMargins frameOf(const QWidget* window) {
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QList<Window*> allWindows() {
    QList<Window*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget)) {
            windows.append(window);
        }
    }
    return windows;
}
}  // namespace

// Holds every window's timers while another program's window is active. A
// program never activated (a bare X server, no window manager) is not away.
class ActivationWatch : public QObject {
  public:
    static bool away() { return instance().away_; }

  private:
    static ActivationWatch& instance() {
        static auto* watch = new ActivationWatch;  // the application owns it
        return *watch;
    }
    ActivationWatch() : QObject(qApp) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The game's own message boxes are windows of the application: moving
        // to one deactivates nothing.
        const auto type = event->type();
        if (watched == qApp &&
            (type == QEvent::ApplicationActivate || type == QEvent::ApplicationDeactivate)) {
            away_ = type == QEvent::ApplicationDeactivate;
            for (Window* window : allWindows()) {
                window->holdTimers();
            }
        }
        return QObject::eventFilter(watched, event);
    }
    bool away_ = false;
};

void Window::registerClass(const QString& className, std::function<Window*()> make) {
    classes[className].make = std::move(make);
}

Window* Window::shared(const QString& className) {
    if (Window* window = existing(className)) {
        return window;
    }
    WindowClass& windowClass = classes[className];
    if (!windowClass.make) {
        throw NilObjectException(("no window class " + className).toStdString());
    }
    Window* window = windowClass.make();
    windowClass.open = window;
    // The application's own shortcuts (Quit, About) work in every window.
    if (Application* app = Application::shared(); app && app->menus()) {
        window->addActions(app->menus()->shortcutActions());
    }
    window->Event_Open();
    if (!window->closing_) {
        window->show();
    }
    return windowClass.open;
}

bool Window::mayCloseAll() {
    return std::ranges::all_of(
        allWindows(), [](Window* window) { return window->closing_ || window->mayClose(); });
}

Window* Window::existing(const QString& className) {
    Window* window = classes.value(className).open;
    return window && !window->closing_ ? window : nullptr;
}

void Window::releaseAll() {
    qDeleteAll(allWindows());
}

Window::Window(const QString& className) : content_(new QWidget(this)) {
    static const bool factory = (QAccessible::installFactory(windowAccessible), true);
    Q_UNUSED(factory);
    setObjectName(className);
    ActivationWatch::away();  // watching from the first window on
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content_, 1);
}

void Window::Close() {
    if (std::exchange(closing_, true)) {
        return;
    }
    hide();
    Event_Close();
    deleteLater();
    // A program whose last window has gone should not linger unseen.
    QTimer::singleShot(0, qApp, [] {
        if (std::ranges::none_of(allWindows(), &QWidget::isVisible)) {
            Quit();
        }
    });
}

void Window::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window system asks; the window decides, through Close
    if (mayClose()) {
        Close();
    }
}

void Window::keyPressEvent(QKeyEvent* event) {
    // Return pushes the default button, Escape the cancel button, when it is
    // shown and enabled (a QDialog would itself).
    const int key = event->key();
    const bool escape = key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || escape) {
        for (QPushButton* button : content_->findChildren<QPushButton*>()) {
            const bool chosen = escape ? button->property(PushButton::CancelProperty).toBool()
                                       : button->isDefault();
            if (chosen && !button->isHidden() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

bool Window::event(QEvent* event) {
    // A window of one size refuses to fill the screen, however the window
    // manager was asked (a fixed-size board alone on a black screen).
    const Qt::WindowStates filling = Qt::WindowFullScreen | Qt::WindowMaximized;
    if (event->type() == QEvent::WindowStateChange && !attributes_.resizeable &&
        (windowState() & filling)) {
        setWindowState(windowState() & ~filling);
    }
    return QWidget::event(event);
}

void Window::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {  // shown by the game, not restored by the window system
        centre();
        if (firstFocus_) {
            firstFocus_->SetFocus();
        }
    }
    QWidget::showEvent(event);
}

void Window::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && !isMinimized()) {
        replacedScreen = screen();
        if (const QMargins frame = frameOf(this); !frame.isNull()) {  // null if never shown
            replacedFrame = frame;
        }
    }
    QWidget::hideEvent(event);
}

void Window::centre() {
    // On the screen of the window the player acted in, or of the one this
    // replaces, or the primary screen: never where the window system drops it.
    const QWidget* active = QApplication::activeWindow();
    QScreen* target = active && active != this && active->isVisible() ? active->screen()
                      : replacedScreen                                ? replacedScreen.data()
                                       : QGuiApplication::primaryScreen();
    if (!target) {
        return;
    }
    // The frame this window will get, as far as one of ours on screen tells.
    QMargins frame = frameOf(this);
    for (const Window* other : allWindows()) {
        if (frame.isNull() && other->isVisible()) {
            frame = frameOf(other);
        }
    }
    frame = frame.isNull() ? replacedFrame : frame;
    const QSize outer = (QRect(QPoint(), size()) + frame).size();
    const QRect room = target->availableGeometry();
    // The content's place, which every window system keeps; a window larger
    // than the screen keeps its title in sight.
    const QPoint corner(room.left() + std::max(0, (room.width() - outer.width()) / 2),
                        room.top() + std::max(0, (room.height() - outer.height()) / 2));
    centred_ = QRect(corner + QPoint(frame.left(), frame.top()), size());
    sinceCentred_.start();
    setGeometry(centred_);
}

void Window::moveEvent(QMoveEvent* event) {
    // Some window managers place a new window by their own rule, whatever it
    // asked for: put it back, once, before a player could have dragged it.
    if (event->spontaneous() && sinceCentred_.isValid() && sinceCentred_.elapsed() < 500 &&
        geometry().topLeft() != centred_.topLeft()) {
        sinceCentred_.invalidate();
        QTimer::singleShot(0, this, [this] { setGeometry(centred_); });
    }
    QWidget::moveEvent(event);
}

void Window::setTabOrder(std::initializer_list<const Control*> controls) {
    const Control* previous = nullptr;
    for (const Control* control : controls) {
        if (previous) {
            QWidget::setTabOrder(previous->widget(), control->widget());
        }
        previous = control;
    }
}

void Window::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        holdTimers();
    }
    QWidget::changeEvent(event);
}

void Window::setPaused(bool paused) {
    paused_ = paused;
    holdTimers();
}

void Window::addShortcut(const QString& key, std::function<void()> handler) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            std::move(handler));
}

void Window::holdTimers() {
    // Minimised, paused or away, the window's timers hold; hiding it from the
    // program does not.
    const bool held = isMinimized() || paused_ || ActivationWatch::away();
    for (Timer* timer : findChildren<Timer*>()) {
        timer->hold(held);
    }
    if (std::exchange(held_, held) && !held) {
        for (SpriteSurface* surface : findChildren<SpriteSurface*>()) {
            surface->forgetKeys();
        }
    }
}

void Window::applyAttributes(const WindowAttributes& a) {
    setWindowTitle(a.title);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (a.documentWindow) {
        flags.setFlag(Qt::WindowCloseButtonHint, a.closeButton);
        flags.setFlag(Qt::WindowMinimizeButtonHint, a.minimizeButton);
        flags.setFlag(Qt::WindowMaximizeButtonHint, a.maximizeButton);
    }
    setWindowFlags(flags);
    attributes_ = a;
    fitContent();
    if (a.whiteBackground) {
        // The content only: a menu bar keeps its own colour.
        QPalette palette = content_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        content_->setPalette(palette);
        content_->setAutoFillBackground(true);
    }
}

void Window::setMenuBar(MenuBar* bar) {
    auto* view = new QMenuBar(this);
    bar->showIn(view);
    layout()->setMenuBar(view);
    fitContent();
}

void Window::fitContent() {
    // The height the layout gives the bar, so that the content gets the rest.
    const QWidget* view = layout()->menuBar();
    const int wrapped = view ? view->heightForWidth(attributes_.width) : 0;
    const int bar = wrapped < 0 ? view->sizeHint().height() : wrapped;
    const QSize size(attributes_.width, attributes_.height + bar);
    setMinimumSize(attributes_.resizeable ? QSize(64, 64 + bar) : size);
    setMaximumSize(attributes_.resizeable ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : size);
    resize(size);
}
