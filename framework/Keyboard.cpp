// SPDX-License-Identifier: MIT
#include "framework/Keyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {
KeyState* installed = nullptr;

class ApplicationKeyState : public QObject, public KeyState {
  public:
    ApplicationKeyState() : QObject(qApp) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const int code = key->key() == Qt::Key_Left    ? KeyCode::LeftArrow
                             : key->key() == Qt::Key_Right ? KeyCode::RightArrow
                                                           : -1;
            // Qt flags most of auto-repeat's release/press pairs: the key stays
            // down. It shows us a press once per widget it passes; press counts it once.
            if (code >= 0 && !key->isAutoRepeat()) {
                type == QEvent::KeyPress ? press(code, key->timestamp())
                                         : release(code, key->timestamp());
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            releaseAll();  // the releases will go to another application
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

KeyState& Keyboard() {
    // Owned by the application object: a static must not own a QObject, nor
    // point to one that went with an application object.
    static QPointer<ApplicationKeyState> tracker;
    if (!tracker) {
        tracker = new ApplicationKeyState;
    }
    return installed ? *installed : *tracker;
}

void setKeyboard(KeyState* state) {
    installed = state;
}
