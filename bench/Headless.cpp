#include "Headless.h"

#include <QEvent>

#include "app/App.h"
#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Timer.h"

namespace {
int messages = 0;

// The offscreen platform says so for every window shown, once per game.
QtMessageHandler otherMessages = nullptr;
void withoutRaiseWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (!message.contains(QStringLiteral("does not support raise()")) && otherMessages) {
        otherMessages(type, context, message);
    }
}
}  // namespace

std::unique_ptr<QApplication> StartHeadless(int& argc, char** argv, bool clockRunning) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    otherMessages = qInstallMessageHandler(withoutRaiseWarnings);
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Timer::SetClockRunning(clockRunning);
    SetMessagePresenter([](const QString&) { ++messages; });
    SetQuitHandler([] {});
    App::RegisterWindows();
    return app;
}

int MessagesShown() {
    return messages;
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CloseAllWindows() {
    Window::ReleaseAll();
    Settle();
}

void KeepFalling(Window1& board, int lowest) {
    const SpriteRef& tile = board.mysprite[board.kap];
    if (tile && tile->Y() >= lowest) {
        tile->SetY(0);
    }
}
