// Saves the score board's list over and over, through the board's Quit in the
// Expert mode, so that a test can kill it in the middle of a save. Before each
// save the list is ordered by the score column the other way round, so every
// save rewrites every line of the file.
//
//   scores_crash_saver [SAVES]   SAVES saves, then a normal exit; 0 or none: until killed
//
// The score file comes from the preferences folder ($XDG_CONFIG_HOME). Prints
// "ready ROWS" once the score board has loaded it, then "saved" after each save.
// A save that fails ends the program with status 3.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/App.h"
#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Timer.h"
#include "scores/Window4.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication runtime(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // No event loop runs; nothing of the game should tick either.
    Timer::SetClockRunning(false);
    // Quit saves and then asks to end the application: stay and save again.
    Application::quitHandler = [] {};
    Application::messagePresenter = [](const QString& message) {
        std::fprintf(stderr, "scores_crash_saver: %s\n", qPrintable(message));
        std::_Exit(3);
    };
    const long saves = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;

    {
        App app;
        App::RegisterWindows();
        Window4& scores = Window4::instance();
        Window1& board = Window1::instance();
        board.RadioButton2->SetValue(true);  // Expert: Quit saves
        std::printf("ready %d\n", scores.ListBox1->ListCount());
        std::fflush(stdout);
        for (long done = 0; saves <= 0 || done < saves; ++done) {
            scores.ListBox1->ClickHeading(1);
            board.PushButton3_Action();
            std::puts("saved");
            std::fflush(stdout);
        }
        App::Shutdown();
    }
    return 0;
}
