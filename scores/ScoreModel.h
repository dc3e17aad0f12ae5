// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <vector>

#include "framework/ListBox.h"

// How the score list shows a name or score: decoded leniently as UTF-8, cut
// to a few hundred bytes, with control characters, bidi controls and line
// breaks made visible.
QString shownCell(QByteArrayView bytes);

// Records as name and score bytes, one after another in one buffer: a million
// records cost a few bytes each besides their text, not an allocation each.
class ScoreRecords {
  public:
    // rest: the line's bytes after the score, from its second comma on (empty if it has none).
    void append(QByteArrayView name, QByteArrayView score, QByteArrayView rest = {});
    qsizetype count() const { return static_cast<qsizetype>(spans_.size() / 2); }
    // field 0 the name, 1 the score
    QByteArrayView field(qsizetype record, int field) const {
        const Span& at = spans_[static_cast<std::size_t>(record * 2 + field)];
        return QByteArrayView(bytes_.constData() + at.offset, at.size);
    }
    QByteArrayView rest(qsizetype record) const;
    // The bytes stay where they are, so earlier fields stay valid.
    void setField(qsizetype record, int field, QByteArrayView bytes);

  private:
    friend class ScoreModel;  // orders by the bytes in place
    struct Span {
        qsizetype offset = 0, size = 0;
    };
    QByteArray bytes_;
    // In blocks: a vector, grown by copying, would stop a load of millions for
    // as long as it copies hundreds of megabytes.
    std::deque<Span> spans_;
    // Few records have a rest: a span for each that has, by record in ascending order.
    std::vector<std::pair<qsizetype, Span>> rests_;
};

// The score list: rows of name and score, shown by the score board's list in
// an order of their own. A click on a heading orders the rows by that column:
// whole numbers by value and before all other cells, which order by their
// bytes ignoring ASCII case. Equal cells keep their previous order.
//
// It also knows which records the score file held when it was last read or
// written, so that a save can tell the records others added since.
class ScoreModel : public ListRows {
    Q_OBJECT
  public:
    using ListRows::ListRows;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : published_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void addRow(QByteArrayView name) override;
    QByteArrayView cell(int row, int column) const override;
    // The bytes its line had after the score in the file (a third field); written back so.
    QByteArrayView rest(int row) const { return records_.rest(idAt(row, 0)); }
    void setCell(int row, int column, QByteArrayView bytes) override;
    int lastIndex() const override;

    // Appended unseen: the view learns of them at publish(), a part at a time
    // with progress between; told row by row, it would spend seconds on a
    // large file, and told of millions at once, it would not answer for as
    // long as it takes them.
    void appendRecord(QByteArrayView name, QByteArrayView score, QByteArrayView rest = {});
    void publish();
    // Unseen again, for a view about to show them: it then takes them at publish().
    void withdraw();

    // Every row is what the file holds now.
    void markSaved() { markSaved({}, {}, {}); }
    // The file now holds the rows, `more` (added to the rows here) and one
    // record of the game in progress, if it has a name.
    void markSaved(const ScoreRecords& more, QByteArrayView name, QByteArrayView score);
    // Rows added or changed since the file was last read or written.
    bool unsaved() const {
        return static_cast<qsizetype>(order_.size()) > synced_ || !changed_.empty();
    }
    // The records the file held when it was last read or written, numbered
    // from 0 to knownCount() - 1; some numbers stand for none (false).
    qsizetype knownCount() const { return synced_ + known_.count(); }
    bool known(qsizetype number, QByteArrayView& name, QByteArrayView& score,
               QByteArrayView& rest) const;

  private:
    int idAt(int row, int column) const;

    ScoreRecords records_;    // by row id, the order of adding
    std::vector<int> order_;  // row id of each row shown
    int published_ = 0;       // rows the view knows of
    int lastAdded_ = -1;      // row id
    // The file as last read or written: rows 0 to synced_ - 1 as they were
    // then (those changed since have their old bytes in known_) and known_.
    qsizetype synced_ = 0;
    std::vector<int> changed_;
    ScoreRecords known_;
};
