// Qt's own texts (the file dialogs, the buttons of message boxes, the text
// boxes' context menus) in Japanese, like the rest of the window. They come
// from Debian's qt6-translations-l10n; without it they stay English.
#pragma once

namespace varnokit::ui {

// Installs Qt's Japanese translations into the application, once; false
// when they are not installed.
bool installQtTranslations();

}  // namespace varnokit::ui
