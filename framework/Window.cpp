// SPDX-License-Identifier: MIT
#include "framework/Window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/Services.h"
#include "framework/SpriteSurface.h"
#include "framework/Timer.h"

namespace {
// The window hidden last, which the next one shown replaces, and its frame.
QPointer<QScreen> replacedScreen;
QMargins replacedFrame;

// A screen reader announces a window as one, not as a blank area.
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
    std::ranges::for_each(QApplication::topLevelWidgets(),
                          [&](QWidget* w) { windows << qobject_cast<Window*>(w); });
    windows.removeAll(nullptr);
    return windows;
}
}  // namespace

// Holds the timers while another program is active; one never activated (no window manager)
// is not away.
struct ActivationWatch : QObject {
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (watched == qApp &&
            (type == QEvent::ApplicationActivate || type == QEvent::ApplicationDeactivate)) {
            services().away = type == QEvent::ApplicationDeactivate;
            std::ranges::for_each(allWindows(), &Window::holdTimers);
        }
        return false;
    }
};

void installWindowSupport() {
    installControlAccessibility();
    QAccessible::installFactory(windowAccessible);
    qApp->installEventFilter(new ActivationWatch(qApp));
}

void Window::open() {
    // A window's menu bar has them already: twice, a key would be ambiguous and do nothing.
    if (Application* app = Application::shared(); app && app->menus() && !layout()->menuBar()) {
        app->menus()->addShortcutsTo(this);
    }
    Event_Open();
    setVisible(!closing_);  // a window closed in its Event_Open never shows
}

bool Window::mayCloseAll() {
    return std::ranges::all_of(
        allWindows(), [](Window* window) { return window->closing_ || window->mayClose(); });
}

void Window::releaseAll() {
    qDeleteAll(allWindows());
}

Window::Window() : content_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content_, 1);
}

void Window::Close() {
    if (!std::exchange(closing_, true)) {
        hide();
        Event_Close();
        deleteLater();
        QTimer::singleShot(0, qApp, [] {  // no lingering unseen once the last window went
            if (std::ranges::none_of(allWindows(), &QWidget::isVisible)) {
                Quit();
            }
        });
    }
}

void Window::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window system asks; the window decides, through Close
    if (mayClose()) {
        Close();
    }
}

void Window::keyPressEvent(QKeyEvent* event) {
    // As in a QDialog.
    const bool escape = event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    for (QPushButton* button : content_->findChildren<QPushButton*>()) {
        const bool chosen = escape ? button->property(PushButton::CancelProperty).toBool()
                                   : enter && button->isDefault();
        if (chosen && !button->isHidden() && button->isEnabled()) {
            return button->click();
        }
    }
    QWidget::keyPressEvent(event);
}

bool Window::event(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        // One size only: no board alone on a black screen.
        const Qt::WindowStates filling = Qt::WindowFullScreen | Qt::WindowMaximized;
        if (!attributes_.resizeable && (windowState() & filling)) {
            setWindowState(windowState() & ~filling);
        }
        holdTimers();
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
    holdTimers();
}

void Window::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && !isMinimized()) {
        replacedScreen = screen();
        replacedFrame =
            frameOf(this).isNull() ? replacedFrame : frameOf(this);  // null: never shown
    }
    QWidget::hideEvent(event);
    holdTimers();
}

void Window::centre() {
    const QWidget* active = QApplication::activeWindow();
    QScreen* target = active && active != this && active->isVisible() ? active->screen()
                      : replacedScreen                                ? replacedScreen.data()
                                       : QGuiApplication::primaryScreen();
    QMargins frame = frameOf(this);  // the frame it will get, as ours on screen tell
    for (const Window* other : allWindows()) {
        frame = frame.isNull() && other->isVisible() ? frameOf(other) : frame;
    }
    frame = frame.isNull() ? replacedFrame : frame;
    const QSize outer = (QRect(QPoint(), size()) + frame).size();
    const QRect room = target ? target->availableGeometry() : geometry();
    // The content's place, which every window system keeps; the title stays in sight.
    const QPoint corner(room.left() + std::max(0, (room.width() - outer.width()) / 2),
                        room.top() + std::max(0, (room.height() - outer.height()) / 2));
    centred_ = QRect(corner + QPoint(frame.left(), frame.top()), size());
    sinceCentred_.start();
    setGeometry(centred_);
}

void Window::moveEvent(QMoveEvent* event) {
    // Put back, once and before any drag, a new window placed by the window manager's rule.
    // A busy machine can take well over half a second to place it; nobody drags a window
    // that soon after it appears.
    constexpr qint64 placingMs = 2000;
    if (event->spontaneous() && sinceCentred_.isValid() && sinceCentred_.elapsed() < placingMs &&
        geometry().topLeft() != centred_.topLeft()) {
        sinceCentred_.invalidate();
        QTimer::singleShot(0, this, [this] { setGeometry(centred_); });
    }
    QWidget::moveEvent(event);
}

void Window::holdTimers() {
    // Minimised, hidden (another window shown in its place), paused or away, the timers hold.
    const bool held = isMinimized() || !isVisible() || paused_ || services().away;
    std::ranges::for_each(findChildren<Timer*>(), [held](Timer* timer) { timer->hold(held); });
    if (std::exchange(held_, held) && !held) {
        std::ranges::for_each(findChildren<SpriteSurface*>(), &SpriteSurface::forgetKeys);
    }
}

void Window::applyAttributes(const WindowAttributes& a) {
    setWindowTitle(a.title);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (a.documentWindow) {
        flags.setFlag(Qt::WindowCloseButtonHint, a.closeButton);
        flags.setFlag(Qt::WindowMinimizeButtonHint, a.minimizeButton);
    }
    setWindowFlags(flags);
    attributes_ = a;
    fitContent();
    if (a.whiteBackground) {  // the content only: a menu bar keeps its own colour
        setPaletteColor(content_, QPalette::Window, Qt::white);
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
    const QWidget* view = layout()->menuBar();
    const int wrapped = view ? view->heightForWidth(attributes_.width) : 0;
    const int bar = wrapped < 0 ? view->sizeHint().height() : wrapped;
    const QSize size(attributes_.width, attributes_.height + bar);
    setMinimumSize(attributes_.resizeable ? QSize(64, 64 + bar) : size);
    setMaximumSize(attributes_.resizeable ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : size);
    resize(size);
}
