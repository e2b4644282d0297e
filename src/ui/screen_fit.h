// Where a window goes so that all of it is on the screen: its own place when
// it fits, otherwise moved just far enough, or to the top left corner of the
// screen's free area when it is larger than that area.
#pragma once

#include <QPoint>
#include <QRect>

namespace varnokit::ui {

// `frame` is the window with its frame, `available` the screen's free area.
QPoint fittedPosition(const QRect& frame, const QRect& available);

}  // namespace varnokit::ui
