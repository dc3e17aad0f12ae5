// SPDX-License-Identifier: MIT
#include "framework/Application.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <utility>

#include "framework/Keyboard.h"
#include "framework/Window.h"

namespace {
int ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton preferred = QMessageBox::No) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(preferred);
    if (QAbstractButton* discard = box.button(QMessageBox::Discard)) {  // desktops differ
        discard->setText(QCoreApplication::translate("Application", "&Don't Save"));
    }
    return box.exec();
}

// A signal only writes its number here; the event loop reads it and ends the game.
int endSignals[2] = {-1, -1};
constexpr int Ending[] = {SIGTERM, SIGHUP, SIGINT};

void onEndSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<char>(signal);
    [[maybe_unused]] const auto written = ::write(endSignals[1], &byte, 1);
    errno = saved;
}

// Before exec() there is no loop for QCoreApplication::exit to end: a quit waits for it.
bool mainLoopRunning = false;
bool quitWaiting = false;
bool askingToQuit = false;

// Ctrl+C is the player's, as Ctrl+Q is: unsaved scores are asked about, and while the
// question is up another Ctrl+C changes nothing.
void interrupt() {
    if (askingToQuit) {
        return;
    }
    askingToQuit = true;
    const bool mayQuit = Window::mayCloseAll();
    askingToQuit = false;
    if (mayQuit) {
        Quit();
    }
}

void readEndSignals() {
    bool ending = false;
    bool interrupted = false;
    char bytes[16];
    ssize_t count = 0;
    while ((count = ::read(endSignals[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            if (bytes[i] == SIGINT) {
                interrupted = true;
            } else {
                ending = true;
            }
        }
    }
    if (ending) {
        Quit();
    } else if (interrupted) {
        interrupt();
    }
}

// xdg-open succeeds even when no program takes mail links, then fails in silence.
bool mailProgramSet() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        return query.error() == QProcess::FailedToStart;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
}  // namespace

Application::Application() {
    theApplication_ = this;
    Keyboard();  // tracks keys from now on, so one held before the first frame is known

    if (endSignals[0] >= 0 || ::pipe2(endSignals, O_CLOEXEC | O_NONBLOCK) == 0) {
        auto* notifier = new QSocketNotifier(endSignals[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, readEndSignals);
        for (const int signal : Ending) {
            // glibc's signal restarts interrupted calls. One ignored by whoever started the
            // game (nohup; Ctrl+C for a job in the background) stays ignored.
            if (std::signal(signal, onEndSignal) == SIG_IGN) {
                std::signal(signal, SIG_IGN);
            }
        }
    }

    // Logging out: ask about unsaved work if the session lets us; it then sends Quit.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this, [](QSessionManager& session) {
            if (session.allowsInteraction()) {
                if (Window::mayCloseAll()) {
                    session.release();
                } else {
                    session.cancel();
                }
            }
        });
        gui->installEventFilter(this);
    }
}

Application::~Application() {
    for (const int signal : Ending) {
        std::signal(signal, SIG_DFL);  // nobody is left to read the byte
    }
    theApplication_ = theApplication_ == this ? nullptr : theApplication_;
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    // Qt would close every window first, asking again what the session settled.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        Quit();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

int Application::exec() {
    if (std::exchange(quitWaiting, false)) {
        return 0;
    }
    mainLoopRunning = true;
    const int status = QApplication::exec();
    mainLoopRunning = false;
    return status;
}

void Quit() {
    if (services().quit) {
        services().quit();
        return;
    }
    if (!mainLoopRunning && Application::shared()) {
        quitWaiting = true;
        return;
    }
    // Not quit: that closes every window first, and a Close may show another.
    QCoreApplication::exit(0);
}

bool ShowURL(const QString& url) {
    if (services().openUrl) {
        return services().openUrl(url);
    }
    const bool mail = url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    return (!mail || mailProgramSet()) && QDesktopServices::openUrl(QUrl(url));
}

void MsgBox(const QString& message) {
    if (services().message) {
        services().message(message);
        return;
    }
    ask(QMessageBox::NoIcon, message, QMessageBox::Ok);
}

bool msgBoxYesNo(const QString& question) {
    return services().question ? services().question(question)
                               : ask(QMessageBox::Question, question,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice msgBoxSave(const QString& question) {
    if (services().saveQuestion) {
        return services().saveQuestion(question);
    }
    const int answer =
        ask(QMessageBox::Question, question,
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    return answer == QMessageBox::Save      ? SaveChoice::Save
           : answer == QMessageBox::Discard ? SaveChoice::DontSave
                                            : SaveChoice::Cancel;
}
