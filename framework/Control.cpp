#include "framework/Control.h"

Control::Control(const QString& name, QWidget* widget, QObject* parent)
    : QObject(parent), widget_(widget) {
    setObjectName(name);
    if (widget_) {
        widget_->setObjectName(name);
    }
}

bool Control::Enabled() const {
    return widget_ && widget_->isEnabled();
}

void Control::SetEnabled(bool enabled) {
    if (widget_) {
        widget_->setEnabled(enabled);
    }
}

bool Control::Visible() const {
    return widget_ && !widget_->isHidden();
}

void Control::SetVisible(bool visible) {
    if (widget_) {
        widget_->setVisible(visible);
    }
}

void Control::SetFocus() {
    if (widget_) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}
