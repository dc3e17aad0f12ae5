// SPDX-License-Identifier: MIT
#include "framework/ListBox.h"

#include <QEvent>
#include <QFocusFrame>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <algorithm>

namespace {
// At a fractional scale the view's children hide its frame's top and right lines: drawn again.
class FrameAbove : public QWidget {
  public:
    explicit FrameAbove(QFrame* view) : QWidget(view), view_(view) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        view->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            setGeometry(view_->rect());
            raise();
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QStyleOptionFrame option;
        option.initFrom(view_);
        option.rect = rect();
        option.frameShape = view_->frameShape();
        option.lineWidth = view_->lineWidth();
        option.midLineWidth = view_->midLineWidth();
        option.state |=
            view_->frameShadow() == QFrame::Sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        QPainter painter(this);
        view_->style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, view_);
    }

  private:
    QFrame* view_;
};
}  // namespace

QVariant ListRows::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool shown = orientation == Qt::Horizontal && role == Qt::DisplayRole;
    return shown ? QVariant(headings_.value(section)) : QVariant();
}

void ListRows::setHeadings(const QStringList& names) {
    headings_ = names;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(names.size()) - 1);
}

ListBox::ListBox(const QString& name, QWidget* parent, ListRows* rows)
    : Control(name, new QTableView(parent), parent), rows_(rows) {
    rows_->setParent(this);
    // A table, so that a screen reader announces the rows with their headings.
    auto* view = static_cast<QTableView*>(widget());
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* rowHeads = view->verticalHeader();
    rowHeads->hide();
    rowHeads->setSectionResizeMode(QHeaderView::Fixed);
    rowHeads->setMinimumSectionSize(1);
    rowHeads->setDefaultSectionSize(view->fontMetrics().height() + 4);
    // Only now: set with rows there, the size is given to every row, one signal each.
    view->setModel(rows_);
    // Tab only: a click leaves the keyboard with the name being typed.
    view->setFocusPolicy(Qt::TabFocus);
    view->installEventFilter(this);
    QHeaderView* header = view->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    new FrameAbove(view);
}

bool ListBox::eventFilter(QObject* watched, QEvent* event) {
    // A frame around the whole list shows the focus, rows or none.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        focusFrame_ = focusFrame_ ? focusFrame_.data() : new QFocusFrame(widget()->parentWidget());
        focusFrame_->setWidget(widget()->hasFocus() ? widget() : nullptr);
    }
    return Control::eventFilter(watched, event);
}

void ListBox::fitLastColumn(const QString& widest) {
    auto* view = static_cast<QTableView*>(widget());
    const QStyle* style = view->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const int needed = view->fontMetrics().horizontalAdvance(widest) + margins + 2;
    const int room = view->width() - 2 * view->frameWidth() -
                     style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    const int others = rows_->columnCount({}) - 1;
    QHeaderView* header = view->horizontalHeader();
    // Not stretched: that is laid out later, and may reach under the scroll bar.
    header->setStretchLastSection(false);
    const int width = others > 0 ? std::max(room - needed, 0) / others : 0;
    for (int column = 0; column < others; ++column) {
        header->resizeSection(column, width);
    }
    header->resizeSection(others, std::max(room - others * width, needed));
}
