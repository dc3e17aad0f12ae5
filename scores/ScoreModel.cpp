// SPDX-License-Identifier: MIT
#include "scores/ScoreModel.h"

#include "framework/Progress.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
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
    // Each part costs the view a few tens of milliseconds at most.
    constexpr int Part = 1 << 20;
    const int rows = static_cast<int>(order_.size());
    const int from = published_;
    std::optional<Progress> progress;
    if (rows - from > Part) {
        progress.emplace(QCoreApplication::translate("ScoreFile", "Loading the scores…"),
                         rows - from);
    }
    while (published_ < rows) {
        const int last = std::min(published_ + Part, rows) - 1;
        beginInsertRows({}, published_, last);
        published_ = last + 1;
        endInsertRows();
        if (progress) {
            progress->setValue(published_ - from);
        }
    }
}

void ScoreModel::withdraw() {
    beginResetModel();
    published_ = 0;
    endResetModel();
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

namespace {
unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The cell as a whole number, as QByteArrayView::toLongLong reads it, which is
// called only for what may be one: most cells are plain digits or no number.
std::optional<qint64> numberIn(QByteArrayView cell) {
    qsizetype at = 0;
    while (at < cell.size() && isBlank(cell[at])) {
        ++at;
    }
    if (at == cell.size() || !(std::isdigit(static_cast<unsigned char>(cell[at])) ||
                               cell[at] == '-' || cell[at] == '+')) {
        return std::nullopt;
    }
    const bool negative = cell[at] == '-';
    const QByteArrayView digits = cell.sliced(at + (negative ? 1 : 0));
    qint64 value = 0;
    bool plain = at == 0 && !digits.isEmpty() && digits.size() <= 18;
    for (qsizetype i = 0; plain && i < digits.size(); ++i) {
        plain = std::isdigit(static_cast<unsigned char>(digits[i])) != 0;
        value = value * 10 + (digits[i] - '0');
    }
    if (plain) {
        return negative ? -value : value;
    }
    bool number = false;
    value = cell.toLongLong(&number);
    return number ? std::optional(value) : std::nullopt;
}

// Texts ignoring ASCII case, then as bytes.
int compareTexts(QByteArrayView a, QByteArrayView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const unsigned char x = folded(a[i]), y = folded(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int c = std::memcmp(a.data(), b.data(), static_cast<std::size_t>(common));
    return (c > 0) - (c < 0);
}
}  // namespace

void ScoreModel::sort(int column, Qt::SortOrder sortOrder) {
    if (column < 0 || column > 1) {
        return;
    }
    publish();
    // Keys made once, not in every comparison: a number's value, or the first
    // 16 bytes of the text with ASCII case folded, which decide most
    // comparisons alone. Kept small, as ordering moves them.
    struct Entry {
        std::array<quint64, 2> head;
        int id;
        quint16 lower;  // bit 15 - i: byte i of the head is a lower-case letter
        quint8 size;    // of the cell, up to 17: longer than the head
        bool text;
    };
    const std::size_t rows = order_.size();
    // In runs of this many, each ordered and then merged pairwise, so that
    // progress shows between steps of a few milliseconds each; as both keep
    // equal cells in the order shown, so does the whole.
    constexpr std::size_t Run = 65536;
    int passes = 0;
    for (std::size_t width = Run; width < rows; width *= 2) {
        ++passes;
    }
    std::optional<Progress> progress;
    if (rows > Run) {
        progress.emplace(tr("Ordering the scores…"), static_cast<qint64>(rows) * (2 + passes));
    }
    qint64 done = 0;
    const auto advance = [&](std::size_t steps) {
        done += static_cast<qint64>(steps);
        if (progress) {
            progress->setValue(done);
        }
    };
    // Left unfilled, as filling them alone would stall a long list; a list
    // too large to order stays as it is.
    std::unique_ptr<Entry[]> entries(new (std::nothrow) Entry[rows]);
    std::unique_ptr<Entry[]> merged(new (std::nothrow) Entry[rows]);
    std::unique_ptr<int[]> shownAt(new (std::nothrow) int[rows]);
    if (!entries || !merged || !shownAt) {
        return;
    }
    // Made in the order of adding, the order of the cells in memory, each
    // put at the row it is shown in.
    for (std::size_t row = 0; row < rows; ++row) {
        shownAt[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);
    }
    for (std::size_t added = 0; added < rows; ++added) {
        const int id = static_cast<int>(added);
        const QByteArrayView cell = records_.field(id, column);
        const std::optional<qint64> number = numberIn(cell);
        std::array<quint64, 2> head{static_cast<quint64>(number.value_or(0)) ^ (quint64{1} << 63)};
        quint16 lower = 0;
        for (qsizetype i = 0; !number && i < 16; ++i) {
            const char c = i < cell.size() ? cell[i] : '\0';
            head[i / 8] = (i % 8 ? head[i / 8] << 8 : 0) | folded(c);
            lower = static_cast<quint16>(lower << 1 | (c >= 'a' && c <= 'z' ? 1 : 0));
        }
        const auto size = static_cast<quint8>(std::min<qsizetype>(cell.size(), 17));
        entries[static_cast<std::size_t>(shownAt[added])] = {head, id, lower, size, !number};
        if ((added + 1) % Run == 0) {
            advance(Run);
        }
    }
    advance(rows % Run);
    const int sign = sortOrder == Qt::AscendingOrder ? 1 : -1;
    const auto before = [&](const Entry& a, const Entry& b) {
        int c = a.text != b.text ? (a.text ? 1 : -1) : (a.head > b.head) - (a.head < b.head);
        if (c != 0 || !a.text) {
            return c * sign < 0;
        }
        // Texts the head holds whole: the shorter first, then by case, capitals first.
        if (a.size <= 16 && b.size <= 16) {
            c = a.size != b.size ? (a.size < b.size ? -1 : 1)
                                 : (a.lower > b.lower) - (a.lower < b.lower);
        } else {
            c = compareTexts(records_.field(a.id, column), records_.field(b.id, column));
        }
        return c * sign < 0;
    };
    for (std::size_t from = 0; from < rows; from += Run) {
        const std::size_t to = std::min(from + Run, rows);
        std::stable_sort(entries.get() + from, entries.get() + to, before);
        advance(to - from);
    }
    for (std::size_t width = Run; width < rows; width *= 2) {
        // Merged a run's length at a time, so that a merge of millions shows
        // progress too; on a tie the earlier run's goes first.
        for (std::size_t from = 0; from < rows; from += 2 * width) {
            const std::size_t middle = std::min(from + width, rows);
            const std::size_t to = std::min(from + 2 * width, rows);
            std::size_t left = from, right = middle, out = from;
            while (out < to) {
                const std::size_t begun = out;
                for (const std::size_t stop = std::min(out + Run, to); out < stop; ++out) {
                    const bool takeRight =
                        right < to && (left == middle || before(entries[right], entries[left]));
                    merged[out] = entries[takeRight ? right++ : left++];
                }
                advance(out - begun);
            }
        }
        entries.swap(merged);
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList was = persistentIndexList();
    std::vector<int> rowOf;  // by id, the row shown after
    if (!was.isEmpty()) {
        rowOf.resize(rows);
        for (std::size_t row = 0; row < rows; ++row) {
            rowOf[static_cast<std::size_t>(entries[row].id)] = static_cast<int>(row);
        }
    }
    QModelIndexList now;
    for (const QModelIndex& index : was) {
        const int id = order_[static_cast<std::size_t>(index.row())];
        now << this->index(rowOf[static_cast<std::size_t>(id)], index.column());
    }
    for (std::size_t row = 0; row < rows; ++row) {
        order_[row] = entries[row].id;
    }
    changePersistentIndexList(was, now);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
