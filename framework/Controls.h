// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "framework/Control.h"
#include "framework/Picture.h"

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
    // For a window without a game's keys: Tab reaches the button, Space pushes it.
    void setTakesFocus(bool takes) {
        view()->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
    }
    // A key ("N", "F1") that pushes it in its active window if `allow`, when given, says yes.
    void addShortcut(const QString& key, std::function<bool()> allow = {});
    // Runs Action to completion before returning, hidden or not; disabled, does nothing.
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
        view()->setText(QString(text)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                            .replace('\r', '\n'));
    }
    QColor TextColor() const { return view()->palette().color(QPalette::WindowText); }
    void setTextColor(const QColor& color) { setColor(QPalette::WindowText, color); }
    void setMultiline(bool multiline) { view()->setWordWrap(multiline); }
    // Filled, where the text stands over another control.
    void setBackColor(const QColor& color) {
        setColor(QPalette::Window, color);
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
    void setColor(QPalette::ColorRole role, const QColor& color) {
        QPalette palette = view()->palette();
        palette.setColor(role, color);
        view()->setPalette(palette);
    }
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
    std::function<void()> returnPressed;
};

class ImageWell : public ControlOf<QLabel> {
    Q_OBJECT
  public:
    ImageWell(const QString& name, QWidget* parent) : ControlOf(name, parent) {
        view()->setAlignment(Qt::AlignCenter);
    }
    void setImage(const PictureRef& image) { view()->setPixmap(*image); }
};

// Holds controls added with Window::addControlIn.
class GroupBox : public ControlOf<QGroupBox> {
    Q_OBJECT
  public:
    using ControlOf::ControlOf;
};

// A run of line breaks becomes one blank.
QString withoutLineBreaks(const QString& text);
