// SPDX-License-Identifier: MIT
#include "scores/ScoreModel.h"

#include <algorithm>
#include <array>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

// Longer cells are shown cut: laying out a 100 MB name would hang the view.
constexpr qsizetype MaxShownBytes = 512;

// Control characters show as their visible symbols (NUL as ␀); other
// characters that would change how the rest of a cell shows, as the
// replacement character: bidi controls (an override shows a name reversed),
// line or paragraph breaks, C1 controls. A CR at the end is the line end of a
// CR LF file.
QString shownCell(QByteArrayView bytes) {
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

void ScoreRecords::append(QByteArrayView name, QByteArrayView score, QByteArrayView rest) {
    const std::size_t spans = spans_.size(), rests = rests_.size();
    const qsizetype size = bytes_.size();
    try {
        spans_.push_back({size, name.size()});
        spans_.push_back({size + name.size(), score.size()});
        if (!rest.isEmpty()) {
            rests_.push_back({count() - 1, {size + name.size() + score.size(), rest.size()}});
        }
        bytes_.append(name).append(score).append(rest);
    } catch (const std::bad_alloc&) {  // no half record stays
        spans_.resize(spans);
        rests_.resize(rests);
        bytes_.truncate(size);
        throw;
    }
}

QByteArrayView ScoreRecords::rest(qsizetype record) const {
    const auto at = std::lower_bound(rests_.begin(), rests_.end(), record,
                                     [](const auto& rest, qsizetype r) { return rest.first < r; });
    if (at == rests_.end() || at->first != record) {
        return {};
    }
    return QByteArrayView(bytes_.constData() + at->second.offset, at->second.size);
}

void ScoreRecords::setField(qsizetype record, int field, QByteArrayView bytes) {
    const Span at{bytes_.size(), bytes.size()};
    bytes_.append(bytes);
    spans_[static_cast<std::size_t>(record * 2 + field)] = at;
}

QVariant ScoreModel::data(const QModelIndex& index, int role) const {
    return role == Qt::DisplayRole
               ? shownCell(
                     records_.field(order_[static_cast<std::size_t>(index.row())], index.column()))
               : QVariant();
}

int ScoreModel::idAt(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(order_.size()) || column < 0 || column > 1) {
        throw std::out_of_range("no cell " + std::to_string(row) + "," + std::to_string(column));
    }
    return order_[static_cast<std::size_t>(row)];
}

void ScoreModel::addRow(QByteArrayView name) {
    appendRecord(name, {});
    publish();
}

QByteArrayView ScoreModel::cell(int row, int column) const {
    return records_.field(idAt(row, column), column);
}

void ScoreModel::setCell(int row, int column, QByteArrayView bytes) {
    const int id = idAt(row, column);
    if (id < synced_ && std::find(changed_.begin(), changed_.end(), id) == changed_.end()) {
        known_.append(records_.field(id, 0), records_.field(id, 1), records_.rest(id));
        changed_.push_back(id);
    }
    records_.setField(id, column, bytes);
    if (row < published_) {
        const QModelIndex at = index(row, column);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
}

int ScoreModel::lastIndex() const {
    const auto at = std::find(order_.rbegin(), order_.rend(), lastAdded_);
    return static_cast<int>(order_.rend() - at) - 1;  // also -1 when none was added
}

void ScoreModel::appendRecord(QByteArrayView name, QByteArrayView score, QByteArrayView rest) {
    const int id = static_cast<int>(order_.size());
    order_.push_back(id);
    try {
        records_.append(name, score, rest);
    } catch (const std::bad_alloc&) {
        order_.pop_back();
        throw;
    }
    lastAdded_ = id;
}

void ScoreModel::publish() {
    if (published_ < static_cast<int>(order_.size())) {
        beginInsertRows({}, published_, static_cast<int>(order_.size()) - 1);
        published_ = static_cast<int>(order_.size());
        endInsertRows();
    }
}

void ScoreModel::markSaved(const ScoreRecords& more, QByteArrayView name, QByteArrayView score) {
    for (qsizetype i = 0; i < more.count(); ++i) {
        appendRecord(more.field(i, 0), more.field(i, 1), more.rest(i));
    }
    publish();
    synced_ = static_cast<qsizetype>(order_.size());
    changed_.clear();
    known_ = {};
    if (!name.isEmpty()) {
        known_.append(name, score);
    }
}

bool ScoreModel::known(qsizetype number, QByteArrayView& name, QByteArrayView& score,
                       QByteArrayView& rest) const {
    const ScoreRecords& in = number < synced_ ? records_ : known_;
    const qsizetype at = number < synced_ ? number : number - synced_;
    if (number < synced_ && std::find(changed_.begin(), changed_.end(), number) != changed_.end()) {
        return false;  // its bytes as they were are in known_
    }
    name = in.field(at, 0);
    score = in.field(at, 1);
    rest = in.rest(at);
    return true;
}

void ScoreModel::sort(int column, Qt::SortOrder sortOrder) {
    if (column < 0 || column > 1) {
        return;
    }
    publish();
    // Keys made once, not in every comparison: a number's value, or the first
    // 16 bytes of the text with ASCII case folded, which decide most
    // comparisons alone. Kept small, as sorting moves them.
    struct Entry {
        std::array<quint64, 2> head;
        qsizetype offset, size;  // of the cell in the buffer; a name may pass 2 GB
        int id, rank;
        bool text;
    };
    const std::size_t rows = order_.size();
    QByteArray folded;
    std::vector<Entry> entries;
    std::vector<int> rank, moved;  // moved: by the row it was shown in
    try {                          // a list too large to order stays as it is
        folded = records_.bytes_.toLower();
        entries.reserve(rows);
        rank.resize(rows);
        moved.resize(rows);
    } catch (const std::bad_alloc&) {
        return;
    }
    // Made in the order of adding, the order of the bytes in memory; the rank
    // is the place shown.
    for (std::size_t i = 0; i < rows; ++i) {
        rank[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    }
    const QByteArray& bytes = records_.bytes_;
    for (int id = 0; id < static_cast<int>(rows); ++id) {
        const QByteArrayView cell = records_.field(id, column);
        bool number = false;
        std::array<quint64, 2> head{static_cast<quint64>(cell.toLongLong(&number)) ^
                                    (quint64{1} << 63)};
        const qsizetype offset = cell.data() - bytes.constData();
        for (qsizetype i = 0; !number && i < 16; ++i) {
            head[i / 8] = (i % 8 ? head[i / 8] << 8 : 0) |
                          (i < cell.size() ? static_cast<unsigned char>(folded[offset + i]) : 0u);
        }
        entries.push_back(
            {head, offset, cell.size(), id, rank[static_cast<std::size_t>(id)], !number});
    }
    const auto text = [](const QByteArray& in, const Entry& e) {
        return std::string_view(in.constData() + e.offset, static_cast<std::size_t>(e.size));
    };
    const int sign = sortOrder == Qt::AscendingOrder ? 1 : -1;
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        int c = a.text != b.text ? (a.text ? 1 : -1) : (a.head > b.head) - (a.head < b.head);
        if (c == 0 && a.text && (c = text(folded, a).compare(text(folded, b))) == 0) {
            c = text(bytes, a).compare(text(bytes, b));
        }
        // Either way round, equal cells keep the order shown.
        return c * sign < 0 || (c == 0 && a.rank < b.rank);
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order_[i] = entries[i].id;
        moved[static_cast<std::size_t>(entries[i].rank)] = static_cast<int>(i);
    }
    QModelIndexList after;
    for (const QModelIndex& was : before) {
        after << index(moved[static_cast<std::size_t>(was.row())], was.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
