// The search's progress bar on a terminal: drawn on standard error only once
// the search has run for a while, so quick puzzles leave no trace.
#pragma once

#include <string>

namespace varnokit::cli {

class ProgressBar {
public:
    // enabled: standard error is a terminal. Times are in seconds on any monotonic scale.
    explicit ProgressBar(bool enabled, double delaySeconds = 0.5, int width = 40);

    void reset(double now);          // the search starts: position 0
    std::string step(double now);    // one step; the text to write (empty: nothing to draw)
    std::string finish();            // the text that erases a drawn bar (empty if none)

    int position() const { return position_; }

private:
    std::string render() const;

    bool enabled_;
    double delay_;
    int width_;
    double start_ = 0;
    int position_ = 0;
    bool drawn_ = false;
};

}  // namespace varnokit::cli
