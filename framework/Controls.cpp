// SPDX-License-Identifier: MIT
#include "framework/Controls.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
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

constexpr const char* ControlProperty = "control";  // on the widget of every control

// A control's container lists only the controls on show: a hidden one (a button used as a
// routine, a field never shown) is no more a screen reader's or an automation tool's to press
// or type in than the player's.
class ContainerAccessible : public QAccessibleWidget {
  public:
    explicit ContainerAccessible(QWidget* container) : QAccessibleWidget(container) {}
    int childCount() const override { return static_cast<int>(reachable().size()); }
    QAccessibleInterface* child(int index) const override {
        QObject* found = reachable().value(index);
        return found ? QAccessible::queryAccessibleInterface(found) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* interface) const override {
        return interface ? static_cast<int>(reachable().indexOf(interface->object())) : -1;
    }

  private:
    // As Qt lists a widget's children, less the hidden controls.
    QObjectList reachable() const {
        QObjectList found;
        for (QObject* object : widget()->children()) {
            auto* held = qobject_cast<QWidget*>(object);
            const bool hiddenControl =
                held && held->isHidden() && held->property(ControlProperty).toBool();
            if (held && !held->isWindow() && !qobject_cast<QFocusFrame*>(held) &&
                !qobject_cast<QMenu*>(held) && !hiddenControl) {
                found << held;
            }
        }
        return found;
    }
};

// Plain widgets are what hold controls (a window's content area).
QAccessibleInterface* containerAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const bool plain = className == QLatin1String("QWidget") && widget && !widget->isWindow();
    return plain ? new ContainerAccessible(widget) : nullptr;
}

// Qt may know the container already, as a plain widget that lists every child.
void listOnlyShownControls(QWidget* container) {
    if (!container || container->property(ControlProperty).isValid()) {
        return;
    }
    container->setProperty(ControlProperty, false);  // known as a container from now on
    if (QAccessible::isActive()) {
        QAccessibleInterface* known = QAccessible::queryAccessibleInterface(container);
        if (known && !dynamic_cast<ContainerAccessible*>(known)) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
        }
    }
}
}  // namespace

void installControlAccessibility() {
    QAccessible::installFactory(containerAccessible);
    QAccessible::installFactory(linkAccessible);
}

PictureRef loadPictureResource(int number) {
    const QString base = QStringLiteral(":/pictures/%1").arg(number);
    auto picture = std::make_shared<Picture>();
    if (qApp && qApp->devicePixelRatio() > 1.0 && picture->load(base + QStringLiteral("@2x.png"))) {
        picture->setDevicePixelRatio(2.0);
    } else if (!picture->load(base + QStringLiteral(".png"))) {
        *picture = QPixmap(32, 32);
        picture->fill(Qt::black);
        QPainter painter(picture.get());
        painter.setPen(Qt::white);
        painter.drawLines(QList<QLine>{{0, 0, 31, 31}, {31, 0, 0, 31}});
    }
    return picture;
}

Control::Control(const QString& name, QWidget* widget, QObject* parent)
    : QObject(parent), widget_(widget) {
    setObjectName(name);
    if (widget) {
        widget->setObjectName(name);
        widget->setProperty(ControlProperty, true);
        listOnlyShownControls(widget->parentWidget());
    }
}

void Control::setStyle(const TextStyle& style) {
    QFont font = widget_->font();
    if (style.size > 0) {
        font.setPixelSize(style.size);
    }
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    widget_->setFont(font);
}

QString withoutLineBreaks(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

PushButton::PushButton(const QString& name, QWidget* parent) : ControlOf(name, parent) {
    view()->setFocusPolicy(Qt::NoFocus);
    // Only a button on screen is the player's to click; a screen reader can press any.
    connect(view(), &QPushButton::clicked, this, [this] {
        if (view()->isVisible()) {
            Push();
        }
    });
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
    connect(view(), &QRadioButton::toggled, this, [this](bool on) {
        if (on && Action) {
            Action();
        }
    });
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
    mouseDown_ = std::move(handler);
    view()->setProperty(LinkProperty, QVariant::fromValue(this));
    // Qt may already know the label as plain text (setting a text does that): forget that one.
    QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(view());
    if (plain) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    }
    view()->setCursor(Qt::PointingHandCursor);
    view()->setFocusPolicy(Qt::StrongFocus);
    // The focus frame takes this margin's place, so the text never moves.
    view()->setIndent(0);
    view()->setContentsMargins(1, 1, 1, 1);
    view()->installEventFilter(this);
}

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
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
        // QFrame keeps its frame in the margins it finds: hence the order.
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
    // QLineEdit keeps line breaks that come by paste, insert or setText. Setting the text again
    // changes it once more, inside this change: only that clean text is passed on.
    connect(view(), &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString clean = withoutLineBreaks(text);
        if (clean != text) {
            view()->setText(clean);
        } else if (TextChanged) {
            TextChanged(text);
        }
    });
}
