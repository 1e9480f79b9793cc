#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include "SimPort.h"
#include "link/Identify.h"
#include "link/PortHolders.h"
#include "link/RCPThread.h"

namespace lmr::test {
namespace {

// Status texts as the window would queue them.
class StatusLog {
public:
    SearchThread::StatusSink Sink() {
        return [this](const std::string& s) {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(s);
        };
    }
    [[nodiscard]] std::vector<std::string> Texts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

// Waits for the search to find a port, at most timeoutMs.
bool WaitFound(const SearchThread& search, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs && !search.PortFound(); waited += 10) usleep(10000);
    return search.PortFound();
}

TEST(Search, FindsMeterOnComOneAtStart) {
    SimPorts bench;
    StatusLog log;
    SearchThread search(bench.link(), log.Sink());
    EXPECT_EQ(search.PortText(), "COM*");
    usleep(100000);
    EXPECT_FALSE(search.PortFound()) << "created not running";
    search.Resume();
    ASSERT_TRUE(WaitFound(search, 5000));
    EXPECT_EQ(search.PortNumber(), 1);
    EXPECT_EQ(search.PortText(), "COM1");
    search.Suspend();
    EXPECT_EQ(log.Texts(), std::vector<std::string>{kSearchFoundText});
    // The port was closed before PortFound was set: the identification opens it again.
    const Identification id = Identify(bench.link(), search.PortNumber());
    EXPECT_FALSE(id.Lost);
    EXPECT_EQ(id.InstrumentCode, 24);
}

TEST(Search, FindsMeterSwitchedOnLateAndBehindSilentPorts) {
    sim::Options late;
    late.onAfterSeconds = 2.5;  // after the first pass reached COM5 (1.8 s), before the second
    SimPorts bench({SilentMeter(), SilentMeter(), SilentMeter(), SilentMeter(), late});
    StatusLog log;
    SearchThread search(bench.link(), log.Sink());
    search.Resume();
    ASSERT_TRUE(WaitFound(search, 15000));
    EXPECT_EQ(search.PortNumber(), 5);
    EXPECT_EQ(search.PortText(), "COM5");
    search.Stop();
    const std::vector<std::string> texts = log.Texts();
    // A whole pass of eight unanswered ports (COM6…COM8 have no device), then four more and
    // the answer.
    ASSERT_EQ(texts.size(), 13u);
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(texts[i], kSearchingText);
    EXPECT_EQ(texts.back(), kSearchFoundText);
    // Every port of both passes got its own probe.
    for (int port = 1; port <= 5; ++port) {
        EXPECT_EQ(TranscriptBytes(bench.Meter(port).Transcript()).substr(0, 7), "H55 H55")
            << "COM" << port;
    }
}

TEST(Search, SearchesAgainForAMeterLostBeforeItsIdentification) {
    SimPorts bench({SilentMeter(), sim::Options{}});
    StatusLog log;
    SearchThread search(bench.link(), log.Sink());
    search.Resume();
    ASSERT_TRUE(WaitFound(search, 5000));
    EXPECT_EQ(search.PortNumber(), 2);
    search.Suspend();
    // The meter moves to COM1 while the identification finds nothing.
    bench.Meter(2).Configure([](sim::Options& o) { o.silent = true; });
    bench.Meter(1).Configure([](sim::Options& o) { o.silent = false; });
    search.SearchAgain();
    ASSERT_TRUE(WaitFound(search, 5000));
    EXPECT_EQ(search.PortNumber(), 1);
    EXPECT_EQ(search.PortText(), "COM1");
    search.Stop();
    EXPECT_EQ(log.Texts().back(), kSearchFoundText);
}

TEST(Search, EchoingDeviceOnAnEarlierPortDoesNotHideTheMeter) {
    sim::Options echo;
    echo.echoAll = true;
    SimPorts bench({echo, sim::Options{}});
    StatusLog log;
    SearchThread search(bench.link(), log.Sink());
    search.Resume();
    // What the window's identification tick does, until a port is identified.
    std::vector<int> tried;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(WaitFound(search, 5000));
        search.Suspend();
        tried.push_back(search.PortNumber());
        const Identification id = Identify(bench.link(), search.PortNumber());
        if (!id.Lost) break;
        search.SearchAgain();
    }
    search.Stop();
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
    StatusLog log;
    SearchThread search(link, log.Sink());
    search.Resume();
    ASSERT_TRUE(WaitFound(search, 5000));
    search.Stop();
    EXPECT_EQ(search.PortNumber(), 2);
    const std::vector<std::string> texts = log.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "Нет доступа к порту COM1 (" + refused + "): добавьте пользователя в группу dialout");
    EXPECT_EQ(texts[1], kSearchFoundText);
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

    StatusLog log;
    SearchThread search(bench.link(), log.Sink());
    search.Resume();
    const bool found = WaitFound(search, 5000);
    search.Stop();
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(search.PortNumber(), 3);
    EXPECT_EQ(log.Texts(),
              (std::vector<std::string>{
                  "Порт COM1 (" + held + ") занят программой sleep (PID " + std::to_string(other) +
                      "), поиск его пропускает",
                  "Порт COM2 (" + bench.Meter(2).SlavePath() + ") занят другой программой",
                  kSearchFoundText}));
    EXPECT_EQ(TranscriptBytes(bench.Meter(1).Transcript()), "") << "no byte into that program's port";
    // The program's own simulated meters hold both ends of their lines: not other programs.
    EXPECT_FALSE(FindPortHolder(bench.Meter(3).SlavePath()));
}

TEST(Search, StopAndSuspendEndARunningProbeQuickly) {
    SimPorts bench({SilentMeter(), SilentMeter()});
    StatusLog log;
    {
        SearchThread search(bench.link(), log.Sink());
        search.Resume();
        usleep(200000);  // inside a probe
        const double start = NowMs();
        search.Suspend();
        EXPECT_LT(NowMs() - start, 300.0);
        EXPECT_FALSE(bench.link().IsOpen());
        // The link is free for the identification once Suspend returned.
        LinkGuard guard(bench.link());
        EXPECT_TRUE(guard.Acquired());
    }
    SearchThread search(bench.link(), log.Sink());
    search.Resume();
    usleep(250000);
    const double start = NowMs();
    search.Stop();
    EXPECT_LT(NowMs() - start, 300.0);
    EXPECT_FALSE(search.PortFound());
    EXPECT_FALSE(bench.link().CancelRequested());
    // A thread never resumed stops at once.
    SearchThread idle(bench.link(), log.Sink());
    idle.Stop();
}

TEST(Search, NoPortsAtAllDoesNotSpin) {
    PortTable none(std::vector<PortTable::Port>{});
    Link link(none);
    StatusLog log;
    SearchThread search(link, log.Sink());
    search.Resume();
    usleep(500000);
    search.Stop();
    // A pause after each empty pass: a handful of passes, not thousands.
    EXPECT_LE(log.Texts().size(), 8u * 5u);
    EXPECT_GE(log.Texts().size(), 8u);
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
        EXPECT_FALSE(id.Lost);
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

TEST(Exchange, SecondExchangeWhileOneIsOpenIsBusyAndSendsNothing) {
    SimPorts bench;
    Link& link = bench.link();
    {
        Exchange first(link, 1, "first");
        ASSERT_EQ(first.Result(), ExchangeResult::Answered);
        {
            Exchange second(link, 1, "second");
            EXPECT_EQ(second.Result(), ExchangeResult::Busy);
            EXPECT_FALSE(second.Lost());
        }
        // The busy exchange closed nothing: the first one goes on.
        EXPECT_TRUE(link.IsOpen());
        (void)link.SendCommand(167);
        EXPECT_EQ(link.ReadEchoedByte(), 24);
        const Identification id = Identify(link, 1);
        EXPECT_TRUE(id.Lost);
    }
    EXPECT_EQ(bench.HostBytes(), "H55 I0 H167 I88 I24 H24");
    EXPECT_FALSE(link.IsOpen());
    Exchange again(link, 1);
    EXPECT_EQ(again.Result(), ExchangeResult::Answered);
}

TEST(Exchange, HoldTakenOnOneThreadRunsTheExchangeOnAnotherWithNoGap) {
    SimPorts bench;
    Link& link = bench.link();
    LinkGuard taken(link);
    ASSERT_TRUE(taken.Acquired());
    std::atomic<bool> handedOver{false};
    std::atomic<bool> release{false};
    ExchangeResult result = ExchangeResult::Busy;
    std::thread worker([&, held = std::move(taken)]() mutable {
        handedOver = true;
        Exchange x(std::move(held), 1, "worker");
        result = x.Result();
        while (!release.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    // Before and while the worker runs, the link is held: another exchange finds it busy.
    EXPECT_EQ(Exchange(link, 1, "other").Result(), ExchangeResult::Busy);
    while (!handedOver.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(Exchange(link, 1, "other").Result(), ExchangeResult::Busy);
    release = true;
    worker.join();
    EXPECT_EQ(result, ExchangeResult::Answered);
    EXPECT_EQ(bench.HostBytes(), "H55 I0");
    EXPECT_FALSE(link.IsOpen());
    // A hold that was moved from gives nothing back twice, and one never acquired runs nothing.
    LinkGuard first(link);
    LinkGuard second(link);
    EXPECT_FALSE(second.Acquired());
    EXPECT_EQ(Exchange(std::move(second), 1, "refused").Result(), ExchangeResult::Busy);
    EXPECT_FALSE(LinkGuard(link).Acquired());
}

}  // namespace
}  // namespace lmr::test
