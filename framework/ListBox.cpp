// SPDX-License-Identifier: MIT
#include "framework/ListBox.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {
// Longer cells are shown cut: laying out a 100 MB text would hang the view.
constexpr qsizetype MaxShownBytes = 512;

// Characters that would change how the rest of a cell shows: bidi controls
// (an override shows a name reversed), line or paragraph breaks, C1 controls.
bool Disruptive(char16_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || (c >= 0x80 && c <= 0x9F);
}

// Control characters show as their visible symbols (NUL as ␀), other
// disruptive ones as the replacement character. A CR at the end is the line
// end of a CR LF file.
QString Shown(QByteArrayView bytes) {
    bytes = bytes.first(std::min(bytes.size(), MaxShownBytes));
    if (bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    QString text = QString::fromUtf8(bytes);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F) {
            c = QChar(char16_t(u == 0x7F ? 0x2421 : 0x2400 + u));
        } else if (Disruptive(u)) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

std::string_view Bytes(QByteArrayView bytes) {
    return {bytes.data(), static_cast<std::size_t>(bytes.size())};
}
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
        return parent.isValid() ? 0 : columns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return Shown(view(order[index.row()], index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const bool shown = orientation == Qt::Horizontal && role == Qt::DisplayRole;
        return shown ? QVariant(headings.value(section)) : QVariant();
    }

    struct Span {
        qsizetype offset = 0;
        qsizetype size = 0;
    };
    QByteArrayView view(int id, int column) const {
        const Span& span = cells[static_cast<std::size_t>(id) * columns + column];
        return QByteArrayView(arena.constData() + span.offset, span.size);
    }
    int Id(int row, int column) const {
        if (row < 0 || row >= static_cast<int>(order.size()) || column < 0 || column >= columns) {
            throw std::out_of_range("no cell " + std::to_string(row) + "," +
                                    std::to_string(column));
        }
        return order[row];
    }
    void Set(int row, int column, QByteArrayView bytes) {
        cells[static_cast<std::size_t>(Id(row, column)) * columns + column] = {arena.size(),
                                                                               bytes.size()};
        arena.append(bytes);
        if (row < published) {
            emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
        }
    }
    void Add(QByteArrayView bytes) {
        lastAdded = static_cast<int>(order.size());
        order.push_back(lastAdded);
        cells.resize(cells.size() + columns);
        Set(lastAdded, 0, bytes);
        if (adding == 0) {
            publish();
        }
    }
    void publish() {
        if (published < static_cast<int>(order.size())) {
            beginInsertRows({}, published, static_cast<int>(order.size()) - 1);
            published = static_cast<int>(order.size());
            endInsertRows();
        }
    }
    void Sort(int column, bool ascending);
    void setColumns(int count) {
        beginResetModel();
        columns = std::max(count, 1);
        endResetModel();
    }

    int columns = 1;
    QStringList headings;
    QByteArray arena;         // every cell's bytes
    std::vector<Span> cells;  // `columns` per row, by row id (the order of adding)
    std::vector<int> order;   // row id of each row shown
    int published = 0;        // rows the view knows of
    int adding = 0;
    int lastAdded = -1;  // row id
    int sortedColumn = -1;
    bool ascending = true;
};

void ListBoxModel::Sort(int column, bool ascendingNow) {
    publish();
    sortedColumn = column;
    ascending = ascendingNow;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> beforeIds;
    for (const QModelIndex& index : before) {
        beforeIds.push_back(order[index.row()]);
    }

    // Keys made once, not in every comparison: a number, or the text with
    // ASCII case folded, whose first 16 bytes decide most comparisons alone.
    struct Entry {
        quint64 key, key2;
        std::string_view folded, bytes;
        int id, rank;
        bool text;
    };
    QByteArray folded = arena;
    std::transform(folded.cbegin(), folded.cend(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    // Made in the order of adding, the order of the bytes in memory; the rank
    // is the place shown.
    std::vector<int> rank(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        rank[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    }
    std::vector<Entry> entries;
    entries.reserve(order.size());
    for (int id = 0; id < static_cast<int>(order.size()); ++id) {
        const QByteArrayView cell = view(id, column);
        bool number = false;
        const qint64 value = cell.toLongLong(&number);
        const std::string_view text =
            Bytes(QByteArrayView(folded).sliced(cell.data() - arena.constData(), cell.size()));
        quint64 keys[2] = {static_cast<quint64>(value) ^ (quint64{1} << 63), 0};
        for (std::size_t i = 0; !number && i < 16; ++i) {
            const auto byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
            keys[i / 8] = (i % 8 ? keys[i / 8] << 8 : 0) | byte;
        }
        entries.push_back(
            {keys[0], keys[1], text, Bytes(cell), id, rank[static_cast<std::size_t>(id)], !number});
    }
    const auto compare = [](const Entry& a, const Entry& b) {
        if (a.text != b.text) {
            return a.text ? 1 : -1;
        }
        if (a.key != b.key || a.key2 != b.key2 || !a.text) {
            return a.key != b.key ? (a.key < b.key ? -1 : 1)
                                  : (a.key2 > b.key2) - (a.key2 < b.key2);
        }
        const int c = a.folded.compare(b.folded);
        return c != 0 ? c : a.bytes.compare(b.bytes);
    };
    // Either way round, equal cells keep the order shown.
    const int sign = ascending ? 1 : -1;
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const int c = compare(a, b) * sign;
        return c < 0 || (c == 0 && a.rank < b.rank);
    });
    std::vector<int> position(order.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].id;
        position[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        after << index(position[static_cast<std::size_t>(beforeIds[i])], before[i].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

ListBox::ListBox(const QString& name, QWidget* parent)
    : Control(name, new QTreeView(parent), parent),
      view_(static_cast<QTreeView*>(widget())),
      model_(new ListBoxModel(this)) {
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = view_->header();
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Fixed);
    connect(header, &QHeaderView::sectionClicked, this, &ListBox::clickHeading);
}

void ListBox::setColumnCount(int count) {
    model_->setColumns(count);
}

void ListBox::setInitialValue(const QString& headings) {
    model_->headings = headings.split(QLatin1Char('\t'));
    emit model_->headerDataChanged(Qt::Horizontal, 0, model_->columns - 1);
}

void ListBox::fitLastColumn(const QString& widest) {
    const QStyle* style = view_->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
    const int needed = view_->fontMetrics().horizontalAdvance(widest) + margins + 2;
    const int room = view_->width() - 2 * view_->frameWidth() -
                     style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    const int others = model_->columns - 1;
    QHeaderView* header = view_->header();
    // Sized here, not stretched: a stretched last column is laid out later
    // and can be left reaching under the scroll bar, cut with no ellipsis.
    header->setStretchLastSection(false);
    const int width = others > 0 ? std::max(room - needed, 0) / others : 0;
    for (int column = 0; column < others; ++column) {
        header->resizeSection(column, width);
    }
    header->resizeSection(others, std::max(room - others * width, needed));
}

void ListBox::AddRow(const QString& text) {
    model_->Add(text.toUtf8());
}

void ListBox::addRowBytes(QByteArrayView bytes) {
    model_->Add(bytes);
}

QByteArrayView ListBox::cellView(int row, int column) const {
    return model_->view(model_->Id(row, column), column);
}

void ListBox::setCell(int row, int column, const QString& text) {
    model_->Set(row, column, text.toUtf8());
}

void ListBox::setCellBytes(int row, int column, QByteArrayView bytes) {
    model_->Set(row, column, bytes);
}

int ListBox::ListCount() const {
    return static_cast<int>(model_->order.size());
}

int ListBox::LastIndex() const {
    const auto& order = model_->order;
    const auto at = std::find(order.rbegin(), order.rend(), model_->lastAdded);
    return model_->lastAdded < 0 ? -1 : static_cast<int>(order.rend() - at) - 1;
}

void ListBox::beginAdding() {
    ++model_->adding;
}

void ListBox::endAdding() {
    if (model_->adding > 0 && --model_->adding == 0) {
        model_->publish();
    }
}

void ListBox::clickHeading(int column) {
    if (column < 0 || column >= model_->columns) {
        return;
    }
    const bool ascending = column != model_->sortedColumn || !model_->ascending;
    model_->Sort(column, ascending);
    // The header flips its own indicator on a click; ours decides.
    view_->header()->setSortIndicatorShown(true);
    view_->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}
