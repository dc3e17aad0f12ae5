#include "framework/Keyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
KeyState* installed = nullptr;
}  // namespace

ApplicationKeyState::ApplicationKeyState(QObject* parent) : QObject(parent) {
    if (auto* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

bool ApplicationKeyState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = key->key() == Qt::Key_Left    ? KeyCode::LeftArrow
                             : key->key() == Qt::Key_Right ? KeyCode::RightArrow
                                                           : -1;
            if (code >= 0 && !key->isAutoRepeat()) {
                if (event->type() == QEvent::KeyPress) {
                    // Qt hands the application one press once per widget it
                    // passes through: number it only once.
                    if (!down_.contains(code)) {
                        NotePress(code);
                    }
                    down_.insert(code);
                } else {
                    down_.remove(code);
                }
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
            down_.clear();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

KeyState& Keyboard() {
    if (installed) {
        return *installed;
    }
    static ApplicationKeyState* tracker = new ApplicationKeyState(QCoreApplication::instance());
    return *tracker;
}

void SetKeyboard(KeyState* state) {
    installed = state;
}
