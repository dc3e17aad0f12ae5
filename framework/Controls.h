// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <memory>

// Shared: the game tells two tiles' colours apart by whether they hold the very same picture.
using Picture = QPixmap;
using PictureRef = std::shared_ptr<const Picture>;

// ":/pictures/<number>.png", or its @2x twin on a high-density screen; a crossed black
// tile if the resource is missing, so the gap shows.
PictureRef loadPictureResource(int number);

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);

// Screen-reader descriptions of links and of the areas that hold controls; installed once, by
// installWindowSupport.
void installControlAccessibility();

// Size 0 keeps the platform's default size.
struct TextStyle {
    int size = 0;
    bool bold = false, italic = false, underline = false;
};

// What a window holds under a name (a timer has no widget).
class Control : public QObject {
    Q_OBJECT
  public:
    Control(const QString& name, QWidget* widget, QObject* parent);

    bool Enabled() const { return widget_ && widget_->isEnabled(); }
    void setEnabled(bool enabled) { widget_->setEnabled(enabled); }
    // Hidden, it is out of the accessibility tree too, where its container shows it.
    void setVisible(bool visible) { widget_->setVisible(visible); }
    void SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }
    void setStyle(const TextStyle& style);
    // What a screen reader calls a control that shows no text of its own.
    void setSpokenName(const QString& name) { widget_->setAccessibleName(name); }
    QWidget* widget() const { return widget_; }

  private:
    QPointer<QWidget> widget_;
};

template <class W>
class ControlOf : public Control {
  public:
    ControlOf(const QString& name, QWidget* parent) : Control(name, new W(parent), parent) {}
    W* view() const { return static_cast<W*>(widget()); }
};

// Takes no focus unless told: the arrows belong to the game, and Space must not push it.
class PushButton : public ControlOf<QPushButton> {
    Q_OBJECT
  public:
    PushButton(const QString& name, QWidget* parent);
    void setCaption(const QString& caption) { view()->setText(caption); }
    // Return pushes the window's shown, enabled default button, Escape its cancel button.
    void setDefault(bool isDefault) { view()->setDefault(isDefault); }
    void setCancel(bool isCancel) { view()->setProperty(CancelProperty, isCancel); }
    static constexpr const char* CancelProperty = "cancelButton";
    void setTakesFocus(bool takes) {
        view()->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
    }
    // A key ("N", "F1") that pushes it in its active window if `allow`, when given, says yes.
    void addShortcut(const QString& key, std::function<bool()> allow = {});
    // Runs Action to completion, hidden or not; disabled, does nothing. A click runs it only
    // on a button on screen.
    void Push() {
        if (Enabled() && Action) {
            Action();
        }
    }
    std::function<void()> Action;
};

// Radio buttons of one parent form a group; selecting one (not reselecting) raises Action.
class RadioButton : public ControlOf<QRadioButton> {
    Q_OBJECT
  public:
    RadioButton(const QString& name, QWidget* parent);
    void setCaption(const QString& caption) { view()->setText(caption); }
    bool Value() const { return view()->isChecked(); }
    void setValue(bool selected) { view()->setChecked(selected); }
    void addShortcut(const QString& key);
    std::function<void()> Action;
};

class StaticText : public ControlOf<QLabel> {
    Q_OBJECT
  public:
    StaticText(const QString& name, QWidget* parent);
    void setText(const QString& text) {  // a carriage return shows as a line break
        view()->setText(QString(text).replace(QLatin1String("\r\n"), "\n").replace('\r', '\n'));
    }
    QColor TextColor() const { return view()->palette().color(QPalette::WindowText); }
    void setTextColor(const QColor& color) { setPaletteColor(view(), QPalette::WindowText, color); }
    void setMultiline(bool multiline) { view()->setWordWrap(multiline); }
    void setBackColor(const QColor& color) {  // filled, over another control
        setPaletteColor(view(), QPalette::Window, color);
        view()->setAutoFillBackground(true);
    }
    void setCentered(bool centered) {
        view()->setAlignment((centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    }
    // Makes the text a link: a click calls the handler with its position; Return or Space
    // (Tab reaches it) and a screen reader's press click the middle. The result is unused.
    void setMouseDown(std::function<bool(int x, int y)> handler);
    void clickMiddle() { mouseDown_(view()->width() / 2, view()->height() / 2); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool(int, int)> mouseDown_;
};

// One line of any length: a line break would split a name into two records of a file.
class EditField : public ControlOf<QLineEdit> {
    Q_OBJECT
  public:
    EditField(const QString& name, QWidget* parent);
    QString Text() const { return view()->text(); }
    void setText(const QString& text) { view()->setText(text); }
    std::function<void()> GotFocus;
    // The text as the field shows it, each time it changes: never with a line break.
    std::function<void(const QString&)> TextChanged;
};

class ImageWell : public ControlOf<QLabel> {
    Q_OBJECT
  public:
    ImageWell(const QString& name, QWidget* parent) : ControlOf(name, parent) {
        view()->setAlignment(Qt::AlignCenter);
    }
    void setImage(const PictureRef& image) { view()->setPixmap(*image); }
};

class GroupBox : public ControlOf<QGroupBox> {
    Q_OBJECT
  public:
    using ControlOf::ControlOf;
};

// A run of line breaks becomes one blank.
QString withoutLineBreaks(const QString& text);
