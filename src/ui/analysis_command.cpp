// "一意解": the uniqueness analysis over the stored solutions, appended to
// the result log. Changes no button and no stored solution.
#include "analysis/uniqueness.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/text_edge.h"

namespace varnokit::ui {

// Both passes, and a line when neither finds anything. The log box shows
// four lines; a double click or Ctrl+L opens all of it in a larger window.
void TForm1::Button11Click() {
    Memo3->appendLines(fromCp932ForDisplay(analyseUniqueness(state_)));
    Memo3->scrollToTop();
}

}  // namespace varnokit::ui
