// SPDX-License-Identifier: MIT
#include "framework/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "framework/Application.h"

namespace {
using Kind = MenuBar::Kind;

// Carries out an edit command on the focused text field, or says whether it could.
bool edit(Kind kind, bool carryOut) {
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!field) {
        return false;
    }
    const bool selected = field->hasSelectedText();
    switch (kind) {
        case Kind::Undo:
            return carryOut ? (field->undo(), true) : field->isUndoAvailable();
        case Kind::Cut:
            return carryOut ? (field->cut(), true) : selected;
        case Kind::Copy:
            return carryOut ? (field->copy(), true) : selected;
        case Kind::Clear:
            return carryOut ? (field->del(), true) : selected;
        case Kind::Paste:
            return carryOut ? (field->paste(), true) : true;
        default:
            return carryOut ? (field->selectAll(), true) : true;
    }
}
}  // namespace

MenuBar::MenuBar(QObject* parent) : QObject(parent) {}

MenuBar::~MenuBar() {
    qDeleteAll(menus_);
}

QMenu* MenuBar::addMenu(const QString& name, const QString& text) {
    auto* menu = new QMenu(text);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    connect(menu, &QMenu::aboutToShow, this, [menu] {
        for (QAction* action : menu->actions()) {
            if (const auto kind = Kind(action->data().toInt()); kind >= Kind::Undo) {
                action->setEnabled(edit(kind, false));
            }
        }
    });
    menus_.append(menu);
    return menu;
}

QAction* MenuBar::addItem(Kind kind, const QString& name, const QString& text,
                          const QString& shortcut) {
    // A separator is the line alone: styles draw an action's text beside it.
    const bool line = text == QStringLiteral("-");
    auto* action = new QAction(line ? QString() : text, this);
    action->setObjectName(name);
    action->setSeparator(line);
    action->setData(int(kind));
    action->setShortcut(QKeySequence::fromString(QString(shortcut).replace("Cmd+", "Ctrl+"),
                                                 QKeySequence::PortableText));
    action->setMenuRole(kind == Kind::Quit    ? QAction::QuitRole
                        : kind == Kind::About ? QAction::AboutRole
                                              : QAction::NoRole);
    if (kind == Kind::Quit) {
        connect(action, &QAction::triggered, this, [] { Quit(); });
    } else if (kind >= Kind::Undo) {
        connect(action, &QAction::triggered, this, [kind] { edit(kind, true); });
    }
    if (kind == Kind::Quit || kind == Kind::About) {
        shortcuts_.append(action);
    }
    menus_.last()->addAction(action);
    return action;
}

QAction* MenuBar::item(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void MenuBar::showIn(QMenuBar* view) const {
    for (QMenu* menu : menus_) {
        view->addMenu(menu);
    }
}
