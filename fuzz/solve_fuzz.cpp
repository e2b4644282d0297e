// Fuzzes the whole Solve pipeline (checks, deductions, propagation, search,
// acceptance, the solution limit) on arbitrary puzzles small enough to
// search in milliseconds. Properties: every stored solution is a correct
// long division that fits the typed patterns; on a plainly laid-out puzzle
// the solutions are exactly those a brute-force enumeration finds, in the
// search's order; both engines store the same list; a full list stops the
// search with its message and keeps the first solutions.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "division_oracle.h"
#include "fuzz_hooks.h"
#include "fuzz_input.h"
#include "model/parser.h"
#include "solver/messages.h"
#include "solver/solve.h"

using namespace varnokit;
using fuzzing::FuzzHooks;
using fuzzing::require;

namespace {

constexpr int kSearchedFreeCells = 6;  // larger puzzles are not searched
constexpr int kBruteForceFreeCells = 4;
constexpr int kListLimit = 64;         // small, so the limit is reached often


struct Solution {
    Int128 divisor, quotient, remainder;
    bool operator==(const Solution&) const = default;
};

// The search's order: divisor ascending, then the quotient read from its
// last digit, then (a remainder with hidden cells) the remainder ascending.
std::string orderKey(const Solution& s) {
    std::string digits = toDecimal(s.quotient);
    std::reverse(digits.begin(), digits.end());
    return digits;
}
bool searchOrder(const Solution& a, const Solution& b) {
    if (a.divisor != b.divisor) return a.divisor < b.divisor;
    if (a.quotient != b.quotient) return orderKey(a) < orderKey(b);
    return a.remainder < b.remainder;
}

int freeCells(const std::string& pattern) {
    return static_cast<int>(std::count_if(pattern.begin(), pattern.end(),
                                          [](char c) { return c < '0' || c > '9'; }));
}

// Every number the pattern allows when each non-digit cell may be any digit.
std::vector<Int128> spread(const std::string& pattern) {
    std::vector<Int128> out{0};
    for (char c : pattern) {
        std::vector<Int128> next;
        for (Int128 v : out) {
            if (c >= '0' && c <= '9') {
                next.push_back(v * 10 + (c - '0'));
            } else {
                for (int d = 0; d <= 9; ++d) next.push_back(v * 10 + d);
            }
        }
        out = std::move(next);
    }
    return out;
}

struct Run {
    PuzzleState state;
    FuzzHooks hooks{state};
    SolveOutcome outcome = SolveOutcome::Rejected;
    std::vector<Solution> stored;
};

void solveWith(Run& run, const PuzzleInput& input, SearchEngine engine) {
    run.state.solutions.setLimit(kListLimit);
    run.outcome = solve(run.state, input, run.hooks, SolveOptions{false, engine});
    for (int i = 0; i < run.state.solutions.count(); ++i)
        run.stored.push_back({run.state.solutions.at(i).divisor, run.state.solutions.at(i).quotient,
                              run.state.solutions.remainder(i)});
}

// A list that keeps hidden remainders too stores fewer in the same memory:
// the line names the list's own limit.
bool hasLimitLine(const std::vector<std::string>& log, int64_t limit) {
    const std::string line = kSolutionLimitPrefix + std::to_string(limit) + kSolutionLimitSuffix;
    return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PuzzleInput input = fuzzing::splitInput(data, size);

    // The checks up to the re-layout, on a state of our own, for the puzzle as typed.
    PuzzleState checked;
    bool laidOut = parse(checked, input) == ParseStatus::Ok && checked.pending.empty();
    if (laidOut) lengthChecks(checked);
    if (laidOut && checked.pending.empty()) layoutChecks(checked);
    laidOut = laidOut && checked.pending.empty() && relayout(checked) == 0 && checked.pending.empty();
    fuzzing::TypedPuzzle typed;
    int cells = 0;
    if (laidOut) {
        typed = fuzzing::typedPuzzle(checked);
        cells = freeCells(typed.divisor) + freeCells(typed.quotient) +
                (fuzzing::remainderHidden(typed) ? freeCells(typed.remainderText) : 0);
        if (cells > kSearchedFreeCells) return 0;
    }

    Run reference;
    solveWith(reference, input, SearchEngine::Reference);
    if (!laidOut) {
        require(reference.outcome == SolveOutcome::Rejected, "a puzzle the checks refuse is not searched");
        require(reference.stored.empty(), "a refused puzzle has no solutions");
        return 0;
    }

    // Soundness, order and the limit.
    for (const Solution& s : reference.stored)
        require(fuzzing::judge(typed, s.divisor, s.quotient, s.remainder) != fuzzing::Verdict::Invalid,
                "every stored solution is a correct division fitting its patterns");
    require(std::is_sorted(reference.stored.begin(), reference.stored.end(), searchOrder) &&
                std::adjacent_find(reference.stored.begin(), reference.stored.end()) == reference.stored.end(),
            "solutions are stored once each, in the search's order");
    const int64_t limit = reference.state.solutions.limit();
    const bool limited = hasLimitLine(reference.hooks.log, limit);
    require(!limited || (reference.outcome == SolveOutcome::Aborted &&
                         static_cast<int64_t>(reference.stored.size()) == limit),
            "a full list stops the search and keeps exactly the limit");

    // Both engines store the same list.
    Run fast;
    solveWith(fast, input, SearchEngine::Fast);
    if (reference.outcome != SolveOutcome::Aborted || limited) {
        require(fast.outcome == reference.outcome, "both engines end the same way");
        require(fast.stored == reference.stored, "both engines store the same solutions in the same order");
    }

    // Completeness against brute force, where the layout is plain.
    if (cells > kBruteForceFreeCells || !fuzzing::plainlyLaidOut(typed)) return 0;
    if (reference.outcome == SolveOutcome::Aborted && !limited) return 0;
    std::vector<Solution> valid;     // no letter on the condition digit
    std::vector<Solution> possible;  // also those with one
    const std::vector<Int128> remainders =
        fuzzing::remainderHidden(typed) ? spread(typed.remainderText) : std::vector<Int128>{typed.remainder};
    for (Int128 d : spread(typed.divisor)) {
        for (Int128 quotient : spread(typed.quotient)) {
            for (Int128 r : remainders) {
                const fuzzing::Verdict verdict = fuzzing::judge(typed, d, quotient, r);
                if (verdict == fuzzing::Verdict::Invalid) continue;
                possible.push_back({d, quotient, r});
                if (verdict == fuzzing::Verdict::Valid) valid.push_back({d, quotient, r});
            }
        }
    }
    std::sort(valid.begin(), valid.end(), searchOrder);
    std::sort(possible.begin(), possible.end(), searchOrder);
    if (limited) {
        if (valid == possible && valid.size() >= reference.stored.size())
            require(std::equal(reference.stored.begin(), reference.stored.end(), valid.begin()),
                    "a full list holds the first solutions in the search's order");
        return 0;
    }
    require(std::includes(reference.stored.begin(), reference.stored.end(), valid.begin(), valid.end(), searchOrder),
            "every valid division of a plainly laid-out puzzle is found");
    require(std::includes(possible.begin(), possible.end(), reference.stored.begin(), reference.stored.end(), searchOrder),
            "nothing but valid divisions is found");
    return 0;
}
