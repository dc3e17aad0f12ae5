#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

#include "framework/Controls.h"

namespace {

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
    EXPECT_EQ(beginnerActions, 1) << "being cleared raises nothing";

    // Already selected: neither a click nor SetValue raises it again.
    static_cast<QAbstractButton*>(expert.Widget())->click();
    expert.SetValue(true);
    EXPECT_EQ(expertActions, 1);
}

TEST(EditFieldTest, lineBreaksNeverGetIn) {
    QWidget parent;
    EditField field(QStringLiteral("EditField1"), &parent);
    field.SetText(QStringLiteral("Ann\r\n\r\nLee\r"));
    EXPECT_EQ(field.Text(), QStringLiteral("Ann Lee "));

    // Typed or pasted text reaches the widget directly.
    auto* edit = static_cast<QLineEdit*>(field.Widget());
    edit->clear();
    edit->insert(QStringLiteral("Bo\nb\x2028"));
    EXPECT_EQ(field.Text(), QStringLiteral("Bo b "));
}

}  // namespace
