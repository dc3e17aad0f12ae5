// SPDX-License-Identifier: MIT
// What a screen reader finds on the board.
#include <gtest/gtest.h>

#include <QAccessible>

#include "app/App.h"
#include "board/Window1.h"
#include "headless/Headless.h"

namespace {
// A hidden control pushed by a screen reader would play outside the game's own steps.
TEST(ScreenReaderTest, findsNoHiddenControlOnTheBoard) {
    const App app;
    App::wireWindows();
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
    closeAllWindows();
}
}  // namespace
