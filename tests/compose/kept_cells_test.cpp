// Naming cells that must stay shown, in English or Japanese.
#include <gtest/gtest.h>

#include "compose/kept_cells.h"
#include "support/text.h"

namespace varnokit::compose {
namespace {

std::vector<int> marked(const std::string& items, bool expectOk = true) {
    Draft draft;
    EXPECT_EQ(writeOut(Division{12, 78, 0}, draft), LayoutProblem::None);  // cells: 2 + 2 + 3 + 2 + 2 + 2 + 1
    std::vector<bool> keep;
    std::string bad;
    EXPECT_EQ(markKeptCells(draft, items, keep, bad), expectOk) << bad;
    std::vector<int> cells;
    for (std::size_t i = 0; i < keep.size(); ++i)
        if (keep[i]) cells.push_back(static_cast<int>(i));
    return cells;
}

TEST(KeptCells, RowsWholeOrByPositions) {
    EXPECT_EQ(marked("divisor"), (std::vector<int>{0, 1}));
    EXPECT_EQ(marked("dividend:1,3"), (std::vector<int>{4, 6}));
    EXPECT_EQ(marked("quotient:2 line3:1-2"), (std::vector<int>{3, 11, 12}));
    EXPECT_EQ(marked(testing::sjis("除数:2　被除数:2 2行目")), (std::vector<int>{1, 5, 9, 10}));
    EXPECT_EQ(marked("remainder"), (std::vector<int>{13}));
    EXPECT_EQ(marked(testing::sjis("余り:1")), (std::vector<int>{13}));
    EXPECT_EQ(marked(""), (std::vector<int>{}));
}

TEST(KeptCells, RefusesWhatThePuzzleDoesNotHave) {
    for (const char* bad : {"line4", "dividend:4", "dividend:0", "dividend:2-1", "divisor:", "remainder:2", "line", "dividend:x", "rest"})
        marked(bad, false);
}

}  // namespace
}  // namespace varnokit::compose
