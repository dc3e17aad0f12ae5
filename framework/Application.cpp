#include "framework/Application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QMessageBox>
#include <QUrl>

#include "framework/Keyboard.h"

namespace {
Application* theApplication = nullptr;
std::function<void()> quitHandler;
std::function<bool(const QString&)> urlOpener;
std::function<void(const QString&)> messagePresenter;
std::function<bool(const QString&)> questionPresenter;
}  // namespace

Application::Application() {
    theApplication = this;
    // Start tracking keys now, so a key pressed before the first question is known.
    Keyboard();
}

Application::~Application() {
    if (theApplication == this) {
        theApplication = nullptr;
    }
}

Application* Application::Instance() {
    return theApplication;
}

int Application::Run() {
    return QApplication::exec();
}

void Quit() {
    if (quitHandler) {
        quitHandler();
    } else {
        // exit, not quit: quit would first ask every window to close, and a
        // window's Close has effects of its own (showing another window).
        QCoreApplication::exit(0);
    }
}

void SetQuitHandler(std::function<void()> handler) {
    quitHandler = std::move(handler);
}

bool ShowURL(const QString& url) {
    if (urlOpener) {
        return urlOpener(url);
    }
    return QDesktopServices::openUrl(QUrl(url));
}

void SetUrlOpener(std::function<bool(const QString&)> opener) {
    urlOpener = std::move(opener);
}

void SetApplicationIcon(const QString& file) {
    QApplication::setWindowIcon(QIcon(file));
}

void MsgBox(const QString& message) {
    if (messagePresenter) {
        messagePresenter(message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void SetMessagePresenter(std::function<void(const QString&)> presenter) {
    messagePresenter = std::move(presenter);
}

bool MsgBoxYesNo(const QString& question) {
    if (questionPresenter) {
        return questionPresenter(question);
    }
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), question,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void SetQuestionPresenter(std::function<bool(const QString&)> presenter) {
    questionPresenter = std::move(presenter);
}
