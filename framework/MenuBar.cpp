// SPDX-License-Identifier: MIT
#include "framework/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "framework/Application.h"
#include "framework/Window.h"

namespace {
using Kind = MenuBar::Kind;

// What each edit kind, from Undo on, does to the focused text field.
constexpr void (*Commands[])(QLineEdit*) = {
    [](QLineEdit* f) { f->undo(); }, [](QLineEdit* f) { f->cut(); },
    [](QLineEdit* f) { f->copy(); }, [](QLineEdit* f) { f->paste(); },
    [](QLineEdit* f) { f->del(); },  [](QLineEdit* f) { f->selectAll(); }};

QLineEdit* focusedField() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

bool canEdit(Kind kind) {
    const QLineEdit* field = focusedField();
    return field && (kind == Kind::Undo ? field->isUndoAvailable()
                                        : kind == Kind::Paste || kind == Kind::SelectAll ||
                                              field->hasSelectedText());
}
}  // namespace

QMenu* MenuBar::addMenu(const QString& name, const QString& text) {
    auto* menu = new QMenu(text);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    connect(menu, &QMenu::aboutToShow, this, [menu] {
        for (QAction* action : menu->actions()) {
            if (const auto kind = Kind(action->data().toInt()); kind >= Kind::Undo) {
                action->setEnabled(canEdit(kind));
            }
        }
    });
    menus_.append(menu);
    return menu;
}

QAction* MenuBar::addItem(Kind kind, const QString& name, const QString& text,
                          const QString& shortcut) {
    // A separator is the line alone: styles would draw an action's text beside it.
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
        connect(action, &QAction::triggered, this, [] {
            if (Window::mayCloseAll()) {
                Quit();
            }
        });
    } else if (kind >= Kind::Undo) {
        connect(action, &QAction::triggered, this, [kind] {
            if (QLineEdit* field = focusedField()) {
                Commands[int(kind) - int(Kind::Undo)](field);
            }
        });
    }
    kind == Kind::Quit || kind == Kind::About ? shortcuts_.append(action) : void();
    menus_.last()->addAction(action);
    return action;
}
