// SPDX-License-Identifier: MIT
#include "framework/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QShortcut>
#include <limits>

QString withoutLineBreaks(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

PushButton::PushButton(const QString& name, QWidget* parent)
    : Control(name, new QPushButton(parent), parent), button_(static_cast<QPushButton*>(widget())) {
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QPushButton::clicked, this, &PushButton::Push);
}

void PushButton::addShortcut(const QString& key, std::function<bool()> allow) {
    connect(new QShortcut(QKeySequence(key), button_), &QShortcut::activated, this,
            [this, allow = std::move(allow)] {
                if (Enabled() && (!allow || allow())) {
                    Push();
                }
            });
}

void PushButton::Push() {
    if (Enabled() && Action) {
        Action();
    }
}

RadioButton::RadioButton(const QString& name, QWidget* parent)
    : Control(name, new QRadioButton(parent), parent),
      button_(static_cast<QRadioButton*>(widget())) {
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected && Action) {
            Action();
        }
    });
}

void RadioButton::addShortcut(const QString& key) {
    // click, unlike setChecked, does nothing on a disabled button.
    connect(new QShortcut(QKeySequence(key), button_), &QShortcut::activated, button_,
            &QRadioButton::click);
}

StaticText::StaticText(const QString& name, QWidget* parent)
    : Control(name, new QLabel(parent), parent), label_(static_cast<QLabel*>(widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);
    setTextColor(Qt::black);
}

void StaticText::setText(const QString& text) {
    text_ = text;
    label_->setText(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n'));
}

void StaticText::setTextColor(const QColor& color) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, color);
    label_->setPalette(palette);
}

void StaticText::setMouseDown(std::function<bool(int, int)> handler) {
    mouseDown_ = std::move(handler);
    label_->setCursor(Qt::PointingHandCursor);
    label_->setFocusPolicy(Qt::StrongFocus);
    label_->installEventFilter(this);
}

bool StaticText::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress && label_->isEnabled()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        mouseDown_(at.x(), at.y());
        return true;
    }
    const int key = type == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        mouseDown_(label_->width() / 2, label_->height() / 2);
        return true;
    }
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // A frame shows where the keyboard focus is.
        label_->setFrameStyle(label_->hasFocus() ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }
    return Control::eventFilter(watched, event);
}

EditField::EditField(const QString& name, QWidget* parent)
    : Control(name, new QLineEdit(parent), parent), edit_(static_cast<QLineEdit*>(widget())) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == edit_ && GotFocus) {
            GotFocus();
        }
    });
    edit_->setMaxLength(std::numeric_limits<int>::max());  // not QLineEdit's 32,767
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
        if (returnPressed) {
            returnPressed();
        }
    });
    // QLineEdit keeps line breaks that come by paste, insert or setText.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const QString clean = withoutLineBreaks(text); clean != text) {
            edit_->setText(clean);
        }
    });
}
