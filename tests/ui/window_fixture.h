// Helpers shared by the window tests: a fresh window on a fake desktop,
// box contents as UTF-8 lines, and stored solutions built by hand.
#pragma once

#include <QStringList>
#include <memory>

#include "fake_desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"

namespace varnokit::testing {

// What a new window finds in the settings: nothing (the usual start), or
// what the windows before it left there.
enum class Settings { Forget, Keep };

struct WindowFixture {
    FakeDesktop desktop;
    std::unique_ptr<ui::TForm1> window;

    explicit WindowFixture(Settings settings = Settings::Forget);
    ui::TForm1& w() { return *window; }
};

// Fills `state` as a Solve of the worked example's layout would (divisor 2
// cells, quotient 2, body 936 / 84 / ␣96 / ␣96 / 0) and stores the given
// (divisor, quotient) pairs as its solutions, the first one current.
void storeWorkedExampleSolutions(PuzzleState& state,
                                 std::initializer_list<std::pair<int64_t, int64_t>> solutions);

// Types a 12-digit divisor and a 6-digit quotient, every cell '*', into the
// boxes: a search of years, which only Abort or Exit ends. (A puzzle the
// engine solves in under 100 ms never lets input through: no timer or key
// of a test runs during its search.)
void typeEndlessSearch(ui::TForm1& window);

// The enabled state of Button4 … Button7 as a four-letter string, e.g. "--++".
QString navigationState(ui::TForm1& window);

}  // namespace varnokit::testing
