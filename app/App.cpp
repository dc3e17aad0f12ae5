// SPDX-License-Identifier: MIT
#include "app/App.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWindow>

#include "app/MenuBar1.h"
#include "board/Pictures.h"
#include "board/Sounds.h"
#include "board/Window1.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

namespace {
// Waits for the board on screen, then starts the sound.
class BoardExposure : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* window =
            event->type() == QEvent::Expose ? qobject_cast<QWindow*>(watched) : nullptr;
        const Window1* board = Window1::existing();
        if (window && window->isExposed() && board && window == board->windowHandle()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(SettleMs, parent(), [] { sounds().start(); });
            deleteLater();
        }
        return false;
    }

  private:
    static constexpr int SettleMs = 250;  // the first paint done
};
}  // namespace

App::App() {
    // The icon installed with the desktop entry, on every window of the game.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/huemix-64.png")));
    setMenuBar(&MenuBar1::shared());
    connect(MenuBar1::shared().findChild<QAction*>(QStringLiteral("AppleAbout")),
            &QAction::triggered, this, [this] { _AppleAbout_Action(); });
}

App::~App() = default;

void App::wireWindows() {
    const auto showBoard = [] { Window1::shared().Show(); };
    Window2::showBoard = showBoard;
    Window3::showBoard = showBoard;
    Window4::showBoard = showBoard;
}

void App::openDefaultWindow() {
    // The score board comes first; its "Run" link opens the game board.
    Window4::shared();
}

void App::startSoundWithBoard() {
    qApp->installEventFilter(new BoardExposure(this));
}

void App::shutdown() {
    Pictures::releaseAll();
    Window::releaseAll();
    MenuBar1::release();
}

bool App::_AppleAbout_Action() {
    Window1::shared().hide();
    Window3::shared().Show();
    return false;
}
