// SPDX-License-Identifier: MIT
// The yardstick for bench/startup.sh: the least a Qt Widgets program does to
// put a window on screen. Same size as the game's first window, the score board.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(350, 300);
    window.show();
    return QApplication::exec();
}
