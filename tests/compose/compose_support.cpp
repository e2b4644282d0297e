#include "compose/compose_support.h"

namespace varnokit::testing {

compose::ProbeResult solveDraft(const compose::Draft& draft, int64_t limit) {
    TestControl control;
    compose::SolutionProbe probe(control);
    return probe.run(compose::draftInput(draft), limit);
}

compose::Draft withCell(const compose::Draft& draft, int cell, compose::CellState state) {
    compose::Draft changed = draft;
    changed.states[static_cast<std::size_t>(cell)] = state;
    return changed;
}

}  // namespace varnokit::testing
