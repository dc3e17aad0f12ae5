// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>

#include "framework/Controls.h"

class QFocusFrame;

// Rows of byte cells, numbered in the order shown; a heading's click calls sort().
class ListRows : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Appends a row with this cell in column 0, the others empty.
    virtual void addRow(QByteArrayView column0) = 0;
    // std::out_of_range unless both exist; valid until the rows next change.
    virtual QByteArrayView cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, QByteArrayView bytes) = 0;
    // The row the last addRow added, -1 if none was.
    virtual int lastIndex() const = 0;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void setHeadings(const QStringList& names);

  private:
    QStringList headings_;
};

// Rows under headings that order them by their column, and reverse that on a second click.
class ListBox : public Control {
    Q_OBJECT
  public:
    ListBox(const QString& name, QWidget* parent, ListRows* rows);

    // Tab-separated ("Name\tScore"), set while the list has no rows.
    void setInitialValue(const QString& headings) { rows_->setHeadings(headings.split('\t')); }
    // The last column shows this text whole beside a scroll bar; the others share the rest.
    void fitLastColumn(const QString& widest);

    ListRows& rows() const { return *rows_; }
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
