#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "link/Unitcomport.h"
#include "measure/CriticalLevel.h"
#include "measure/MeasurementSettings.h"
#include "meter/Identify.h"
#include "meter/LiveExchange.h"
#include "meter/LoggerDownload.h"
#include "meter/MeterStatus.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"
#include "meter/session/MeterJob.h"

namespace lmr {

// Where the connection with the meter stands.
enum class MeterState {
    Searching,    // the search tries COM1…COM8
    Identifying,  // a port answered: model and head are asked
    Ready,        // the meter is identified and no job of the session runs
    Busy,         // the meter is identified and a job runs (a reading, a download)
    Lost,         // its port went away: the search starts again at once
    Foreign,      // a device answered that is not the meter: nothing is sent to it
};

// The live measurement: off, armed for the timed mode's start minute, or taking readings.
enum class LiveMode { Off, Armed, Measuring };

// What the live measurement has to say (the window makes the text).
struct LiveNote {
    enum class Kind {
        Started,          // the probe answered: readings are taken
        Stopped,          // stopped by the user
        Armed,            // the timed mode waits for its start minute
        NoAnswerAtStart,  // the timed mode's probe went unanswered
        NoAnswer,         // the probe at the start went unanswered
        StartBusy,        // start asked during another job: its probe would find the link busy
        ReadingSkipped,   // a reading fell due during another job
        Reading,          // the reading's command is being sent
        Missed,           // the meter did not answer a reading: missed readings so far
        Implausible,      // the reading cannot be the meter's: channels
        GaveUp,           // the meter stayed away: awaySeconds, and the measurement ended
    };
    Kind kind = Kind::Started;
    int missed = 0;
    qint64 awaySeconds = 0;
    LiveChannels channels;
};

// One channel's critical level after a reading: hit None when it is not at its level.
struct LevelNote {
    AlarmChannel channel = AlarmChannel::Tv;
    LimitHit hit = LimitHit::None;
    float value = 0;
    QString limit;  // the limit as the user wrote it
};

// The program's side of the meter, without a window: the connection's cycle (search, identify,
// ready; lost, search again), the identified model and head, the live measurement with its
// timers, missed readings and alarms, the logger's download into the logger table and its data
// file. It hands the one worker its jobs and says what happened
// as typed signals on the thread it lives on; the windows show them.
class MeterSession final : public QObject {
    Q_OBJECT
public:
    MeterSession(Link& link, MeterWorker& worker, PortSearch& search, LiveSession& live,
                 LoggerTable& logger, QObject* parent = nullptr);

    // Hands the worker the search and starts looking for its outcome.
    void Start();
    // Hands the worker the search (queued behind a job that runs).
    void StartSearch();
    // Closing: the worker is stopped and joined; whatever it still hands on is dropped.
    void Close();
    [[nodiscard]] bool Closing() const { return closing_; }

    [[nodiscard]] Link& TheLink() const { return link_; }
    [[nodiscard]] MeterWorker& Worker() const { return worker_; }
    [[nodiscard]] PortSearch& Search() const { return search_; }
    // The port every exchange opens (the one the search found).
    [[nodiscard]] int PortNumber() const { return search_.PortNumber(); }

    [[nodiscard]] MeterState State() const { return state_; }
    // True once the meter has been identified; before that no exchange may use the link.
    [[nodiscard]] bool Identified() const {
        return state_ == MeterState::Ready || state_ == MeterState::Busy;
    }
    // The code of a device that answered but is not the meter.
    [[nodiscard]] std::optional<uint8_t> ForeignCode() const { return foreignCode_; }
    [[nodiscard]] uint8_t InstrumentCode() const { return instrumentCode_; }
    [[nodiscard]] uint8_t HeadCode() const { return headCode_; }
    // The captions of the model and head (UTF-8 texts of the meter's tables); empty when none.
    [[nodiscard]] QString ModelName() const;
    [[nodiscard]] QString HeadName() const;

    void SetSettings(const MeasurementSettings& settings);
    [[nodiscard]] const MeasurementSettings& Settings() const { return settings_; }

    // --- The connection ---
    // The detection tick: once the search found a port, the meter on it is identified.
    void DetectTick();
    // A job of the meter ended (the session's own, or a window's: cells, clock). A port gone
    // away starts the search again.
    void ReportJobEnd(JobKind job, MeterStatus status, int count = 0);

    // Hands the worker a job of the identified meter (refused while another runs: false, and
    // nothing runs); done gets its result on the session's thread, also after Close (a done
    // that shows something asks Closing() first). The state is Busy meanwhile.
    template <class Dialogue, class Done>
    [[nodiscard]] bool Submit(JobKind kind, Dialogue dialogue, Done done) {
        const bool taken = SubmitMeterJob(
            worker_, this, kind, WhenBusy::Refuse, std::move(dialogue),
            [this, done = std::move(done)](const auto& result) {
                done(result);
                JobDone();
            });
        if (taken) JobBegun();
        return taken;
    }

    // --- Live measurement ---
    [[nodiscard]] LiveMode Live() const { return liveMode_; }
    // Start, or stop when running; the timed mode when the settings say so.
    void StartStop();
    // The reading tick: one live reading, skipped while another job holds the link.
    void TakeReading();
    // The timed mode's tick: starts readings at the start minute, ends at the end minute.
    void PeriodTick();
    // One live reading of the three channels, taken now: the critical-level checks, then into
    // the live session.
    void PublishReading(float rh, float tv, float tsf, int missedBefore = 0);

    // --- The logger ---
    // Downloads the logger into the logger table, and every record as it arrives into a new
    // data file in folder. False when another job holds the link (said as the job's end).
    bool StartDownload(const QString& folder);
    // Asks the download to stop after the record in flight.
    void StopDownload() { worker_.Cancel(JobKind::Download); }
    [[nodiscard]] bool Downloading() const { return download_ != nullptr; }

    // The timers the session runs (the window knows them by these names).
    [[nodiscard]] QTimer* TimerDetekt() const { return detekt_; }
    [[nodiscard]] QTimer* TimerInterval() const { return interval_; }
    [[nodiscard]] QTimer* TimerPeriod() const { return period_; }

    // How long the meter may leave live readings unanswered before the measurement ends.
    static constexpr qint64 kLiveGiveUpSeconds = 60;

signals:
    void stateChanged(MeterState state);
    // A port tried by the search, and the tick that found none yet.
    void searchNote(const SearchNote& note);
    void stillSearching();
    // The search's port is being identified.
    void portFound(int port);
    // Model and head are known (State() is Ready).
    void identified();
    void foreignDevice(uint8_t code);
    // The port went away: nothing is identified any more.
    void portLost();
    void jobEnded(JobKind job, MeterStatus status, int count);
    void liveModeChanged(LiveMode mode);
    void liveNote(const LiveNote& note);
    void levelChecked(const LevelNote& note);
    // A ticked channel is at its level with the beep on.
    void alarm();
    // Records downloaded so far (in the logger table), and since when.
    void downloadProgress(int records, qint64 elapsedMs);
    // The download ended; fileError says why its records are not all in its data file (empty
    // when they are). A port gone away starts the search again after it.
    void downloadEnded(const DownloadResult& result, const QString& fileError);

private:
    void SetState(MeterState state);
    void JobBegun();
    void JobDone();
    void SetLiveMode(LiveMode mode);
    void FinishIdentification(const Identification& id);
    void LosePort();
    void SubmitProbe(const char* name, std::function<void(bool answered)> answered);
    void StartImmediate();
    void StartTimed();
    void FinishReading(const LiveChannels& r);
    void StopLive(qint64 awaySeconds);
    void CheckLevel(AlarmChannel c, float value);
    void Post(std::function<void()> fn);
    void TakeInDownloaded();
    void FinishDownload(const DownloadResult& result);

    Link& link_;
    MeterWorker& worker_;
    PortSearch& search_;
    LiveSession& live_;
    LoggerTable& logger_;
    MeasurementSettings settings_;
    MeterState state_ = MeterState::Searching;
    LiveMode liveMode_ = LiveMode::Off;
    std::optional<uint8_t> foreignCode_;
    uint8_t instrumentCode_ = 0;
    uint8_t headCode_ = 0;
    bool headAsked_ = false;
    bool closing_ = false;
    // Jobs handed to the worker by Submit and not yet ended.
    int jobsRunning_ = 0;
    QTimer* detekt_;
    QTimer* interval_;
    QTimer* period_;
    // Live readings not taken since the last one shown, and when the first of them was due.
    int liveMissed_ = 0;
    QDateTime liveMissedSince_;
    // When the armed timed mode last looked at the clock.
    QDateTime periodCheckedAt_;
    // The download running: what its thread hands over (null when none runs).
    struct DownloadInbox;
    std::shared_ptr<DownloadInbox> download_;
    QElapsedTimer downloadSince_;
    int downloadTaken_ = 0;
};

}  // namespace lmr
