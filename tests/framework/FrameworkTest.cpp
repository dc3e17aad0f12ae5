// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTest>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/MenuBar.h"
#include "headless/Headless.h"

namespace {
class ProbeWindow : public SharedWindow<ProbeWindow> {
  public:
    PushButton* Button = addControl<PushButton>("Button", {0, 0, 80, 20});
    EditField* Field = addControl<EditField>("Field", {0, 20, 80, 10});
    StaticText* Link = addControl<StaticText>("Link", {0, 30, 90, 20});
    bool keep = false;
    ProbeWindow() {
        applyAttributes({.title = "Probe", .width = 100, .height = 60});
        Link->setText("Go");
        Link->setMouseDown([](int, int) { return false; });  // a link: it takes the focus
    }
    bool mayClose() override { return !keep; }
};
class OtherWindow : public SharedWindow<OtherWindow> {
    void Event_Open() override { Close(); }
};

TEST(WindowTest, oneSharedWindowPerClassUntilItClosesAndAWindowClosedWhileOpeningNeverShows) {
    ProbeWindow& first = ProbeWindow::shared();
    EXPECT_EQ(&ProbeWindow::shared(), &first) << "a second window of the class was made";
    EXPECT_TRUE(first.isVisible()) << "the shared window is not shown";
    const Window& other = OtherWindow::shared();  // closed in its Event_Open: never shown
    EXPECT_TRUE(other.isHidden()) << "a window closed while opening was shown";
    EXPECT_FALSE(OtherWindow::existing()) << "a window closed while opening still exists";
    first.Button->Action = [&] { first.Close(); };  // from its own handler: deleted later
    first.Button->Push();
    EXPECT_FALSE(ProbeWindow::existing()) << "the closed window still exists";
    EXPECT_TRUE(first.isHidden()) << "the closed window is still shown";
    EXPECT_NE(&ProbeWindow::shared(), &first) << "the closed window was used again";
    closeAllWindows();
}

TEST(WindowTest, aFieldTakesNoLineBreaksAtAnyLengthAndAFocusedLinkShowsAFrameAroundItsText) {
    ProbeWindow& w = ProbeWindow::shared();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Field->view()->insert(QString(40000, 'x') + "\r\n\u2028");  // past QLineEdit's limit
    EXPECT_EQ(w.Field->Text(), QString(40000, 'x') + " ");

    QWidget* label = w.Link->widget();
    const QImage before = label->grab().toImage();
    w.Link->SetFocus();
    const QImage framed = label->grab().toImage();
    const QRect inside = framed.rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(framed.copy(inside) == before.copy(inside)) << "the focus frame covers the text";
    EXPECT_FALSE(framed == before) << "the focused link shows no frame";
    closeAllWindows();
}

// The offscreen platform grants every state asked for, as a window manager would.
TEST(WindowTest, aFixedSizeWindowRefusesToFillTheScreen) {
    ProbeWindow& w = ProbeWindow::shared();
    w.showFullScreen();
    EXPECT_FALSE(w.isFullScreen()) << "the fixed-size window went fullscreen";
    w.showMaximized();
    EXPECT_FALSE(w.isMaximized()) << "the fixed-size window was maximised";
    closeAllWindows();
}

TEST(MenuBarTest, quitQuitsOnceEveryWindowMayCloseOrWhenTheSessionEnds) {
    MenuBar bar;
    bar.addMenu("FileMenu", "&File");
    QAction* quit = bar.addItem(MenuBar::Kind::Quit, "FileQuit", "Quit", "Cmd+Q");
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    recorded().clear();
    ProbeWindow::shared().keep = true;  // a window that may not close keeps the game going
    quit->trigger();
    ProbeWindow::shared().keep = false;
    quit->trigger();
    EXPECT_EQ(recorded().quits, 1);
    const Application app;
    ProbeWindow::shared().keep = true;
    QEvent end(QEvent::Quit);  // the session's end, which asked already
    QCoreApplication::sendEvent(qApp, &end);
    EXPECT_EQ(recorded().quits, 2);
    closeAllWindows();
}
}  // namespace
