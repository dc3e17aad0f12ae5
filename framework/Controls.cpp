// SPDX-License-Identifier: MIT
#include "framework/Controls.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QShortcut>
#include <limits>

namespace {
constexpr const char* LinkProperty = "linkControl";  // the StaticText a label is the link of

// A link text, announced as a link by its text and pressed like a click.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? withoutLineBreaks(static_cast<QLabel*>(widget())->text())
                                      : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        auto* link = widget()->property(LinkProperty).value<StaticText*>();
        if (action == pressAction() && link && widget()->isEnabled()) {
            link->clickMiddle();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* linkAccessible(const QString& className, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    const bool link = className == QLatin1String("QLabel") && label &&
                      label->property(LinkProperty).value<StaticText*>();
    return link ? new LinkAccessible(label) : nullptr;
}
}  // namespace

QString withoutLineBreaks(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

PushButton::PushButton(const QString& name, QWidget* parent) : ControlOf(name, parent) {
    view()->setFocusPolicy(Qt::NoFocus);
    connect(view(), &QPushButton::clicked, this, &PushButton::Push);
}

void PushButton::addShortcut(const QString& key, std::function<bool()> allow) {
    connect(new QShortcut(QKeySequence(key), view()), &QShortcut::activated, this,
            [this, allow = std::move(allow)] {
                if (Enabled() && (!allow || allow())) {
                    Push();
                }
            });
}

RadioButton::RadioButton(const QString& name, QWidget* parent) : ControlOf(name, parent) {
    view()->setFocusPolicy(Qt::NoFocus);
    connect(view(), &QRadioButton::toggled, this,
            [this](bool on) { (on && Action) ? Action() : void(); });
}

void RadioButton::addShortcut(const QString& key) {
    // click, unlike setChecked, does nothing on a disabled button.
    connect(new QShortcut(QKeySequence(key), view()), &QShortcut::activated, view(),
            &QRadioButton::click);
}

StaticText::StaticText(const QString& name, QWidget* parent) : ControlOf(name, parent) {
    view()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view()->setTextFormat(Qt::PlainText);
    setTextColor(Qt::black);
}

void StaticText::setMouseDown(std::function<bool(int, int)> handler) {
    static const bool factory = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(factory);
    mouseDown_ = std::move(handler);
    view()->setProperty(LinkProperty, QVariant::fromValue(this));
    // Qt may already know the label as plain text (setting a text does that): forget that one.
    if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(view())) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    }
    view()->setCursor(Qt::PointingHandCursor);
    view()->setFocusPolicy(Qt::StrongFocus);
    // The focus frame takes the place of this margin, so the text never moves
    // (a framed label would also indent its text by half an "x").
    view()->setIndent(0);
    view()->setContentsMargins(1, 1, 1, 1);
    view()->installEventFilter(this);
}

bool StaticText::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress && view()->isEnabled()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        mouseDown_(at.x(), at.y());
        return true;
    }
    const int key = type == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        clickMiddle();
        return true;
    }
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // A frame shows where the keyboard focus is. QFrame keeps its frame in
        // the contents margins, measured from the margins it finds: hence the order.
        if (view()->hasFocus()) {
            view()->setContentsMargins(0, 0, 0, 0);
            view()->setFrameStyle(QFrame::Box | QFrame::Plain);
        } else {
            view()->setFrameStyle(QFrame::NoFrame);
            view()->setContentsMargins(1, 1, 1, 1);
        }
    }
    return Control::eventFilter(watched, event);
}

EditField::EditField(const QString& name, QWidget* parent) : ControlOf(name, parent) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == view() && GotFocus) {
            GotFocus();
        }
    });
    view()->setMaxLength(std::numeric_limits<int>::max());  // not QLineEdit's 32,767
    connect(view(), &QLineEdit::returnPressed, this,
            [this] { returnPressed ? returnPressed() : void(); });
    // QLineEdit keeps line breaks that come by paste, insert or setText.
    connect(view(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const QString clean = withoutLineBreaks(text); clean != text) {
            view()->setText(clean);
        }
    });
}
