// SPDX-License-Identifier: MIT
#include "framework/Application.h"
#include "framework/Timer.h"
#include "support/Fakes.h"

namespace {
// The offscreen platform says so for every window shown, once per game.
QtMessageHandler otherMessages = nullptr;
void withoutRaiseWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (!message.contains(QStringLiteral("does not support raise()")) && otherMessages) {
        otherMessages(type, context, message);
    }
}
}  // namespace

std::unique_ptr<QApplication> startHeadless(int& argc, char** argv, bool clockRunning) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    otherMessages = qInstallMessageHandler(withoutRaiseWarnings);
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Timer::setClockRunning(clockRunning);
    Application::quitHandler = [] { ++recorded().quits; };
    Application::messagePresenter = [](const QString& message) { recorded().messages << message; };
    Application::questionPresenter = [](const QString& question) {
        recorded().questions << question;
        return recorded().answer;
    };
    Application::urlOpener = [](const QString&) { return true; };  // never a mail program
    return app;
}
