// SPDX-License-Identifier: MIT
#include "framework/Application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "framework/Keyboard.h"

namespace {
int ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec();
}

// xdg-open starts, and so counts as success, even when no program takes mail
// links, and then fails in silence: ask the desktop's list of programs first.
// Without that list, the link is tried.
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
}

Application::~Application() {
    if (theApplication_ == this) {
        theApplication_ = nullptr;
    }
}

void Quit() {
    // exit, not quit: quit would first close every window, and a window's
    // Close has effects of its own (showing another window).
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
