// Drawing and erasing the progress bar; the caller writes the returned text.
#include "cli/progress_bar.h"

namespace varnokit::cli {

namespace {
constexpr int kMaximum = 100;  // the bar's range is 0 … 100, one per progress check
}

ProgressBar::ProgressBar(bool enabled, double delaySeconds, int width)
    : enabled_(enabled), delay_(delaySeconds), width_(width) {}

void ProgressBar::reset(double now) {
    start_ = now;
    position_ = 0;
}

std::string ProgressBar::step(double now) {
    // The progress level is chosen for about a hundred checks; a few more
    // keep the bar full rather than wrapping it round.
    if (position_ < kMaximum) ++position_;
    if (!enabled_ || now - start_ < delay_) return {};
    drawn_ = true;
    return render();
}

std::string ProgressBar::finish() {
    if (!drawn_) return {};
    drawn_ = false;
    // Blank out "\r[" + bar + "] 100%" and return to the line's start.
    return "\r" + std::string(static_cast<std::size_t>(width_) + 7, ' ') + "\r";
}

std::string ProgressBar::render() const {
    const int filled = position_ * width_ / kMaximum;
    std::string bar = "\r[";
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(width_ - filled), '.');
    std::string percent = std::to_string(position_);
    bar += "] " + std::string(3 - percent.size(), ' ') + percent + "%";
    return bar;
}

}  // namespace varnokit::cli
