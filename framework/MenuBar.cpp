#include "framework/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "framework/Application.h"

namespace {
QKeySequence platformShortcut(QString shortcut) {
    // The command key is Ctrl on this platform.
    shortcut.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence::fromString(shortcut, QKeySequence::PortableText);
}

QLineEdit* focusedTextField() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}
}  // namespace

MenuItem::MenuItem(Kind kind, const QString& name, const QString& text, QObject* parent)
    : QObject(parent), kind_(kind), text_(text) {
    setObjectName(name);
    if (kind == Kind::Menu) {
        menu_ = new QMenu(text);
        action_ = menu_->menuAction();
        connect(menu_, &QMenu::aboutToShow, this, [this] {
            for (MenuItem* item : items_) {
                item->RefreshEnabled();
            }
        });
    } else if (kind == Kind::Separator) {
        // A separator is the line alone: styles draw an action's text beside it.
        action_ = new QAction(this);
        action_->setSeparator(true);
    } else {
        action_ = new QAction(text, this);
        if (kind == Kind::Quit) {
            action_->setMenuRole(QAction::QuitRole);
        } else if (kind == Kind::About) {
            action_->setMenuRole(QAction::AboutRole);
        } else {
            action_->setMenuRole(QAction::NoRole);
        }
        connect(action_, &QAction::triggered, this, &MenuItem::Choose);
    }
}

QString MenuItem::Text() const {
    return text_;
}

void MenuItem::SetKeyboardShortcut(const QString& shortcut) {
    shortcut_ = shortcut;
    action_->setShortcut(platformShortcut(shortcut));
}

void MenuItem::Append(MenuItem* item) {
    items_.append(item);
    if (menu_) {
        menu_->addAction(item->ActionObject());
    }
}

void MenuItem::Choose() {
    if (kind_ == Kind::Quit && !Action) {
        Quit();
        return;
    }
    if (Action) {
        Action();
        return;
    }
    QLineEdit* field = focusedTextField();
    if (!field) {
        return;
    }
    switch (editCommand_) {
        case EditCommand::Undo:
            field->undo();
            break;
        case EditCommand::Cut:
            field->cut();
            break;
        case EditCommand::Copy:
            field->copy();
            break;
        case EditCommand::Paste:
            field->paste();
            break;
        case EditCommand::Clear:
            field->del();
            break;
        case EditCommand::SelectAll:
            field->selectAll();
            break;
        case EditCommand::None:
            break;
    }
}

void MenuItem::RefreshEnabled() {
    if (!autoEnable_ || editCommand_ == EditCommand::None) {
        return;
    }
    QLineEdit* field = focusedTextField();
    bool possible = field != nullptr;
    if (field) {
        switch (editCommand_) {
            case EditCommand::Undo:
                possible = field->isUndoAvailable();
                break;
            case EditCommand::Cut:
            case EditCommand::Copy:
            case EditCommand::Clear:
                possible = field->hasSelectedText();
                break;
            default:
                break;
        }
    }
    action_->setEnabled(possible);
}

MenuBar::MenuBar(QObject* parent) : QObject(parent) {}

MenuBar::~MenuBar() {
    // QMenu has no QObject parent here (a menu shown in several bars must not
    // belong to one of them), so the bar deletes its menus itself.
    for (MenuItem* menu : menus_) {
        delete menu->MenuObject();
    }
}

MenuItem* MenuBar::AddMenu(const QString& name, const QString& text) {
    auto* menu = new MenuItem(MenuItem::Kind::Menu, name, text, this);
    menus_.append(menu);
    return menu;
}

MenuItem* MenuBar::AddItem(MenuItem* menu, MenuItem::Kind kind, const QString& name,
                           const QString& text, const QString& shortcut) {
    auto* item = new MenuItem(kind, name, text, this);
    if (!shortcut.isEmpty()) {
        item->SetKeyboardShortcut(shortcut);
    }
    menu->Append(item);
    return item;
}

MenuItem* MenuBar::Item(const QString& name) const {
    for (MenuItem* menu : menus_) {
        if (menu->Name() == name) {
            return menu;
        }
        for (MenuItem* item : menu->Items()) {
            if (item->Name() == name) {
                return item;
            }
        }
    }
    return nullptr;
}

void MenuBar::ShowIn(QMenuBar* view) const {
    for (MenuItem* menu : menus_) {
        view->addMenu(menu->MenuObject());
    }
}

QList<QAction*> MenuBar::ShortcutActions() const {
    QList<QAction*> actions;
    for (MenuItem* menu : menus_) {
        for (MenuItem* item : menu->Items()) {
            if (item->ItemKind() == MenuItem::Kind::Quit ||
                item->ItemKind() == MenuItem::Kind::About) {
                actions.append(item->ActionObject());
            }
        }
    }
    return actions;
}
