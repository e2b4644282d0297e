// The typed puzzle as a value: the five input boxes and the problem file it
// came from. What "消去" and "問題読込" replace is kept as one, for undo, and
// the last one typed is kept between runs.
#pragma once

#include <QString>

namespace varnokit::ui {

struct PuzzleSnapshot {
    QString notes, divisor, quotient, body, condition;  // the boxes' whole texts
    QString fileName;  // the problem file it was loaded from or saved to; empty if none

    bool isEmpty() const {
        return notes.isEmpty() && divisor.isEmpty() && quotient.isEmpty() && body.isEmpty() &&
               condition.isEmpty();
    }
    bool samePuzzle(const PuzzleSnapshot& other) const {
        return notes == other.notes && divisor == other.divisor && quotient == other.quotient &&
               body == other.body && condition == other.condition;
    }
};

}  // namespace varnokit::ui
