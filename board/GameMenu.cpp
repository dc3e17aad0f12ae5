// SPDX-License-Identifier: MIT
// The board's Game menu: every letter key of the board where it can be found,
// each item doing what its key does, and enabled exactly when the key acts.
#include <QMenuBar>
#include <QShortcut>

#include "board/Sounds.h"
#include "board/Window1.h"

namespace {
// The item's key is the existing shortcut's, shown here only: its context
// matches only while the menu bar itself has the focus, where the two then
// clash and neither acts, so one press never acts twice.
QAction* keyItem(QMenu* menu, const QString& name, const QString& text, const QString& keys) {
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    QList<QKeySequence> sequences;
    for (const QString& key : keys.split(QLatin1Char(' '))) {
        sequences << QKeySequence(key);
    }
    item->setShortcuts(sequences);
    item->setShortcutContext(Qt::WidgetShortcut);
    return item;
}
}  // namespace

void Window1::CreateGameMenu() {
    GameMenu = new QMenu(tr("&Game"), this);
    GameMenu->setObjectName(QStringLiteral("GameMenu"));
    QAction* newGame =
        keyItem(GameMenu, QStringLiteral("GameNew"), tr("New Game"), QStringLiteral("N"));
    QAction* pause =
        keyItem(GameMenu, QStringLiteral("GamePause"), tr("Pause"), QStringLiteral("P"));
    GameMenu->addSeparator();
    QAction* beginner =
        keyItem(GameMenu, QStringLiteral("GameBeginner"), tr("Beginner"), QStringLiteral("B"));
    QAction* expert =
        keyItem(GameMenu, QStringLiteral("GameExpert"), tr("Expert"), QStringLiteral("E"));
    beginner->setCheckable(true);
    expert->setCheckable(true);
    GameMenu->addSeparator();
    QAction* help =
        keyItem(GameMenu, QStringLiteral("GameHelp"), tr("HELP"), QStringLiteral("H F1"));
    GameMenu->addSeparator();

    // M has no other owner: this item is its key, on the board.
    QAction* sound = GameMenu->addAction(tr("Sound"));
    sound->setObjectName(QStringLiteral("GameSound"));
    sound->setCheckable(true);
    sound->setChecked(!sounds().muted());
    sound->setShortcut(QKeySequence(QStringLiteral("M")));
    addAction(sound);
    connect(sound, &QAction::triggered, this, [](bool on) { sounds().setMuted(!on); });

    connect(newGame, &QAction::triggered, this, [this] { pressKey(QStringLiteral("N")); });
    connect(pause, &QAction::triggered, this, [this] { pressKey(QStringLiteral("P")); });
    connect(beginner, &QAction::triggered, this, [this] { pressKey(QStringLiteral("B")); });
    connect(expert, &QAction::triggered, this, [this] { pressKey(QStringLiteral("E")); });
    connect(help, &QAction::triggered, this, [this] { pressKey(QStringLiteral("H")); });
    connect(GameMenu, &QMenu::aboutToShow, this, &Window1::GameMenu_AboutToShow);

    if (auto* bar = findChild<QMenuBar*>()) {  // the File and Edit menus' bar, when there is one
        bar->addMenu(GameMenu);
    }
    GameMenu_AboutToShow();
}

void Window1::GameMenu_AboutToShow() {
    const auto item = [this](const char* name) {
        return GameMenu->findChild<QAction*>(QLatin1String(name));
    };
    item("GameNew")->setEnabled(PushButton4->Enabled());
    item("GamePause")->setEnabled(pauseKeyActs());
    item("GameBeginner")->setEnabled(RadioButton1->Enabled());
    item("GameBeginner")->setChecked(RadioButton1->Value());
    item("GameExpert")->setEnabled(RadioButton2->Enabled());
    item("GameExpert")->setChecked(RadioButton2->Value());
    item("GameHelp")->setEnabled(PushButton5->Enabled());
    item("GameSound")->setChecked(!sounds().muted());
}

// Does what the key does, through the key's own shortcut, with its own checks.
void Window1::pressKey(const QString& key) {
    for (QShortcut* shortcut : findChildren<QShortcut*>()) {
        if (shortcut->key() == QKeySequence(key)) {
            emit shortcut->activated();
            return;
        }
    }
}
