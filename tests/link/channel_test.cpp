#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "SimPort.h"
#include "link/CommandCodes.h"
#include "link/PortClaim.h"

namespace lmr::test {
namespace {

// The lock file of a device as other programs leave it: a running one's claim is refused and
// named, one left by a program that ended (or unreadable) is taken over.
TEST(PortClaim, RunningHoldersAreNamedAndStaleLockFilesTakenOver) {
    char dir[] = "/tmp/lmr-lock-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string lockFile = std::string(dir) + "/LCK..null";
    const pid_t running = getppid();
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    auto pidText = [](pid_t pid) {
        char text[16];
        std::snprintf(text, sizeof text, "%10d", static_cast<int>(pid));
        return std::string(text);
    };
    std::string comm;
    std::getline(std::ifstream("/proc/" + std::to_string(running) + "/comm"), comm);
    const struct {
        const char* what;
        std::string content;  // of the lock file found; none when empty
        LinkStatus status;
        std::string program;  // the holder named
    } rows[] = {
        {"no lock file", "", LinkStatus::Ok, ""},
        {"minicom running", pidText(running) + " minicom user\n", LinkStatus::Busy, "minicom"},
        {"pid alone (UUCP)", pidText(running) + "\n", LinkStatus::Busy, comm},
        {"program ended", pidText(ended) + " lmr\n", LinkStatus::Ok, ""},
        {"not a lock file", "garbage\n", LinkStatus::Ok, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        if (!r.content.empty()) std::ofstream(lockFile) << r.content;
        {
            PortClaim claim(dir);
            EXPECT_EQ(claim.Claim("/dev/null"), r.status);
            if (r.status == LinkStatus::Busy) {
                ASSERT_TRUE(claim.Holder().has_value());
                EXPECT_EQ(claim.Holder()->pid, running);
                EXPECT_EQ(claim.Holder()->program, r.program);
                continue;
            }
            std::string line;
            std::getline(std::ifstream(lockFile), line);
            EXPECT_EQ(line, pidText(getpid()) + " lmr");
        }
        EXPECT_NE(access(lockFile.c_str(), F_OK), 0) << "the claim goes with its holder";
    }
    unlink(lockFile.c_str());
    rmdir(dir);
}

TEST(SerialChannel, OpenFailuresAreTold) {
    EXPECT_EQ(SerialChannel::Open("/dev/lmr-no-such-port").status, LinkStatus::NoDevice);
    EXPECT_EQ(SerialChannel::Open("/dev/null").status, LinkStatus::Io);  // not a terminal

    sim::Simulator meter;
    ASSERT_TRUE(meter.Start());
    OpenedChannel first = SerialChannel::Open(meter.SlavePath());
    ASSERT_EQ(first.status, LinkStatus::Ok);
    // Held by another program (the lock holds even for root, whom TIOCEXCL lets through).
    OpenedChannel second = SerialChannel::Open(meter.SlavePath());
    EXPECT_EQ(second.status, LinkStatus::Busy);
    EXPECT_EQ(second.channel, nullptr);
    first.channel->Close();
    EXPECT_EQ(SerialChannel::Open(meter.SlavePath()).status, LinkStatus::Ok);
    // A closed channel refuses politely.
    uint8_t b = 0;
    EXPECT_EQ(first.channel->Write(1), LinkStatus::NoDevice);
    EXPECT_EQ(first.channel->Read(b, 10), LinkStatus::NoDevice);
}

TEST(SerialChannel, RawNineSixHundredWithoutSoftwareFlowControl) {
    sim::Options o;
    o.cells[CellAddress(0, 1)] = 0x1113;  // XON and XOFF as data bytes
    sim::Simulator meter(o);
    ASSERT_TRUE(meter.Start());
    // The driver had hardware flow control and software flow control on.
    const int probe = ::open(meter.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    termios before{};
    ASSERT_EQ(tcgetattr(probe, &before), 0);
    before.c_cflag |= CRTSCTS;
    before.c_iflag |= IXON | IXOFF | ICRNL;
    before.c_lflag |= ICANON | ECHO;
    cfsetspeed(&before, B115200);
    ASSERT_EQ(tcsetattr(probe, TCSANOW, &before), 0);

    PortTable ports({{meter.SlavePath(), "", false}});
    Link link(ports);
    {
        Exchange x(link, 1, "cells");
        ASSERT_EQ(x.Status(), MeterStatus::Ok);
        termios now{};
        ASSERT_EQ(tcgetattr(probe, &now), 0);
        EXPECT_EQ(cfgetospeed(&now), B9600);
        EXPECT_EQ(cfgetispeed(&now), B9600);
        EXPECT_EQ(now.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(now.c_cflag & (PARENB | CSTOPB), 0u);
        EXPECT_NE(now.c_cflag & CLOCAL, 0u);
        EXPECT_NE(now.c_cflag & CREAD, 0u);
        EXPECT_NE(now.c_cflag & CRTSCTS, 0u) << "hardware flow control is the driver's";
        EXPECT_EQ(now.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
        EXPECT_EQ(now.c_lflag & (ICANON | ECHO), 0u);
        (void)link.SendCommand(Code(Command::ReadCell));
        (void)link.SendCommand(0);
        (void)link.SendCommand(73);
        EXPECT_EQ(link.ReadWord(), 0x1113);
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
    }
    // Closed, the port has its own settings back, for whatever program uses it next.
    termios after{};
    ASSERT_EQ(tcgetattr(probe, &after), 0);
    EXPECT_EQ(cfgetospeed(&after), B115200);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    ::close(probe);
}

// The driver's settings calls as a USB adapter's driver answers them, over a real pty.
TEST(SerialChannel, LowLatencyAskedForWhereTheDriverHasItAndGivenBack) {
    struct Case {
        const char* name;
        int getResult;      // what TIOCGSERIAL gives: 0, or -1 with ENOTTY (no such call)
        int flags;          // the driver's flags
        int setResult;      // what TIOCSSERIAL gives
        const char* calls;  // the calls made by the opening and the closing
    };
    constexpr int kOther = ASYNC_SKIP_TEST;
    const Case cases[] = {
        {"adapter", 0, kOther, 0, "get set+low | get set-low"},
        {"already low", 0, kOther | ASYNC_LOW_LATENCY, 0, "get |"},
        {"refused", 0, kOther, -1, "get set+low |"},
        {"pty or uart", -1, 0, 0, "get |"},
    };
    sim::Simulator meter;
    ASSERT_TRUE(meter.Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string calls;
        const auto call = [&calls](const char* what) {
            calls += calls.empty() ? what : std::string(" ") + what;
        };
        int flags = c.flags;
        const SerialSettingsCall fake = [&](int, unsigned long request, serial_struct* s) {
            if (request == TIOCGSERIAL) {
                call("get");
                if (c.getResult != 0) {
                    errno = ENOTTY;
                    return -1;
                }
                *s = serial_struct{};
                s->flags = flags;
                return 0;
            }
            const bool low = (s->flags & ASYNC_LOW_LATENCY) != 0;
            EXPECT_EQ(s->flags & ~ASYNC_LOW_LATENCY, kOther) << "other flags kept";
            call(low ? "set+low" : "set-low");
            if (c.setResult != 0) return -1;
            flags = s->flags;
            return 0;
        };
        OpenedChannel opened = SerialChannel::Open(meter.SlavePath(), fake);
        ASSERT_EQ(opened.status, LinkStatus::Ok);
        call("|");
        opened.channel->Close();
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(flags, c.flags) << "the driver's flags as they were";
    }
    // The kernel's own calls on a pseudo-terminal: no such mode, the port opens all the same.
    OpenedChannel real = SerialChannel::Open(meter.SlavePath());
    EXPECT_EQ(real.status, LinkStatus::Ok);
}

TEST(PortTable, ComNumbersMapToDevices) {
    PortTable table({{"/dev/ttyUSB0", "FT232R USB UART", true}, {"/dev/ttyS0", "", false}});
    EXPECT_EQ(table.PathOf(1), "/dev/ttyUSB0");
    EXPECT_EQ(table.PathOf(2), "/dev/ttyS0");
    EXPECT_EQ(table.Description(1), "FT232R USB UART");
    EXPECT_EQ(table.PathOf(3), std::nullopt);
    EXPECT_EQ(table.PathOf(0), std::nullopt);
    EXPECT_EQ(table.Description(3), "");
    table.Refresh();  // a fixed table stays
    EXPECT_EQ(table.PathOf(1), "/dev/ttyUSB0");

    std::vector<PortTable::Port> nine;
    for (int i = 0; i < 9; ++i) nine.push_back({"/dev/x" + std::to_string(i), "", false});
    PortTable many(nine);
    EXPECT_EQ(many.PathOf(8), "/dev/x7");
    EXPECT_EQ(many.PathOf(9), std::nullopt) << "the system reaches COM1…COM8 only";
}

TEST(PortTable, AdaptersFirstThenNamesInNumberOrder) {
    const std::vector<PortTable::Port> ordered = PortTable::Ordered({
        {"/dev/ttyS10", "", false},
        {"/dev/ttyS2", "", false},
        {"/dev/ttyUSB1", "", true},
        {"/dev/ttyACM0", "", true},
        {"/dev/ttyUSB0", "", true},
        {"/dev/ttyS1", "", false},
    });
    std::vector<std::string> paths;
    for (const auto& p : ordered) paths.push_back(p.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyUSB1",
                                               "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortTable, EnvironmentNamesThePortsAndIsReadAgain) {
    ::setenv("LMR_PORTS", "/tmp/a::/tmp/b", 1);
    PortTable table;
    EXPECT_EQ(table.PathOf(1), "/tmp/a");
    EXPECT_EQ(table.PathOf(2), "/tmp/b");
    EXPECT_EQ(table.PathOf(3), std::nullopt);
    ::setenv("LMR_PORTS", "/tmp/c", 1);
    table.Refresh();
    EXPECT_EQ(table.PathOf(1), "/tmp/c");
    EXPECT_EQ(table.PathOf(2), std::nullopt);
    EXPECT_EQ(table.UnreachableListed(), 0);
    ::setenv("LMR_PORTS", "/1:/2:/3:/4:/5:/6:/7:/8:/9:/10", 1);
    table.Refresh();
    EXPECT_EQ(table.PathOf(8), "/8");
    EXPECT_EQ(table.UnreachableListed(), 2);
    ::unsetenv("LMR_PORTS");
}

TEST(Transcript, FileSinkWritesOneLinePerByte) {
    char path[] = "/tmp/lmr-transcript-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    SimPorts bench;
    LinkStatus status = LinkStatus::Io;
    bench.link().SetTranscript(MakeTranscriptFileSink(path, &status));
    ASSERT_EQ(status, LinkStatus::Ok);
    {
        Exchange x(bench.link(), 1, "identify");
        (void)bench.link().SendCommand(167);
        (void)bench.link().ReadEchoedByte();
    }
    bench.link().SetTranscript({});
    std::ifstream in(path);
    std::vector<TranscriptEntry> lines;
    for (std::string line; std::getline(in, line);) {
        const auto e = ParseTranscriptLine(line);
        ASSERT_TRUE(e) << line;
        EXPECT_EQ(e->exchange, "identify");
        lines.push_back(*e);
    }
    EXPECT_EQ(TranscriptBytes(lines), "H55 I0 H167 I88 I24 H24");
    std::remove(path);
    EXPECT_FALSE(MakeTranscriptFileSink("/nonexistent-dir/t", &status));
    EXPECT_EQ(status, LinkStatus::NoDevice);
    // A full disk is told once, and the file ends there.
    std::vector<int> failures;
    bench.link().SetTranscript(
        MakeTranscriptFileSink("/dev/full", &status, [&](int e) { failures.push_back(e); }));
    ASSERT_EQ(status, LinkStatus::Ok);
    for (int i = 0; i < 2; ++i) {
        Exchange x(bench.link(), 1, "probe");
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
    }
    EXPECT_EQ(failures, std::vector<int>{ENOSPC});
}

TEST(SimLogger, CountedRecordsContinueThenBreak) {
    const std::vector<sim::LoggerRecord> records = sim::LoggerFromCount(5);
    ASSERT_EQ(records.size(), 6u);
    // 22:00, 22:30, 23:00, 23:30, 0:00, then a jump.
    const int hours[] = {22, 22, 23, 23, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(records[i].bytes[10], hours[i]) << i;
    EXPECT_EQ(records[5].bytes[10], 5);

    char path[] = "/tmp/lmr-logger-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string text =
        "# one record\n0 0 1 244 0 250 0x01 0x2C 0 5 14 9 4 7 0 0\n\n"
        "0,0,0,0,0,0,0,0,0,0,15,0,0,0,0,255\n";
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fd);
    std::vector<sim::LoggerRecord> loaded;
    std::string error;
    ASSERT_TRUE(sim::LoadLoggerFile(path, loaded, &error)) << error;
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].bytes, sim::MakeRecord(500, 250, 300, 14, 5, 7, 4, 9).bytes);
    EXPECT_EQ(loaded[1].bytes[15], 255);
    std::ofstream(path) << "1 2 3\n";
    EXPECT_FALSE(sim::LoadLoggerFile(path, loaded, &error));
    EXPECT_NE(error.find(":1:"), std::string::npos);
    std::remove(path);
}

}  // namespace
}  // namespace lmr::test
