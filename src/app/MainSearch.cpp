// Instrument identification on the main window; the search itself runs on
// the search thread.
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "link/Identify.h"

namespace lmr {

void TFMain::TimerDetektTimer() {
    // A tick that comes while the identification runs leaves it to finish.
    if (identifying_) return;
    if (!search_.PortFound()) {
        SetPanelText(3, QString::fromUtf8(kNotFound));
        return;
    }
    // The search gives the port up before the identification uses it.
    search_.Suspend();
    const int port = search_.PortNumber();
    SetPanelText(0, QString::fromStdString(search_.PortText()));
    const std::string path = link_.Ports().PathOf(port).value_or(std::string());
    const std::string description = link_.Ports().Description(port);
    StatusPanels[0]->setToolTip(
        QString::fromStdString(description.empty() ? path : path + " — " + description));

    Identification id;
    identifying_ = true;
    RunExchange([&](const PostToWindow&) { id = Identify(link_, port); });
    identifying_ = false;
    if (Closing()) return;
    if (id.Lost) {
        // Nothing of a half answer is shown. The search starts again, and the first tick after
        // it found the meter identifies it.
        SetPanelText(3, QString::fromUtf8(kNoAnswer));
        search_.SearchAgain();
        return;
    }
    TimerDetekt->stop();
    identified_ = true;
    InstrumentCode = id.InstrumentCode;
    if (id.HeadAsked) {
        HeadCode = id.HeadCode;
        if (const auto head = HeadCaption(HeadCode)) {
            SetPanelText(2, QString::fromStdString(*head));
        }
    }
    if (!ModelCaption(InstrumentCode) && InstrumentCode != kModelWithHead) {
        // Some other device answered; say so rather than leave the search's success standing.
        SetPanelText(3, QString::fromUtf8(kUnknownInstrument).arg(InstrumentCode));
    }
    if (const auto model = ModelCaption(InstrumentCode)) {
        SetPanelText(1, QString::fromStdString(*model));
    }
    if (EnablesMeasurement(InstrumentCode)) {
        ButtonStartStop->setEnabled(true);
        emit MeasurementEnabled();
    }
}

bool TFMain::RefuseBeforeIdentification() {
    if (identified_) {
        return false;
    }
    SetPanelText(3, QString::fromUtf8(kNotFound));
    return true;
}

}  // namespace lmr
