// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Font settings of a control's text; size 0 is the platform's default size.
struct TextStyle {
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// Base of everything a window holds under a name: the game looks controls up
// by that name. A control without a widget (a timer) only has its name.
class Control : public QObject {
    Q_OBJECT
  public:
    Control(const QString& name, QWidget* widget, QObject* parent)
        : QObject(parent), widget_(widget) {
        setObjectName(name);
        if (widget) {
            widget->setObjectName(name);
        }
    }

    QString Name() const { return objectName(); }
    bool Enabled() const { return widget_ && widget_->isEnabled(); }
    void setEnabled(bool enabled) { widget_->setEnabled(enabled); }
    // Whether the control itself is shown; a hidden window doesn't hide its controls.
    bool Visible() const { return widget_ && !widget_->isHidden(); }
    void setVisible(bool visible) { widget_->setVisible(visible); }
    void SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }
    void setStyle(const TextStyle& style) {
        QFont font = widget_->font();
        if (style.size > 0) {
            font.setPixelSize(style.size);
        }
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setUnderline(style.underline);
        widget_->setFont(font);
    }

    QWidget* widget() const { return widget_; }

  private:
    QPointer<QWidget> widget_;
};
