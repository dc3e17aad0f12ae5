#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "framework/Control.h"

class QTreeView;
class ListBoxModel;

// A list of rows with one or more text columns and clickable headings.
//
// Every cell keeps the exact bytes it was given, so rows read from a file can
// be written back unchanged whatever their encoding; what the list shows is
// those bytes decoded leniently as UTF-8, with control characters, bidi
// controls and line breaks made visible. Cells set from text hold its UTF-8.
//
// Rows are numbered from 0 in the order shown. A click on a heading orders the
// rows by that column, ascending; another click on the same heading reverses
// the order. Cells that are whole numbers order by value and before all other
// cells; other cells order by their bytes, ignoring ASCII case. Rows with equal
// cells keep their previous order.
//
// The list holds its rows itself and shows them through a model, so a list of
// a million rows fills and orders in well under a second.
class ListBox : public Control {
    Q_OBJECT
  public:
    ListBox(const QString& name, QWidget* parent);
    ~ListBox() override;

    // Must be set while the list has no rows; the default is one column.
    void SetColumnCount(int count);
    int ColumnCount() const;
    // The headings, one per column, separated by tabs ("Name\tScore").
    void SetInitialValue(const QString& headings);
    QString Heading(int column) const;
    // The last column takes the width the others leave.
    void SetColumnWidth(int column, int width);
    // Sizes the columns so the last one shows this text whole beside a
    // vertical scroll bar, and the others share the rest. For the list's size
    // as set now; the last column no longer takes what is left.
    void FitLastColumn(const QString& widest);

    // Appends a row at the end with this cell in column 0 and the other cells empty.
    void AddRow(const QString& text);
    void AddRowBytes(const QByteArray& bytes);
    // Row and column must exist (std::out_of_range otherwise).
    QString Cell(int row, int column) const;
    QByteArray CellBytes(int row, int column) const;
    // The same without a copy; valid until the list next changes.
    QByteArrayView CellView(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    void SetCellBytes(int row, int column, const QByteArray& bytes);
    int ListCount() const;
    // The row the last AddRow added, -1 if none was added.
    int LastIndex() const;

    // Rows added between these two calls reach the view in one go at the end;
    // told row by row, the view would spend seconds on a large file.
    void BeginAdding();
    void EndAdding();

    // What a click on the heading of that column does.
    void ClickHeading(int column);
    // The column the rows were last ordered by, -1 if never.
    int SortedColumn() const;
    bool SortedAscending() const;

    // The view, for tests that click and look.
    QTreeView* View() const { return view_; }

  private:
    QTreeView* view_;
    ListBoxModel* model_;
};
