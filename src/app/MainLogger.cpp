// Logger download and view on the main window.
#include "app/TFMain.h"

namespace lmr {

void TFMain::ButtonZagruzitClick() {}
void TFMain::ComboBoxZChange() {}

}  // namespace lmr
