// SPDX-License-Identifier: MIT
#include "app/MenuBar1.h"

#include <memory>

namespace {
std::unique_ptr<MenuBar1>& bar() {
    static std::unique_ptr<MenuBar1> instance;
    return instance;
}
}  // namespace

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
}

MenuBar1& MenuBar1::shared() {
    if (!bar()) {
        bar() = std::make_unique<MenuBar1>();
    }
    return *bar();
}

void MenuBar1::release() {
    bar().reset();
}

void MenuBar1::Untitled0() {
    addMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    addItem(Kind::Quit, QStringLiteral("FileQuit"), QStringLiteral("Quit"),
            QStringLiteral("Cmd+Q"));
    addItem(Kind::About, QStringLiteral("AppleAbout"), QStringLiteral("AboutHuemix"));
}

void MenuBar1::Untitled1() {
    addMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    addItem(Kind::Undo, QStringLiteral("EditUndo"), QStringLiteral("&Undo"),
            QStringLiteral("Cmd+Z"));
    addItem(Kind::Item, QStringLiteral("UntitledMenu1"), QStringLiteral("-"));
    addItem(Kind::Cut, QStringLiteral("EditCut"), QStringLiteral("Cu&t"), QStringLiteral("Cmd+X"));
    addItem(Kind::Copy, QStringLiteral("EditCopy"), QStringLiteral("&Copy"),
            QStringLiteral("Cmd+C"));
    addItem(Kind::Paste, QStringLiteral("EditPaste"), QStringLiteral("&Paste"),
            QStringLiteral("Cmd+V"));
    addItem(Kind::Clear, QStringLiteral("EditClear"), QStringLiteral("&Delete"));
    addItem(Kind::Item, QStringLiteral("UntitledMenu0"), QStringLiteral("-"));
    addItem(Kind::SelectAll, QStringLiteral("EditSelectAll"), QStringLiteral("Select &All"),
            QStringLiteral("Cmd+A"));
}
