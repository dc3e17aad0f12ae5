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

// Buttons take no focus unless told: the arrow keys belong to the game, and
// Space must not press a button by accident.
class PushButton : public Control {
    Q_OBJECT
  public:
    PushButton(const QString& name, QWidget* parent);
    void setCaption(const QString& caption) { button_->setText(caption); }
    // Return pushes the window's default button while it is shown and enabled.
    void setDefault(bool isDefault) { button_->setDefault(isDefault); }
    // Escape pushes the window's cancel button likewise.
    void setCancel(bool isCancel) { button_->setProperty(CancelProperty, isCancel); }
    static constexpr const char* CancelProperty = "cancelButton";
    // For a window without a game's keys: Tab reaches the button, Space pushes it.
    void setTakesFocus(bool takes) {
        button_->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
    }
    // A key ("N", "F1") that pushes the button while its window is active, if
    // `allow` (when given) says yes at that moment.
    void addShortcut(const QString& key, std::function<bool()> allow = {});
    // Runs Action to completion before returning, hidden or not; disabled, does nothing.
    void Push();
    std::function<void()> Action;

  private:
    QPushButton* button_;
};

// Radio buttons of one parent form a group. Selecting one, by a click, its
// shortcut or from code, raises its Action; reselecting raises nothing.
class RadioButton : public Control {
    Q_OBJECT
  public:
    RadioButton(const QString& name, QWidget* parent);
    void setCaption(const QString& caption) { button_->setText(caption); }
    bool Value() const { return button_->isChecked(); }
    void setValue(bool selected) { button_->setChecked(selected); }
    void addShortcut(const QString& key);
    std::function<void()> Action;

  private:
    QRadioButton* button_;
};

class StaticText : public Control {
    Q_OBJECT
  public:
    StaticText(const QString& name, QWidget* parent);
    void setText(const QString& text);  // a carriage return shows as a line break
    QColor TextColor() const { return label_->palette().color(QPalette::WindowText); }
    void setTextColor(const QColor& color);
    void setMultiline(bool multiline) { label_->setWordWrap(multiline); }
    // Filled, where the text stands over another control.
    void setBackColor(const QColor& color);
    void setCentered(bool centered) {
        label_->setAlignment((centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    }
    // Makes the text a link: clicks call the handler with their position, and
    // Tab reaches it, where Return or Space counts as a click in the middle, as
    // does a screen reader's press. (A true result would ask for mouse-up tracking.)
    void setMouseDown(std::function<bool(int x, int y)> handler);
    void clickMiddle() { mouseDown_(label_->width() / 2, label_->height() / 2); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label_;
    std::function<bool(int, int)> mouseDown_;
};

// A single-line field without a length limit. Line breaks never get in: a
// pasted name with one would become two records in a line-based file.
class EditField : public Control {
    Q_OBJECT
  public:
    EditField(const QString& name, QWidget* parent);
    QString Text() const { return edit_->text(); }
    void setText(const QString& text) { edit_->setText(text); }
    std::function<void()> GotFocus;
    std::function<void()> returnPressed;

  private:
    QLineEdit* edit_;
};

class ImageWell : public Control {
    Q_OBJECT
  public:
    ImageWell(const QString& name, QWidget* parent) : Control(name, new QLabel(parent), parent) {
        static_cast<QLabel*>(widget())->setAlignment(Qt::AlignCenter);
    }
    void setImage(const PictureRef& image) {
        static_cast<QLabel*>(widget())->setPixmap(image->pixmap());
    }
};

// Holds controls added with Window::addControlIn.
class GroupBox : public Control {
    Q_OBJECT
  public:
    GroupBox(const QString& name, QWidget* parent) : Control(name, new QGroupBox(parent), parent) {}
};

// A run of line breaks becomes one blank.
QString withoutLineBreaks(const QString& text);
