#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

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
    QVariant data(const QModelIndex& index, int role) const override;
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

    // Orders the rows by that column; equal cells keep their order.
    void Sort(int column, bool ascending);
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
