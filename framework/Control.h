// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

// Size 0 keeps the platform's default size.
struct TextStyle {
    int size = 0;
    bool bold = false, italic = false, underline = false;
};

// What a window holds under a name, by which the game looks it up. A timer
// has no widget.
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

    bool Enabled() const { return widget_ && widget_->isEnabled(); }
    void setEnabled(bool enabled) { widget_->setEnabled(enabled); }
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
    // What a screen reader calls a control that shows no text of its own.
    void setSpokenName(const QString& name) { widget_->setAccessibleName(name); }
    QWidget* widget() const { return widget_; }

  private:
    QPointer<QWidget> widget_;
};

// A control of a widget of class W, made on the parent widget.
template <class W>
class ControlOf : public Control {
  public:
    ControlOf(const QString& name, QWidget* parent) : Control(name, new W(parent), parent) {}
    W* view() const { return static_cast<W*>(widget()); }
};
