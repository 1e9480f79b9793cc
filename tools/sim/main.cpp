// lmr-sim: a simulated microclimate meter on a pseudo-terminal.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "link/Transcript.h"
#include "tools/sim/Simulator.h"

namespace {

constexpr const char* kHelp = R"(usage: lmr-sim [options]

A simulated microclimate meter on a pseudo-terminal. Prints the slave device path on stdout
and answers the host's lock-step dialogue until it is interrupted (or vanishes).

  --link PATH          also make PATH a symbolic link to the slave device (removed at exit)
  --model CODE         answer to the identify command 167: 23, 24 (default), 65 or any byte
  --head CODE          answer to the head command 171: 0 (default), 1, 2 or any byte
  --rh T --air T --globe T
                       live channels in tenths (RH %, air and globe temperature in deg C)
  --walk               live channels drift in a slow random walk, one step per reading
  --logger COUNT       COUNT logger records whose hours continue, then one that breaks them
                       (default 20)
  --logger-hours LIST  one record per hour of LIST, e.g. 22,23,23,0,1
  --logger-file FILE   records from FILE: one per line, 16 byte values (decimal or 0x..)
                       separated by blanks or commas; '#' starts a comment line
  --cell ADDR=WORD     set the memory word at ADDR (repeatable); value i of cell c lies at
                       (i + 73) * c, and 65535 marks an empty value
  --probe-answer B     the byte that answers the probe 55 (default 0)
  --probe-delay MS     answer the probe this much later
  --baud 9600          pace the line: every byte, either way, takes about 1.04 ms on it
  --latency MS         hold every byte sent for MS ms, as a USB serial adapter's latency timer
                       does with a lone byte (FTDI: 16 ms by default, 1 ms in low-latency mode)
  --transcript FILE    write every byte both ways: "<unix seconds.micros> H>I|I>H <byte> #<n>"
  --seed N             seed of the random walk and of --garbage

Faults:
  --silent             never answer
  --on-after SECONDS   answer nothing until SECONDS after start (switched on late)
  --silent-after N     send at most N bytes per exchange, then fall silent until the next
                       probe (or 167, or 300 ms without a host byte)
  --wrong-echo         take every echo of a data byte as wrong and abandon the exchange
  --garbage            behave as another device: three random bytes for every byte received
  --noise-after N      a line turning noisy: after N logger records or live readings sent
                       whole, three random bytes for every byte received
  --vanish-after N     close the pseudo-terminal after N bytes of an exchange (adapter pulled)
  --stray-after-probe N
                       send N unsolicited bytes (255, a line glitch) right behind every probe
                       answer
  --echo-all           behave as a loop-back plug or a modem in echo mode: every byte received
                       comes straight back, nothing else

An exchange, on the meter's side, begins with a probe byte 55 received while the meter waits for
a command, or with the identify command 167 received so (the identification has no probe of its
own); the commands that follow belong to it. N counts the bytes the meter has sent in the
current exchange (the probe answer is the first). Every host byte is answered with its
complement; every data byte is sent only after the echo of the one before matched.
)";

std::atomic<bool> g_stop{false};
void OnSignal(int) {
    g_stop.store(true);
}

bool ParseInt(const char* s, long low, long high, long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtol(s, &end, 0);
    return s[0] != '\0' && *end == '\0' && errno == 0 && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
    using lmr::sim::Options;
    Options options;
    std::string linkPath;
    std::string transcriptPath;
    auto bad = [](const std::string& what) {
        std::fprintf(stderr, "lmr-sim: %s (see --help)\n", what.c_str());
        return 2;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char*& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        const char* v = nullptr;
        long n = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (a == "--walk") {
            options.walk = true;
        } else if (a == "--silent") {
            options.silent = true;
        } else if (a == "--wrong-echo") {
            options.wrongEcho = true;
        } else if (a == "--garbage") {
            options.garbage = true;
        } else if (a == "--echo-all") {
            options.echoAll = true;
        } else if (!value(v)) {
            return bad("unknown option or missing value: " + a);
        } else if (a == "--link") {
            linkPath = v;
        } else if (a == "--transcript") {
            transcriptPath = v;
        } else if (a == "--model" || a == "--head" || a == "--probe-answer") {
            if (!ParseInt(v, 0, 255, n)) return bad(a + " takes a byte 0..255");
            (a == "--model"  ? options.model
             : a == "--head" ? options.head
                             : options.probeAnswer) = static_cast<uint8_t>(n);
        } else if (a == "--rh" || a == "--air" || a == "--globe") {
            if (!ParseInt(v, 0, 65535, n)) return bad(a + " takes a word 0..65535");
            (a == "--rh"    ? options.rh
             : a == "--air" ? options.air
                            : options.globe) = static_cast<uint16_t>(n);
        } else if (a == "--logger") {
            if (!ParseInt(v, 0, 3000, n)) return bad("--logger takes a count 0..3000");
            options.logger = lmr::sim::LoggerFromCount(static_cast<int>(n));
        } else if (a == "--logger-hours") {
            std::vector<int> hours;
            std::stringstream list(v);
            std::string item;
            while (std::getline(list, item, ',')) {
                if (!ParseInt(item.c_str(), 0, 255, n)) return bad("bad hour list: " + item);
                hours.push_back(static_cast<int>(n));
            }
            options.logger = lmr::sim::LoggerFromHours(hours);
        } else if (a == "--logger-file") {
            std::string error;
            if (!lmr::sim::LoadLoggerFile(v, options.logger, &error)) return bad(error);
        } else if (a == "--cell") {
            const std::string s = v;
            const size_t eq = s.find('=');
            long addr = 0;
            if (eq == std::string::npos || !ParseInt(s.substr(0, eq).c_str(), 0, 65535, addr) ||
                !ParseInt(s.substr(eq + 1).c_str(), 0, 65535, n)) {
                return bad("--cell takes ADDR=WORD");
            }
            options.cells[static_cast<uint16_t>(addr)] = static_cast<uint16_t>(n);
        } else if (a == "--probe-delay" || a == "--silent-after" || a == "--vanish-after" ||
                   a == "--stray-after-probe" || a == "--noise-after") {
            if (!ParseInt(v, 0, 1000000, n)) return bad(a + " takes a count");
            (a == "--probe-delay"    ? options.probeDelayMs
             : a == "--silent-after" ? options.silentAfter
             : a == "--vanish-after" ? options.vanishAfter
             : a == "--noise-after"  ? options.noiseAfterReplies
                                     : options.strayAfterProbe) = static_cast<int>(n);
        } else if (a == "--latency") {
            if (!ParseInt(v, 0, 1000, n)) return bad("--latency takes milliseconds 0..1000");
            options.latencyMs = static_cast<int>(n);
        } else if (a == "--on-after") {
            char* end = nullptr;
            options.onAfterSeconds = std::strtod(v, &end);
            if (*end != '\0' || options.onAfterSeconds < 0) return bad("--on-after takes seconds");
        } else if (a == "--baud") {
            if (std::strcmp(v, "9600") != 0) return bad("--baud knows only 9600");
            options.paced = true;
        } else if (a == "--seed") {
            if (!ParseInt(v, 0, 0xFFFFFFFFL, n)) return bad("--seed takes a number");
            options.seed = static_cast<uint32_t>(n);
        } else {
            return bad("unknown option: " + a);
        }
    }

    lmr::sim::Simulator sim(options);
    if (!transcriptPath.empty()) {
        lmr::LinkStatus status = lmr::LinkStatus::Ok;
        lmr::TranscriptSink sink = lmr::MakeTranscriptFileSink(transcriptPath, &status);
        if (!sink) return bad("cannot write " + transcriptPath);
        sim.SetTranscriptSink(std::move(sink));
    }
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "lmr-sim: %s\n", error.c_str());
        return 1;
    }
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());
        if (::symlink(sim.SlavePath().c_str(), linkPath.c_str()) != 0) {
            std::fprintf(stderr, "lmr-sim: cannot link %s: %s\n", linkPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::printf("%s\n", sim.SlavePath().c_str());
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!g_stop.load() && !sim.Vanished()) usleep(50000);
    sim.Stop();
    // A pulled adapter takes its device name with it. A dangling name would not do: the
    // pseudo-terminal's number is soon given to another one, which would then answer to it.
    if (!linkPath.empty()) ::unlink(linkPath.c_str());
    return 0;
}
