// Live measurement on the main window: start and stop, the timers, one reading.
#include "app/TFMain.h"

namespace lmr {

void TFMain::ButtonStartStopClick() {}
void TFMain::TimerIntervalTimer() { TakeReading(); }
void TFMain::TimerPeriodTimer() {}
void TFMain::TakeReading() {}
void TFMain::ButtonClearClick() {}

}  // namespace lmr
