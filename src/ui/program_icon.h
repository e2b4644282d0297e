// The program's icon, drawn in code: a long-division bracket with hidden
// digits, used for the window and the About box.
#pragma once

#include <QPixmap>

namespace varnokit::ui {

QPixmap programIcon(int size = 64);

}  // namespace varnokit::ui
