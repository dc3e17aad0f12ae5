// SPDX-License-Identifier: MIT
// A long score list reaches its view a part at a time, with a step of progress after
// each part: told of millions of rows at once, the view would not answer for as long as
// it takes them in.
#include <gtest/gtest.h>

#include <QTableView>
#include <algorithm>
#include <vector>

#include "framework/Services.h"
#include "scores/ScoreModel.h"

namespace {
// Each part costs the view at most a few tens of milliseconds.
constexpr int MostRowsAtOnce = 1 << 20;

TEST(ListInParts, aLongListReachesItsViewInPartsWithProgressBetween) {
    constexpr int Rows = 2 * MostRowsAtOnce + 5;
    ScoreModel scores;
    for (int row = 0; row < Rows; ++row) {
        scores.appendRecord("Ann", "12");
    }
    QTableView view;
    view.setModel(&scores);
    std::vector<int> inserted;  // rows in each insertion
    int stepsBetween = 0;       // of progress, after the first insertion
    int insertionsWithoutStep = 0;
    QObject::connect(&scores, &QAbstractItemModel::rowsInserted, &view,
                     [&](const QModelIndex&, int first, int last) {
                         if (!inserted.empty() && stepsBetween == 0) {
                             ++insertionsWithoutStep;
                         }
                         inserted.push_back(last - first + 1);
                         stepsBetween = 0;
                     });
    services().progress = [&](const QString&, qint64, qint64) { ++stepsBetween; };

    scores.publish();

    EXPECT_EQ(view.model()->rowCount(), Rows) << "every row reaches the view";
    EXPECT_LE(*std::max_element(inserted.begin(), inserted.end()), MostRowsAtOnce)
        << "the most rows the view is told of at once";
    EXPECT_EQ(insertionsWithoutStep, 0) << "parts with no step of progress before them";
}
}  // namespace
