#include "BoardSupport.h"

#include <algorithm>

#include "app/App.h"

int ReleasePlan::Below(int n) {
    // The first draw of a release comes before its shuffles have changed
    // anything, so the board's lists still show where each value stands.
    if (draws_.empty() && !plan_.empty()) {
        const Window1& board = *Window1::existing();
        const auto [column, selector] = plan_.front();
        plan_.pop_front();
        PutFirst(board.aTest, Window1::Cell * column);
        PutFirst(board.nTest, selector);
    }
    if (draws_.empty()) {
        return n - 1;
    }
    const int draw = draws_.front();
    draws_.pop_front();
    EXPECT_LT(draw, n) << "the release shuffled otherwise than planned";
    return std::min(draw, n - 1);
}

void ReleasePlan::PutFirst(const std::vector<int>& list, int value) {
    const int at = static_cast<int>(std::find(list.begin(), list.end(), value) - list.begin());
    if (at == static_cast<int>(list.size())) {
        ADD_FAILURE() << value << " is not in the list";
        return;
    }
    for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
        draws_.push_back(i == at ? 0 : i);
    }
}

void BoardTest::SetUp() {
    App::RegisterWindows();
    CloseAllWindows();
    recorded().Clear();
    SetRandom(&plan);
}

void BoardTest::TearDown() {
    SetRandom(nullptr);
    CloseAllWindows();
}

Window1& BoardTest::freshBoard() {
    CloseAllWindows();
    return Window1::instance();
}
