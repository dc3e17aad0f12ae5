#pragma once

#include <QColor>
#include <functional>

#include "framework/Control.h"
#include "framework/Picture.h"

class QPushButton;
class QRadioButton;
class QLabel;
class QLineEdit;

// Never takes the keyboard focus: the arrow keys belong to the game and Space
// must not press a button by accident.
class PushButton : public Control {
    Q_OBJECT
  public:
    PushButton(const QString& name, QWidget* parent);

    void SetCaption(const QString& caption);
    // The window's default button is pushed by Return while it is shown and enabled.
    void SetDefault(bool isDefault);
    // A key (such as "N" or "F1") that pushes the button while its window is
    // active, wherever the focus is.
    void AddShortcut(const QString& key);

    // Runs the Action handler to completion before returning, also when the
    // button is hidden; a disabled button does nothing.
    void Push();
    std::function<void()> Action;

  private:
    QPushButton* button_;
};

// Radio buttons with the same parent form one group: selecting one clears the others.
class RadioButton : public Control {
    Q_OBJECT
  public:
    RadioButton(const QString& name, QWidget* parent);

    void SetCaption(const QString& caption);
    bool Value() const;
    // Selecting a button, by a click, its shortcut or from code, raises its
    // Action; a button that is already selected raises nothing.
    void SetValue(bool selected);
    void AddShortcut(const QString& key);
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
    void SetText(const QString& text);
    QColor TextColor() const { return color_; }
    void SetTextColor(const QColor& color);
    void SetMultiline(bool multiline);
    void SetCentered(bool centered);

    // "MouseDown" with the click position; returning true would ask for
    // mouse-up tracking, which no caller needs. Setting it makes the text a
    // link, which Tab can reach: Return or Space on it counts as a click.
    void SetMouseDown(std::function<bool(int x, int y)> handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label_;
    QString text_;
    QColor color_;
    std::function<bool(int, int)> mouseDown_;
};

// A single-line text field without a length limit. Line breaks never get in:
// a pasted name with a line break would become two records in a line-based file.
class EditField : public Control {
    Q_OBJECT
  public:
    EditField(const QString& name, QWidget* parent);

    QString Text() const;
    void SetText(const QString& text);
    std::function<void()> GotFocus;
    // Return or Enter typed in the field.
    std::function<void()> ReturnPressed;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* edit_;
};

class ImageWell : public Control {
    Q_OBJECT
  public:
    ImageWell(const QString& name, QWidget* parent);
    void SetImage(const PictureRef& image);
};

// Child controls go into Widget(), their geometry given in the window's terms.
class GroupBox : public Control {
    Q_OBJECT
  public:
    GroupBox(const QString& name, QWidget* parent);
    void SetCaption(const QString& caption);
};

// Strips line breaks; a run of them becomes one blank.
QString WithoutLineBreaks(const QString& text);
