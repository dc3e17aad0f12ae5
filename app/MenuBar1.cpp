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
    addMenu(QStringLiteral("FileMenu"), QCoreApplication::translate("MenuBar1", "&File"));
    addItem(Kind::Quit, QStringLiteral("FileQuit"), QCoreApplication::translate("MenuBar1", "Quit"),
            QStringLiteral("Cmd+Q"));
    addItem(Kind::About, QStringLiteral("AppleAbout"),
            QCoreApplication::translate("MenuBar1", "AboutHuemix"));
}

void MenuBar1::Untitled1() {
    addMenu(QStringLiteral("EditMenu"), QCoreApplication::translate("MenuBar1", "&Edit"));
    addItem(Kind::Undo, QStringLiteral("EditUndo"),
            QCoreApplication::translate("MenuBar1", "&Undo"), QStringLiteral("Cmd+Z"));
    addItem(Kind::Item, QStringLiteral("UntitledMenu1"), QStringLiteral("-"));
    addItem(Kind::Cut, QStringLiteral("EditCut"), QCoreApplication::translate("MenuBar1", "Cu&t"),
            QStringLiteral("Cmd+X"));
    addItem(Kind::Copy, QStringLiteral("EditCopy"),
            QCoreApplication::translate("MenuBar1", "&Copy"), QStringLiteral("Cmd+C"));
    addItem(Kind::Paste, QStringLiteral("EditPaste"),
            QCoreApplication::translate("MenuBar1", "&Paste"), QStringLiteral("Cmd+V"));
    addItem(Kind::Clear, QStringLiteral("EditClear"),
            QCoreApplication::translate("MenuBar1", "&Delete"));
    addItem(Kind::Item, QStringLiteral("UntitledMenu0"), QStringLiteral("-"));
    addItem(Kind::SelectAll, QStringLiteral("EditSelectAll"),
            QCoreApplication::translate("MenuBar1", "Select &All"), QStringLiteral("Cmd+A"));
}
