// SPDX-License-Identifier: MIT
#include "app/MenuBar1.h"

#include <memory>

namespace {
std::unique_ptr<MenuBar1>& shared() {
    static std::unique_ptr<MenuBar1> bar;
    return bar;
}
}  // namespace

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
}

MenuBar1& MenuBar1::instance() {
    if (!shared()) {
        shared() = std::make_unique<MenuBar1>();
    }
    return *shared();
}

void MenuBar1::release() {
    shared().reset();
}

void MenuBar1::Untitled0() {
    AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    AddItem(Kind::Quit, QStringLiteral("FileQuit"), QStringLiteral("Quit"),
            QStringLiteral("Cmd+Q"));
    AddItem(Kind::About, QStringLiteral("AppleAbout"), QStringLiteral("AboutHuemix"));
}

void MenuBar1::Untitled1() {
    AddMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    AddItem(Kind::Undo, QStringLiteral("EditUndo"), QStringLiteral("&Undo"),
            QStringLiteral("Cmd+Z"));
    AddItem(Kind::Item, QStringLiteral("UntitledMenu1"), QStringLiteral("-"));
    AddItem(Kind::Cut, QStringLiteral("EditCut"), QStringLiteral("Cu&t"), QStringLiteral("Cmd+X"));
    AddItem(Kind::Copy, QStringLiteral("EditCopy"), QStringLiteral("&Copy"),
            QStringLiteral("Cmd+C"));
    AddItem(Kind::Paste, QStringLiteral("EditPaste"), QStringLiteral("&Paste"),
            QStringLiteral("Cmd+V"));
    AddItem(Kind::Clear, QStringLiteral("EditClear"), QStringLiteral("&Delete"));
    AddItem(Kind::Item, QStringLiteral("UntitledMenu0"), QStringLiteral("-"));
    AddItem(Kind::SelectAll, QStringLiteral("EditSelectAll"), QStringLiteral("Select &All"),
            QStringLiteral("Cmd+A"));
}
