// Instrument search and identification on the main window.
#include "app/TFMain.h"

namespace lmr {

void TFMain::TimerDetektTimer() {}

}  // namespace lmr
