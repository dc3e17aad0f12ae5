#include "support/Fakes.h"

#include <QCoreApplication>
#include <QEvent>

#include "framework/Window.h"

FakeKeyboard::FakeKeyboard() {
    SetKeyboard(this);
}

FakeKeyboard::~FakeKeyboard() {
    SetKeyboard(nullptr);
}

Recorded& recorded() {
    static Recorded record;
    return record;
}

void CloseAllWindows() {
    Window::ReleaseAll();
    SettleEvents();
}

void SettleEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
