#include "app/Program.h"

#include <QApplication>
#include <cerrno>
#include <cstdio>

#include "app/AccessibleGuard.h"
#include "app/MainTexts.h"
#include "core/LocalTimeZone.h"
#include "windows/AssessSettings.h"

namespace lmr {

namespace {

constexpr const char* kMainWindowKey = "windows/main";

const char* TranscriptReason(LinkStatus status) {
    switch (status) {
        case LinkStatus::NoAccess:
            return kTranscriptNoAccess;
        case LinkStatus::NoDevice:
            return kTranscriptNoFolder;
        default:
            return kTranscriptIoError;
    }
}

}  // namespace

Program::Program(ProgramOptions options) {
    ReadTimeZoneOnce();
    // Before any window is made, so that a screen reader never meets Qt's unguarded scroll areas.
    GuardAccessibleScrollAreas();
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    ports_ =
        options.ports ? std::make_unique<PortTable>(*options.ports) : std::make_unique<PortTable>();
    link_ = std::make_unique<Link>(*ports_);
    relay_ = std::make_unique<QObject>();
    if (!options.transcriptPath.empty()) {
        OpenTranscript(options.transcriptPath);
    }
    search_ = std::make_unique<PortSearch>();
    // After the transcript: its sink is set while no exchange runs.
    meter_ = std::make_unique<MeterWorker>(*link_);
    live_ = std::make_unique<LiveSession>();
    logger_ = std::make_unique<LoggerTable>();
    session_ = std::make_unique<MeterSession>(*link_, *meter_, *search_, *live_, *logger_);
    fmain_ = std::make_unique<TFMain>(*session_, *live_, *logger_);
    if (options.tone == nullptr) {
        ownTone_ = std::make_unique<AlsaTone>([this] {
            // Called on the tone thread: the desktop beep belongs to the window's thread.
            QMetaObject::invokeMethod(
                relay_.get(), [] { QApplication::beep(); }, Qt::QueuedConnection);
        });
    }
    fmain_->SetTone(options.tone != nullptr ? options.tone : ownTone_.get());
    fstat_ = std::make_unique<TFStat>();
    foptions_ = std::make_unique<TFOptions>();
    flogo_ = std::make_unique<TFLogo>();
    fhelp_ = std::make_unique<TFHelp>();
    for (QWidget* w : {static_cast<QWidget*>(fstat_.get()), static_cast<QWidget*>(foptions_.get()),
                       static_cast<QWidget*>(flogo_.get()), static_cast<QWidget*>(fhelp_.get())}) {
        // Only the main window's closing ends the program.
        w->setAttribute(Qt::WA_QuitOnClose, false);
    }
    fmain_->SetAuxWindows(fstat_.get(), foptions_.get(), flogo_.get(), fhelp_.get());
    assessSource_ = std::make_unique<MainAssessSource>(*live_, *logger_);
    fassess_ = std::make_unique<TFAssess>();
    fassess_->SetSource(assessSource_.get());
    fmain_->SetAssessWindow(fassess_.get());
    WireSecondaryWindows();
    MakeSurveyWindow(options.settingsFile);
}

void Program::MakeSurveyWindow(const QString& settingsFile) {
    if (!settingsFile.isEmpty()) {
        kept_ = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        KeepAssessInputs(*fassess_, *kept_);
    }
    surveyHost_ = std::make_unique<MainSurveyHost>(*fmain_);
    fsurvey_ = std::make_unique<TFSurvey>(*surveyHost_, kept_.get());
    fsurvey_->setAttribute(Qt::WA_QuitOnClose, false);
    fmain_->SetSurveyWindow(fsurvey_.get());
    fsurvey_->ReopenLast();
    QObject::connect(fmain_.get(), &TFMain::ClosingWindow, relay_.get(), [this] { KeepWindows(); });
    if (kept_) {
        const bool surveyShown = fsurvey_->RestoreWindow();
        fmain_->RestorePlace(kept_->value(QString::fromLatin1(kMainWindowKey)).toByteArray(),
                             surveyShown);
    }
}

void Program::KeepWindows() {
    if (windowsKept_ || !kept_ || !fmain_ || !fsurvey_) return;
    windowsKept_ = true;
    kept_->setValue(QString::fromLatin1(kMainWindowKey), fmain_->KeptPlace());
    fsurvey_->KeepWindow();
    kept_->sync();
}

Program::~Program() {
    Shutdown();
}

void Program::WireSecondaryWindows() {
    TFMain* m = fmain_.get();
    statistics_ = std::make_unique<LiveStatistics>(*live_);
    fstat_->SetSource(statistics_.get());
    session_->SetSettings(foptions_->Settings());
    QObject::connect(foptions_.get(), &TFOptions::SettingsChanged, session_.get(),
                     &MeterSession::SetSettings);
    QObject::connect(foptions_.get(), &TFOptions::ValueAxisMaxChanged, m, &TFMain::SetLoggerAxisMax);
    QObject::connect(foptions_.get(), &TFOptions::ValueAxisMinChanged, m, &TFMain::SetLoggerAxisMin);
    QObject::connect(foptions_.get(), &TFOptions::PointsShownChanged, m,
                     &TFMain::SetChartPointsShown);
    QObject::connect(m, &TFMain::MeasurementEnabled, foptions_.get(), &TFOptions::EnableLevels);
}

void Program::OpenTranscript(const std::string& path) {
    // Before the search starts: the sink is set while no exchange runs.
    LinkStatus status = LinkStatus::Ok;
    TranscriptSink sink = MakeTranscriptFileSink(path, &status, [this, path](int error) {
        // Runs on the thread of the exchange whose byte was not written: say it there on
        // standard error, and on panel 3 from the window's thread.
        const QString text =
            QString::fromUtf8(kTranscriptStopped)
                .arg(QString::fromStdString(path),
                     QString::fromUtf8(error == ENOSPC ? kTranscriptDiskFull : kTranscriptIoError));
        std::fprintf(stderr, "lmr: %s\n", text.toLocal8Bit().constData());
        QMetaObject::invokeMethod(
            relay_.get(),
            [this, text] {
                transcriptProblem_ = text;
                if (fmain_) fmain_->SetPanelText(3, text);
            },
            Qt::QueuedConnection);
    });
    if (sink) {
        link_->SetTranscript(std::move(sink));
        return;
    }
    transcriptProblem_ =
        QString::fromUtf8(kTranscriptNotWritten)
            .arg(QString::fromStdString(path), QString::fromUtf8(TranscriptReason(status)));
}

QString Program::PortsProblem() const {
    const int unreachable = ports_->UnreachableListed();
    if (unreachable == 0) return {};
    return QString::fromUtf8(kTooManyPorts).arg(ports_->Ports().size());
}

void Program::Shutdown() {
    // Text typed in the survey window and not yet written goes to its file.
    if (fsurvey_) fsurvey_->WritePending();
    // Where the main window's closing did not keep them already.
    KeepWindows();
    if (session_) session_->Close();
    if (fmain_) {
        fmain_->SetTone(nullptr);
    }
    ownTone_.reset();
}

}  // namespace lmr
