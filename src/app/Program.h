#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FormHelp.h"
#include "app/FormLogo.h"
#include "app/TFMain.h"
#include "app/WindowAdapters.h"
#include "link/PortTable.h"
#include "link/Unitcomport.h"
#include "app/AlarmTone.h"
#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"
#include "meter/session/MeterSession.h"
#include "windows/FormOptions.h"
#include "windows/FormStat.h"

namespace lmr {

struct ProgramOptions {
    // COM1, COM2, … as these devices; by default the machine's ports (LMR_PORTS or enumerated).
    std::optional<std::vector<PortTable::Port>> ports;
    // What sounds the alarm; by default the sound device, or the desktop beep without one.
    Tone* tone = nullptr;
    // Every byte of the link goes to this file (LMR_TRANSCRIPT); none when empty.
    std::string transcriptPath = {};
    // Where what the user set is kept between runs (an INI file); empty: nothing is kept.
    QString settingsFile = {};
};

// The process-wide objects of a running program, made in their order: the
// port table, the link, the worker that owns it and the search, the measurement data, then
// the main window, which hands the worker the search, then the statistics, options, splash,
// help, assessment and survey windows, hidden. Tests make one per test.
class Program {
public:
    explicit Program(ProgramOptions options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    [[nodiscard]] TFMain& FMain() const { return *fmain_; }
    [[nodiscard]] TFStat& FStat() const { return *fstat_; }
    [[nodiscard]] TFOptions& FOptions() const { return *foptions_; }
    [[nodiscard]] TFLogo& FLogo() const { return *flogo_; }
    [[nodiscard]] TFHelp& FHelp() const { return *fhelp_; }
    [[nodiscard]] TFAssess& FAssess() const { return *fassess_; }
    [[nodiscard]] TFSurvey& FSurvey() const { return *fsurvey_; }
    [[nodiscard]] Link& TheLink() const { return *link_; }
    [[nodiscard]] PortSearch& Search() const { return *search_; }
    [[nodiscard]] MeterWorker& Meter() const { return *meter_; }
    // The connection, the identified meter and the live measurement.
    [[nodiscard]] MeterSession& Session() const { return *session_; }
    // The measurement data of this run: the live readings and the logger page's records.
    [[nodiscard]] LiveSession& Live() const { return *live_; }
    [[nodiscard]] LoggerTable& Logger() const { return *logger_; }
    // Why the transcript asked for is not written, or stopped being written; empty when it is
    // or none was asked for.
    [[nodiscard]] const QString& TranscriptProblem() const { return transcriptProblem_; }

    // Said at start when LMR_PORTS names ports the search never reaches; empty otherwise.
    [[nodiscard]] QString PortsProblem() const;

    // Stops what still runs (a job of the worker, the tone) and joins the worker.
    void Shutdown();

private:
    void WireSecondaryWindows();
    void MakeSurveyWindow(const QString& settingsFile);
    void OpenTranscript(const std::string& path);
    // The windows' places for the next start.
    void KeepWindows();

    // What the user set, kept between runs; it outlives every window that writes to it.
    std::unique_ptr<QSettings> kept_;
    bool windowsKept_ = false;
    std::unique_ptr<PortTable> ports_;
    std::unique_ptr<Link> link_;
    // Carries the tone's and the transcript's news to the window's thread.
    std::unique_ptr<QObject> relay_;
    std::unique_ptr<PortSearch> search_;
    std::unique_ptr<MeterWorker> meter_;
    std::unique_ptr<LiveSession> live_;
    std::unique_ptr<LoggerTable> logger_;
    std::unique_ptr<MeterSession> session_;
    std::unique_ptr<Tone> ownTone_;
    std::unique_ptr<TFMain> fmain_;
    std::unique_ptr<TFStat> fstat_;
    std::unique_ptr<TFOptions> foptions_;
    std::unique_ptr<LiveStatistics> statistics_;
    std::unique_ptr<TFLogo> flogo_;
    std::unique_ptr<TFHelp> fhelp_;
    std::unique_ptr<MainAssessSource> assessSource_;
    std::unique_ptr<TFAssess> fassess_;
    std::unique_ptr<MainSurveyHost> surveyHost_;
    // Last: it records live readings until it goes.
    std::unique_ptr<TFSurvey> fsurvey_;
    QString transcriptProblem_;
};

}  // namespace lmr
