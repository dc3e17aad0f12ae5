#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest/QTest>

#include "framework/Controls.h"

namespace {

TEST(PushButtonTest, pushRunsTheHandlerWhenHiddenAndNothingWhenDisabled) {
    QWidget parent;
    PushButton button(QStringLiteral("PushButton2"), &parent);
    int pushes = 0;
    button.Action = [&] { ++pushes; };

    button.SetVisible(false);
    button.Push();
    EXPECT_EQ(pushes, 1);
    EXPECT_FALSE(button.Visible());

    button.SetEnabled(false);
    button.Push();
    EXPECT_EQ(pushes, 1);

    button.SetEnabled(true);
    button.SetVisible(true);
    static_cast<QAbstractButton*>(button.Widget())->click();
    EXPECT_EQ(pushes, 2);
}

TEST(RadioButtonTest, selectingOneClearsTheOtherAndRaisesActionOnlyOnChange) {
    QWidget parent;
    RadioButton beginner(QStringLiteral("RadioButton1"), &parent);
    RadioButton expert(QStringLiteral("RadioButton2"), &parent);
    int beginnerActions = 0;
    int expertActions = 0;
    beginner.Action = [&] { ++beginnerActions; };
    expert.Action = [&] { ++expertActions; };
    beginner.SetValue(true);
    EXPECT_EQ(beginnerActions, 1);

    static_cast<QAbstractButton*>(expert.Widget())->click();
    EXPECT_TRUE(expert.Value());
    EXPECT_FALSE(beginner.Value());
    EXPECT_EQ(expertActions, 1);

    // Already selected: neither a click nor SetValue raises it again.
    static_cast<QAbstractButton*>(expert.Widget())->click();
    expert.SetValue(true);
    EXPECT_EQ(expertActions, 1);

    beginner.SetValue(true);
    EXPECT_FALSE(expert.Value());
    EXPECT_EQ(beginnerActions, 2);
    EXPECT_EQ(expertActions, 1);
}

TEST(EditFieldTest, lineBreaksNeverGetIn) {
    QWidget parent;
    EditField field(QStringLiteral("EditField1"), &parent);
    field.SetText(QStringLiteral("Ann\nLee"));
    EXPECT_EQ(field.Text(), QStringLiteral("Ann Lee"));
    field.SetText(QStringLiteral("Ann\r\n\r\nLee\r"));
    EXPECT_EQ(field.Text(), QStringLiteral("Ann Lee "));

    // Typed or pasted text reaches the widget directly.
    auto* edit = static_cast<QLineEdit*>(field.Widget());
    edit->clear();
    edit->insert(QStringLiteral("Bo\nb"));
    EXPECT_EQ(field.Text(), QStringLiteral("Bo b"));
}

TEST(EditFieldTest, gettingTheFocusRaisesGotFocus) {
    QWidget parent;
    EditField field(QStringLiteral("EditField1"), &parent);
    int focused = 0;
    field.GotFocus = [&] { ++focused; };
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(field.Widget(), &in);
    EXPECT_EQ(focused, 1);
}

TEST(StaticTextTest, mouseDownGetsTheClickPosition) {
    QWidget parent;
    StaticText link(QStringLiteral("StaticText5"), &parent);
    link.Widget()->setGeometry(0, 0, 100, 40);
    parent.show();
    QPoint at;
    link.SetMouseDown([&](int x, int y) {
        at = {x, y};
        return false;
    });
    QTest::mouseClick(link.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_EQ(at, QPoint(7, 9));
}

TEST(StaticTextTest, keepsTheTextAsGivenAndShowsCarriageReturnsAsBreaks) {
    QWidget parent;
    StaticText text(QStringLiteral("StaticText13"), &parent);
    text.SetText(QStringLiteral("one\rtwo\r\r"));
    EXPECT_EQ(text.Text(), QStringLiteral("one\rtwo\r\r"));
    EXPECT_EQ(static_cast<QLabel*>(text.Widget())->text(), QStringLiteral("one\ntwo\n\n"));
}

}  // namespace
