#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// One entry of a menu bar: a menu, an item or a separator.
class MenuItem : public QObject {
    Q_OBJECT
  public:
    enum class Kind { Menu, Item, Separator, Quit, About };
    // The standard edit commands, carried out on the text field that has the focus.
    enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

    MenuItem(Kind kind, const QString& name, const QString& text, QObject* parent);

    Kind ItemKind() const { return kind_; }
    QString Name() const { return objectName(); }
    QString Text() const;
    // As written in the menu table ("Cmd+Q"); Cmd is the platform's command key.
    QString KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const QString& shortcut);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    void SetEditCommand(EditCommand command) { editCommand_ = command; }
    EditCommand Command() const { return editCommand_; }

    // The item's handler; its result says whether it handled the choice.
    std::function<bool()> Action;

    QAction* ActionObject() const { return action_; }
    QMenu* MenuObject() const { return menu_; }
    const QList<MenuItem*>& Items() const { return items_; }
    void Append(MenuItem* item);

    // Runs what choosing the item does.
    void Choose();
    // AutoEnable: an edit item is enabled only when a text field can do it.
    void RefreshEnabled();

  private:
    Kind kind_;
    QString text_;  // as given: "-" for a separator, whose action shows none
    QString shortcut_;
    bool autoEnable_ = true;
    EditCommand editCommand_ = EditCommand::None;
    QAction* action_ = nullptr;
    QMenu* menu_ = nullptr;
    QList<MenuItem*> items_;
};

// A menu bar shared by the application and its windows: one object, shown by
// each window that asks for it.
class MenuBar : public QObject {
    Q_OBJECT
  public:
    explicit MenuBar(QObject* parent = nullptr);
    ~MenuBar() override;

    MenuItem* AddMenu(const QString& name, const QString& text);
    MenuItem* AddItem(MenuItem* menu, MenuItem::Kind kind, const QString& name, const QString& text,
                      const QString& shortcut = {});
    const QList<MenuItem*>& Menus() const { return menus_; }
    // The item of that name, or nullptr.
    MenuItem* Item(const QString& name) const;

    void ShowIn(QMenuBar* view) const;
    // Items whose shortcuts must work in every window (quit and About).
    QList<QAction*> ShortcutActions() const;

  private:
    QList<MenuItem*> menus_;
};
