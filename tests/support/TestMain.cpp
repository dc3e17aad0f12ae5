#include <gtest/gtest.h>

#include <QApplication>

#include "framework/Application.h"
#include "framework/Timer.h"
#include "support/Fakes.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication runtime(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Time is given to the game by the tests, never taken from a clock.
    Timer::SetClockRunning(false);
    SetQuitHandler([] { ++recorded().quits; });
    SetMessagePresenter([](const QString& message) { recorded().messages << message; });
    SetQuestionPresenter([](const QString& question) {
        recorded().questions << question;
        return recorded().answer;
    });
    SetUrlOpener([](const QString&) { return true; });  // never a mail program
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    CloseAllWindows();
    return status;
}
