// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>

#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/Timer.h"
#include "framework/Window.h"
#include "support/Fakes.h"

namespace {
void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class ProbeWindow : public SharedWindow<ProbeWindow> {
  public:
    static constexpr const char* ClassName = "ProbeWindow";
    ProbeWindow() {
        Button = addControl<PushButton>("Button", {0, 0, 80, 20});
        Button->setDefault(true);
        Button->Action = [this] { ++pushes; };
        Clock = addInvisible<Timer>("Clock");
        Clock->setMode(Timer::Multiple);
    }
    PushButton* Button;
    Timer* Clock;
    int opens = 0, closes = 0, pushes = 0;
    void Event_Open() override { ++opens; }
    void Event_Close() override { ++closes; }
};

TEST(WindowTest, oneOpenWindowPerClassClosedLaterAndHeldWhileMinimised) {
    ProbeWindow::registerClass();
    ProbeWindow& first = ProbeWindow::shared();
    EXPECT_EQ(&ProbeWindow::shared(), &first);
    EXPECT_EQ(first.opens, 1);
    EXPECT_EQ(&first.controlNamed<PushButton>("Button"), first.Button);
    EXPECT_THROW(first.controlNamed<Timer>("Button"), NilObjectException);

    // Return pushes the default button while it is shown and enabled; Push
    // works on a hidden button and not on a disabled one.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&first, &enter);
    first.Button->setVisible(false);
    QCoreApplication::sendEvent(&first, &enter);
    first.Button->Push();
    first.Button->setEnabled(false);
    first.Button->Push();
    EXPECT_EQ(first.pushes, 2);

    Timer::setClockRunning(true);
    first.Clock->setMode(Timer::Off);
    first.Clock->setMode(Timer::Multiple);
    const auto* clock = first.Clock->findChild<QTimer*>();
    first.showMinimized();
    EXPECT_FALSE(clock->isActive());
    first.showNormal();
    EXPECT_TRUE(clock->isActive());
    first.Hide();
    EXPECT_TRUE(clock->isActive());
    Timer::setClockRunning(false);

    // Close from the window's own handler: deleted later, a fresh one at once.
    QPointer<ProbeWindow> old(&first);
    first.Button->setEnabled(true);
    first.Button->Action = [&] {
        first.Close();
        first.Close();
        EXPECT_EQ(ProbeWindow::existing(), nullptr);
    };
    first.Button->Push();
    EXPECT_EQ(first.closes, 1);
    EXPECT_FALSE(first.isVisible());
    ProbeWindow& next = ProbeWindow::shared();
    EXPECT_NE(&next, old.data());
    settleEvents();
    EXPECT_FALSE(old);
    closeAllWindows();
}

TEST(ControlsTest, radioActionOnChangeOnlyAndNoLineBreaksInAField) {
    QWidget parent;
    RadioButton beginner("RadioButton1", &parent), expert("RadioButton2", &parent);
    int changes = 0;
    beginner.Action = expert.Action = [&] { ++changes; };
    beginner.setValue(true);
    static_cast<QRadioButton*>(expert.widget())->click();
    static_cast<QRadioButton*>(expert.widget())->click();
    expert.setValue(true);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(beginner.Value());

    EditField field("EditField1", &parent);
    field.setText("Ann\r\n\r\nLee\r");
    EXPECT_EQ(field.Text(), "Ann Lee ");
    auto* edit = static_cast<QLineEdit*>(field.widget());
    edit->clear();
    edit->insert(QString(40000, 'x') + QStringLiteral("\n\u2028"));
    EXPECT_EQ(field.Text(), QString(40000, 'x') + " ");
}

TEST(MenuBarTest, separatorsAreBareLinesAndQuitQuitsByItself) {
    MenuBar bar;
    QMenu* file = bar.addMenu("FileMenu", "&File");
    QAction* quit = bar.addItem(MenuBar::Kind::Quit, "FileQuit", "Quit", "Cmd+Q");
    QAction* line = bar.addItem(MenuBar::Kind::Item, "UntitledMenu1", "-");
    QAction* about = bar.addItem(MenuBar::Kind::About, "AppleAbout", "AboutHuemix");
    EXPECT_EQ(bar.shortcutActions(), (QList<QAction*>{quit, about}));  // every window takes these
    EXPECT_EQ(file->title(), "&File");
    EXPECT_EQ(file->actions(), (QList<QAction*>{quit, line, about}));
    EXPECT_EQ(bar.item("FileQuit"), quit);
    EXPECT_EQ(quit->text(), "Quit");
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(line->isSeparator());
    EXPECT_EQ(line->text(), QString());
    recorded().clear();
    quit->trigger();
    EXPECT_EQ(recorded().quits, 1);
}

// The one test with a real clock: every other test gives time by hand.
TEST(TimerTest, ticksKeepTheirCadenceFollowANewPeriodAndNeverOverlap) {
    Timer timer;
    int ticks = 0;
    timer.Action = [&] { ++ticks; };
    timer.setPeriod(1);
    timer.setMode(Timer::Multiple);
    runEventsFor(20);
    EXPECT_EQ(ticks, 0) << "a stopped clock never ticks";

    Timer::setClockRunning(true);
    timer.setMode(Timer::Off);
    timer.setPeriod(300);
    QElapsedTimer clock;
    clock.start();
    timer.setMode(Timer::Multiple);
    runEventsFor(150);
    timer.setMode(Timer::Multiple);  // the running mode again must not restart the wait
    while (ticks == 0 && clock.elapsed() < 1000) {
        runEventsFor(2);
    }
    EXPECT_LT(clock.elapsed(), 420);
    int depth = 0, deepest = 0;
    timer.Action = [&] {
        deepest = std::max(deepest, ++depth);
        ++ticks;
        runEventsFor(30);  // a handler with a nested event loop, as a message box has
        --depth;
    };
    timer.setPeriod(5);
    runEventsFor(150);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(deepest, 1);
    timer.setMode(Timer::Off);
    const int stopped = ticks;
    runEventsFor(30);
    EXPECT_EQ(ticks, stopped);
    Timer::setClockRunning(false);
}
}  // namespace
