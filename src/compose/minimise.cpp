// Minimising a puzzle. Each Solve is costly, so two things keep their
// number down. Witnesses: every second solution found is kept, and a hide
// that some kept witness still fits is refused without solving. Batches:
// hiding turns a digit into '*', which only ever adds solutions, so when a
// run of hides leaves the solution unique together, each of them would have
// left it unique one after the other: the batch gives the same puzzle as
// hiding one at a time, with one Solve. A batch that fails yields a witness,
// which cuts the next batch before the first hide it refutes.
#include "compose/minimise.h"

#include <algorithm>

#include "compose/random.h"

namespace varnokit::compose {
namespace {

struct Witness {
    Division division;
    std::vector<uint8_t> digits;  // in the draft's shape
};

bool inGroup(const DraftRow& row, HideOrder order) {
    switch (order) {
        case HideOrder::DivisorFirst: return row.kind == RowKind::Divisor;
        case HideOrder::QuotientFirst: return row.kind == RowKind::Quotient;
        case HideOrder::DividendFirst: return row.kind == RowKind::Dividend;
        default: return false;
    }
}

// The cells that may be hidden, in the order they are tried.
std::vector<int> candidateOrder(const Draft& draft, const MinimiseOptions& options) {
    auto candidate = [&](int cell) {
        const std::size_t i = static_cast<std::size_t>(cell);
        if (draft.states[i] != CellState::Shown) return false;
        if (i < options.keep.size() && options.keep[i]) return false;
        if (!options.hideRemainder && draft.rowOf(cell).kind == RowKind::Remainder) return false;
        // A '*' never stands for the condition digit: such a cell stays shown.
        return options.style == HideStyle::Mask || draft.digits[i] != draft.condition;
    };
    Random random(options.seed);
    std::vector<int> first, rest;
    for (const DraftRow& row : draft.rows)
        for (int c = row.firstCell; c < row.firstCell + row.length; ++c)
            if (candidate(c)) (inGroup(row, options.order) ? first : rest).push_back(c);
    if (options.order == HideOrder::TopDown || options.order == HideOrder::BottomUp) {
        // Rows stand divisor, quotient, dividend, lines; on paper the quotient is on top.
        std::vector<int> ordered;
        for (int c : rest)
            if (draft.rows[1].firstCell <= c && c < draft.rows[1].firstCell + draft.rows[1].length) ordered.push_back(c);
        for (int c : rest)
            if (c < draft.rows[1].firstCell || c >= draft.rows[1].firstCell + draft.rows[1].length) ordered.push_back(c);
        if (options.order == HideOrder::BottomUp) std::reverse(ordered.begin(), ordered.end());
        return ordered;
    }
    random.shuffle(first);
    random.shuffle(rest);
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

class Minimiser {
public:
    Minimiser(const Draft& start, const MinimiseOptions& options, SolutionProbe& probe, ComposeControl& control)
        : options_(options), probe_(probe), control_(control) {
        result_.draft = start;
        result_.witnessOf.assign(static_cast<std::size_t>(start.cellCount()), -1);
        if (options.style == HideStyle::Mask) {
            Random dice(options.seed ^ 0x6D61736Bull);  // a stream of its own: the order stays the same
            assignMasks(result_.draft, options.maskStyle, dice);
        }
    }

    MinimiseResult run() {
        const ProbeResult first = solveWith(result_.draft.states);
        if (!startsUnique(first)) return std::move(result_);
        result_.searchSteps = first.searchSteps;
        const std::vector<int> order = candidateOrder(result_.draft, options_);
        const bool finished = options_.style == HideStyle::Star ? hideInBatches(order) : maskUntilSettled(order);
        result_.status = finished ? MinimiseStatus::Done : MinimiseStatus::Stopped;
        return std::move(result_);
    }

private:
    bool startsUnique(const ProbeResult& first) {
        switch (first.verdict) {
            case ProbeVerdict::Unique:
                if (first.found.front() == result_.draft.division) return true;
                result_.status = MinimiseStatus::NotUnique;  // unique, but not this division
                return false;
            case ProbeVerdict::Several: result_.status = MinimiseStatus::NotUnique; return false;
            case ProbeVerdict::None: result_.status = MinimiseStatus::NoSolution; return false;
            case ProbeVerdict::Rejected: result_.status = MinimiseStatus::Rejected; return false;
            default: result_.status = MinimiseStatus::Stopped; return false;
        }
    }

    ProbeResult solveWith(const std::vector<CellState>& states) {
        Draft trial = result_.draft;
        trial.states = states;
        ++result_.probes;
        return probe_.run(draftInput(trial), 2);
    }

    // The newest witness that fits the puzzle `states` describes, or -1.
    int knownWitness(const std::vector<CellState>& states) const {
        for (int w = static_cast<int>(witnesses_.size()) - 1; w >= 0; --w)
            if (fitsCells(result_.draft, states, witnesses_[static_cast<std::size_t>(w)].digits)) return w;
        return -1;
    }

    // Keeps the second solution of a probe; its index, or -1 when the probe
    // found none that is not the puzzle's own division.
    int keepWitness(const ProbeResult& probe) {
        for (const Division& found : probe.found) {
            if (found == result_.draft.division) continue;
            Witness witness{found, {}};
            if (!digitsInShape(result_.draft, found, witness.digits)) continue;
            witnesses_.push_back(std::move(witness));
            result_.witnesses.push_back(found);
            return static_cast<int>(witnesses_.size()) - 1;
        }
        return -1;
    }

    bool stopped() {
        control_.processPendingInput();
        return control_.stopRequested();
    }

    bool hideInBatches(const std::vector<int>& order) {
        std::vector<CellState>& states = result_.draft.states;
        const std::size_t total = order.size();
        std::size_t next = 0;
        std::size_t batchLimit = 1;
        while (next < total) {
            if (stopped()) return false;
            control_.progress(static_cast<int>(next), static_cast<int>(total));
            // The batch: the hides from `next` on that no known witness refuses.
            std::vector<CellState> trial = states;
            std::size_t end = next;
            int refusedBy = -1;
            while (end < total && end - next < batchLimit) {
                const std::size_t cell = static_cast<std::size_t>(order[end]);
                trial[cell] = CellState::Hidden;
                refusedBy = knownWitness(trial);
                if (refusedBy >= 0) {
                    trial[cell] = CellState::Shown;
                    break;
                }
                ++end;
            }
            if (end == next) {  // refused at once: this digit stays
                result_.witnessOf[static_cast<std::size_t>(order[next])] = refusedBy;
                ++result_.answeredByWitness;
                ++next;
                continue;
            }
            const ProbeResult probe = solveWith(trial);
            if (probe.verdict == ProbeVerdict::Unique) {
                states = trial;
                result_.searchSteps = probe.searchSteps;
                next = end;
                batchLimit *= 2;
                continue;
            }
            if (probe.verdict != ProbeVerdict::Several) return false;
            const int witness = keepWitness(probe);
            if (witness < 0) return false;
            if (end - next == 1) {
                result_.witnessOf[static_cast<std::size_t>(order[next])] = witness;
                ++next;
            }
            batchLimit = std::max<std::size_t>(1, (end - next) / 2);
        }
        control_.progress(static_cast<int>(total), static_cast<int>(total));
        return true;
    }

    // Masking is no relaxation (a mask ties its cells to every other cell of
    // its character), so hides are tried one at a time, in passes, until a
    // whole pass changes nothing: that pass has a witness for every digit left.
    bool maskUntilSettled(const std::vector<int>& order) {
        std::vector<CellState>& states = result_.draft.states;
        bool changed = true;
        while (changed) {
            changed = false;
            for (std::size_t i = 0; i < order.size(); ++i) {
                const std::size_t cell = static_cast<std::size_t>(order[i]);
                if (states[cell] != CellState::Shown) continue;
                if (stopped()) return false;
                control_.progress(static_cast<int>(i), static_cast<int>(order.size()));
                std::vector<CellState> trial = states;
                trial[cell] = CellState::Masked;
                int witness = knownWitness(trial);
                if (witness >= 0) {
                    ++result_.answeredByWitness;
                } else {
                    const ProbeResult probe = solveWith(trial);
                    if (probe.verdict == ProbeVerdict::Unique) {
                        states = trial;
                        result_.searchSteps = probe.searchSteps;
                        result_.witnessOf[cell] = -1;
                        changed = true;
                        continue;
                    }
                    if (probe.verdict != ProbeVerdict::Several) return false;
                    witness = keepWitness(probe);
                    if (witness < 0) return false;
                }
                result_.witnessOf[cell] = witness;
            }
        }
        control_.progress(static_cast<int>(order.size()), static_cast<int>(order.size()));
        return true;
    }

    const MinimiseOptions& options_;
    SolutionProbe& probe_;
    ComposeControl& control_;
    MinimiseResult result_;
    std::vector<Witness> witnesses_;
};

}  // namespace

MinimiseResult minimise(const Draft& start, const MinimiseOptions& options, SolutionProbe& probe,
                        ComposeControl& control) {
    return Minimiser(start, options, probe, control).run();
}

bool witnessesProveMinimal(const MinimiseResult& result, const MinimiseOptions& options) {
    const Draft& draft = result.draft;
    const std::vector<int> order = candidateOrder(draft, options);
    const CellState hidden = options.style == HideStyle::Star ? CellState::Hidden : CellState::Masked;
    for (int cell : order) {
        const std::size_t i = static_cast<std::size_t>(cell);
        const int w = result.witnessOf[i];
        if (w < 0 || static_cast<std::size_t>(w) >= result.witnesses.size()) return false;
        const Division& witness = result.witnesses[static_cast<std::size_t>(w)];
        std::vector<uint8_t> digits;
        if (witness == draft.division || !digitsInShape(draft, witness, digits)) return false;
        std::vector<CellState> trial = draft.states;
        trial[i] = hidden;
        if (!fitsCells(draft, trial, digits)) return false;
    }
    return true;
}

}  // namespace varnokit::compose
