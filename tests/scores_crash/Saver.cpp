// SPDX-License-Identifier: MIT
// Saves the score board's list through the board's Quit in Expert, over and
// over, so that a test can kill it in the middle of a save. Each save is
// ordered by the score column the other way round, so it rewrites every line.
//
//   scores_crash_saver SAVES   prints "ready" once loaded and "saved" after each
//                              save; 0: until killed. A failed save exits with 3.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/App.h"
#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Timer.h"
#include "scores/Window4.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication runtime(argc, argv);
    Timer::setClockRunning(false);     // no event loop runs; nothing should tick
    Application::quitHandler = [] {};  // Quit saves, then would end: stay and save again
    Application::messagePresenter = [](const QString& message) {
        std::fprintf(stderr, "scores_crash_saver: %s\n", qPrintable(message));
        std::_Exit(3);
    };
    const long saves = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    App app;
    App::registerWindows();
    Window4& scores = Window4::shared();
    Window1::shared().RadioButton2->setValue(true);
    std::printf("ready\n");
    std::fflush(stdout);
    for (long done = 0; saves <= 0 || done < saves; ++done) {
        scores.ListBox1->clickHeading(1);
        Window1::shared().PushButton3_Action();
        std::puts("saved");
        std::fflush(stdout);
    }
    App::shutdown();
    return 0;
}
