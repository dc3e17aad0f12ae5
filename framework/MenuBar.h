// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// One set of menus shown in each window's QMenuBar; an item is a QAction named after it.
class MenuBar : public QObject {
    Q_OBJECT
  public:
    // Quit quits once every window may close; the edit kinds act on the focused text field.
    enum class Kind { Item, Quit, About, Undo, Cut, Copy, Paste, Clear, SelectAll };

    explicit MenuBar(QObject* parent = nullptr) : QObject(parent) {}
    ~MenuBar() override;

    // Starts a menu; the items added next go into it.
    QMenu* addMenu(const QString& name, const QString& text);
    // A text of "-" makes a separator; Cmd in a shortcut ("Cmd+Q") is the command key.
    QAction* addItem(Kind kind, const QString& name, const QString& text,
                     const QString& shortcut = {});
    QAction* item(const QString& name) const;  // or nullptr

    void showIn(QMenuBar* view) const;
    // Quit and About, which every window takes on so that they work from each.
    QList<QAction*> shortcutActions() const { return shortcuts_; }

  private:
    QList<QMenu*> menus_;  // parentless: a menu shown in several bars must not belong to one
    QList<QAction*> shortcuts_;
};
