// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// A menu bar shared by the application and its windows: one set of menus,
// added to each window's own QMenuBar. An item is a QAction named after the
// item; its triggered signal is the item's Action.
class MenuBar : public QObject {
    Q_OBJECT
  public:
    // Quit quits by itself; the edit kinds work on the text field that has the
    // focus and are enabled only when that field can do them.
    enum class Kind { Item, Quit, About, Undo, Cut, Copy, Paste, Clear, SelectAll };

    explicit MenuBar(QObject* parent = nullptr);
    ~MenuBar() override;

    // Starts a menu; the items added next go into it.
    QMenu* addMenu(const QString& name, const QString& text);
    // A text of "-" makes a separator. Shortcuts as written in a menu table
    // ("Cmd+Q"), Cmd being the platform's command key.
    QAction* addItem(Kind kind, const QString& name, const QString& text,
                     const QString& shortcut = {});
    // The item of that name, or nullptr.
    QAction* item(const QString& name) const;
    const QList<QMenu*>& menus() const { return menus_; }

    void showIn(QMenuBar* view) const;
    // Quit and About: every window takes these on, so they work from each.
    QList<QAction*> shortcutActions() const { return shortcuts_; }

  private:
    // Menus without a QObject parent: a menu shown in several bars must not belong to one.
    QList<QMenu*> menus_;
    QList<QAction*> shortcuts_;
};
