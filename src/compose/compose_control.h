// What a composing command needs of the front end that runs it: a progress
// figure to show, a moment now and then to let the user's input run, and
// whether the user (or a time limit) asked it to stop.
#pragma once

namespace varnokit::compose {

class ComposeControl {
public:
    virtual ~ComposeControl() = default;
    // `done` of `total` steps of the command are finished.
    virtual void progress(int /*done*/, int /*total*/) {}
    // Called a few times a second at most: the window processes its input here.
    virtual void processPendingInput() {}
    // True once the command should stop (Abort, Ctrl-C, a timeout).
    virtual bool stopRequested() { return false; }
};

}  // namespace varnokit::compose
