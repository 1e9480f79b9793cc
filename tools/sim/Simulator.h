#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "link/Transcript.h"

namespace lmr::sim {

// One data-logger record as the meter sends it: unused word, RH, tв, tсф words (big-endian,
// tenths), time field, minute, hour, three date bytes (the host prints byte 13.12.11, so 13 is
// the day, 12 the month, 11 the year), two trailing bytes.
struct LoggerRecord {
    std::array<uint8_t, 16> bytes{};
};

[[nodiscard]] LoggerRecord MakeRecord(uint16_t rh, uint16_t air, uint16_t globe, uint8_t hour,
                                      uint8_t minute, uint8_t day = 7, uint8_t month = 4,
                                      uint8_t year = 9);
// COUNT records whose hours continue (every 30 minutes from 22:00), then one whose hour jumps.
[[nodiscard]] std::vector<LoggerRecord> LoggerFromCount(int count);
// One record per hour given, e.g. 22, 23, 23, 0, 1.
[[nodiscard]] std::vector<LoggerRecord> LoggerFromHours(const std::vector<int>& hours);
// A file of records: one per line, 16 byte values (decimal or 0x hex) separated by blanks or
// commas; empty lines and lines starting with '#' are skipped. False with a message on error.
[[nodiscard]] bool LoadLoggerFile(const std::string& path, std::vector<LoggerRecord>& records,
                                  std::string* error);
// Plausible memory cells at their addresses (i + 73) · c, with a few empty (0xFFFF) values.
[[nodiscard]] std::map<uint16_t, uint16_t> DefaultCells();

struct Options {
    uint8_t model = 24;  // answer to 167
    uint8_t head = 0;    // answer to 171
    // Live channels in tenths: RH %, tв °C, tсф °C. With walk they drift slowly per reading.
    uint16_t rh = 452;
    uint16_t air = 231;
    uint16_t globe = 245;
    bool walk = false;
    std::vector<LoggerRecord> logger = LoggerFromCount(20);
    std::map<uint16_t, uint16_t> cells = DefaultCells();  // missing addresses read 0xFFFF
    uint8_t probeAnswer = 0;
    int probeDelayMs = 0;  // the probe answer comes this much later
    // Faults.
    bool silent = false;        // never answers
    double onAfterSeconds = 0;  // answers nothing until this long after Start
    int silentAfter = -1;       // sends at most N bytes per exchange, then nothing
    bool wrongEcho = false;     // takes every echo as wrong and abandons the exchange
    bool garbage = false;       // another device: three random bytes for every byte received
    // A line that turns noisy: after N whole replies of logger records or live readings since
    // Start, three random bytes for every byte received, as garbage.
    int noiseAfterReplies = -1;
    int vanishAfter = -1;       // closes the pseudo-terminal after N bytes of an exchange
    int strayAfterProbe = 0;    // unsolicited bytes (255) right behind every probe answer
    bool echoAll = false;       // a loop-back plug or a modem echoing: every byte comes back
    bool paced = false;         // 9600 baud: 1.04 ms per byte on the line, either way
    int latencyMs = 0;          // a USB adapter's latency timer holds each byte this long
    uint32_t seed = 1;          // random walk and garbage
};

// The meter's clock as the last 175 set it.
struct InstrumentClock {
    int minute = 0;
    int hour = 0;
    int day = 1;
    int month = 1;
    int yearCode = 0;
    int sets = 0;  // how many times it was set
};

// A simulated meter on a pseudo-terminal of its own, run by a thread of its own. The meter's
// side of the lock-step dialogue: it answers every host byte with one byte (the complement of
// the byte; the probe with probeAnswer), sends data bytes one at a time and checks each echo.
//
// An exchange, on the meter's side, begins with a probe byte 55 received while the meter waits
// for a command, or with a 167 received so (the identification has no probe of its own); the
// commands after it belong to it. Fault counts (silentAfter, vanishAfter) are bytes the meter has
// sent in the current exchange. A meter that abandoned an exchange waits for the next probe (or
// 167); one left waiting inside an exchange for 300 ms goes back to waiting for a command.
//
// All public calls are thread-safe.
class Simulator {
public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens the pseudo-terminal and starts the thread. False with a message on failure.
    [[nodiscard]] bool Start(std::string* error = nullptr);
    void Stop();

    // The device path the host opens, e.g. "/dev/pts/7" (empty before Start).
    [[nodiscard]] std::string SlavePath() const;
    // Changes options while running.
    void Configure(const std::function<void(Options&)>& change);
    [[nodiscard]] Options CurrentOptions() const;

    // Every byte both ways since Start (or the last ClearTranscript).
    [[nodiscard]] std::vector<TranscriptEntry> Transcript() const;
    void ClearTranscript();
    // Also hands every byte to a sink (set before Start), e.g. a --transcript file.
    void SetTranscriptSink(TranscriptSink sink);

    [[nodiscard]] InstrumentClock Clock() const;
    [[nodiscard]] int Exchanges() const;
    // Whole replies of logger records and live readings since Start (their last echo taken).
    [[nodiscard]] int Replies() const;
    // The pseudo-terminal was closed by the vanish fault.
    [[nodiscard]] bool Vanished() const { return vanished_.load(); }

private:
    enum class Phase { Idle, Parameters, Data, Abandoned };

    struct Faults {
        bool answering = true;
        bool garbage = false;
        bool echoAll = false;
        int strayAfterProbe = 0;
        bool wrongEcho = false;
        int probeDelayMs = 0;
        uint8_t probeAnswer = 0;
    };

    void Run();
    void OnHostByte(uint8_t byte);
    [[nodiscard]] bool StartsExchange(uint8_t byte, bool wrongEcho) const;
    void Step(uint8_t byte, const Faults& faults);
    void BeginExchange();
    void StartCommand(uint8_t code);
    void Prepare();  // the reply's data bytes and the request's effect
    void SendFirstData();
    // Sends one byte, and `stray` unsolicited ones in the same write (so the host finds them
    // all waiting at once).
    void Send(uint8_t byte, int stray = 0);
    void Record(bool fromHost, uint8_t byte);
    void RecordLocked(bool fromHost, uint8_t byte);  // mutex_ held
    bool Wait(int micros);                           // false when stopping
    void Vanish();
    bool Answering() const;

    mutable std::mutex mutex_;  // options, transcript, clock, exchange state
    Options options_;
    std::vector<TranscriptEntry> transcript_;
    TranscriptSink sink_;
    InstrumentClock clock_;
    int exchanges_ = 0;
    int replies_ = 0;  // records and live readings sent whole
    std::string slavePath_;

    int master_ = -1;
    int slave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> vanished_{false};
    int64_t startMicros_ = 0;

    // Exchange state, used by the thread only.
    Phase phase_ = Phase::Idle;
    uint8_t command_ = 0;
    int parametersLeft_ = 0;
    std::vector<uint8_t> parameters_;
    std::vector<uint8_t> data_;
    size_t dataIndex_ = 0;
    int sentInExchange_ = 0;
    int64_t lastHostMicros_ = 0;
    // Pacing, on a steady clock: when the latest host byte is wholly in, and when the line back
    // to the host is free again.
    int64_t hostByteIn_ = 0;
    int64_t lineFreeAt_ = 0;
    std::mt19937 random_;
};

}  // namespace lmr::sim
