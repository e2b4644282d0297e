// Row values rebuilt from a stored divisor and quotient.
#include <gtest/gtest.h>

#include <cstring>

#include "model/solution_list.h"

namespace varnokit {
namespace {

// A record shaped like a typed division: q quotient cells and the given
// interior-row lengths (0 for the empty pair of a zero quotient digit).
WorkRecord shapedRecord(int q, std::initializer_list<int> interiorLengths, Int128 remainder) {
    WorkRecord record;
    std::memset(&record, 0, sizeof record);
    record.rows[kQuotientRow].length = q;
    int row = kFirstInteriorRow;
    for (int length : interiorLengths) record.rows[row++].length = length;
    record.rows[kRemainderRow].value = remainder;
    return record;
}

TEST(SolutionList, RowValuesOfTheWorkedExample) {
    // 936 / 12 = 78: P_0 = 84, R_1 = 96, P_1 = 96.
    WorkRecord record = shapedRecord(2, {2, 2, 2}, 0);
    Int128 v[kRowCount];
    computeRowValues(record, 12, 78, 0, v);
    EXPECT_EQ(v[kDividendRow], 936);
    EXPECT_EQ(v[partialProductRow(0)], 84);
    EXPECT_EQ(v[differenceRow(1)], 96);
    EXPECT_EQ(v[partialProductRow(1)], 96);
}

TEST(SolutionList, ZeroQuotientDigitLeavesItsPairEmpty) {
    // 1229 / 12 = 102 r 5: P_0 = 12, (empty pair), R_2 = 29, P_2 = 24.
    WorkRecord record = shapedRecord(3, {2, 0, 0, 2, 2}, 5);
    Int128 v[kRowCount];
    computeRowValues(record, 12, 102, 5, v);
    EXPECT_EQ(v[kDividendRow], 1229);
    EXPECT_EQ(v[partialProductRow(0)], 12);
    EXPECT_EQ(v[differenceRow(1)], 0);
    EXPECT_EQ(v[partialProductRow(1)], 0);
    EXPECT_EQ(v[differenceRow(2)], 29);
    EXPECT_EQ(v[partialProductRow(2)], 24);
    EXPECT_EQ(v[kRemainderRow], 5);
}

TEST(SolutionList, NavigationFollowsTheOrderFound) {
    SolutionList list;
    list.beginSearch(shapedRecord(1, {2}, 0));
    EXPECT_EQ(list.current(), -1);
    list.append(12, 7);
    list.append(13, 7);
    list.append(14, 7);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.current(), 2);  // each new solution becomes current
    list.setCurrent(0);
    EXPECT_FALSE(list.hasPrev());
    EXPECT_TRUE(list.hasNext());
    EXPECT_EQ(list.record(1).rows[kDividendRow].value, 91);
    list.reset();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.current(), -1);
}

TEST(SolutionList, OpenRemainderIsKeptWithEachSolution) {
    // 9365 / 12 = 780 r 5 and 9366 / 12 = 780 r 6, the remainder typed "*":
    // the trailing zero brings 5 or 6 down, so R_1 is 96 in both.
    WorkRecord record = shapedRecord(3, {2, 2, 2, 0, 0}, 0);
    std::memcpy(record.rows[kRemainderRow].text, "*", 2);
    record.rows[kRemainderRow].length = 1;
    SolutionList list;
    list.beginSearch(record);
    list.append(12, 780, 5);
    list.append(12, 780, 6);
    EXPECT_EQ(list.remainder(0), 5);
    EXPECT_EQ(list.remainder(1), 6);
    Int128 v[kRowCount];
    list.rowValues(1, v);
    EXPECT_EQ(v[kDividendRow], 9366);
    EXPECT_EQ(v[kRemainderRow], 6);
    EXPECT_EQ(v[differenceRow(1)], 96);
    EXPECT_EQ(v[partialProductRow(2)], 0);
    EXPECT_EQ(list.record(0).rows[kRemainderRow].value, 5);

    // Kept remainders take memory too: the same limit holds two thirds as many.
    list.setLimit(90);
    EXPECT_EQ(list.limit(), 60);
    for (int i = 2; i < 60; ++i) list.append(12, 780, 5);
    EXPECT_TRUE(list.full());

    // A remainder in digits is the one every solution shares.
    SolutionList typed;
    typed.beginSearch(shapedRecord(3, {2, 2, 2, 0, 0}, 5));
    typed.append(12, 780);
    EXPECT_EQ(typed.remainder(0), 5);
    typed.setLimit(90);
    EXPECT_EQ(typed.limit(), 90);
}

}  // namespace
}  // namespace varnokit
