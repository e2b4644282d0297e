// The log lines of the composing commands.
#include "compose/compose_text.h"

#include "compose/compose_messages.h"

namespace varnokit::compose {
namespace {

std::string rowName(const DraftRow& row) {
    switch (row.kind) {
        case RowKind::Divisor: return kRowDivisor;
        case RowKind::Quotient: return kRowQuotient;
        case RowKind::Dividend: return kRowDividend;
        case RowKind::Remainder: return kRowRemainder;
        default: return kRowLinePrefix + std::to_string(row.line) + kRowLineSuffix;
    }
}

// The summary lines Minimise and Generate share.
void hidingDetails(const MinimiseResult& result, std::vector<std::string>& lines) {
    const Draft& draft = result.draft;
    lines.push_back(kShownPrefix + std::to_string(draft.count(CellState::Shown)) + kShownOf +
                    std::to_string(draft.cellCount()) + kShownRatio + std::to_string(hiddenPercent(draft)) +
                    kShownSuffix);
    if (const int masked = draft.count(CellState::Masked); masked > 0)
        lines.push_back(kMaskedPrefix + std::to_string(masked));
    if (draft.condition >= 0) lines.push_back(kConditionPrefix + std::to_string(draft.condition));
    lines.push_back(kProbesPrefix + std::to_string(result.probes) + kProbesMiddle +
                    std::to_string(result.answeredByWitness) + kProbesSuffix);
    lines.push_back(kDifficultyPrefix + std::to_string(result.searchSteps));
}

// Why nothing was hidden, or nothing when something was.
bool refusal(const MinimiseResult& result, const std::string& pending, std::vector<std::string>& lines) {
    switch (result.status) {
        case MinimiseStatus::Done: return false;
        case MinimiseStatus::NotUnique: lines.push_back(kNotUniqueForHiding); break;
        case MinimiseStatus::NoSolution: lines.push_back(kNoSolutionForHiding); break;
        case MinimiseStatus::Rejected:
            lines.push_back(kRejectedForHiding);
            if (!pending.empty()) lines.push_back(pending);
            break;
        case MinimiseStatus::Stopped:
            lines.push_back(kStoppedMessage);
            lines.push_back(kPuzzleUnchanged);
            break;
    }
    return true;
}

}  // namespace

std::string cellName(const Draft& draft, int cell) {
    for (const DraftRow& row : draft.rows)
        if (cell >= row.firstCell && cell < row.firstCell + row.length)
            return rowName(row) + kFromLeft + std::to_string(cell - row.firstCell + 1) + kPositionSuffix;
    return {};
}

std::string revealLine(const Draft& draft, const Reveal& reveal) {
    const std::string name = reveal.cell >= 0
                                 ? cellName(draft, reveal.cell)
                                 : kMaskPrefix + draft.maskOf[static_cast<std::size_t>(reveal.maskDigit)] + kMaskSuffix;
    return "  " + name + ": " + std::to_string(reveal.digit);
}

int hiddenPercent(const Draft& draft) {
    const int all = draft.cellCount();
    return all == 0 ? 0 : 100 * (all - draft.count(CellState::Shown)) / all;
}

std::vector<std::string> minimiseLines(const MinimiseResult& result, const std::string& pending) {
    std::vector<std::string> lines;
    if (refusal(result, pending, lines)) return lines;
    lines.push_back(kMinimised);
    hidingDetails(result, lines);
    return lines;
}

std::vector<std::string> generateLines(const GenerateResult& result, const GenerateOptions& options) {
    std::vector<std::string> lines;
    if (refusal(result.minimised, {}, lines)) return lines;
    lines.push_back(kGeneratedPrefix + std::to_string(options.seed) + kGeneratedDivisor +
                    std::to_string(options.divisorDigits) + kGeneratedQuotient +
                    std::to_string(options.quotientDigits) + kGeneratedSuffix);
    hidingDetails(result.minimised, lines);
    return lines;
}

std::vector<std::string> repairLines(const RepairResult& result, const std::string& pending) {
    std::vector<std::string> lines;
    switch (result.status) {
        case RepairStatus::AlreadyUnique: lines.push_back(kAlreadyUnique); return lines;
        case RepairStatus::NoSolution: lines.push_back(kNoSolutionForRepair); return lines;
        case RepairStatus::Rejected:
            lines.push_back(kRejectedForRepair);
            if (!pending.empty()) lines.push_back(pending);
            return lines;
        case RepairStatus::NoSuchSolution: lines.push_back(kNoSuchSolution); return lines;
        case RepairStatus::Stopped:
            lines.push_back(kStoppedMessage);
            lines.push_back(kPuzzleUnchanged);
            return lines;
        case RepairStatus::Done: break;
    }
    lines.push_back(kRepairedPrefix + std::to_string(result.reveals.size()) + kRepairedSuffix);
    for (const Reveal& reveal : result.reveals) lines.push_back(revealLine(result.draft, reveal));
    lines.push_back(result.exact ? kRepairExact : kRepairBestFound);
    if (result.countComplete) {
        lines.push_back(kSolutionCountPrefix + std::to_string(result.solutionsAtStart) + kSolutionCountSuffix);
    } else {
        lines.push_back(kSolutionCountPrefix + std::to_string(result.solutionsAtStart) + kSolutionCountAtLeast +
                        std::to_string(result.otherSolutionsUsed + 1) + kSolutionCountRead);
    }
    return lines;
}

std::string generatedNote(const GenerateOptions& options) {
    return kNoteGenerated + std::to_string(options.seed) + kNoteDivisor + std::to_string(options.divisorDigits) +
           kNoteQuotient + std::to_string(options.quotientDigits) + kNoteSuffix;
}

}  // namespace varnokit::compose
