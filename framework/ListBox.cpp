#include "framework/ListBox.h"

#include <QAbstractTableModel>
#include <QByteArrayView>
#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

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

// The rows of a ListBox. Cell bytes live one after another in one buffer, so a
// large list costs a few bytes per cell instead of an allocation; rows are
// shown through an index that ordering rearranges.
class ListBoxModel : public QAbstractTableModel {
  public:
    explicit ListBoxModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : published_;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : columns_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) {
            return {};
        }
        return Shown(View(order_[index.row()], index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= columns_) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return headings_.value(section);
        }
        if (role == Qt::InitialSortOrderRole) {
            return Qt::AscendingOrder;
        }
        return {};
    }

    int Columns() const { return columns_; }
    void SetColumns(int count) {
        count = std::max(count, 1);
        if (count == columns_) {
            return;
        }
        beginResetModel();
        std::vector<Span> cells(Rows() * static_cast<std::size_t>(count));
        const int kept = std::min(count, columns_);
        for (std::size_t id = 0; id < Rows(); ++id) {
            std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(id * columns_), kept,
                        cells.begin() + static_cast<std::ptrdiff_t>(id * count));
        }
        cells_ = std::move(cells);
        columns_ = count;
        endResetModel();
    }
    void SetHeadings(const QStringList& headings) {
        headings_ = headings;
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    }
    QString Heading(int column) const { return headings_.value(column); }

    int Count() const { return static_cast<int>(order_.size()); }
    int LastIndex() const {
        if (lastAdded_ < 0) {
            return -1;
        }
        // The last row added stays at the end until the rows are ordered.
        if (order_.back() == lastAdded_) {
            return Count() - 1;
        }
        return static_cast<int>(std::find(order_.begin(), order_.end(), lastAdded_) -
                                order_.begin());
    }

    void Add(QByteArrayView bytes) {
        const int id = static_cast<int>(Rows());
        cells_.resize(cells_.size() + static_cast<std::size_t>(columns_));
        cells_[static_cast<std::size_t>(id) * columns_] = Store(bytes);
        order_.push_back(id);
        lastAdded_ = id;
        if (adding_ == 0) {
            Publish();
        }
    }
    QByteArrayView Cell(int row, int column) const {
        Check(row, column);
        return View(order_[row], column);
    }
    void SetCell(int row, int column, QByteArrayView bytes) {
        Check(row, column);
        Span& span = cells_[static_cast<std::size_t>(order_[row]) * columns_ + column];
        if (bytes.size() <= span.size) {
            // Overwriting in place keeps the buffer from growing with every change.
            std::copy_n(bytes.data(), bytes.size(), arena_.data() + span.offset);
            span.size = bytes.size();
        } else {
            span = Store(bytes);
        }
        if (row < published_) {
            const QModelIndex changed = index(row, column);
            emit dataChanged(changed, changed, {Qt::DisplayRole});
        }
    }

    void BeginAdding() { ++adding_; }
    void EndAdding() {
        if (adding_ > 0 && --adding_ == 0) {
            Publish();
        }
    }

    void Sort(int column, bool ascending) {
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
            SortEntry entry{true,    0, 0, out, cell.data(), cell.size(), static_cast<int>(id),
                            rank[id]};
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
                after << index(position[static_cast<std::size_t>(beforeIds[i])],
                               before[i].column());
            }
            changePersistentIndexList(before, after);
        }
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    int SortedColumn() const { return sortedColumn_; }
    bool SortedAscending() const { return ascending_; }

  private:
    struct Span {
        qsizetype offset = 0;
        qsizetype size = 0;
    };

    std::size_t Rows() const { return order_.size(); }
    void Check(int row, int column) const {
        if (row < 0 || row >= Count() || column < 0 || column >= columns_) {
            throw std::out_of_range("no cell " + std::to_string(row) + "," +
                                    std::to_string(column) + " in a list of " +
                                    std::to_string(Count()) + " rows");
        }
    }
    QByteArrayView View(int id, int column) const {
        const Span& span = cells_[static_cast<std::size_t>(id) * columns_ + column];
        return QByteArrayView(arena_.constData() + span.offset, span.size);
    }
    Span Store(QByteArrayView bytes) {
        const Span span{arena_.size(), bytes.size()};
        arena_.append(bytes);
        return span;
    }
    // Tells the view of the rows added since it last heard.
    void Publish() {
        if (published_ < Count()) {
            beginInsertRows({}, published_, Count() - 1);
            published_ = Count();
            endInsertRows();
        }
    }

    int columns_ = 1;
    QStringList headings_;
    QByteArray arena_;         // every cell's bytes
    std::vector<Span> cells_;  // columns_ per row, by row id (the order of adding)
    std::vector<int> order_;   // row id of each row shown
    int published_ = 0;        // rows the view knows of
    int adding_ = 0;           // BeginAdding depth
    int lastAdded_ = -1;       // row id
    int sortedColumn_ = -1;
    bool ascending_ = true;
};

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
    for (int column = 0; column < others; ++column) {
        view_->header()->resizeSection(column, std::max(room - needed, 0) / others);
    }
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
