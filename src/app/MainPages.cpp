// Tab set, page change and the clock fields of the main window.
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "measure/Clock.h"

namespace lmr {

void TFMain::TabSetChange(int newTab) {
    // The tab set serves both pages: it switches the page in view between
    // its charts and its table.
    const int leaving = tabSetLeaving_;
    tabSetLeaving_ = newTab;
    StringGrid* grid = PageControl->currentIndex() == 0 ? StringGridD : StringGridL;
    if (leaving == 1) {
        grid->hide();
    } else {
        grid->show();
        grid->resize(646, 468);
        grid->raise();
    }
}

void TFMain::PageControlChange() {
    RefreshClockFields();
    // A grid on a page not in view is never "visible"; what counts is
    // whether the page shows it.
    if (PageControl->currentIndex() == 0) {
        TabSet->setCurrentIndex(StringGridD->isHidden() ? 0 : 1);
    } else if (PageControl->currentIndex() == 1) {
        TabSet->setCurrentIndex(StringGridL->isHidden() ? 0 : 1);
        SetPanelText(3, QString::fromUtf8(kBlank));
    }
}

void TFMain::RefreshClockFields() {
    const QDateTime now = appClock().now();
    // The spin boxes keep each value within their range (a year after 2100 shows 2100).
    CSpinEditChas->setValue(now.time().hour());
    CSpinEditMin->setValue(now.time().minute());
    CSpinEditDen->setValue(now.date().day());
    CSpinEditMes->setValue(now.date().month());
    CSpinEditGod->setValue(now.date().year());
}

}  // namespace lmr
