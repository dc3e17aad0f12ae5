// SPDX-License-Identifier: MIT
#include "framework/Keyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

#include "framework/Services.h"

namespace {
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
            // A press reaches us once per widget it passes; press counts it once.
            const bool counted = code >= 0 && !key->isAutoRepeat();
            if (counted && type == QEvent::KeyPress) {
                press(code, key->timestamp());
            } else if (counted) {
                release(code, key->timestamp());
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            releaseAll();  // the releases will go to another application
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

KeyState& Keyboard() {
    static QPointer<ApplicationKeyState> tracker;  // the application's, which a test may remake
    if (!tracker) {
        tracker = new ApplicationKeyState;
    }
    return services().keys ? *services().keys : *tracker;
}
