#include "framework/ListBox.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "framework/ListBoxModel.h"

ListBox::ListBox(const QString& name, QWidget* parent)
    : Control(name, new QTreeView(parent), parent),
      view_(static_cast<QTreeView*>(Widget())),
      model_(new ListBoxModel(this)) {
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setDragDropMode(QAbstractItemView::NoDragDrop);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* header = view_->header();
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setStretchLastSection(true);
    header->setSortIndicatorShown(false);  // no column is ordered until a click
    connect(header, &QHeaderView::sectionClicked, this, &ListBox::ClickHeading);
}

ListBox::~ListBox() = default;

void ListBox::SetColumnCount(int count) {
    model_->SetColumns(count);
    view_->header()->setSectionResizeMode(QHeaderView::Fixed);
}

int ListBox::ColumnCount() const {
    return model_->Columns();
}

void ListBox::SetInitialValue(const QString& headings) {
    model_->SetHeadings(headings.split(QLatin1Char('\t')));
}

QString ListBox::Heading(int column) const {
    return model_->Heading(column);
}

void ListBox::SetColumnWidth(int column, int width) {
    view_->header()->resizeSection(column, width);
}

void ListBox::FitLastColumn(const QString& widest) {
    const QStyle* style = view_->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
    const int needed = view_->fontMetrics().horizontalAdvance(widest) + margins + 2;
    const int room = view_->width() - 2 * view_->frameWidth() -
                     style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    const int others = model_->Columns() - 1;
    QHeaderView* header = view_->header();
    // Sized here, not stretched: a stretched last column is laid out later
    // and can be left reaching under the scroll bar, cut with no ellipsis.
    header->setStretchLastSection(false);
    int left = room;
    for (int column = 0; column < others; ++column) {
        const int width = std::max(room - needed, 0) / others;
        header->resizeSection(column, width);
        left -= width;
    }
    header->resizeSection(others, std::max(left, needed));
}

void ListBox::AddRow(const QString& text) {
    model_->Add(text.toUtf8());
}

void ListBox::AddRowBytes(const QByteArray& bytes) {
    model_->Add(bytes);
}

QString ListBox::Cell(int row, int column) const {
    return QString::fromUtf8(model_->Cell(row, column));
}

QByteArray ListBox::CellBytes(int row, int column) const {
    return model_->Cell(row, column).toByteArray();
}

QByteArrayView ListBox::CellView(int row, int column) const {
    return model_->Cell(row, column);
}

void ListBox::SetCell(int row, int column, const QString& text) {
    model_->SetCell(row, column, text.toUtf8());
}

void ListBox::SetCellBytes(int row, int column, const QByteArray& bytes) {
    model_->SetCell(row, column, bytes);
}

int ListBox::ListCount() const {
    return model_->Count();
}

int ListBox::LastIndex() const {
    return model_->LastIndex();
}

void ListBox::BeginAdding() {
    model_->BeginAdding();
}

void ListBox::EndAdding() {
    model_->EndAdding();
}

void ListBox::ClickHeading(int column) {
    if (column < 0 || column >= model_->Columns()) {
        return;
    }
    const bool ascending = column == model_->SortedColumn() ? !model_->SortedAscending() : true;
    model_->Sort(column, ascending);
    // The header flips its own indicator on a click; ours decides.
    QHeaderView* header = view_->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

int ListBox::SortedColumn() const {
    return model_->SortedColumn();
}

bool ListBox::SortedAscending() const {
    return model_->SortedAscending();
}
