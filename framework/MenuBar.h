// SPDX-License-Identifier: MIT
#pragma once

#include <QMenu>
#include <QMenuBar>

// One set of menus, made once and shown in each window's own QMenuBar. Every bar gets menus
// and actions of its own that stand for the items made here, so a screen reader finds each
// where its window is; an item is a QAction named after it.
class MenuBar : public QObject {
    Q_OBJECT
  public:
    // Quit asks every window; the edit kinds act on the focused text field.
    enum class Kind { Item, Quit, About, Undo, Cut, Copy, Paste, Clear, SelectAll };

    explicit MenuBar(QObject* parent = nullptr) : QObject(parent) {}
    ~MenuBar() override { qDeleteAll(menus_); }

    // The menu's items, never shown itself.
    QMenu* addMenu(const QString& name, const QString& text);
    // A text of "-" makes a separator; Cmd in a shortcut ("Cmd+Q") is the command key.
    QAction* addItem(Kind kind, const QString& name, const QString& text,
                     const QString& shortcut = {});

    // The menus, after any the bar has; they and their actions belong to the bar.
    void showIn(QMenuBar* view) const;
    // Quit and About, for a window without a menu bar; the actions belong to the window.
    void addShortcutsTo(QWidget* window) const;

  private:
    QList<QMenu*> menus_;  // parentless, never shown: what each bar's menus are made from
    QList<QAction*> shortcuts_;
};
