// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include "framework/Control.h"

class ListBoxModel;
class QFocusFrame;

// A list of rows of text cells under clickable headings.
//
// Cells keep the exact bytes they were given, so rows read from a file are
// written back unchanged; they show decoded leniently as UTF-8, with control
// characters, bidi controls and line breaks made visible. Cells set from text
// hold its UTF-8.
//
// Rows are numbered from 0 in the order shown. A click on a heading orders the
// rows by that column, ascending; another click on it reverses the order.
// Whole numbers order by value and before all other cells, which order by
// their bytes ignoring ASCII case. Equal cells keep their previous order.
class ListBox : public Control {
    Q_OBJECT
  public:
    ListBox(const QString& name, QWidget* parent);

    // The headings, separated by tabs ("Name\tScore"), a column each; set
    // while the list has no rows.
    void setInitialValue(const QString& headings);
    // Sizes the columns for the list's size as set now: the last shows this
    // text whole beside a vertical scroll bar, the others share the rest.
    void fitLastColumn(const QString& widest);

    // Appends a row with this cell in column 0, the others empty.
    void AddRow(const QString& text) { addRowBytes(text.toUtf8()); }
    void addRowBytes(QByteArrayView bytes);
    // Row and column must exist (std::out_of_range otherwise). The view is
    // valid until the list next changes.
    QByteArrayView Cell(int row, int column) const;
    void setCell(int row, int column, const QString& text) {
        setCellBytes(row, column, text.toUtf8());
    }
    void setCellBytes(int row, int column, QByteArrayView bytes);
    int ListCount() const;
    // The row the last AddRow added, -1 if none was.
    int LastIndex() const;

    // Rows added in between reach the view in one go at the end; told row by
    // row, the view would spend seconds on a large file.
    void beginAdding();
    void endAdding();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ListBoxModel* model_;
    QPointer<QFocusFrame> focusFrame_;  // owned by the window
};
