#include "ui/screen_fit.h"

#include <algorithm>

namespace varnokit::ui {
namespace {

int fitted(int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength) return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

}  // namespace

QPoint fittedPosition(const QRect& frame, const QRect& available) {
    return {fitted(frame.x(), frame.width(), available.x(), available.width()),
            fitted(frame.y(), frame.height(), available.y(), available.height())};
}

}  // namespace varnokit::ui
