// The reference search's quotient phase for a divisor when the final
// remainder is open: the shared phase of open_remainder.h, with the
// reference's node count, progress check and acceptance.
#include "solver/open_remainder.h"
#include "solver/search.h"

namespace varnokit {
namespace {

struct ReferenceSteps {
    SearchContext& context;
    Int128 divisor;

    // Every 1024 steps the user's input gets a chance to run (see pollInput).
    bool step() {
        if ((++context.stats.nodes & 0x3FF) == 0) pollInput(context);
        return true;
    }
    void atQuotient(int k) {
        if (k == context.progressLevel - 100) progressCheck(context);
    }
    bool allows(int, int) const { return true; }
    void found(Int128 quotient, Int128 remainder) {
        context.state.work.rows[kRemainderRow].value = remainder;
        acceptSolution(context, divisor, quotient);
    }
};

}  // namespace

void searchOpenRemainder(SearchContext& context, Int128 divisor) {
    ReferenceSteps steps{context, divisor};
    OpenRemainderQuotients<Int128, ReferenceSteps> phase(context.state.work, context.state.letters,
                                                         cellRules(context), steps);
    phase.search(divisor);
    context.state.work.rows[kRemainderRow].value = 0;
}

}  // namespace varnokit
