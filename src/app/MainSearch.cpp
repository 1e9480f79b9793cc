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
    job.run = [this](Link& link) {
        (void)search_.Run(link, [this](const SearchNote& note) {
            Post([this, note] { ShowSearchNote(note); });
        });
    };
    // Queued: it follows the failed identification that asks for it.
    (void)meter_.Submit(std::move(job), WhenBusy::Queue);
}

void TFMain::ShowSearchNote(const SearchNote& note) {
    // A port found again after a failed identification is no news either until the meter on
    // it is identified: the failure stays for the user to read.
    if (note.kind == SearchNote::Kind::Searching || note.kind == SearchNote::Kind::Found) {
        ShowStillSearching(SearchNoteText(note));
        return;
    }
    SetPanelText(3, SearchNoteText(note));
    searchOwnsPanel3_ = true;
}

void TFMain::ShowStillSearching(const QString& text) {
    // "Still searching" is no news: it leaves the last result on the panel (a refusal, a failed
    // identification, a lost port) for the user to read, and replaces only the search's texts.
    if (!searchOwnsPanel3_ && !PanelText(3).isEmpty()) return;
    SetPanelText(3, text);
    searchOwnsPanel3_ = true;
}

void TFMain::TimerDetektTimer() {
    if (!search_.PortFound()) {
        ShowStillSearching(QString::fromUtf8(kNotFound));
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
            [port](Link& link) { return Identify(link, port); },
            [this](const Identification& id) { FinishIdentification(id); })) {
        TimerDetekt->stop();
    }
}

void TFMain::FinishIdentification(const Identification& id) {
    if (Closing()) return;
    if (id.status != MeterStatus::Ok) {
        // Nothing of a half answer is shown. The search starts again, and the first tick after
        // it found the meter identifies it.
        ShowJobEnd(JobKind::Identify, id.status);
        search_.SearchAgain();
        StartSearch();
        TimerDetekt->start();
        return;
    }
    if (!ModelCaption(id.InstrumentCode) && id.InstrumentCode != kModelWithHead) {
        // Some other device answered: it is named, and no exchange goes to it.
        unknownCode_ = id.InstrumentCode;
        SetPanelText(3, QString::fromUtf8(kUnknownInstrument).arg(id.InstrumentCode));
        return;
    }
    identified_ = true;
    // The search's "found" gave way to an earlier failure: the news is the connection now.
    if (!searchOwnsPanel3_) SetPanelText(3, QString::fromUtf8(kConnected));
    InstrumentCode = id.InstrumentCode;
    if (id.HeadAsked) {
        HeadCode = id.HeadCode;
        if (const auto head = HeadCaption(HeadCode)) {
            SetPanelText(2, QString::fromStdString(*head));
        }
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
    // A device that answered but is not the meter is named, so the user knows what was found.
    SetPanelText(3, unknownCode_ ? QString::fromUtf8(kUnknownInstrument).arg(*unknownCode_)
                                 : QString::fromUtf8(kNotFound));
    return true;
}

void TFMain::ShowJobEnd(JobKind job, MeterStatus status, int count) {
    const QString text = MeterStatusText(job, status, count);
    if (status != MeterStatus::Gone) {
        SetPanelText(3, text);
        return;
    }
    const int port = PortNumber();
    const QString gone = PortGoneText(port, link_.Ports().PathOf(port).value_or(std::string()));
    SetPanelText(3, text.isEmpty() ? gone : text + QStringLiteral(". ") + gone);
    if (identified_) LosePort();
}

void TFMain::LosePort() {
    // The adapter may come back under another device name: the search lists the ports again
    // on every pass, and the meter found is identified anew.
    identified_ = false;
    TimerPeriod->stop();
    TimerInterval->stop();
    ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    ButtonStartStop->setEnabled(false);
    SetPanelText(0, QStringLiteral("COM*"));
    SetPanelText(1, QString());
    SetPanelText(2, QString());
    search_.SearchAgain();
    StartSearch();
    TimerDetekt->start();
}

}  // namespace lmr
