// The search and the instrument identification on the main window; both run as jobs of the
// meter's worker.
#include "app/MainTexts.h"
#include "app/MeterJob.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"

namespace lmr {

void TFMain::Post(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void TFMain::StartSearch() {
    MeterWorker::Job job;
    job.kind = JobKind::Search;
    job.run = [this](Link& link, const std::atomic<bool>& cancel) {
        (void)search_.Run(link, cancel, [this](const SearchNote& note) {
            const QString text = SearchNoteText(note);
            Post([this, text] { SetPanelText(3, text); });
        });
    };
    // Queued: it follows the failed identification that asks for it.
    (void)meter_.Submit(std::move(job), WhenBusy::Queue);
}

void TFMain::TimerDetektTimer() {
    if (!search_.PortFound()) {
        SetPanelText(3, QString::fromUtf8(kNotFound));
        return;
    }
    // The identification asked for earlier has not ended yet.
    if (!meter_.Idle()) return;
    const int port = search_.PortNumber();
    SetPanelText(0, QString::fromStdString(search_.PortText()));
    const std::string path = link_.Ports().PathOf(port).value_or(std::string());
    const std::string description = link_.Ports().Description(port);
    StatusPanels[0]->setToolTip(
        QString::fromStdString(description.empty() ? path : path + " — " + description));
    // The ticks wait for the outcome: it starts them again when the meter was not identified.
    if (SubmitMeterJob(
            meter_, this, JobKind::Identify, WhenBusy::Refuse,
            [port](Link& link, const std::atomic<bool>&) { return Identify(link, port); },
            [this](const Identification& id) { FinishIdentification(id); })) {
        TimerDetekt->stop();
    }
}

void TFMain::FinishIdentification(const Identification& id) {
    if (Closing()) return;
    if (id.status != MeterStatus::Ok) {
        // Nothing of a half answer is shown. The search starts again, and the first tick after
        // it found the meter identifies it.
        SetPanelText(3, MeterStatusText(JobKind::Identify, id.status));
        search_.SearchAgain();
        StartSearch();
        TimerDetekt->start();
        return;
    }
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
