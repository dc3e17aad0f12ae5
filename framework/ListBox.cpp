// SPDX-License-Identifier: MIT
#include "framework/ListBox.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {
// Longer cells are shown cut: laying out a 100 MB text would hang the view.
constexpr qsizetype MaxShownBytes = 512;

// Control characters show as their visible symbols (NUL as ␀); other
// characters that would change how the rest of a cell shows, as the
// replacement character: bidi controls (an override shows a name reversed),
// line or paragraph breaks, C1 controls. A CR at the end is the line end of a
// CR LF file.
QString shownText(QByteArrayView bytes) {
    bytes = bytes.first(std::min(bytes.size(), MaxShownBytes));
    if (bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    QString text = QString::fromUtf8(bytes);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F) {
            c = QChar(char16_t(u == 0x7F ? 0x2421 : 0x2400 + u));
        } else if (u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
                   (u >= 0x2066 && u <= 0x2069) || u == 0x2028 || u == 0x2029 ||
                   (u >= 0x80 && u <= 0x9F)) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}
// At a fractional scale the view's children round out over the edge pixels
// of its frame and hide its top and right lines: the frame is drawn again
// above them.
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

// The rows, their bytes one after another in one buffer (a million rows cost
// a few bytes per cell, not an allocation each), shown through a row index
// that ordering rearranges.
class ListBoxModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : published;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(headings.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return role == Qt::DisplayRole ? shownText(cell(order[index.row()], index.column()))
                                       : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const bool shown = orientation == Qt::Horizontal && role == Qt::DisplayRole;
        return shown ? QVariant(headings.value(section)) : QVariant();
    }

    struct Span {
        qsizetype offset = 0, size = 0;
    };
    Span& span(int id, int column) {
        return cells[static_cast<std::size_t>(id) * headings.size() + column];
    }
    QByteArrayView cell(int id, int column) const {
        const Span& at = const_cast<ListBoxModel*>(this)->span(id, column);
        return QByteArrayView(arena.constData() + at.offset, at.size);
    }
    int idAt(int row, int column) const {
        if (row < 0 || row >= static_cast<int>(order.size()) || column < 0 ||
            column >= headings.size()) {
            throw std::out_of_range("no cell " + std::to_string(row) + "," +
                                    std::to_string(column));
        }
        return order[row];
    }
    void publish() {
        if (published < static_cast<int>(order.size())) {
            beginInsertRows({}, published, static_cast<int>(order.size()) - 1);
            published = static_cast<int>(order.size());
            endInsertRows();
        }
    }
    void sort(int column, Qt::SortOrder sortOrder) override;
    void setHeadings(const QStringList& names) {
        beginResetModel();
        headings = names;
        endResetModel();
    }

    QStringList headings{QString()};
    QByteArray arena;         // every cell's bytes
    std::vector<Span> cells;  // a span per column per row, by row id (the order of adding)
    std::vector<int> order;   // row id of each row shown
    int published = 0;        // rows the view knows of
    int adding = 0;
    int lastAdded = -1;  // row id
};

void ListBoxModel::sort(int column, Qt::SortOrder sortOrder) {
    if (column < 0 || column >= headings.size()) {
        return;
    }
    publish();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();

    // Keys made once, not in every comparison: a number's value, or the first
    // 16 bytes of the text with ASCII case folded, which decide most
    // comparisons alone. Kept small, as sorting moves them.
    struct Entry {
        std::array<quint64, 2> head;
        qsizetype offset, size;  // of the cell in the arena; a name may pass 2 GB
        int id, rank;
        bool text;
    };
    const QByteArray folded = arena.toLower();
    std::vector<Entry> entries;
    entries.reserve(order.size());
    // Made in the order of adding, the order of the bytes in memory; the rank
    // is the place shown.
    std::vector<int> rank(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        rank[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    }
    for (int id = 0; id < static_cast<int>(order.size()); ++id) {
        const QByteArrayView bytes = cell(id, column);
        bool number = false;
        std::array<quint64, 2> head{static_cast<quint64>(bytes.toLongLong(&number)) ^
                                    (quint64{1} << 63)};
        const qsizetype offset = bytes.data() - arena.constData();
        for (qsizetype i = 0; !number && i < 16; ++i) {
            head[i / 8] = (i % 8 ? head[i / 8] << 8 : 0) |
                          (i < bytes.size() ? static_cast<unsigned char>(folded[offset + i]) : 0u);
        }
        entries.push_back(
            {head, offset, bytes.size(), id, rank[static_cast<std::size_t>(id)], !number});
    }
    const auto text = [](const QByteArray& bytes, const Entry& e) {
        return std::string_view(bytes.constData() + e.offset, static_cast<std::size_t>(e.size));
    };
    const int sign = sortOrder == Qt::AscendingOrder ? 1 : -1;
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        int c = a.text != b.text ? (a.text ? 1 : -1) : (a.head > b.head) - (a.head < b.head);
        if (c == 0 && a.text && (c = text(folded, a).compare(text(folded, b))) == 0) {
            c = text(arena, a).compare(text(arena, b));
        }
        // Either way round, equal cells keep the order shown.
        return c * sign < 0 || (c == 0 && a.rank < b.rank);
    });
    std::vector<int> moved(order.size());  // by the row it was shown in
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].id;
        moved[static_cast<std::size_t>(entries[i].rank)] = static_cast<int>(i);
    }
    QModelIndexList after;
    for (const QModelIndex& was : before) {
        after << index(moved[static_cast<std::size_t>(was.row())], was.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

ListBox::ListBox(const QString& name, QWidget* parent)
    : Control(name, new QTreeView(parent), parent), model_(new ListBoxModel(this)) {
    auto* view = static_cast<QTreeView*>(widget());
    view->setModel(model_);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = view->header();
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    // A click orders by a new column ascending and reverses the column
    // ordered last; nothing is ordered at first.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    new FrameAbove(view);
}

void ListBox::setInitialValue(const QString& headings) {
    model_->setHeadings(headings.split(QLatin1Char('\t')));
}

void ListBox::fitLastColumn(const QString& widest) {
    auto* view = static_cast<QTreeView*>(widget());
    const QStyle* style = view->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const int needed = view->fontMetrics().horizontalAdvance(widest) + margins + 2;
    const int room = view->width() - 2 * view->frameWidth() -
                     style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    const int others = static_cast<int>(model_->headings.size()) - 1;
    QHeaderView* header = view->header();
    // Sized here, not stretched: a stretched last column is laid out later
    // and can be left reaching under the scroll bar, cut with no ellipsis.
    header->setStretchLastSection(false);
    const int width = others > 0 ? std::max(room - needed, 0) / others : 0;
    for (int column = 0; column < others; ++column) {
        header->resizeSection(column, width);
    }
    header->resizeSection(others, std::max(room - others * width, needed));
}

void ListBox::addRowBytes(QByteArrayView bytes) {
    model_->lastAdded = static_cast<int>(model_->order.size());
    model_->order.push_back(model_->lastAdded);
    model_->cells.resize(model_->cells.size() + model_->headings.size());
    setCellBytes(model_->lastAdded, 0, bytes);
    if (model_->adding == 0) {
        model_->publish();
    }
}

QByteArrayView ListBox::Cell(int row, int column) const {
    return model_->cell(model_->idAt(row, column), column);
}

void ListBox::setCellBytes(int row, int column, QByteArrayView bytes) {
    model_->span(model_->idAt(row, column), column) = {model_->arena.size(), bytes.size()};
    model_->arena.append(bytes);
    if (row < model_->published) {
        const QModelIndex at = model_->index(row, column);
        emit model_->dataChanged(at, at, {Qt::DisplayRole});
    }
}

int ListBox::ListCount() const {
    return static_cast<int>(model_->order.size());
}

int ListBox::LastIndex() const {
    const auto& order = model_->order;
    const auto at = std::find(order.rbegin(), order.rend(), model_->lastAdded);
    return static_cast<int>(order.rend() - at) - 1;  // also -1 when none was added
}

void ListBox::beginAdding() {
    ++model_->adding;
}

void ListBox::endAdding() {
    if (model_->adding > 0 && --model_->adding == 0) {
        model_->publish();
    }
}
