// The three fonts of the window, named explicitly: a fixed-pitch Japanese
// font in which a full-width character is exactly two half-width columns,
// its proportional sister, and a serif face for the maker's notice.
#pragma once

#include <QFont>

namespace varnokit::ui {

QFont fixedFont(int pixelSize);         // IPAGothic: boxes, buttons, most labels
QFont proportionalFont(int pixelSize);  // IPAPGothic: section titles, About box
QFont serifFont(int pixelSize);         // C059 (a Century face), DejaVu Serif if missing

}  // namespace varnokit::ui
