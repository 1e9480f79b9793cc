// Menu commands and the splash timer of the main window.
#include "app/TFMain.h"

namespace lmr {

void TFMain::N5Click() { Toggle(FStat_); }
void TFMain::N6Click() { Toggle(FOptions_); }
void TFMain::N10Click() { Toggle(FAssess_); }
void TFMain::N7Click() { Toggle(FHelp_); }
void TFMain::N8Click() { Toggle(FLogo_); }
void TFMain::N9Click() { close(); }

void TFMain::TimerLogoTimer() {
    if (FLogo_ == nullptr) {
        return;
    }
    // The first tick, 1 s after start, shows the splash and lengthens the
    // interval; the second, 10 s later, shows it again and closes it for good.
    FLogo_->show();
    if (TimerLogo->interval() != 10000) {
        TimerLogo->setInterval(10000);
        return;
    }
    TimerLogo->stop();
    FLogo_->hide();
}

}  // namespace lmr
