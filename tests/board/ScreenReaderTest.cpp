// SPDX-License-Identifier: MIT
// What a screen reader finds on the board.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenuBar>

#include "app/App.h"
#include "board/Window1.h"
#include "headless/Headless.h"
#include "scores/Window4.h"

namespace {
// Not the hidden button and field; the menus where the board is, and showing, though the score
// board's bar was asked about first.
TEST(ScreenReaderTest, findsNoHiddenControlAndTheBoardsOwnMenus) {
    const App app;
    App::wireWindows();
    Window4& scores = Window4::shared();
    const auto fileItem = [](QWidget& window) {
        QAccessibleInterface* bar =
            QAccessible::queryAccessibleInterface(window.findChild<QMenuBar*>());
        return bar->child(0);
    };
    fileItem(scores);
    scores.StaticText3_MouseDown(0, 0);  // "Run"
    Window1& board = Window1::shared();
    QAccessibleInterface* content =
        QAccessible::queryAccessibleInterface(board.PushButton1->widget()->parentWidget());
    QStringList reachable;
    for (int i = 0; i < content->childCount(); ++i) {
        reachable << content->child(i)->object()->objectName();
    }
    EXPECT_TRUE(reachable.contains("PushButton1")) << reachable.join(' ').toStdString();
    EXPECT_FALSE(reachable.contains("PushButton2")) << "the release button";
    EXPECT_FALSE(reachable.contains("EditField1")) << "the board's hidden field";
    QAccessibleInterface* file = fileItem(board);
    const QMenuBar* bar = board.findChild<QMenuBar*>();
    const QRect where =
        bar->actionGeometry(bar->actions().at(0)).translated(bar->mapToGlobal(QPoint()));
    EXPECT_EQ(file->text(QAccessible::Name), "File");
    EXPECT_EQ(file->rect(), where) << "not where the board's File is";
    EXPECT_FALSE(file->state().invisible) << "not showing with the board";
    closeAllWindows();
}
}  // namespace
