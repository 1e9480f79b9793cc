// Memory cells, clipboard and the instrument clock on the main window.
#include "app/TFMain.h"

namespace lmr {

void TFMain::ButtonReadMemoClick() {}
void TFMain::Button1Click() {}
void TFMain::ButtonSaveClick() {}
void TFMain::TimerDataVremyTimer() { RefreshClockFields(); }

}  // namespace lmr
