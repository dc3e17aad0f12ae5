// The list control on its own: ordering by headings, byte-exact cells, rows
// added in bulk, and the selection through a reordering.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "framework/ListBox.h"
#include "support/Fakes.h"

namespace {
struct Row {
    const char* name;
    const char* score;
};

class ListBoxTest : public ::testing::Test {
  protected:
    ListBoxTest() : list_("ListBox1", &window_) {
        window_.resize(300, 300);
        list_.Widget()->setGeometry(0, 0, 200, 200);
        list_.SetColumnCount(2);
        list_.SetInitialValue(QStringLiteral("Name\tScore"));
    }
    void TearDown() override { SettleEvents(); }

    void Fill(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            list_.AddRowBytes(row.name);
            list_.SetCellBytes(list_.LastIndex(), 1, row.score);
        }
    }
    QStringList Column(int column) const {
        QStringList cells;
        for (int row = 0; row < list_.ListCount(); ++row) {
            cells << list_.Cell(row, column);
        }
        return cells;
    }
    // A real click on the heading, as the player makes it.
    void ClickHeading(int column) {
        QHeaderView* header = list_.View()->header();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    QString Shown(int row, int column) const {
        const QAbstractItemModel* model = list_.View()->model();
        return model->data(model->index(row, column)).toString();
    }

    QWidget window_;
    ListBox list_;
};

TEST_F(ListBoxTest, headingClicksOrderNumbersByValueThenTextsAndReverseOnSecondClick) {
    window_.show();
    SettleEvents();
    Fill({{"bob", "10"},
          {"Ann", "9"},
          {"cid", "lots"},
          {"ann", "-3"},
          {"Dee", " 7\r"},
          {"Eve", "10"},
          {"Fay", "Lot"},
          {"Gus", "1234567890123456789"}});
    EXPECT_EQ(list_.SortedColumn(), -1);
    EXPECT_FALSE(list_.View()->header()->isSortIndicatorShown());

    ClickHeading(1);
    EXPECT_EQ(Column(1),
              (QStringList{"-3", " 7\r", "9", "10", "10", "1234567890123456789", "Lot", "lots"}));
    EXPECT_EQ(Column(0), (QStringList{"ann", "Dee", "Ann", "bob", "Eve", "Gus", "Fay", "cid"}))
        << "equal scores keep the order they had";
    EXPECT_EQ(list_.View()->header()->sortIndicatorOrder(), Qt::AscendingOrder);

    ClickHeading(1);
    EXPECT_EQ(Column(1),
              (QStringList{"lots", "Lot", "1234567890123456789", "10", "10", "9", " 7\r", "-3"}));
    EXPECT_EQ(Column(0).mid(3, 2), (QStringList{"bob", "Eve"}))
        << "equal scores keep their order when reversed";
    EXPECT_FALSE(list_.SortedAscending());
    EXPECT_EQ(list_.View()->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    // Another heading starts ascending again; names ignore case, then "A" before "a".
    ClickHeading(0);
    EXPECT_EQ(Column(0), (QStringList{"Ann", "ann", "bob", "cid", "Dee", "Eve", "Fay", "Gus"}));
    EXPECT_EQ(list_.SortedColumn(), 0);
    EXPECT_TRUE(list_.SortedAscending());
}

TEST_F(ListBoxTest, cellsKeepTheirBytesAndShowThemLeniently) {
    const QByteArray binary("A\xff\xfe\0B\r", 6);
    list_.AddRowBytes(binary);
    list_.SetCellBytes(0, 1, QByteArray("\xc3\xa9t\xc3", 4));  // é, t, a cut sequence
    list_.AddRow(QStringLiteral("Zoë"));
    list_.SetCell(1, 1, QStringLiteral("12"));

    EXPECT_EQ(list_.CellBytes(0, 0), binary);
    EXPECT_EQ(list_.CellBytes(0, 1), QByteArray("\xc3\xa9t\xc3", 4));
    EXPECT_EQ(list_.CellBytes(1, 0), QByteArray("Zo\xc3\xab"));
    EXPECT_EQ(list_.Cell(1, 0), QStringLiteral("Zoë"));
    EXPECT_EQ(Shown(0, 0), QStringLiteral("A\uFFFD\uFFFD\u2400B"))
        << "a CR LF file's CR shows nothing";
    EXPECT_EQ(Shown(0, 1), QString::fromUtf8("\xc3\xa9t\xef\xbf\xbd"));

    // What would reverse, cut or move the rest of a name is made visible.
    const std::pair<QString, QString> disruptive[] = {
        {QStringLiteral("Ann\u202Eevil\u202C"), QStringLiteral("Ann\uFFFDevil\uFFFD")},
        {QStringLiteral("a\u2066b\u2069\u200F"), QStringLiteral("a\uFFFDb\uFFFD\uFFFD")},
        {QStringLiteral("Ann\u2028Bob\u0085"), QStringLiteral("Ann\uFFFDBob\uFFFD")},
        {QStringLiteral("a\tb\rc\x7f"), QStringLiteral("a\u2409b\u240Dc\u2421")},
    };
    for (const auto& [cell, shown] : disruptive) {
        list_.SetCell(1, 0, cell);
        EXPECT_EQ(Shown(1, 0), shown);
        EXPECT_EQ(list_.Cell(1, 0), cell) << "the cell itself is unchanged";
    }
    list_.SetCell(1, 0, QStringLiteral("Zoë"));

    // A shorter cell overwrites in place, a longer one moves: neither touches its neighbours.
    list_.SetCellBytes(0, 0, "x");
    list_.SetCellBytes(1, 1, "123456789");
    EXPECT_EQ(list_.CellBytes(0, 0), QByteArray("x"));
    EXPECT_EQ(list_.CellBytes(0, 1), QByteArray("\xc3\xa9t\xc3", 4));
    EXPECT_EQ(list_.CellBytes(1, 1), QByteArray("123456789"));

    // A huge cell is kept whole but shown cut, so painting it cannot hang.
    const QByteArray huge(4 * 1024 * 1024, 'h');
    list_.AddRowBytes(huge);
    EXPECT_EQ(list_.CellBytes(2, 0), huge);
    EXPECT_LE(Shown(2, 0).size(), 512);
    EXPECT_TRUE(list_.CellBytes(2, 1).isEmpty());

    EXPECT_THROW(list_.Cell(3, 0), std::out_of_range);
    EXPECT_THROW(list_.SetCell(0, 2, "x"), std::out_of_range);
    EXPECT_THROW(list_.CellBytes(-1, 0), std::out_of_range);
}

TEST_F(ListBoxTest, rowsAddedInBulkReachTheViewAtTheEndAndLastIndexFollowsTheNewRow) {
    const QAbstractItemModel* model = list_.View()->model();
    EXPECT_EQ(list_.LastIndex(), -1);
    list_.BeginAdding();
    Fill({{"Cid", "3"}, {"Ann", "1"}, {"Bob", "2"}});
    EXPECT_EQ(list_.ListCount(), 3);
    EXPECT_EQ(list_.Cell(2, 1), "2") << "the list has the rows before the view hears of them";
    EXPECT_EQ(model->rowCount(), 0);
    list_.EndAdding();
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(Shown(2, 0), "Bob");

    list_.AddRow("Dee");
    list_.SetCell(list_.LastIndex(), 1, "0");
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(list_.LastIndex(), 3);
    list_.ClickHeading(1);
    EXPECT_EQ(list_.LastIndex(), 0) << "Dee's 0 is ordered first";
    EXPECT_EQ(list_.Cell(list_.LastIndex(), 0), "Dee");
}

TEST_F(ListBoxTest, selectionStaysSingleAndFollowsItsRowWhenOrdered) {
    window_.show();
    SettleEvents();
    Fill({{"Cid", "3"}, {"Ann", "1"}, {"Bob", "2"}});
    QTreeView* view = list_.View();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(2, 1)).center());
    QModelIndexList selected = view->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 2);

    ClickHeading(0);  // Ann, Bob, Cid
    selected = view->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 1);
    EXPECT_EQ(list_.Cell(selected[0].row(), 0), "Bob");
}
}  // namespace
