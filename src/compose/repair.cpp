// Repairing a puzzle with several solutions by the fewest revealed digits.
#include "compose/repair.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <set>

#include "compose/draft_from_puzzle.h"
#include "compose/hitting_set.h"

namespace varnokit::compose {
namespace {

using Clock = std::chrono::steady_clock;

class Repairer {
public:
    Repairer(const RepairOptions& options, SolutionProbe& probe, ComposeControl& control)
        : options_(options), probe_(probe), control_(control),
          deadline_(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(options.seconds))) {}

    RepairResult run(const PuzzleInput& puzzle, std::optional<int64_t> index, std::optional<Division> chosen) {
        // Read as far as the chosen solution at least.
        const int64_t limit = std::max(options_.enumerateLimit, index ? *index + 1 : 1);
        const ProbeResult all = probe_.run(puzzle, limit);
        result_.solutionsAtStart = static_cast<int64_t>(all.found.size());
        result_.countComplete = all.complete;
        switch (all.verdict) {
            case ProbeVerdict::Rejected: return finish(RepairStatus::Rejected);
            case ProbeVerdict::None: return finish(RepairStatus::NoSolution);
            case ProbeVerdict::Unique: return finish(RepairStatus::AlreadyUnique);
            case ProbeVerdict::Stopped: return finish(RepairStatus::Stopped);
            default: break;
        }
        if (index) {
            if (*index < 0 || *index >= static_cast<int64_t>(all.found.size()))
                return finish(RepairStatus::NoSuchSolution);
            chosen = all.found[static_cast<std::size_t>(*index)];
        }
        result_.chosen = *chosen;
        if (!draftFromPuzzle(probe_.state(), *chosen, draft_)) return finish(RepairStatus::NoSuchSolution);
        draft_.notes.clear();
        collectUnits();
        for (const Division& other : all.found) addSolution(other);
        return solveRounds();
    }

private:
    RepairResult finish(RepairStatus status) {
        result_.status = status;
        return std::move(result_);
    }

    // The things that can be revealed: every hidden cell, every mask.
    void collectUnits() {
        for (int c = 0; c < draft_.cellCount(); ++c)
            if (draft_.states[static_cast<std::size_t>(c)] == CellState::Hidden) units_.push_back(Reveal{c, -1, draft_.digits[static_cast<std::size_t>(c)]});
        for (int d = 0; d < 10; ++d) {
            maskCell_[d] = -1;
            for (int c = 0; c < draft_.cellCount() && maskCell_[d] < 0; ++c)
                if (draft_.states[static_cast<std::size_t>(c)] == CellState::Masked && draft_.digits[static_cast<std::size_t>(c)] == d) maskCell_[d] = c;
            if (maskCell_[d] >= 0) units_.push_back(Reveal{-1, d, d});
        }
    }

    // The units in which `other` differs from the chosen solution: the set it
    // adds. Solutions already met, and the chosen one, add nothing.
    bool addSolution(const Division& other) {
        if (other == result_.chosen || !seen_.insert({other.divisor, other.quotient, other.remainder}).second)
            return false;
        std::vector<uint8_t> digits;
        if (!digitsInShape(draft_, other, digits)) return false;
        std::vector<int> members;
        for (std::size_t u = 0; u < units_.size(); ++u) {
            const Reveal& unit = units_[u];
            const int cell = unit.cell >= 0 ? unit.cell : maskCell_[unit.maskDigit];
            const std::size_t i = static_cast<std::size_t>(cell);
            if (digits[i] != draft_.digits[i]) members.push_back(static_cast<int>(u));
        }
        sets_.push_back(std::move(members));
        ++result_.otherSolutionsUsed;
        return true;
    }

    std::vector<int> smallest() {
        HittingSetProblem problem(static_cast<int>(units_.size()));
        for (const std::vector<int>& members : sets_) problem.add(members);
        const HittingSet answer = smallestHittingSet(problem, deadline_, [this] {
            control_.processPendingInput();
            return control_.stopRequested();
        });
        if (!answer.optimal) exact_ = false;
        return answer.elements;
    }

    // Past the time allowed, an answer only grows: the units it has, and
    // for the solutions it leaves, the unit that removes most of them.
    std::vector<int> grown(std::vector<int> answer, std::size_t firstNewSet) {
        std::vector<std::vector<int>> open;
        for (std::size_t s = firstNewSet; s < sets_.size(); ++s) {
            const std::vector<int>& members = sets_[s];
            const bool hit = std::any_of(members.begin(), members.end(), [&](int u) {
                return std::find(answer.begin(), answer.end(), u) != answer.end();
            });
            if (!hit) open.push_back(members);
        }
        while (!open.empty()) {
            std::vector<int> hits(units_.size(), 0);
            for (const std::vector<int>& members : open)
                for (int u : members) ++hits[static_cast<std::size_t>(u)];
            const int best = static_cast<int>(std::max_element(hits.begin(), hits.end()) - hits.begin());
            answer.push_back(best);
            std::erase_if(open, [&](const std::vector<int>& members) {
                return std::find(members.begin(), members.end(), best) != members.end();
            });
        }
        return answer;
    }

    Draft revealed(const std::vector<int>& answer) const {
        Draft out = draft_;
        for (int u : answer) {
            const Reveal& unit = units_[static_cast<std::size_t>(u)];
            for (int c = 0; c < out.cellCount(); ++c) {
                const std::size_t i = static_cast<std::size_t>(c);
                const bool masked = out.states[i] == CellState::Masked && out.digits[i] == unit.maskDigit;
                if (c == unit.cell || (unit.cell < 0 && masked)) out.states[i] = CellState::Shown;
            }
        }
        return out;
    }

    RepairResult done(const Draft& repaired, const std::vector<int>& answer) {
        result_.draft = repaired;
        result_.exact = exact_;
        for (int u : answer) result_.reveals.push_back(units_[static_cast<std::size_t>(u)]);
        // Cells in reading order, then masks.
        std::sort(result_.reveals.begin(), result_.reveals.end(), [](const Reveal& a, const Reveal& b) {
            const int ka = a.cell >= 0 ? a.cell : 1000 + a.maskDigit;
            const int kb = b.cell >= 0 ? b.cell : 1000 + b.maskDigit;
            return ka < kb;
        });
        return finish(RepairStatus::Done);
    }

    RepairResult solveRounds() {
        std::vector<int> answer;
        bool growing = false;
        for (;;) {
            if (control_.stopRequested()) return finish(RepairStatus::Stopped);
            const std::size_t setsBefore = sets_.size();
            if (!growing && Clock::now() < deadline_) {
                answer = smallest();
            } else {
                growing = true;
                exact_ = false;
                answer = grown(answer, lastChecked_);
            }
            if (std::any_of(sets_.begin(), sets_.end(), [](const std::vector<int>& s) { return s.empty(); }))
                return finish(RepairStatus::NoSuchSolution);  // a solution the same in every unit: impossible
            lastChecked_ = setsBefore;
            const Draft candidate = revealed(answer);
            // With every solution read at the start, an answer that hits them
            // all leaves the chosen one alone: nothing to check.
            if (result_.countComplete) return done(candidate, answer);
            ++result_.rounds;
            const ProbeResult check = probe_.run(draftInput(candidate), options_.roundLimit);
            if (check.verdict == ProbeVerdict::Stopped) return finish(RepairStatus::Stopped);
            if (check.verdict == ProbeVerdict::Unique) {
                if (check.found.front() != result_.chosen) return finish(RepairStatus::NoSuchSolution);
                return done(candidate, answer);
            }
            if (check.verdict != ProbeVerdict::Several) return finish(RepairStatus::NoSuchSolution);
            bool added = false;
            for (const Division& other : check.found) added = addSolution(other) || added;
            if (!added) return finish(RepairStatus::NoSuchSolution);  // no progress is possible
        }
    }

    const RepairOptions& options_;
    SolutionProbe& probe_;
    ComposeControl& control_;
    Clock::time_point deadline_;
    RepairResult result_;
    Draft draft_;
    std::vector<Reveal> units_;
    int maskCell_[10] = {};
    std::vector<std::vector<int>> sets_;
    std::set<std::tuple<int64_t, int64_t, int64_t>> seen_;
    std::size_t lastChecked_ = 0;
    bool exact_ = true;
};

}  // namespace

RepairResult repair(const PuzzleInput& puzzle, int64_t index, const RepairOptions& options, SolutionProbe& probe,
                    ComposeControl& control) {
    return Repairer(options, probe, control).run(puzzle, index, std::nullopt);
}

RepairResult repair(const PuzzleInput& puzzle, const Division& chosen, const RepairOptions& options,
                    SolutionProbe& probe, ComposeControl& control) {
    return Repairer(options, probe, control).run(puzzle, std::nullopt, chosen);
}

}  // namespace varnokit::compose
