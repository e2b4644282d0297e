// Puzzles at the edges of what the program takes: a dividend of all 28
// digits a 14-digit divisor and a 14-digit quotient make, one digit more,
// and a search that stores tens of millions of solutions.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "../fuzz/division_oracle.h"
#include "model/parser.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::sjis;

// D ÷ written out in full for quotient Q (no zero digit) and remainder r:
// each partial product and the difference line above it end in their
// quotient digit's dividend column.
PuzzleInput writtenOut(Int128 d, Int128 quotient, Int128 r) {
    const Int128 dividend = d * quotient + r;
    const std::string n = toDecimal(dividend);
    const int q = decimalLength(quotient);
    PuzzleInput input{toDecimal(d), toDecimal(quotient), {n}, ""};
    for (int k = 0; k < q; ++k) {
        const int endColumn = static_cast<int>(n.size()) - q + k;
        auto placed = [endColumn](Int128 value) {
            const std::string digits = toDecimal(value);
            return std::string(static_cast<std::size_t>(endColumn + 1) - digits.size(), ' ') + digits;
        };
        const Int128 digit = (quotient / pow10(q - 1 - k)) % 10;
        if (k > 0) input.bodyLines.push_back(placed(dividend / pow10(q - 1 - k) - 10 * d * (quotient / pow10(q - k))));
        input.bodyLines.push_back(placed(d * digit));
    }
    input.bodyLines.push_back(toDecimal(r));
    return input;
}

void hide(std::string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < text.size(); ++i)
        if (text[i] != ' ') text[i] = '*';
}

using Solutions = std::vector<std::pair<int64_t, int64_t>>;

Solutions stored(const PuzzleState& state) {
    Solutions out;
    for (int i = 0; i < state.solutions.count(); ++i)
        out.emplace_back(state.solutions.at(i).divisor, state.solutions.at(i).quotient);
    return out;
}

TEST(WidestPuzzle, TwentyEightDividendDigitsAreExact) {
    const Int128 d = 98765432109876;
    const Int128 quotient = 12345678987654;
    const Int128 r = 98765432109875;  // the largest remainder: the dividend has 28 digits
    PuzzleInput input = writtenOut(d, quotient, r);
    ASSERT_EQ(input.bodyLines[0].size(), 28u);
    hide(input.divisor, 11, 14);      // the last three divisor digits
    hide(input.quotient, 0, 1);       // the first quotient digit
    hide(input.bodyLines[0], 0, 28);  // the whole dividend
    hide(input.bodyLines[4], 0, 40);  // one difference line (R_2)

    for (SearchEngine engine : {SearchEngine::Reference, SearchEngine::Fast}) {
        PuzzleState state;
        FakeHooks hooks(&state);
        ASSERT_EQ(solve(state, input, hooks, SolveOptions{false, engine}), SolveOutcome::Searched)
            << testing::utf8(hooks.log.back());
        // Every divisor and quotient the hidden cells allow, judged on its own.
        const fuzzing::TypedPuzzle typed = fuzzing::typedPuzzle(state);
        Solutions expected;
        for (int64_t tail = 0; tail < 1000; ++tail) {
            for (int64_t head = 1; head <= 9; ++head) {
                const int64_t divisor = 98765432109000 + tail;
                const int64_t q = head * 10000000000000 + 2345678987654;
                if (fuzzing::judge(typed, divisor, q, r) != fuzzing::Verdict::Invalid) expected.emplace_back(divisor, q);
            }
        }
        std::sort(expected.begin(), expected.end());  // one quotient digit differs: plain order is the search's
        ASSERT_EQ(stored(state), expected);
        ASSERT_NE(std::find(expected.begin(), expected.end(), std::make_pair(int64_t{98765432109876}, int64_t{12345678987654})),
                  expected.end());
        for (int i = 0; i < state.solutions.count(); ++i) {
            const WorkRecord record = state.solutions.record(i);
            const Int128 dividend = record.rows[kDividendRow].value;
            EXPECT_EQ(dividend / record.rows[kDivisorRow].value, record.rows[kQuotientRow].value);
            EXPECT_EQ(dividend % record.rows[kDivisorRow].value, r);
            EXPECT_EQ(toDecimal(dividend).size(), 28u);
        }
    }
}

TEST(WidestPuzzle, FifteenDigitsAreRefusedWithTheirMessages) {
    PuzzleInput wide = writtenOut(98765432109876, 12345678987654, 0);
    wide.divisor += "*";
    PuzzleState state;
    FakeHooks hooks(&state);
    EXPECT_EQ(solve(state, wide, hooks, SolveOptions{false, SearchEngine::Fast}), SolveOutcome::Rejected);
    EXPECT_EQ(hooks.log[2].rfind(sjis("除数の桁数超過。"), 0), 0u) << testing::utf8(hooks.log[2]);

    PuzzleInput longQuotient = writtenOut(98765432109876, 12345678987654, 0);
    longQuotient.quotient += "*";
    FakeHooks again(&state);
    EXPECT_EQ(solve(state, longQuotient, again, SolveOptions{false, SearchEngine::Fast}), SolveOutcome::Rejected);
    EXPECT_EQ(again.log[2].rfind(sjis("商の桁数超過。"), 0), 0u) << testing::utf8(again.log[2]);
}

TEST(LongManySolutions, TensOfMillionsAreAllKept) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "tens of millions of solutions take minutes under the sanitizers; run in the dev and ci builds";
#endif
    // Every eight-digit divisor without the digit 9, quotient 1, remainder 0.
    const PuzzleInput input{"********", "1", {"********", "********", "0"}, "9"};
    PuzzleState state;
    FakeHooks hooks(&state);
    ASSERT_EQ(solve(state, input, hooks, SolveOptions{false, SearchEngine::Fast}), SolveOutcome::Searched);
    int64_t withoutNine = 8;  // first digit 1-8, seven more 0-8
    for (int i = 0; i < 7; ++i) withoutNine *= 9;
    ASSERT_EQ(state.solutions.count(), withoutNine);
    EXPECT_GT(withoutNine, 30'000'000);
    EXPECT_EQ(state.solutions.at(0).divisor, 10000000);
    EXPECT_EQ(state.solutions.at(state.solutions.count() - 1).divisor, 88888888);
    EXPECT_EQ(hooks.log[1].rfind(std::to_string(withoutNine) + sjis("個の解があります。"), 0), 0u);
}

}  // namespace
}  // namespace varnokit
