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

// A signal only writes a byte here; the event loop reads it and quits.
int endSignals[2] = {-1, -1};
constexpr int Ending[] = {SIGTERM, SIGHUP};

void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(endSignals[1], &byte, 1);
    errno = saved;
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
        connect(notifier, &QSocketNotifier::activated, this, [] {
            char bytes[16];
            while (::read(endSignals[0], bytes, sizeof bytes) > 0) {
            }
            Quit();
        });
        for (const int signal : Ending) {
            std::signal(signal, onEndSignal);  // glibc's signal restarts interrupted calls
        }
    }

    // Logging out: ask about unsaved work if the session lets us; it then sends Quit.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this, [](QSessionManager& session) {
            if (session.allowsInteraction()) {
                Window::mayCloseAll() ? session.release() : session.cancel();
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

void Quit() {
    // Not quit: that closes every window first, and a Close may show another.
    Application::quitHandler ? Application::quitHandler() : QCoreApplication::exit(0);
}

bool ShowURL(const QString& url) {
    if (Application::urlOpener) {
        return Application::urlOpener(url);
    }
    const bool mail = url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    return (!mail || mailProgramSet()) && QDesktopServices::openUrl(QUrl(url));
}

void MsgBox(const QString& message) {
    Application::messagePresenter ? Application::messagePresenter(message)
                                  : void(ask(QMessageBox::NoIcon, message, QMessageBox::Ok));
}

bool msgBoxYesNo(const QString& question) {
    return Application::questionPresenter
               ? Application::questionPresenter(question)
               : ask(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No) ==
                     QMessageBox::Yes;
}

SaveChoice msgBoxSave(const QString& question) {
    if (Application::saveQuestionPresenter) {
        return Application::saveQuestionPresenter(question);
    }
    const int answer =
        ask(QMessageBox::Question, question,
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    return answer == QMessageBox::Save      ? SaveChoice::Save
           : answer == QMessageBox::Discard ? SaveChoice::DontSave
                                            : SaveChoice::Cancel;
}
