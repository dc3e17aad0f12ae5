#include "framework/Controls.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <limits>

namespace {
QFont styled(QFont font, const TextStyle& style) {
    if (style.size > 0) {
        font.setPixelSize(style.size);
    }
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}
}  // namespace

QString WithoutLineBreaks(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    QString clean = text;
    return clean.replace(breaks, QStringLiteral(" "));
}

// ---- PushButton

PushButton::PushButton(const QString& name, QWidget* parent)
    : Control(name, new QPushButton(parent), parent), button_(static_cast<QPushButton*>(Widget())) {
    // Buttons never take the keyboard focus: the arrow keys belong to the game
    // and Space must not press a button by accident.
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QPushButton::clicked, this, &PushButton::Push);
}

QString PushButton::Caption() const {
    return button_->text();
}

void PushButton::SetCaption(const QString& caption) {
    button_->setText(caption);
}

void PushButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    button_->setDefault(isDefault);
}

void PushButton::SetStyle(const TextStyle& style) {
    button_->setFont(styled(button_->font(), style));
}

void PushButton::AddShortcut(const QString& key) {
    auto* shortcut = new QShortcut(QKeySequence(key), button_);
    connect(shortcut, &QShortcut::activated, this, &PushButton::Push);
}

void PushButton::Push() {
    if (Enabled() && Action) {
        Action();
    }
}

// ---- RadioButton

RadioButton::RadioButton(const QString& name, QWidget* parent)
    : Control(name, new QRadioButton(parent), parent),
      button_(static_cast<QRadioButton*>(Widget())) {
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected && Action) {
            Action();
        }
    });
}

QString RadioButton::Caption() const {
    return button_->text();
}

void RadioButton::SetCaption(const QString& caption) {
    button_->setText(caption);
}

bool RadioButton::Value() const {
    return button_->isChecked();
}

void RadioButton::SetValue(bool selected) {
    button_->setChecked(selected);
}

void RadioButton::AddShortcut(const QString& key) {
    auto* shortcut = new QShortcut(QKeySequence(key), button_);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (Enabled()) {
            SetValue(true);
        }
    });
}

// ---- StaticText

StaticText::StaticText(const QString& name, QWidget* parent)
    : Control(name, new QLabel(parent), parent), label_(static_cast<QLabel*>(Widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);
    SetTextColor(Qt::black);
}

QString StaticText::Text() const {
    return text_;
}

void StaticText::SetText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label_->setText(shown);
}

void StaticText::SetTextColor(const QColor& color) {
    color_ = color;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, color);
    label_->setPalette(palette);
}

void StaticText::SetStyle(const TextStyle& style) {
    label_->setFont(styled(label_->font(), style));
}

void StaticText::SetMultiline(bool multiline) {
    label_->setWordWrap(multiline);
}

void StaticText::SetCentered(bool centered) {
    label_->setAlignment(centered ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
}

void StaticText::SetMouseDown(std::function<bool(int, int)> handler) {
    mouseDown_ = std::move(handler);
    label_->setCursor(mouseDown_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    label_->setFocusPolicy(mouseDown_ ? Qt::StrongFocus : Qt::NoFocus);
    label_->installEventFilter(this);
}

bool StaticText::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_ || !mouseDown_) {
        return Control::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (label_->isEnabled()) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const QPoint at = mouse->position().toPoint();
                mouseDown_(at.x(), at.y());
                return true;
            }
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                mouseDown_(label_->width() / 2, label_->height() / 2);
                return true;
            }
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            // A link shows that it has the keyboard focus by a frame.
            label_->setFrameStyle(label_->hasFocus() ? QFrame::Box | QFrame::Plain
                                                     : QFrame::NoFrame);
            break;
        default:
            break;
    }
    return Control::eventFilter(watched, event);
}

// ---- EditField

EditField::EditField(const QString& name, QWidget* parent)
    : Control(name, new QLineEdit(parent), parent), edit_(static_cast<QLineEdit*>(Widget())) {
    edit_->installEventFilter(this);
    // No length limit: QLineEdit's default stops at 32,767 characters.
    edit_->setMaxLength(std::numeric_limits<int>::max());
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
        if (ReturnPressed) {
            ReturnPressed();
        }
    });
    // QLineEdit keeps line breaks that arrive through paste or insert; they
    // have no place in a single-line field.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString clean = WithoutLineBreaks(text);
        if (clean != text) {
            edit_->setText(clean);
        }
    });
}

QString EditField::Text() const {
    return edit_->text();
}

void EditField::SetText(const QString& text) {
    edit_->setText(WithoutLineBreaks(text));
}

bool EditField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::FocusIn && GotFocus) {
        GotFocus();
    }
    return Control::eventFilter(watched, event);
}

// ---- ImageWell

ImageWell::ImageWell(const QString& name, QWidget* parent)
    : Control(name, new QLabel(parent), parent), label_(static_cast<QLabel*>(Widget())) {
    label_->setAlignment(Qt::AlignCenter);
}

void ImageWell::SetImage(PictureRef image) {
    image_ = std::move(image);
    label_->setPixmap(image_ ? image_->Pixmap() : QPixmap());
}

// ---- GroupBox

GroupBox::GroupBox(const QString& name, QWidget* parent)
    : Control(name, new QGroupBox(parent), parent), box_(static_cast<QGroupBox*>(Widget())) {}

void GroupBox::SetCaption(const QString& caption) {
    box_->setTitle(caption);
}

QWidget* GroupBox::Inside() const {
    return box_;
}
