#include <gtest/gtest.h>

#include <QPointer>

#include "framework/Controls.h"
#include "framework/Timer.h"
#include "framework/Window.h"
#include "support/Fakes.h"

namespace {

// A window with a button that closes it from inside its own handler.
class ProbeWindow : public Window, public SharedWindow<ProbeWindow> {
  public:
    static constexpr const char* ClassName = "ProbeWindow";
    ProbeWindow() : Window(ClassName) {
        Closer = AddControl<PushButton>("Closer", {0, 30, 80, 20});
        Closer->Action = [this] {
            if (onCloser) {
                onCloser(*this);
            }
        };
        Clock = AddInvisible<Timer>("Clock");
        Clock->SetMode(Timer::Multiple);
    }

    PushButton* Closer;
    Timer* Clock;
    std::function<void(ProbeWindow&)> onCloser;
    int opens = 0;
    int closes = 0;

  protected:
    void Event_Open() override { ++opens; }
    void Event_Close() override { ++closes; }
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProbeWindow::registerClass();
        recorded().Clear();
    }
    void TearDown() override { CloseAllWindows(); }
};

TEST_F(WindowTest, theAccessorHandsOutTheOpenWindowWithoutOpeningItAgain) {
    EXPECT_EQ(ProbeWindow::existing(), nullptr);
    ProbeWindow& first = ProbeWindow::instance();
    first.opens += 10;  // a second Event_Open would be seen here
    ProbeWindow& again = ProbeWindow::instance();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.opens, 11);
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(ProbeWindow::existing(), &first);
}

TEST_F(WindowTest, closingFromItsOwnHandlerDefersDeletionAndAFreshWindowFollows) {
    ProbeWindow& old = ProbeWindow::instance();
    QPointer<ProbeWindow> watch(&old);
    ProbeWindow* successor = nullptr;
    old.onCloser = [&](ProbeWindow& self) {
        self.Close();
        // Still alive under its own handler, but no longer the open window.
        EXPECT_EQ(self.closes, 1);
        EXPECT_TRUE(self.Closing());
        EXPECT_FALSE(self.isVisible());
        EXPECT_EQ(ProbeWindow::existing(), nullptr);
        successor = &ProbeWindow::instance();
        self.Close();  // a second Close changes nothing
        EXPECT_EQ(self.closes, 1);
    };
    old.Closer->Push();

    ASSERT_NE(successor, nullptr);
    EXPECT_NE(successor, watch.data());
    EXPECT_EQ(successor->opens, 1);
    EXPECT_TRUE(watch);
    SettleEvents();
    EXPECT_FALSE(watch);
    EXPECT_EQ(&ProbeWindow::instance(), successor);
}

TEST_F(WindowTest, minimisingHoldsItsTimersAndHidingDoesNot) {
    ProbeWindow& window = ProbeWindow::instance();
    window.showMinimized();
    EXPECT_TRUE(window.Clock->Held());
    EXPECT_EQ(window.Clock->Mode(), Timer::Multiple);
    window.showNormal();
    EXPECT_FALSE(window.Clock->Held());
    window.Hide();
    EXPECT_FALSE(window.Clock->Held());
}

}  // namespace
