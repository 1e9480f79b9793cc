#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

#include "SimPort.h"
#include "WaitFor.h"
#include "data/DataFile.h"
#include "measure/Clock.h"
#include "meter/session/MeterSession.h"

namespace lmr::test {
namespace {

using JobEnd = std::tuple<JobKind, MeterStatus, int>;

// A meter session over simulated ports, with a test clock, recording what it says.
struct Rig {
    explicit Rig(std::vector<sim::Options> meters = {sim::Options{}})
        : ports(std::move(meters)),
          worker(ports.link()),
          session(ports.link(), worker, search, live, logger) {
        setAppClock(&clock);
        QObject::connect(&session, &MeterSession::stateChanged,
                         [this](MeterState s) { states.push_back(s); });
        QObject::connect(&session, &MeterSession::jobEnded,
                         [this](JobKind j, MeterStatus s, int n) { ends.emplace_back(j, s, n); });
        QObject::connect(&session, &MeterSession::liveNote,
                         [this](const LiveNote& n) { notes.push_back(n); });
        QObject::connect(&session, &MeterSession::levelChecked,
                         [this](const LevelNote& n) { levels.push_back(n); });
        QObject::connect(&session, &MeterSession::alarm, [this] { ++alarms; });
        QObject::connect(&session, &MeterSession::portLost, [this] { ++lost; });
        QObject::connect(&session, &MeterSession::downloadEnded,
                         [this](const DownloadResult& r, const QString& error) {
                             downloaded = r;
                             fileError = error;
                         });
    }
    ~Rig() {
        session.Close();
        setAppClock(nullptr);
    }

    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
        return test::WaitFor(condition, timeoutMs);
    }
    // Until no job but the search is left and every end has been handed on.
    void Settle() {
        const auto done = [this] {
            const std::optional<JobKind> job = worker.Current();
            return !job || *job == JobKind::Search;
        };
        do {
            WaitFor(done, 10000);
            QCoreApplication::sendPostedEvents();
        } while (!done());
    }
    // Runs the detection tick until it hands the worker the identification (a tick while the
    // search's job is still handing its end on waits for the next, as the timer's ticks do),
    // then waits for its outcome.
    bool Identify() {
        if (!WaitFor([this] {
                if (search.PortFound()) session.DetectTick();
                return !session.TimerDetekt()->isActive();
            }))
            return false;
        Settle();
        return session.Identified();
    }
    // Starts the session and identifies the meter its search finds.
    bool Ready() {
        session.Start();
        return Identify();
    }
    void Run(void (MeterSession::*step)()) {
        (session.*step)();
        Settle();
    }
    void At(int h, int m, int s = 0) { clock.set(QDateTime(QDate(2009, 4, 7), QTime(h, m, s))); }
    [[nodiscard]] LiveNote::Kind LastNote() const { return notes.back().kind; }

    SimPorts ports;
    TestClock clock{QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45))};
    PortSearch search;
    MeterWorker worker;
    LiveSession live;
    LoggerTable logger;
    MeterSession session;
    std::vector<MeterState> states;
    std::vector<JobEnd> ends;
    std::vector<LiveNote> notes;
    std::vector<LevelNote> levels;
    int alarms = 0;
    int lost = 0;
    std::optional<DownloadResult> downloaded;
    QString fileError;
};

sim::Options Meter(uint8_t model, uint8_t head = 0) {
    sim::Options o;
    o.model = model;
    o.head = head;
    o.rh = 500;
    o.air = 250;
    o.globe = 300;
    return o;
}

TEST(MeterSession, SearchIdentifyReadyForEachModelAndHead) {
    struct Case {
        uint8_t model, head;
        MeterState state;
        const char* modelName;
        const char* headName;
    };
    const Case cases[] = {
        {24, 0, MeterState::Ready, "ВЕГ/72", ""},
        {23, 0, MeterState::Ready, "ВЕГ/71", ""},
        {65, 0, MeterState::Ready, "", "нет"},
        {65, 1, MeterState::Ready, "", "гол.2"},
        {65, 2, MeterState::Ready, "", "гол.1"},
        {65, 7, MeterState::Ready, "", ""},
        {255, 0, MeterState::Foreign, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << int(c.model) << " head " << int(c.head));
        Rig r({Meter(c.model, c.head)});
        EXPECT_EQ(r.Ready(), c.state == MeterState::Ready);
        const std::vector<MeterState> cycle = {MeterState::Identifying, c.state};
        EXPECT_EQ(r.states, cycle);
        EXPECT_EQ(r.session.State(), c.state);
        EXPECT_EQ(r.session.ModelName(), QString::fromUtf8(c.modelName));
        EXPECT_EQ(r.session.HeadName(), QString::fromUtf8(c.headName));
        // The ticks wait for the identification's outcome; a meter found needs no more.
        EXPECT_FALSE(r.session.TimerDetekt()->isActive());
        if (c.state == MeterState::Ready) {
            EXPECT_EQ(r.session.InstrumentCode(), c.model);
            EXPECT_FALSE(r.session.ForeignCode());
        } else {
            EXPECT_EQ(r.session.ForeignCode(), std::optional<uint8_t>(c.model));
            // Nothing goes to a device that is not the meter.
            r.ports.Clear();
            r.Run(&MeterSession::StartStop);
            r.Run(&MeterSession::TakeReading);
            EXPECT_TRUE(r.ports.HostBytes().empty());
        }
    }
}

TEST(MeterSession, FailedIdentificationSearchesAgainAndAPortGoneIsLostAndSearchedFor) {
    // COM1 vanishes in the middle of a reading; the search finds the meter on COM2.
    sim::Options first = Meter(24);
    Rig r({first, Meter(23)});
    ASSERT_TRUE(r.Ready());
    ASSERT_EQ(r.session.PortNumber(), 1);
    r.Run(&MeterSession::StartStop);
    ASSERT_EQ(r.session.Live(), LiveMode::Measuring);
    r.ports.Meter(1).Configure([](sim::Options& o) { o.vanishAfter = 3; });
    r.states.clear();
    r.Run(&MeterSession::TakeReading);
    EXPECT_EQ(r.ends.back(), JobEnd(JobKind::Reading, MeterStatus::Gone, 0));
    EXPECT_EQ(r.lost, 1);
    EXPECT_EQ(r.session.Live(), LiveMode::Off);
    EXPECT_FALSE(r.session.TimerInterval()->isActive());
    EXPECT_FALSE(r.session.Identified());
    EXPECT_TRUE(r.session.TimerDetekt()->isActive());
    const std::vector<MeterState> lost = {MeterState::Busy, MeterState::Lost,
                                          MeterState::Searching};
    EXPECT_EQ(r.states, lost);
    ASSERT_TRUE(r.Identify());
    EXPECT_EQ(r.session.State(), MeterState::Ready);
    EXPECT_EQ(r.session.PortNumber(), 2);
    EXPECT_EQ(r.session.ModelName(), QString::fromUtf8("ВЕГ/71"));

    // A meter that answers the search's probe but not the identification: searched for again.
    sim::Options mute = Meter(24);
    mute.silentAfter = 1;
    Rig s({mute});
    EXPECT_FALSE(s.Ready());
    EXPECT_EQ(std::get<0>(s.ends.back()), JobKind::Identify);
    EXPECT_EQ(s.session.State(), MeterState::Searching);
    EXPECT_TRUE(s.session.TimerDetekt()->isActive());
}

TEST(MeterSession, LiveStartsAndStopsWithTheProbeAndReadingsReachTheLiveSession) {
    Rig r({Meter(24)});
    ASSERT_TRUE(r.Ready());
    r.ports.Clear();
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.LastNote(), LiveNote::Kind::Started);
    EXPECT_EQ(r.session.Live(), LiveMode::Measuring);
    EXPECT_TRUE(r.session.TimerInterval()->isActive());
    EXPECT_EQ(r.ports.HostBytes(), "H55 I0");
    r.Run(&MeterSession::TakeReading);
    ASSERT_EQ(r.live.Count(), 1);
    EXPECT_FLOAT_EQ(r.live.At(0).rh, 50.0f);
    EXPECT_FLOAT_EQ(r.live.At(0).tv, 25.0f);
    EXPECT_FLOAT_EQ(r.live.At(0).tsf, 30.0f);
    EXPECT_EQ(r.live.At(0).model, 24);
    EXPECT_EQ(r.live.At(0).when, r.clock.now());
    EXPECT_EQ(r.session.State(), MeterState::Ready);
    // The stop has a probe of its own, which needs no answer.
    r.ports.Clear();
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.LastNote(), LiveNote::Kind::Stopped);
    EXPECT_EQ(r.session.Live(), LiveMode::Off);
    EXPECT_FALSE(r.session.TimerInterval()->isActive());
    EXPECT_EQ(r.ports.HostBytes().substr(0, 3), "H55");

    // A silent meter: the start says so and nothing runs.
    r.ports.Meter().Configure([](sim::Options& o) { o.silent = true; });
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.LastNote(), LiveNote::Kind::NoAnswer);
    EXPECT_EQ(r.session.Live(), LiveMode::Off);
}

TEST(MeterSession, MissedReadingsAreCountedUntilTheMeterStaysAwayAMinute) {
    Rig r({Meter(24)});
    ASSERT_TRUE(r.Ready());
    r.Run(&MeterSession::StartStop);
    // Falls silent after the probe answer, the answer to 163 and three data bytes.
    r.ports.Meter().Configure([](sim::Options& o) { o.silentAfter = 5; });
    struct Step {
        qint64 advance;
        LiveNote::Kind note;
        int missed;
        LiveMode mode;
    };
    const Step steps[] = {
        {0, LiveNote::Kind::Missed, 1, LiveMode::Measuring},
        {59, LiveNote::Kind::Missed, 2, LiveMode::Measuring},
        {2, LiveNote::Kind::GaveUp, 0, LiveMode::Off},
    };
    for (const Step& s : steps) {
        r.clock.advanceSeconds(s.advance);
        r.Run(&MeterSession::TakeReading);
        EXPECT_EQ(r.LastNote(), s.note);
        EXPECT_EQ(r.notes.back().missed, s.missed);
        EXPECT_EQ(r.session.Live(), s.mode);
    }
    EXPECT_EQ(r.notes.back().awaySeconds, 61);
    EXPECT_FALSE(r.session.TimerPeriod()->isActive());
    EXPECT_EQ(r.live.Count(), 0);
    EXPECT_FALSE(r.ports.link().IsOpen());

    // The reading after a gap says how many were missed before it.
    r.Run(&MeterSession::StartStop);
    r.Run(&MeterSession::TakeReading);
    r.ports.Meter().Configure([](sim::Options& o) { o.silentAfter = -1; });
    r.Run(&MeterSession::TakeReading);
    ASSERT_EQ(r.live.Count(), 1);
    EXPECT_EQ(r.live.At(0).missedBefore, 1);

    // Readings the meter cannot give are not taken, and count as missed.
    r.ports.Meter().Configure([](sim::Options& o) { o.rh = 17515; });
    r.Run(&MeterSession::TakeReading);
    EXPECT_EQ(r.LastNote(), LiveNote::Kind::Implausible);
    EXPECT_FLOAT_EQ(r.notes.back().channels.rh, 1751.5f);
    EXPECT_EQ(r.live.Count(), 1);
}

TEST(MeterSession, TimedModeStartsAtTheStartMinuteAndEndsAtTheEnd) {
    struct Tick {
        int h, m, s;
        LiveMode mode;
    };
    struct Case {
        const char* name;
        std::optional<QTime> start, end;
        QTime armedAt;
        std::vector<Tick> ticks;
    };
    const Case cases[] = {
        {"start then end", QTime(9, 30), QTime(9, 32), QTime(9, 0),
         {{9, 29, 50, LiveMode::Armed},
          {9, 30, 10, LiveMode::Measuring},
          {9, 30, 30, LiveMode::Measuring},
          {9, 32, 0, LiveMode::Off}}},
        {"clock set back, then forward past the end", QTime(9, 30), QTime(9, 32), QTime(9, 0),
         {{9, 30, 10, LiveMode::Measuring},
          {9, 20, 0, LiveMode::Measuring},
          {9, 31, 0, LiveMode::Measuring},
          {9, 47, 0, LiveMode::Off}}},
        {"armed after the day's end: tomorrow's", QTime(9, 0), QTime(9, 40), QTime(9, 50),
         {{9, 50, 20, LiveMode::Armed}}},
        {"equal times start and end in one tick", QTime(10, 0), QTime(10, 0), QTime(9, 0),
         {{10, 0, 5, LiveMode::Off}}},
        {"no times never match", std::nullopt, std::nullopt, QTime(1, 0),
         {{1, 39, 0, LiveMode::Armed}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r({Meter(24)});
        ASSERT_TRUE(r.Ready());
        MeasurementSettings settings;
        settings.timed = true;
        settings.start = c.start;
        settings.end = c.end;
        r.session.SetSettings(settings);
        r.At(c.armedAt.hour(), c.armedAt.minute());
        r.Run(&MeterSession::StartStop);
        EXPECT_EQ(r.LastNote(), LiveNote::Kind::Armed);
        EXPECT_EQ(r.session.Live(), LiveMode::Armed);
        for (const Tick& t : c.ticks) {
            r.At(t.h, t.m, t.s);
            r.session.PeriodTick();
            EXPECT_EQ(r.session.Live(), t.mode) << t.h << ":" << t.m << ":" << t.s;
            EXPECT_EQ(r.session.TimerInterval()->isActive(), t.mode == LiveMode::Measuring);
            EXPECT_EQ(r.session.TimerPeriod()->isActive(), t.mode != LiveMode::Off);
        }
    }
}

TEST(MeterSession, TimedModeStopsOnTheNextStartStopAndASilentMeterLeavesItOff) {
    Rig r({Meter(24)});
    ASSERT_TRUE(r.Ready());
    // Ticking the timed mode while measuring arms it without stopping the readings.
    r.Run(&MeterSession::StartStop);
    MeasurementSettings timed;
    timed.timed = true;
    r.session.SetSettings(timed);
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.session.Live(), LiveMode::Measuring);
    EXPECT_TRUE(r.session.TimerPeriod()->isActive());
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.session.Live(), LiveMode::Off);
    EXPECT_FALSE(r.session.TimerInterval()->isActive());
    EXPECT_FALSE(r.session.TimerPeriod()->isActive());

    r.ports.Meter().Configure([](sim::Options& o) { o.silent = true; });
    r.Run(&MeterSession::StartStop);
    EXPECT_EQ(r.LastNote(), LiveNote::Kind::NoAnswerAtStart);
    EXPECT_EQ(r.session.Live(), LiveMode::Off);
}

TEST(MeterSession, LevelsOfEachReadingAndTheAlarm) {
    const auto limit = [](double v, const char* written) {
        return std::optional<LimitValue>(LimitValue{v, QString::fromUtf8(written)});
    };
    struct Case {
        AlarmChannel channel;
        ChannelLimits limits;
        bool beep;
        LimitHit hit;
        const char* quoted;
        int alarms;
    };
    // The meter reads tв 25, RH 50, tсф 30.
    const Case cases[] = {
        {AlarmChannel::Tv, {true, limit(0, "0.0"), limit(0, "0.0")}, true, LimitHit::Max, "0.0", 1},
        {AlarmChannel::Rh, {true, limit(25.5, "25,5"), limit(10, "10")}, true, LimitHit::Max,
         "25,5", 1},
        {AlarmChannel::Tsf, {true, limit(40, "40.0"), limit(10, "10.0")}, true, LimitHit::None,
         "", 0},
        {AlarmChannel::Tv, {true, std::nullopt, limit(30, "30")}, true, LimitHit::Min, "30", 1},
        {AlarmChannel::Tv, {true, limit(0, "0"), std::nullopt}, false, LimitHit::Max, "0", 0},
        {AlarmChannel::Rh, {false, limit(0, "0"), limit(0, "0")}, true, LimitHit::None, "", 0},
    };
    Rig r({Meter(24)});
    ASSERT_TRUE(r.Ready());
    for (const Case& c : cases) {
        MeasurementSettings settings;
        settings.Limits(c.channel) = c.limits;
        settings.beep = c.beep;
        r.session.SetSettings(settings);
        r.levels.clear();
        r.alarms = 0;
        r.Run(&MeterSession::TakeReading);
        // Every channel is checked with every reading, the others at no level.
        ASSERT_EQ(r.levels.size(), 3u);
        for (const LevelNote& l : r.levels) {
            if (l.channel != c.channel) {
                EXPECT_EQ(l.hit, LimitHit::None);
                continue;
            }
            EXPECT_EQ(l.hit, c.hit) << static_cast<int>(c.channel);
            EXPECT_EQ(l.limit, QString::fromUtf8(c.quoted));
        }
        EXPECT_EQ(r.alarms, c.alarms) << static_cast<int>(c.channel);
    }
}

TEST(MeterSession, DownloadGoesIntoTheLoggerTableAndItsDataFile) {
    sim::Options o = Meter(24);
    o.logger = sim::LoggerFromCount(25);
    Rig r({o});
    ASSERT_TRUE(r.Ready());
    QTemporaryDir folder;
    ASSERT_TRUE(r.session.StartDownload(folder.path()));
    EXPECT_TRUE(r.session.Downloading());
    // Another job is refused meanwhile, and says so.
    EXPECT_FALSE(r.session.StartDownload(folder.path()));
    EXPECT_EQ(r.ends.back(), JobEnd(JobKind::Download, MeterStatus::Busy, 0));
    r.Settle();
    EXPECT_FALSE(r.session.Downloading());
    ASSERT_TRUE(r.downloaded);
    EXPECT_EQ(r.downloaded->status, MeterStatus::Ok);
    EXPECT_EQ(r.downloaded->accepted, 25);
    EXPECT_TRUE(r.fileError.isEmpty());
    ASSERT_EQ(r.logger.Count(), 25);
    EXPECT_EQ(r.logger.At(0).address, 10);
    EXPECT_EQ(r.logger.At(24).address, 250);
    EXPECT_EQ(r.logger.At(0).reading.origin, ReadingOrigin::Download);
    EXPECT_EQ(r.logger.At(0).reading.model, 24);
    const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.csv")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const Valued<DataFileContents> written =
        ReadDataFile(folder.path() + QLatin1Char('/') + files[0]);
    ASSERT_TRUE(written) << written.outcome.text.toStdString();
    ASSERT_EQ(written->rows.size(), 25u);
    EXPECT_EQ(LoggerRecordOf(written->rows[3]).hour, r.logger.At(3).record.hour);

    // A folder that cannot be made: the records stay in the table, and the end says why the
    // file has none of them.
    QFile blocker(folder.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    r.downloaded.reset();
    ASSERT_TRUE(r.session.StartDownload(blocker.fileName() + QStringLiteral("/logger")));
    r.Settle();
    ASSERT_TRUE(r.downloaded);
    EXPECT_EQ(r.downloaded->accepted, 25);
    EXPECT_FALSE(r.fileError.isEmpty());
    EXPECT_EQ(r.logger.Count(), 50);
}

}  // namespace
}  // namespace lmr::test
