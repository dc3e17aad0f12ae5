// SPDX-License-Identifier: MIT
// A long score list reaches its view a part at a time, and is ordered in runs merged pairwise,
// with a step of progress between: told of millions of rows at once, or ordering them in one
// go, the game would not answer for as long as that takes.
#include <gtest/gtest.h>

#include <string>

#include "framework/Services.h"
#include "scores/ScoreModel.h"

namespace {
// Each part costs the view at most a few tens of milliseconds.
constexpr int MostRowsAtOnce = 1 << 20;

TEST(LongListTest, reachesItsViewInPartsAndOrdersAsAShortOneWithProgressBetween) {
    // Added in this order, a block after another.
    const QByteArray names[] = {"ann", "10",  "Player-with-a-long-name-b",
                                "9",   "Ann", "player-with-a-long-name-A"};
    // Their places in a block, by name descending: texts ignoring ASCII case (also past their
    // first 16 bytes), then by bytes; then whole numbers by value.
    const int descending[] = {2, 5, 0, 4, 1, 3};
    constexpr int Blocks = 350000;  // more than two parts; many runs to merge
    constexpr int Rows = 6 * Blocks;
    ScoreModel scores;
    for (int row = 0; row < Rows; ++row) {
        scores.appendRecord(names[row % 6], QByteArray::number(row));
    }
    std::string events;  // 'i' rows reach the view, 'p' a step of progress
    QObject::connect(&scores, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         EXPECT_LE(last - first + 1, MostRowsAtOnce) << "rows told of at once";
                         events += 'i';
                     });
    QString label;
    qint64 done = -1;
    qint64 total = 0;
    const Override watching(services().progress, [&](const QString& text, qint64 now, qint64 all) {
        events += 'p';
        label = text;
        done = now;
        total = all;
    });

    scores.publish();
    EXPECT_EQ(scores.rowCount(), Rows) << "rows the view knows of";
    EXPECT_EQ(events.find("ii"), std::string::npos) << "parts without progress between: " << events;

    scores.sort(0, Qt::DescendingOrder);
    int firstAmiss = -1;  // equal names keep the order they were added in, across runs
    for (int row = 0; row < Rows && firstAmiss < 0; ++row) {
        const int added = descending[row / Blocks] + 6 * (row % Blocks);
        if (scores.cell(row, 1).toInt() != added) {
            firstAmiss = row;
        }
    }
    EXPECT_EQ(firstAmiss, -1) << "the first row out of order";
    EXPECT_EQ(label, QStringLiteral("Ordering the scores…"));
    EXPECT_GT(total, 0);
    EXPECT_EQ(done, total) << "progress reaches its end";
}
}  // namespace
