// SPDX-License-Identifier: MIT
#include "headless/Headless.h"
#include "framework/Application.h"
#include "framework/Services.h"

std::unique_ptr<QApplication> startHeadless(int& argc, char** argv, bool clockRunning) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The offscreen platform warns that it cannot raise each window shown.
    static const QtMessageHandler otherMessages = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QStringLiteral("does not support raise()"))) {
                otherMessages(type, context, message);
            }
        });
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installWindowSupport();
    Services& headless = services();
    headless.clockRunning = clockRunning;
    headless.quit = [] { ++recorded().quits; };
    headless.message = [](const QString& message) { recorded().messages << message; };
    headless.question = [](const QString& question) {
        recorded().questions << question;
        return recorded().answer;
    };
    headless.saveQuestion = [](const QString& question) {
        recorded().questions << question;
        return SaveChoice::Cancel;
    };
    headless.openUrl = [](const QString&) { return true; };  // never a mail program
    return app;
}
