#include "framework/ListBoxModel.h"

#include <cstring>

namespace {
// Longer cells are shown cut: laying out a 100 MB text would hang the view.
constexpr qsizetype MaxShownBytes = 512;

// Characters that would change how the rest of a cell shows: bidi controls
// (an override shows a name reversed) and line or paragraph breaks.
bool Disruptive(char16_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || (c >= 0x80 && c <= 0x9F);
}

// The text a cell shows. Control characters show as their visible symbols
// (NUL as ␀), other disruptive ones as the replacement character; the cell's
// bytes stay as they are. A CR at the end is the line end of a CR LF file.
QString Shown(QByteArrayView bytes) {
    bytes = bytes.first(std::min(bytes.size(), MaxShownBytes));
    if (bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    QString text = QString::fromUtf8(bytes);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20) {
            c = QChar(char16_t(0x2400 + u));
        } else if (u == 0x7F) {
            c = QChar(char16_t(0x2421));
        } else if (Disruptive(u)) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A whole number, blanks around it allowed: "12", "-3", " 7\r".
bool WholeNumber(QByteArrayView bytes, qint64& value) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && IsBlank(bytes[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(bytes[end - 1])) {
        --end;
    }
    bool negative = false;
    if (begin < end && (bytes[begin] == '-' || bytes[begin] == '+')) {
        negative = bytes[begin] == '-';
        ++begin;
    }
    // 18 digits always fit in 64 bits; longer digit runs order as text.
    if (begin == end || end - begin > 18) {
        return false;
    }
    qint64 number = 0;
    for (qsizetype i = begin; i < end; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9') {
            return false;
        }
        number = number * 10 + (bytes[i] - '0');
    }
    value = negative ? -number : number;
    return true;
}

// One row's cell of the ordering column, prepared so that nearly every
// comparison looks at this entry alone.
struct SortEntry {
    bool text;           // numbers come before texts
    quint64 key;         // number: value with the sign bit flipped; text: folded bytes 0..7
    quint64 key2;        // text: folded bytes 8..15
    const char* folded;  // text: its bytes with ASCII case folded
    const char* bytes;   // text: its bytes as they are
    qsizetype size;
    int id;
    int rank;  // place before ordering: equal cells keep their order
};

int Compare(const char* a, const char* b, qsizetype size) {
    return size > 0 ? std::memcmp(a, b, static_cast<std::size_t>(size)) : 0;
}

template <class T>
int Compare(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The order of two cells: negative, zero (equal) or positive.
int Order(const SortEntry& a, const SortEntry& b) {
    if (a.text != b.text) {
        return a.text ? 1 : -1;
    }
    if (const int order = Compare(a.key, b.key); order != 0 || !a.text) {
        return order;
    }
    if (const int order = Compare(a.key2, b.key2)) {
        return order;
    }
    const qsizetype common = std::min(a.size, b.size);
    if (common > 16) {
        if (const int order = Compare(a.folded + 16, b.folded + 16, common - 16)) {
            return order;
        }
    }
    if (a.size != b.size) {
        return Compare(a.size, b.size);
    }
    // Same but for case: a fixed order all the same.
    return Compare(a.bytes, b.bytes, a.size);
}

quint64 FoldedKey(const char* folded, qsizetype size, qsizetype from) {
    quint64 key = 0;
    for (qsizetype i = from; i < from + 8; ++i) {
        key = (key << 8) | (i < size ? static_cast<unsigned char>(folded[i]) : 0u);
    }
    return key;
}
}  // namespace

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) {
        return {};
    }
    return Shown(View(order_[index.row()], index.column()));
}

void ListBoxModel::Sort(int column, bool ascending) {
    if (column < 0 || column >= columns_) {
        return;
    }
    Publish();
    sortedColumn_ = column;
    ascending_ = ascending;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    const QModelIndexList before = persistentIndexList();
    std::vector<int> beforeIds;
    beforeIds.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        beforeIds.push_back(order_[index.row()]);
    }

    // Entries are made in the order the rows were added, which is the
    // order of their bytes in memory; rank keeps the order shown.
    const std::size_t rows = order_.size();
    std::vector<int> rank(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        rank[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    }
    // The column's texts folded once, not in every comparison.
    qsizetype total = 0;
    for (std::size_t id = 0; id < rows; ++id) {
        total += View(static_cast<int>(id), column).size();
    }
    QByteArray folded(total, Qt::Uninitialized);
    char* out = folded.data();
    std::vector<SortEntry> entries;
    entries.reserve(rows);
    for (std::size_t id = 0; id < rows; ++id) {
        const QByteArrayView cell = View(static_cast<int>(id), column);
        SortEntry entry{true, 0, 0, out, cell.data(), cell.size(), static_cast<int>(id), rank[id]};
        qint64 number = 0;
        if (WholeNumber(cell, number)) {
            entry.text = false;
            entry.key = static_cast<quint64>(number) ^ (quint64{1} << 63);
        } else {
            for (const char c : cell) {
                *out++ = Folded(c);
            }
            entry.key = FoldedKey(entry.folded, entry.size, 0);
            entry.key2 = FoldedKey(entry.folded, entry.size, 8);
        }
        entries.push_back(entry);
    }
    if (ascending) {
        std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
            const int order = Order(a, b);
            return order < 0 || (order == 0 && a.rank < b.rank);
        });
    } else {
        std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
            const int order = Order(a, b);
            return order > 0 || (order == 0 && a.rank < b.rank);
        });
    }
    for (std::size_t i = 0; i < rows; ++i) {
        order_[i] = entries[i].id;
    }

    if (!before.isEmpty()) {
        std::vector<int> position(order_.size());
        for (std::size_t i = 0; i < order_.size(); ++i) {
            position[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            after << index(position[static_cast<std::size_t>(beforeIds[i])], before[i].column());
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
