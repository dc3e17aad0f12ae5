// SPDX-License-Identifier: MIT
#include "framework/Keyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
KeyState* installed = nullptr;
}  // namespace

ApplicationKeyState::ApplicationKeyState(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool ApplicationKeyState::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = key->key() == Qt::Key_Left    ? KeyCode::LeftArrow
                         : key->key() == Qt::Key_Right ? KeyCode::RightArrow
                                                       : -1;
        // Qt hands the application one press once per widget it passes
        // through: Press numbers it only once.
        if (code >= 0 && !key->isAutoRepeat()) {
            type == QEvent::KeyPress ? press(code) : release(code);
        }
    } else if (type == QEvent::ApplicationDeactivate) {
        releaseAll();
    }
    return QObject::eventFilter(watched, event);
}

KeyState& Keyboard() {
    static ApplicationKeyState* tracker = new ApplicationKeyState(QCoreApplication::instance());
    return installed ? *installed : *tracker;
}

void setKeyboard(KeyState* state) {
    installed = state;
}
