// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <csignal>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "framework/Timer.h"
#include "headless/Headless.h"

namespace {
class ProbeWindow : public SharedWindow<ProbeWindow> {
  public:
    PushButton* Button = addControl<PushButton>("Button", {0, 0, 80, 20});
    EditField* Field = addControl<EditField>("Field", {0, 20, 80, 10});
    Timer* Clock = addInvisible<Timer>("Clock");
    StaticText* Link = addControl<StaticText>("Link", {0, 30, 90, 20});
    int clicks = 0;
    ProbeWindow() {
        applyAttributes({.title = "Probe", .width = 100, .height = 60});
        Clock->setMode(Timer::Multiple);
        Link->setText("Go");
        Link->setMouseDown([this](int, int) { return ++clicks, false; });
    }
    bool mayClose() override { return !keep; }
    bool keep = false;
};
class OtherWindow : public SharedWindow<OtherWindow> {
    void Event_Open() override { Close(); }
};

TEST(WindowTest, oneSharedWindowPerClassHoldsWhileMinimisedAndIsGoneOnceClosed) {
    ProbeWindow& first = ProbeWindow::shared();
    EXPECT_TRUE(&ProbeWindow::shared() == &first && first.isVisible());
    const Window& other = OtherWindow::shared();  // closed in its Event_Open: never shown
    EXPECT_TRUE(&other != &first && other.isHidden() && !OtherWindow::existing());

    Timer::setClockRunning(true);
    int ticks = 0;
    first.Clock->Action = [&] { ++ticks; };
    first.Clock->setPeriod(200);
    const QTimer* clock = first.Clock->findChild<QTimer*>();
    first.showMinimized();
    EXPECT_FALSE(clock->isActive());
    first.showNormal();
    QTest::qSleep(15);
    first.Clock->setMode(Timer::Multiple);  // running already: it keeps its cadence
    EXPECT_TRUE(clock->isActive() && clock->remainingTime() <= 190) << clock->remainingTime();
    first.Clock->setPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 1000));
    first.Clock->setMode(Timer::Off);
    EXPECT_FALSE(clock->isActive());
    Timer::setClockRunning(false);

    first.Button->Action = [&] { first.Close(); };  // from its own handler: deleted later
    first.Button->Push();
    EXPECT_TRUE(!ProbeWindow::existing() && first.isHidden());
    EXPECT_TRUE(&ProbeWindow::shared() != &first && ProbeWindow::shared().isVisible());
    closeAllWindows();
}

TEST(WindowTest, opensCentredInOneSizeAndItsControlsKeepTheirRules) {
    ProbeWindow& w = ProbeWindow::shared();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QRect room = w.screen()->availableGeometry();
    EXPECT_LE((w.frameGeometry().center() - room.center()).manhattanLength(), 2);
    w.setWindowState(Qt::WindowFullScreen);
    EXPECT_EQ(w.windowState(), Qt::WindowNoState) << "one size only";

    w.Field->setText("Ann\r\n\r\nLee\r");  // no line breaks in a field of any length
    static_cast<QLineEdit*>(w.Field->widget())->insert(QString(40000, 'x') + "\n\u2028");
    EXPECT_EQ(w.Field->Text(), "Ann Lee " + QString(40000, 'x') + " ");

    QWidget* label = w.Link->widget();  // a link shows its focus without moving its text
    const QImage before = label->grab().toImage();
    w.Link->SetFocus();
    const QImage framed = label->grab().toImage();
    const QRect inside = framed.rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(framed.copy(inside) == before.copy(inside) && framed != before);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
    EXPECT_EQ(link->role(), QAccessible::Link);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.clicks, 1);
    closeAllWindows();
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
    ProbeWindow::shared().keep = true;  // a window that may not close keeps the game going
    quit->trigger();
    ProbeWindow::shared().keep = false;
    quit->trigger();
    EXPECT_EQ(recorded().quits, 1);

    const Application app;
    ProbeWindow::shared().keep = true;
    QEvent end(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &end);  // the session's end, which asked already
    ::raise(SIGTERM);                         // with nobody to ask
    EXPECT_TRUE(QTest::qWaitFor([] { return recorded().quits == 3; }, 2000));
    closeAllWindows();
}
}  // namespace
