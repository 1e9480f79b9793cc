#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <mutex>

#include "SimPort.h"
#include "link/PortHolders.h"
#include "meter/Identify.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"

namespace lmr::test {
namespace {

using Kind = SearchNote::Kind;

// The search as the program runs it: a job of the worker that owns the link. The notes are
// kept as the window would queue them.
class Searching {
public:
    explicit Searching(Link& link) : worker_(link) {}

    // Hands the worker a search job (as the window does at start and after a failed
    // identification).
    void Start() {
        MeterWorker::Job job;
        job.kind = JobKind::Search;
        job.run = [this](Link& link) {
            (void)search_.Run(link, [this](const SearchNote& n) {
                std::lock_guard<std::mutex> lock(mutex_);
                notes_.push_back(n);
            });
        };
        ASSERT_TRUE(worker_.Submit(std::move(job), WhenBusy::Queue));
    }
    // Waits for the search to find a port, at most timeoutMs.
    bool WaitFound(int timeoutMs) {
        for (int waited = 0; waited < timeoutMs && !search_.PortFound(); waited += 10)
            usleep(10000);
        return search_.PortFound();
    }
    // Waits until the worker has let the search go (it ends once a port answered).
    bool WaitIdle(int timeoutMs = 2000) {
        for (int waited = 0; waited < timeoutMs && !worker_.Idle(); waited += 5) usleep(5000);
        return worker_.Idle();
    }
    [[nodiscard]] std::vector<Kind> Kinds() const {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Kind> kinds;
        for (const SearchNote& n : notes_) kinds.push_back(n.kind);
        return kinds;
    }
    [[nodiscard]] std::vector<SearchNote> Notes() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return notes_;
    }

    PortSearch& search() { return search_; }
    MeterWorker& worker() { return worker_; }

private:
    PortSearch search_;
    MeterWorker worker_;
    mutable std::mutex mutex_;
    std::vector<SearchNote> notes_;
};

TEST(Search, FindsMeterOnComOneAtStart) {
    SimPorts bench;
    Searching s(bench.link());
    EXPECT_EQ(s.search().PortText(), "COM*");
    usleep(100000);
    EXPECT_FALSE(s.search().PortFound()) << "no search before its job";
    s.Start();
    ASSERT_TRUE(s.WaitFound(5000));
    EXPECT_EQ(s.search().PortNumber(), 1);
    EXPECT_EQ(s.search().PortText(), "COM1");
    ASSERT_TRUE(s.WaitIdle());
    EXPECT_EQ(s.Kinds(), std::vector<Kind>{Kind::Found});
    // The port was closed before PortFound was set: the identification opens it again.
    EXPECT_FALSE(bench.link().IsOpen());
    const Identification id = Identify(bench.link(), s.search().PortNumber());
    EXPECT_EQ(id.status, MeterStatus::Ok);
    EXPECT_EQ(id.InstrumentCode, 24);
}

TEST(Search, FindsMeterSwitchedOnLateAndBehindSilentPorts) {
    sim::Options late;
    late.onAfterSeconds = 2.5;  // after the first pass reached COM5 (1.8 s), before the second
    SimPorts bench({SilentMeter(), SilentMeter(), SilentMeter(), SilentMeter(), late});
    Searching s(bench.link());
    s.Start();
    ASSERT_TRUE(s.WaitFound(15000));
    EXPECT_EQ(s.search().PortNumber(), 5);
    EXPECT_EQ(s.search().PortText(), "COM5");
    s.worker().Stop();
    const std::vector<SearchNote> notes = s.Notes();
    // A whole pass of eight unanswered ports (COM6…COM8 have no device), then four more and
    // the answer.
    ASSERT_EQ(notes.size(), 13u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(notes[i].kind, Kind::Searching);
        EXPECT_EQ(notes[i].port, static_cast<int>(i % 8 + 1));
    }
    EXPECT_EQ(notes.back().kind, Kind::Found);
    // Every port of both passes got its own probe.
    for (int port = 1; port <= 5; ++port) {
        EXPECT_EQ(TranscriptBytes(bench.Meter(port).Transcript()).substr(0, 7), "H55 H55")
            << "COM" << port;
    }
}

TEST(Search, SearchesAgainForAMeterLostBeforeItsIdentification) {
    SimPorts bench({SilentMeter(), sim::Options{}});
    Searching s(bench.link());
    s.Start();
    ASSERT_TRUE(s.WaitFound(5000));
    EXPECT_EQ(s.search().PortNumber(), 2);
    ASSERT_TRUE(s.WaitIdle());
    // The meter moves to COM1 while the identification finds nothing.
    bench.Meter(2).Configure([](sim::Options& o) { o.silent = true; });
    bench.Meter(1).Configure([](sim::Options& o) { o.silent = false; });
    s.search().SearchAgain();
    EXPECT_FALSE(s.search().PortFound());
    s.Start();
    ASSERT_TRUE(s.WaitFound(5000));
    EXPECT_EQ(s.search().PortNumber(), 1);
    EXPECT_EQ(s.search().PortText(), "COM1");
    s.worker().Stop();
    EXPECT_EQ(s.Kinds().back(), Kind::Found);
}

TEST(Search, EchoingDeviceOnAnEarlierPortDoesNotHideTheMeter) {
    sim::Options echo;
    echo.echoAll = true;
    SimPorts bench({echo, sim::Options{}});
    Searching s(bench.link());
    s.Start();
    // What the window's identification tick does, until a port is identified.
    std::vector<int> tried;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(s.WaitFound(5000));
        ASSERT_TRUE(s.WaitIdle());
        tried.push_back(s.search().PortNumber());
        const Identification id = Identify(bench.link(), s.search().PortNumber());
        if (id.status == MeterStatus::Ok) break;
        s.search().SearchAgain();
        s.Start();
    }
    s.worker().Stop();
    EXPECT_EQ(tried, (std::vector<int>{1, 2}));
}

TEST(Search, PortWithoutRightsIsReportedAndSearchGoesOn) {
    SimPorts meters({SilentMeter(), sim::Options{}});
    const std::string refused = meters.Meter(1).SlavePath();
    PortTable ports({{refused, "", false}, {meters.Meter(2).SlavePath(), "", false}});
    Link link(ports, [refused](const std::string& path) {
        if (path == refused) return OpenedChannel{LinkStatus::NoAccess, nullptr};
        return OpenSerialChannel(path);
    });
    Searching s(link);
    s.Start();
    ASSERT_TRUE(s.WaitFound(5000));
    s.worker().Stop();
    EXPECT_EQ(s.search().PortNumber(), 2);
    const std::vector<SearchNote> notes = s.Notes();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, Kind::NoAccess);
    EXPECT_EQ(notes[0].port, 1);
    EXPECT_EQ(notes[0].path, refused);
    EXPECT_EQ(notes[1].kind, Kind::Found);
}

TEST(Search, PortsOfOtherProgramsAreNotProbedAndSaySo) {
    SimPorts bench({sim::Options{}, sim::Options{}, sim::Options{}});
    // COM1 is a terminal another program reads; COM2 is locked by another opening.
    const std::string held = bench.Meter(1).SlavePath();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, held.c_str(), O_RDWR | O_NOCTTY, 0);
    char sleepName[] = "sleep";
    char seconds[] = "30";
    char* argv[] = {sleepName, seconds, nullptr};
    pid_t other = 0;
    ASSERT_EQ(posix_spawnp(&other, "sleep", &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    OpenedChannel lock = SerialChannel::Open(bench.Meter(2).SlavePath());
    ASSERT_EQ(lock.status, LinkStatus::Ok);
    // The spawned program has its terminal open once its holder can be seen.
    for (int i = 0; i < 200 && !FindPortHolder(held); ++i) usleep(5000);

    Searching s(bench.link());
    s.Start();
    const bool found = s.WaitFound(5000);
    s.worker().Stop();
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(s.search().PortNumber(), 3);
    const std::vector<SearchNote> notes = s.Notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, Kind::Held);
    EXPECT_EQ(notes[0].port, 1);
    EXPECT_EQ(notes[0].path, held);
    EXPECT_EQ(notes[0].program, "sleep");
    EXPECT_EQ(notes[0].pid, other);
    EXPECT_EQ(notes[1].kind, Kind::Locked);
    EXPECT_EQ(notes[1].port, 2);
    EXPECT_EQ(notes[1].path, bench.Meter(2).SlavePath());
    EXPECT_EQ(notes[2].kind, Kind::Found);
    EXPECT_EQ(TranscriptBytes(bench.Meter(1).Transcript()), "")
        << "no byte into that program's port";
    // The program's own simulated meters hold both ends of their lines: not other programs.
    EXPECT_FALSE(FindPortHolder(bench.Meter(3).SlavePath()));
}

TEST(Search, StopEndsARunningSearchAtOnce) {
    SimPorts bench({SilentMeter(), SilentMeter()});
    Searching s(bench.link());
    s.Start();
    usleep(250000);
    // Stop cuts the probe in flight short and joins the thread.
    const double start = NowMs();
    s.worker().Stop();
    EXPECT_LT(NowMs() - start, 300.0);
    EXPECT_FALSE(s.worker().Running());
    EXPECT_FALSE(s.search().PortFound());
    EXPECT_FALSE(bench.link().IsOpen());
    EXPECT_FALSE(bench.link().CancelRequested());
}

TEST(Search, NoPortsAtAllDoesNotSpin) {
    PortTable none(std::vector<PortTable::Port>{});
    Link link(none);
    Searching s(link);
    s.Start();
    usleep(500000);
    s.worker().Stop();
    // A pause after each empty pass: a handful of passes, not thousands.
    EXPECT_LE(s.Notes().size(), 8u * 5u);
    EXPECT_GE(s.Notes().size(), 8u);
}

TEST(Identify, ModelsAndHeads) {
    struct Case {
        uint8_t model, head;
        bool headAsked;
        std::optional<std::string> modelCaption, headCaption;
        bool enables;
        const char* bytes;
    };
    const Case cases[] = {
        {24, 9, false, "ВЕГ/72", std::nullopt, true, "H167 I88 I24 H24"},
        {23, 9, false, "ВЕГ/71", std::nullopt, true, "H167 I88 I23 H23"},
        {65, 2, true, std::nullopt, "гол.1", false, "H167 I88 I65 H65 H171 I84 I2 H2"},
        {65, 1, true, std::nullopt, "гол.2", false, "H167 I88 I65 H65 H171 I84 I1 H1"},
        {65, 0, true, std::nullopt, "нет", false, "H167 I88 I65 H65 H171 I84 I0 H0"},
        {65, 7, true, std::nullopt, std::nullopt, false, "H167 I88 I65 H65 H171 I84 I7 H7"},
        {99, 2, false, std::nullopt, std::nullopt, false, "H167 I88 I99 H99"},
    };
    for (const Case& c : cases) {
        sim::Options o;
        o.model = c.model;
        o.head = c.head;
        SimPorts bench(o);
        const Identification id = Identify(bench.link(), 1);
        SCOPED_TRACE(int(c.model));
        EXPECT_EQ(id.status, MeterStatus::Ok);
        EXPECT_EQ(id.InstrumentCode, c.model);
        EXPECT_EQ(id.HeadAsked, c.headAsked);
        if (c.headAsked) {
            EXPECT_EQ(id.HeadCode, c.head);
            EXPECT_EQ(HeadCaption(id.HeadCode), c.headCaption);
        }
        EXPECT_EQ(ModelCaption(id.InstrumentCode), c.modelCaption);
        EXPECT_EQ(EnablesMeasurement(id.InstrumentCode), c.enables);
        // No probe of its own, and nothing after the last echo.
        EXPECT_EQ(bench.HostBytes(), c.bytes);
        EXPECT_FALSE(bench.link().IsOpen());
    }
}

}  // namespace
}  // namespace lmr::test
