#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "framework/Keyboard.h"

namespace {

class KeyboardTest : public ::testing::Test {
  protected:
    void send(QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(&widget, &event);
    }

    ApplicationKeyState keys;
    QWidget widget;
};

TEST_F(KeyboardTest, arrowsAreDownFromPressToReleaseThroughAutoRepeat) {
    send(QEvent::KeyPress, Qt::Key_Left);
    EXPECT_TRUE(keys.AsyncKeyDown(KeyCode::LeftArrow));
    EXPECT_FALSE(keys.AsyncKeyDown(KeyCode::RightArrow));
    // While a key is held, auto-repeat sends release/press pairs.
    for (int i = 0; i < 3; ++i) {
        send(QEvent::KeyRelease, Qt::Key_Left, true);
        EXPECT_TRUE(keys.AsyncKeyDown(KeyCode::LeftArrow));
        send(QEvent::KeyPress, Qt::Key_Left, true);
    }
    send(QEvent::KeyPress, Qt::Key_Right);
    send(QEvent::KeyRelease, Qt::Key_Left);
    EXPECT_FALSE(keys.AsyncKeyDown(KeyCode::LeftArrow));
    EXPECT_TRUE(keys.AsyncKeyDown(KeyCode::RightArrow));
}

TEST_F(KeyboardTest, losingTheApplicationFocusForgetsHeldKeys) {
    // The release happens in another application and never reaches us. Qt
    // tells the application object when it becomes inactive.
    send(QEvent::KeyPress, Qt::Key_Left);
    send(QEvent::KeyPress, Qt::Key_Right);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(keys.AsyncKeyDown(KeyCode::LeftArrow));
    EXPECT_FALSE(keys.AsyncKeyDown(KeyCode::RightArrow));
}

}  // namespace
