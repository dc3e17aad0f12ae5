#include "framework/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/Timer.h"

namespace {
QHash<QString, Window::Factory>& factories() {
    static QHash<QString, Window::Factory> table;
    return table;
}

// The open window of each class.
QHash<QString, QPointer<Window>>& openWindows() {
    static QHash<QString, QPointer<Window>> table;
    return table;
}

// Every window not yet deleted, closing ones included.
QList<QPointer<Window>>& allWindows() {
    static QList<QPointer<Window>> list;
    return list;
}

// A desktop program whose last window has gone should not linger unseen.
void quitIfNoWindowShown() {
    for (const QPointer<Window>& window : allWindows()) {
        if (window && !window->Closing() && window->isVisible()) {
            return;
        }
    }
    Quit();
}
}  // namespace

void Window::RegisterClass(const QString& className, Factory make) {
    factories().insert(className, std::move(make));
}

Window* Window::Shared(const QString& className) {
    if (Window* open = Existing(className)) {
        return open;
    }
    const auto factory = factories().constFind(className);
    if (factory == factories().constEnd()) {
        throw NilObjectException(("no window class " + className).toStdString());
    }
    Window* window = (*factory)();
    openWindows().insert(className, window);
    window->Open();
    return window;
}

Window* Window::Existing(const QString& className) {
    const QPointer<Window> window = openWindows().value(className);
    return window && !window->closing_ ? window.data() : nullptr;
}

void Window::ReleaseAll() {
    openWindows().clear();
    const QList<QPointer<Window>> windows = allWindows();
    for (const QPointer<Window>& window : windows) {
        delete window.data();
    }
    allWindows().clear();
}

Window::Window(const QString& className)
    : className_(className), content_(new QWidget(this)), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(content_, 1);
    allWindows().append(this);
}

Window::~Window() {
    allWindows().removeAll(this);
    allWindows().removeAll(nullptr);
}

void Window::Show() {
    show();
    raise();
    activateWindow();
}

void Window::Hide() {
    hide();
}

void Window::Close() {
    if (closing_) {
        return;
    }
    closing_ = true;
    hide();
    Event_Close();
    deleteLater();
    QTimer::singleShot(0, qApp, quitIfNoWindowShown);
}

void Window::closeEvent(QCloseEvent* event) {
    // The window system asks; the window decides, through Close.
    event->ignore();
    Close();
}

void Window::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (Control* control : order_) {
            auto* button = qobject_cast<PushButton*>(control);
            if (button && button->Default() && button->Visible() && button->Enabled()) {
                button->Push();
                event->accept();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

void Window::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        for (Control* control : order_) {
            if (auto* timer = qobject_cast<Timer*>(control)) {
                timer->Hold(isMinimized());
            }
        }
    }
    QWidget::changeEvent(event);
}

void Window::ApplyAttributes(const WindowAttributes& attributes) {
    setWindowTitle(attributes.title);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (attributes.documentWindow) {
        if (attributes.closeButton) {
            flags |= Qt::WindowCloseButtonHint;
        }
        if (attributes.minimizeButton) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (attributes.maximizeButton) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    setWindowFlags(flags);
    attributes_ = attributes;
    FitContent();
    if (attributes.whiteBackground) {
        // The content only: a menu bar above it keeps the bar's own colour.
        QPalette palette = content_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        content_->setPalette(palette);
        content_->setAutoFillBackground(true);
    }
}

void Window::SetMenuBar(MenuBar* bar) {
    menuBar_ = bar;
    if (!menuBarView_ && bar) {
        menuBarView_ = new QMenuBar(this);
        layout_->setMenuBar(menuBarView_);
    }
    if (menuBarView_) {
        menuBarView_->clear();
        if (bar) {
            bar->ShowIn(menuBarView_);
        }
    }
    FitContent();
}

void Window::FitContent() {
    // The same height the layout gives the bar, so the content gets the rest.
    int bar = 0;
    if (menuBarView_) {
        bar = menuBarView_->heightForWidth(attributes_.width);
        if (bar < 0) {
            bar = menuBarView_->sizeHint().height();
        }
    }
    const WindowAttributes& a = attributes_;
    if (a.resizeable) {
        setMinimumSize(a.minWidth, a.minHeight + bar);
        setMaximumSize(a.maxWidth, a.maxHeight + bar);
        resize(a.width, a.height + bar);
    } else {
        setFixedSize(a.width, a.height + bar);
    }
}

void Window::Place(Control* control, QRect geometry, QWidget* container) {
    if (QWidget* widget = control->Widget()) {
        widget->setGeometry(container ? geometry.translated(-container->pos()) : geometry);
    }
    Register(control);
}

void Window::Register(Control* control) {
    controls_.insert(control->Name(), control);
    order_.append(control);
}

void Window::Open() {
    // The application's own shortcuts (Quit, About) work in every window.
    if (Application* app = Application::Instance(); app && app->Menus()) {
        addActions(app->Menus()->ShortcutActions());
    }
    Event_Open();
    if (!closing_) {
        show();
    }
}
