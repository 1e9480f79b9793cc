#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>

#include "SimPort.h"
#include "meter/Identify.h"

namespace lmr::test {
namespace {

// lmr-sim as a child process, its stdout on a pipe.
class SimProgram {
public:
    explicit SimProgram(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv{const_cast<char*>(LMR_SIM_PROGRAM)};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(LMR_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        ::close(out[1]);
        out_ = fdopen(out[0], "r");
    }
    ~SimProgram() {
        if (pid_ > 0 && status_ < 0) Stop();
        if (out_ != nullptr) fclose(out_);
    }
    std::string Line() {
        char buf[512];
        if (out_ == nullptr || fgets(buf, sizeof buf, out_) == nullptr) return {};
        std::string s = buf;
        if (!s.empty() && s.back() == '\n') s.pop_back();
        return s;
    }
    int Stop() {
        kill(pid_, SIGTERM);
        return Wait();
    }
    int Wait() {
        int st = 0;
        waitpid(pid_, &st, 0);
        status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128;
        return status_;
    }

private:
    pid_t pid_ = -1;
    FILE* out_ = nullptr;
    int status_ = -1;
};

size_t LineCount(const std::string& path) {
    std::ifstream in(path);
    size_t n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

std::string TempDir() {
    char dir[] = "/tmp/lmr-sim-test-XXXXXX";
    return mkdtemp(dir) != nullptr ? dir : "";
}

TEST(SimProgram, ServesALinkedPortAndWritesItsTranscript) {
    const std::string dir = TempDir();
    ASSERT_FALSE(dir.empty());
    const std::string port = dir + "/port", transcript = dir + "/t.txt";
    SimProgram program({"--link", port, "--model", "65", "--head", "1", "--transcript", transcript,
                        "--baud", "9600"});
    const std::string slave = program.Line();
    ASSERT_EQ(slave.rfind("/dev/pts/", 0), 0u) << slave;
    char target[PATH_MAX] = {};
    ASSERT_GT(readlink(port.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(slave, target);

    ::setenv("LMR_PORTS", port.c_str(), 1);
    PortTable ports;
    ::unsetenv("LMR_PORTS");
    Link link(ports);
    std::vector<TranscriptEntry> host;
    link.SetTranscript([&](const TranscriptEntry& e) { host.push_back(e); });
    {
        Exchange x(link, 1, "probe");
        EXPECT_EQ(x.Status(), MeterStatus::Ok);
    }
    const Identification id = Identify(link, 1);
    EXPECT_EQ(id.status, MeterStatus::Ok);
    EXPECT_EQ(id.InstrumentCode, 65);
    EXPECT_EQ(id.HeadCode, 1);
    EXPECT_EQ(*HeadCaption(id.HeadCode), "гол.2");
    // The meter takes the last echo in its own time: wait for its tenth line.
    for (int i = 0; i < 300 && LineCount(transcript) < 10; ++i) usleep(10000);

    EXPECT_EQ(program.Stop(), 0);
    EXPECT_NE(access(port.c_str(), F_OK), 0) << "the link is removed at exit";
    std::ifstream in(transcript);
    std::vector<TranscriptEntry> meter;
    for (std::string line; std::getline(in, line);) {
        const auto e = ParseTranscriptLine(line);
        ASSERT_TRUE(e) << line;
        meter.push_back(*e);
    }
    EXPECT_EQ(TranscriptBytes(meter), TranscriptBytes(host));
    EXPECT_EQ(TranscriptBytes(host), "H55 I0 H167 I88 I65 H65 H171 I84 I1 H1");
    // The meter's exchanges: the probe, then the identification that starts with 167.
    ASSERT_EQ(meter.size(), 10u);
    EXPECT_EQ(meter[0].exchange, "#1");
    EXPECT_EQ(meter[2].exchange, "#2");
    EXPECT_EQ(meter[9].exchange, "#2");
    // Paced at 9600 baud: a byte sent by the meter takes about a millisecond.
    EXPECT_GE(meter[1].micros - meter[0].micros, 900);
    std::remove(transcript.c_str());
    ::rmdir(dir.c_str());
}

TEST(SimProgram, VanishesLikeAPulledAdapter) {
    const std::string dir = TempDir();
    const std::string port = dir + "/port";
    SimProgram program({"--link", port, "--vanish-after", "1"});
    ASSERT_FALSE(program.Line().empty());
    PortTable ports({{port, "", false}});
    Link link(ports);
    {
        Exchange x(link, 1, "live");
        ASSERT_EQ(x.Status(), MeterStatus::Ok);
        (void)link.SendCommand(163);
        EXPECT_EQ(x.Status(), MeterStatus::Gone);
    }
    EXPECT_EQ(program.Wait(), 0);
    link.OpenPort('1');
    EXPECT_EQ(link.LastOpenStatus(), LinkStatus::NoDevice);
    EXPECT_NE(::access(port.c_str(), F_OK), 0) << "the device name is gone";
    ::rmdir(dir.c_str());
}

TEST(SimProgram, HelpAndBadOptions) {
    SimProgram help({"--help"});
    EXPECT_EQ(help.Line(), "usage: lmr-sim [options]");
    EXPECT_EQ(help.Wait(), 0);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--model", "300"},
                                                {"--baud", "19200"},
                                                {"--nonsense"},
                                                {"--logger-file", "/nonexistent"},
                                                {"--cell", "73"},
                                                {"--silent-after"}}) {
        SimProgram p(bad);
        EXPECT_EQ(p.Wait(), 2) << bad[0];
    }
}

}  // namespace
}  // namespace lmr::test
