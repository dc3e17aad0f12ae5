// SPDX-License-Identifier: MIT
#pragma once

#include <QMenu>
#include <QMenuBar>

// One set of menus shown in each window's QMenuBar; an item is a QAction named after it.
class MenuBar : public QObject {
    Q_OBJECT
  public:
    // Quit asks every window; the edit kinds act on the focused text field.
    enum class Kind { Item, Quit, About, Undo, Cut, Copy, Paste, Clear, SelectAll };

    explicit MenuBar(QObject* parent = nullptr) : QObject(parent) {}
    ~MenuBar() override { qDeleteAll(menus_); }

    QMenu* addMenu(const QString& name, const QString& text);
    // A text of "-" makes a separator; Cmd in a shortcut ("Cmd+Q") is the command key.
    QAction* addItem(Kind kind, const QString& name, const QString& text,
                     const QString& shortcut = {});

    void showIn(QMenuBar* view) const {
        std::ranges::for_each(menus_, [view](QMenu* menu) { view->addMenu(menu); });
    }
    // Quit and About, which work from every window.
    QList<QAction*> shortcutActions() const { return shortcuts_; }

  private:
    QList<QMenu*> menus_;  // parentless: a menu shown in several bars must not belong to one
    QList<QAction*> shortcuts_;
};
