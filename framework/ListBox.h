// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include "framework/Control.h"

class QFocusFrame;

// What a list box shows and works on: rows of cells that are bytes, numbered
// from 0 in the order shown. The list box owns it; ordering by a heading is
// the model's own sort().
class ListRows : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Appends a row with this cell in column 0, the others empty.
    virtual void addRow(QByteArrayView column0) = 0;
    // Row and column must exist (std::out_of_range otherwise). The view is
    // valid until the rows next change.
    virtual QByteArrayView cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, QByteArrayView bytes) = 0;
    // The row the last addRow added, -1 if none was.
    virtual int lastIndex() const = 0;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void setHeadings(const QStringList& names);

  private:
    QStringList headings_;
};

// A list of rows of text cells under clickable headings: the view of a model
// of rows. A click on a heading orders the rows by that column, as the model
// orders them; another click on it reverses the order.
class ListBox : public Control {
    Q_OBJECT
  public:
    ListBox(const QString& name, QWidget* parent, ListRows* rows);

    // The headings, separated by tabs ("Name\tScore"), a column each; set
    // while the list has no rows.
    void setInitialValue(const QString& headings);
    // Sizes the columns for the list's size as set now: the last shows this
    // text whole beside a vertical scroll bar, the others share the rest.
    void fitLastColumn(const QString& widest);

    ListRows& rows() const { return *rows_; }
    // Cells set from text hold its UTF-8.
    void AddRow(const QString& text) { rows_->addRow(text.toUtf8()); }
    QByteArrayView Cell(int row, int column) const { return rows_->cell(row, column); }
    void setCell(int row, int column, const QString& text) {
        rows_->setCell(row, column, text.toUtf8());
    }
    int ListCount() const { return rows_->rowCount({}); }
    int LastIndex() const { return rows_->lastIndex(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ListRows* rows_;
    QPointer<QFocusFrame> focusFrame_;  // owned by the window
};
