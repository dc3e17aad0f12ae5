#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Base of everything a window holds under a name: the game looks controls up
// by that name. A control without a widget (a timer) only has its name.
class Control : public QObject {
    Q_OBJECT
  public:
    Control(const QString& name, QWidget* widget, QObject* parent);

    QString Name() const { return objectName(); }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Whether the control itself is shown; a hidden window doesn't hide its controls.
    bool Visible() const;
    void SetVisible(bool visible);
    void SetFocus();

    QWidget* Widget() const { return widget_; }

  private:
    QPointer<QWidget> widget_;
};
