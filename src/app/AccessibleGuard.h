#pragma once

namespace lmr {

// Makes every scroll area answer a screen reader's question about a child it no longer has
// with nothing. Qt's own answer reads past its list: the list holds the viewport and only the
// scroll bars shown, so an index learnt before the window grew, or any index past the end,
// crashed the program. Call once the QApplication exists and before any window is asked.
void GuardAccessibleScrollAreas();

}  // namespace lmr
