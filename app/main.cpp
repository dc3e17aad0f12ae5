// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/App.h"
#include "app/Translations.h"
#include "board/Sounds.h"
#include "framework/Window.h"

int main(int argc, char** argv) {
    QApplication runtime(argc, argv);
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
