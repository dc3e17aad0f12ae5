#pragma once

#include <QColor>
#include <QPointer>
#include <functional>

#include "framework/Control.h"
#include "framework/Picture.h"

class QPushButton;
class QRadioButton;
class QLabel;
class QLineEdit;
class QGroupBox;

// Font settings of a text control; size 0 is the platform's default size.
struct TextStyle {
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class PushButton : public Control {
    Q_OBJECT
  public:
    PushButton(const QString& name, QWidget* parent);

    QString Caption() const;
    void SetCaption(const QString& caption);
    // The window's default button is pushed by Return while it is shown and enabled.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    void SetStyle(const TextStyle& style);
    // A key (such as "N" or "F1") that pushes the button while its window is
    // active, wherever the focus is.
    void AddShortcut(const QString& key);

    // Runs the Action handler to completion before returning, also when the
    // button is hidden; a disabled button does nothing.
    void Push();
    std::function<void()> Action;

  private:
    QPushButton* button_;
    bool default_ = false;
};

// Radio buttons with the same parent form one group: selecting one clears the others.
class RadioButton : public Control {
    Q_OBJECT
  public:
    RadioButton(const QString& name, QWidget* parent);

    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Value() const;
    // Selecting a button, by a click or from code, raises its Action; a button
    // that is already selected raises nothing.
    void SetValue(bool selected);
    // A key that selects the button, as a click does, while its window is active.
    void AddShortcut(const QString& key);
    std::function<void()> Action;

  private:
    QRadioButton* button_;
};

class StaticText : public Control {
    Q_OBJECT
  public:
    StaticText(const QString& name, QWidget* parent);

    QString Text() const;
    void SetText(const QString& text);
    QColor TextColor() const { return color_; }
    void SetTextColor(const QColor& color);
    void SetStyle(const TextStyle& style);
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
    QString text_;  // as given: a carriage return shows as a line break
    QColor color_ = Qt::black;
    std::function<bool(int, int)> mouseDown_;
};

// A single-line text field. Line breaks never get in: a pasted name with a
// line break would otherwise become two records in a line-based file.
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

    const PictureRef& Image() const { return image_; }
    void SetImage(PictureRef image);

  private:
    QLabel* label_;
    PictureRef image_;
};

class GroupBox : public Control {
    Q_OBJECT
  public:
    GroupBox(const QString& name, QWidget* parent);
    void SetCaption(const QString& caption);
    // Where child controls go; their geometry is given relative to the box.
    QWidget* Inside() const;

  private:
    QGroupBox* box_;
};

// Strips line breaks; a run of them becomes one blank.
QString WithoutLineBreaks(const QString& text);
