// The meter session's connection on the main window's status bar: the search, the port found,
// the meter identified or lost, the end of a job.
#include "app/MainTexts.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"

namespace lmr {

void TFMain::Post(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void TFMain::ConnectSession() {
    MeterSession* s = &session_;
    connect(s, &MeterSession::searchNote, this, &TFMain::ShowSearchNote);
    connect(s, &MeterSession::stillSearching, this,
            [this] { ShowStillSearching(QString::fromUtf8(kNotFound)); });
    connect(s, &MeterSession::portFound, this, &TFMain::ShowPortFound);
    connect(s, &MeterSession::identified, this, &TFMain::ShowIdentified);
    connect(s, &MeterSession::foreignDevice, this, [this](uint8_t code) {
        SetPanelText(3, QString::fromUtf8(kUnknownInstrument).arg(code));
    });
    connect(s, &MeterSession::portLost, this, &TFMain::ShowPortLost);
    connect(s, &MeterSession::jobEnded, this, &TFMain::ShowJobEnd);
    connect(s, &MeterSession::liveModeChanged, this, &TFMain::ShowLiveMode);
    connect(s, &MeterSession::liveNote, this, &TFMain::ShowLiveNote);
    connect(s, &MeterSession::levelChecked, this, &TFMain::ShowLevelNote);
    connect(s, &MeterSession::downloadProgress, this, &TFMain::ShowDownloadProgress);
    connect(s, &MeterSession::downloadEnded, this, &TFMain::ShowDownloadEnd);
    connect(s, &MeterSession::alarm, this, [this] {
        if (tone_ != nullptr) tone_->Play(kAlarmHz, kAlarmMs);
    });
}

void TFMain::ShowSearchNote(const SearchNote& note) {
    // A port found again after a failed identification is no news either until the meter on
    // it is identified: the failure stays for the user to read.
    if (note.kind == SearchNote::Kind::Searching || note.kind == SearchNote::Kind::Found) {
        ShowStillSearching(SearchNoteText(note));
        return;
    }
    SetPanelText(3, SearchNoteText(note));
    panel3_ = Activity::Search;
}

void TFMain::ShowStillSearching(const QString& text) {
    // "Still searching" is no news: it leaves the last result on the panel (a refusal, a failed
    // identification, a lost port) for the user to read, and replaces only the search's texts.
    if (panel3_ == Activity::Result) return;
    SetPanelText(3, text);
    panel3_ = Activity::Search;
}

void TFMain::ShowPortFound(int port) {
    SetPanelText(0, QString::fromStdString(Search().PortText()));
    const std::string path = TheLink().Ports().PathOf(port).value_or(std::string());
    const std::string description = TheLink().Ports().Description(port);
    StatusPanels[0]->setToolTip(
        QString::fromStdString(description.empty() ? path : path + " — " + description));
}

void TFMain::ShowIdentified() {
    // The search's "found" gave way to an earlier failure: the news is the connection now.
    if (panel3_ != Activity::Search) SetPanelText(3, QString::fromUtf8(kConnected));
    const QString head = session_.HeadName();
    if (!head.isEmpty()) SetPanelText(2, head);
    const QString model = session_.ModelName();
    if (!model.isEmpty()) SetPanelText(1, model);
    if (EnablesMeasurement(session_.InstrumentCode())) {
        ButtonStartStop->setEnabled(true);
        emit MeasurementEnabled();
    }
}

bool TFMain::RefuseBeforeIdentification() {
    if (session_.Identified()) {
        return false;
    }
    // A device that answered but is not the meter is named, so the user knows what was found.
    const std::optional<uint8_t> foreign = session_.ForeignCode();
    SetPanelText(3, foreign ? QString::fromUtf8(kUnknownInstrument).arg(*foreign)
                            : QString::fromUtf8(kNotFound));
    return true;
}

QString TFMain::JobEndText(JobKind job, MeterStatus status, int count) const {
    const QString text = MeterStatusText(job, status, count);
    if (status != MeterStatus::Gone) return text;
    const int port = PortNumber();
    const QString gone = PortGoneText(port, TheLink().Ports().PathOf(port).value_or(std::string()));
    return text.isEmpty() ? gone : text + QStringLiteral(". ") + gone;
}

void TFMain::ShowJobEnd(JobKind job, MeterStatus status, int count) {
    SetPanelText(3, JobEndText(job, status, count));
}

void TFMain::ShowPortLost() {
    ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    ButtonStartStop->setEnabled(false);
    SetPanelText(0, QStringLiteral("COM*"));
    SetPanelText(1, QString());
    SetPanelText(2, QString());
}

}  // namespace lmr
