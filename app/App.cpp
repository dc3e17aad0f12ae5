// SPDX-License-Identifier: MIT
#include "app/App.h"

#include <QAction>

#include "app/MenuBar1.h"
#include "board/Pictures.h"
#include "board/Window1.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

App::App() {
    // The icon installed with the desktop entry, on every window of the game.
    SetApplicationIcon(QStringLiteral(":/icons/huemix.png"));
    SetMenuBar(&MenuBar1::instance());
    connect(MenuBar1::instance().item(QStringLiteral("AppleAbout")), &QAction::triggered, this,
            [this] { _AppleAbout_Action(); });
}

App::~App() = default;

void App::RegisterWindows() {
    Window1::registerClass();
    Window2::registerClass();
    Window3::registerClass();
    Window4::registerClass();
}

void App::OpenDefaultWindow() {
    // The score board comes first; its "Run" link opens the game board.
    Window4::instance();
}

void App::Shutdown() {
    Pictures::ReleaseAll();
    Window::ReleaseAll();
    MenuBar1::release();
}

bool App::_AppleAbout_Action() {
    Window1::instance().Hide();
    Window3::instance().Show();
    return false;
}
