// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/App.h"
#include "app/Translations.h"
#include "board/Sounds.h"
#include "framework/Window.h"

namespace {
constexpr char NoSharedMemory[] = "QT_XCB_NO_MITSHM";

// On X, every repaint put through shared memory wakes the game once more when the server
// reports it done: some fifty times a second while a tile glides, half the wakeups in play.
// The repaints are a few rows of the field, cheaper sent plainly over the connection; a full
// board is a megabyte, sent only when it shows. Read when the application is made, so set
// before, and only when the player has not chosen; other platforms never read it.
bool putImagesPlainly() {
    if (qEnvironmentVariableIsSet(NoSharedMemory)) {
        return false;
    }
    qputenv(NoSharedMemory, "1");
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    const bool plainPuts = putImagesPlainly();
    QApplication runtime(argc, argv);
    if (plainPuts) {
        qunsetenv(NoSharedMemory);  // not passed on to the programs the game starts
    }
    QApplication::setApplicationName(QStringLiteral("Huemix"));
    // No display name: Qt would append it to every window's title ("HELP — Huemix").
    // The desktop entry's name lets a task bar match the windows to its icon.
    QApplication::setDesktopFileName(QStringLiteral("huemix"));
    QApplication::setApplicationVersion(QStringLiteral(HUEMIX_VERSION));
    // Windows come and go as the player moves between them; the application
    // ends through Quit, or once no window of the game is left on screen.
    QApplication::setQuitOnLastWindowClosed(false);
    installWindowSupport();
    installTranslations(QStringLiteral("huemix"), QLocale::system());

    int status = 0;
    {
        App app;
        App::wireWindows();
        app.openDefaultWindow();
        app.startSoundWithBoard();
        status = app.exec();
        App::shutdown();
        if (!sounds().stop()) {
            // Stuck on an audio server that never answers: the exit handlers
            // would wait for it, so the process ends without them.
            std::fflush(nullptr);
            std::_Exit(status);
        }
    }
    return status;
}
