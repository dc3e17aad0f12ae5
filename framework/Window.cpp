// SPDX-License-Identifier: MIT
#include "framework/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "framework/Application.h"
#include "framework/MenuBar.h"
#include "framework/SpriteSurface.h"
#include "framework/Timer.h"

namespace {
struct WindowClass {
    std::function<Window*()> make;
    QPointer<Window> open;
};
QHash<QString, WindowClass> classes;

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
    // Return pushes the default button that is shown and enabled (a QDialog would itself).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (QPushButton* button : content_->findChildren<QPushButton*>()) {
            if (button->isDefault() && !button->isHidden() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
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
