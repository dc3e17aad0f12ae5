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

// An action of a bar's own (or a window's) that does what `item` does, as `item` shows it.
QAction* standIn(QAction* item, QObject* owner) {
    auto* action = new QAction(item->text(), owner);
    action->setObjectName(item->objectName());
    action->setSeparator(item->isSeparator());
    action->setData(item->data());
    action->setShortcut(item->shortcut());
    action->setMenuRole(item->menuRole());
    action->setEnabled(item->isEnabled());
    QObject::connect(action, &QAction::triggered, item, &QAction::trigger);
    QObject::connect(item, &QAction::enabledChanged, action, &QAction::setEnabled);
    return action;
}
}  // namespace

QMenu* MenuBar::addMenu(const QString& name, const QString& text) {
    auto* menu = new QMenu(text);
    menu->setObjectName(name);
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
    if (kind == Kind::Quit || kind == Kind::About) {
        shortcuts_.append(action);
    }
    menus_.last()->addAction(action);
    return action;
}

void MenuBar::showIn(QMenuBar* view) const {
    for (const QMenu* items : menus_) {
        QMenu* menu = view->addMenu(items->title());
        menu->setObjectName(items->objectName());
        menu->menuAction()->setObjectName(items->objectName());
        for (QAction* item : items->actions()) {
            menu->addAction(standIn(item, menu));
        }
        connect(menu, &QMenu::aboutToShow, menu, [menu] {
            for (QAction* action : menu->actions()) {
                if (const auto kind = Kind(action->data().toInt()); kind >= Kind::Undo) {
                    action->setEnabled(canEdit(kind));
                }
            }
        });
    }
}

void MenuBar::addShortcutsTo(QWidget* window) const {
    for (QAction* item : shortcuts_) {
        window->addAction(standIn(item, window));
    }
}
