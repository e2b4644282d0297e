// The quiet Solve of the composing commands.
#include "compose/solution_probe.h"

#include "compose/draft_from_puzzle.h"

namespace varnokit::compose {
namespace {

// A Solve that shows nothing: the log, the clock and the boxes are not
// needed; the front end's input runs at the search's checks, and a stop it
// asks for becomes the search's abort flag.
class QuietHooks : public SolveHooks {
public:
    QuietHooks(ComposeControl& control, PuzzleState& state) : control_(control), state_(state) {}
    void appendLog(const std::string&) override {}
    double now() override { return 0; }
    std::string formatStartTime(double) override { return {}; }
    std::string clockDescription() override { return {}; }
    void processPendingInput() override {
        control_.processPendingInput();
        if (control_.stopRequested()) state_.abortFlag = 1;
    }

private:
    ComposeControl& control_;
    PuzzleState& state_;
};

}  // namespace

SolutionProbe::SolutionProbe(ComposeControl& control, SearchEngine engine)
    : control_(control), engine_(engine), state_(std::make_unique<PuzzleState>()) {}

SolutionProbe::~SolutionProbe() = default;

ProbeResult SolutionProbe::run(const PuzzleInput& input, int64_t limit) {
    ++runs_;
    ProbeResult result;
    PuzzleState& state = *state_;
    // The search stops at the limit-th solution; the list must not stop it
    // first (a list keeping remainders holds two thirds of its limit).
    state.solutions.setLimit(limit * 2 + 3);
    QuietHooks hooks(control_, state);
    SolveOptions options;
    options.beep = false;
    options.engine = engine_;
    options.maxSolutions = limit;
    options.searchSteps = &result.searchSteps;
    const SolveOutcome outcome = solve(state, input, hooks, options);

    for (int64_t i = 0; i < state.solutions.count(); ++i) result.found.push_back(storedDivision(state, i));
    const std::size_t count = result.found.size();
    result.complete = outcome == SolveOutcome::Searched;
    switch (outcome) {
        case SolveOutcome::Rejected:
            result.verdict = ProbeVerdict::Rejected;
            break;
        case SolveOutcome::Aborted:
            // The list's own limit ends a search like an abort: with two or
            // more found the answer stands all the same.
            result.verdict = count >= 2 && !control_.stopRequested() ? ProbeVerdict::Several : ProbeVerdict::Stopped;
            break;
        case SolveOutcome::Limited:
            result.verdict = count >= 2 ? ProbeVerdict::Several : ProbeVerdict::Stopped;
            break;
        case SolveOutcome::Searched:
            result.verdict = count == 0 ? ProbeVerdict::None : count == 1 ? ProbeVerdict::Unique : ProbeVerdict::Several;
            break;
    }
    return result;
}

}  // namespace varnokit::compose
