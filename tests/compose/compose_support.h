// Test support for the composing commands: a control that never stops (or
// stops when told), and quick ways to solve a draft.
#pragma once

#include <memory>

#include "compose/compose_control.h"
#include "compose/draft.h"
#include "compose/solution_probe.h"
#include "model/puzzle_state.h"

namespace varnokit::testing {

class TestControl : public compose::ComposeControl {
public:
    void progress(int done, int total) override {
        ++progressCalls;
        lastDone = done;
        lastTotal = total;
    }
    bool stopRequested() override { return stopAfterPolls >= 0 && ++polls > stopAfterPolls; }

    int progressCalls = 0;
    int lastDone = -1;
    int lastTotal = -1;
    int polls = 0;
    int stopAfterPolls = -1;  // -1: never stop
};

// Solves the draft's puzzle as typed into the boxes, keeping up to `limit` solutions.
compose::ProbeResult solveDraft(const compose::Draft& draft, int64_t limit = 1000);

// The draft's puzzle with one more cell given `state`.
compose::Draft withCell(const compose::Draft& draft, int cell, compose::CellState state);

}  // namespace varnokit::testing
