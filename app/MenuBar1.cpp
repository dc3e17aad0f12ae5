// SPDX-License-Identifier: MIT
#include "app/MenuBar1.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
// Not owned: when the display goes, Qt calls exit(), and static destructors
// then run while the window system is gone; a menu deleted there crashes.
QPointer<MenuBar1>& bar() {
    static QPointer<MenuBar1> instance;
    return instance;
}
}  // namespace

MenuBar1::MenuBar1(QObject* parent) : MenuBar(parent) {
    Untitled0();
    Untitled1();
}

MenuBar1& MenuBar1::shared() {
    if (!bar()) {
        bar() = new MenuBar1(QCoreApplication::instance());  // at the latest, gone with it
    }
    return *bar();
}

void MenuBar1::release() {
    delete bar();
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
