// The fast search engine behind searchFast: the enumeration of
// fast_search_engine finds the candidates, each passes through the reference
// search's own path and then acceptSolution, block by block, so the solution
// list, its order and the count shown are those of the reference search.
#include "solver/fast_search_engine.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_replay.h"
#include "solver/search.h"

namespace varnokit {

namespace {

class AcceptingSink : public fast::CandidateSink {
public:
    explicit AcceptingSink(SearchContext& context) : context_(context) {}

    void block(const std::vector<fast::Candidate>& sorted) override { accept(sorted); }
    void progress() override { progressCheck(context_); }

    // Between progress steps the window still gets to run its input now and
    // then, so that Abort is seen within a fraction of a second.
    void poll() override { pollInput(context_); }  // raises SearchAborted

private:
    void accept(const std::vector<fast::Candidate>& sorted) {
        for (const fast::Candidate& c : sorted) {
            const LetterBindings before = context_.state.letters;
            if (fast::replayReferencePath(context_, c.divisor, c.quotient)) {
                acceptSolution(context_, c.divisor, c.quotient);
            }
            context_.state.letters = before;
        }
    }

    SearchContext& context_;
};

}  // namespace

void searchFast(SearchContext& context) {
    fast::Puzzle puzzle;
    fast::buildPuzzle(context.state, puzzle);
    AcceptingSink sink(context);
    const fast::EnumerationStats stats = fast::enumerateCandidates(puzzle, sink);
    context.stats.nodes += stats.nodes;
}

}  // namespace varnokit
