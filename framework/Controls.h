// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "framework/Control.h"
#include "framework/Picture.h"

// Buttons never take the keyboard focus: the arrow keys belong to the game
// and Space must not press a button by accident.
class PushButton : public Control {
    Q_OBJECT
  public:
    PushButton(const QString& name, QWidget* parent);
    void setCaption(const QString& caption) { button_->setText(caption); }
    // The window's default button is pushed by Return while it is shown and enabled.
    void setDefault(bool isDefault) { button_->setDefault(isDefault); }
    // A key (such as "N" or "F1") that pushes the button while its window is active.
    void addShortcut(const QString& key);
    // Runs the Action handler to completion before returning, also when the
    // button is hidden; a disabled button does nothing.
    void Push();
    std::function<void()> Action;

  private:
    QPushButton* button_;
};

// Radio buttons with the same parent form one group. Selecting one, by a
// click, its shortcut or from code, raises its Action; reselecting raises nothing.
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
    // As given: a carriage return shows as a line break.
    QString Text() const { return text_; }
    void setText(const QString& text);
    QColor TextColor() const { return label_->palette().color(QPalette::WindowText); }
    void setTextColor(const QColor& color);
    void setMultiline(bool multiline) { label_->setWordWrap(multiline); }
    void setCentered(bool centered) {
        label_->setAlignment((centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    }
    // "MouseDown" with the click position (a true result would ask for
    // mouse-up tracking). It makes the text a link that Tab reaches, where
    // Return or Space counts as a click.
    void setMouseDown(std::function<bool(int x, int y)> handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label_;
    QString text_;
    std::function<bool(int, int)> mouseDown_;
};

// A single-line text field without a length limit. Line breaks never get in:
// a pasted name with one would become two records in a line-based file.
class EditField : public Control {
    Q_OBJECT
  public:
    EditField(const QString& name, QWidget* parent);
    QString Text() const { return edit_->text(); }
    void setText(const QString& text) { edit_->setText(text); }
    std::function<void()> GotFocus;
    std::function<void()> returnPressed;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

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

// Child controls go into widget(), their geometry given in the window's terms.
class GroupBox : public Control {
    Q_OBJECT
  public:
    GroupBox(const QString& name, QWidget* parent) : Control(name, new QGroupBox(parent), parent) {}
    void setCaption(const QString& caption) {
        static_cast<QGroupBox*>(widget())->setTitle(caption);
    }
};

// Strips line breaks; a run of them becomes one blank.
QString withoutLineBreaks(const QString& text);
