// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <csignal>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/Timer.h"
#include "framework/Window.h"
#include "headless/Headless.h"

namespace {
class ProbeWindow : public SharedWindow<ProbeWindow> {
  public:
    static constexpr const char* ClassName = "ProbeWindow";
    ProbeWindow() {
        applyAttributes({.title = "Probe", .width = 100, .height = 60});
        Button = addControl<PushButton>("Button", {0, 0, 80, 20});
        Clock = addInvisible<Timer>("Clock");
        Clock->setMode(Timer::Multiple);
        Link = addControl<StaticText>("Link", {0, 30, 90, 20});
        Link->setText("Go");
        Link->setMouseDown([this](int, int) { return ++clicks, false; });
    }
    PushButton* Button;
    Timer* Clock;
    bool keep = false;
    bool mayClose() override { return !keep; }
    StaticText* Link;
    int clicks = 0;
};

TEST(WindowTest, oneSharedWindowPerClassPushRunsToTheEndAndTimersTickOnlyWhileShown) {
    EXPECT_THROW(Window::shared("NoSuchWindow"), NilObjectException);
    ProbeWindow::registerClass();
    ProbeWindow& first = ProbeWindow::shared();
    EXPECT_THROW(first.controlNamed<Timer>("Button"), NilObjectException);

    // Restored, the clock ticks; the running mode set again keeps its cadence
    // (no restart), and Off stops it.
    Timer::setClockRunning(true);
    int ticks = 0;
    first.Clock->Action = [&] { ++ticks; };
    first.Clock->setPeriod(200);
    const QTimer* clock = first.Clock->findChild<QTimer*>();
    first.showMinimized();
    EXPECT_FALSE(clock->isActive());
    first.showNormal();
    QTest::qSleep(15);
    first.Clock->setMode(Timer::Multiple);
    EXPECT_TRUE(clock->isActive() && clock->remainingTime() <= 190) << clock->remainingTime();
    first.Clock->setPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 1000));
    first.Clock->setMode(Timer::Off);
    EXPECT_FALSE(clock->isActive());
    Timer::setClockRunning(false);

    int step = 0;
    first.Button->Action = [&] {
        first.Close();  // from its own handler: gone for the game, deleted later
        step = Window::existing(ProbeWindow::ClassName) ? -1 : 1;
    };
    first.Button->setVisible(false);
    first.Button->Push();
    EXPECT_EQ(step, 1);
    EXPECT_NE(&ProbeWindow::shared(), &first);
    closeAllWindows();
}

TEST(WindowTest, opensCentredRefusesToFillTheScreenAndALinkShowsItsFocusInPlace) {
    ProbeWindow::registerClass();
    ProbeWindow& w = ProbeWindow::shared();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QRect room = w.screen()->availableGeometry();
    EXPECT_LE((w.frameGeometry().center() - room.center()).manhattanLength(), 2);
    w.setWindowState(Qt::WindowFullScreen);
    EXPECT_EQ(w.windowState(), Qt::WindowNoState) << "one size only";

    QWidget* label = w.Link->widget();
    label->clearFocus();  // the window gave its only focusable control the focus
    const QImage before = label->grab().toImage();
    w.Link->SetFocus();
    const QImage framed = label->grab().toImage();
    const QRect inside = framed.rect().adjusted(1, 1, -1, -1);
    EXPECT_EQ(framed.copy(inside), before.copy(inside)) << "the text stays put";
    EXPECT_NE(framed, before) << "the focus shows";
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
    EXPECT_EQ(link->role(), QAccessible::Link);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.clicks, 1);
    closeAllWindows();
}

TEST(ControlsTest, noLineBreaksInAFieldOfAnyLength) {
    QWidget parent;
    EditField field("EditField1", &parent);
    field.setText("Ann\r\n\r\nLee\r");
    static_cast<QLineEdit*>(field.widget())->insert(QString(40000, 'x') + "\n\u2028");
    EXPECT_EQ(field.Text(), "Ann Lee " + QString(40000, 'x') + " ");
}

TEST(MenuBarTest, separatorsAreBareLinesAndQuitQuitsByItselfOnceEveryWindowMayClose) {
    MenuBar bar;
    QMenu* file = bar.addMenu("FileMenu", "&File");
    QAction* quit = bar.addItem(MenuBar::Kind::Quit, "FileQuit", "Quit", "Cmd+Q");
    QAction* line = bar.addItem(MenuBar::Kind::Item, "UntitledMenu1", "-");
    EXPECT_EQ(file->actions(), (QList<QAction*>{quit, line}));
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(line->isSeparator() && line->text().isEmpty());
    recorded().clear();
    ProbeWindow::registerClass();
    ProbeWindow::shared().keep = true;  // a window that may not close keeps the game going
    quit->trigger();
    ProbeWindow::shared().keep = false;
    quit->trigger();
    EXPECT_EQ(recorded().quits, 1);

    // The session's end, which has asked already, and SIGTERM, with nobody to
    // ask, quit without asking any window.
    const Application app;
    ProbeWindow::shared().keep = true;
    QEvent end(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &end);
    ::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([] { return recorded().quits == 3; }, 2000));
    closeAllWindows();
}
}  // namespace
