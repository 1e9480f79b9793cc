#include "tools/sim/Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "link/CommandCodes.h"

namespace lmr::sim {
namespace {

// A meter left waiting inside an exchange gives it up after this long.
constexpr int64_t kExchangeTimeoutMicros = 300000;
// What a line glitch reads as: a start bit and nothing after it.
constexpr uint8_t kStrayByte = 0xFF;
// One byte of 10 bits at 9600 baud.
constexpr int kByteMicros = 1042;

int64_t SteadyMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void PutWord(std::array<uint8_t, 16>& b, size_t at, uint16_t w) {
    b[at] = static_cast<uint8_t>(w >> 8);
    b[at + 1] = static_cast<uint8_t>(w & 0xFF);
}

uint16_t Drift(std::mt19937& random, uint16_t value, int low, int high) {
    const int step = static_cast<int>(random() % 5) - 2;
    return static_cast<uint16_t>(std::clamp(static_cast<int>(value) + step, low, high));
}

}  // namespace

LoggerRecord MakeRecord(uint16_t rh, uint16_t air, uint16_t globe, uint8_t hour, uint8_t minute,
                        uint8_t day, uint8_t month, uint8_t year) {
    LoggerRecord r;
    PutWord(r.bytes, 0, 0);
    PutWord(r.bytes, 2, rh);
    PutWord(r.bytes, 4, air);
    PutWord(r.bytes, 6, globe);
    r.bytes[8] = 0;
    r.bytes[9] = minute;
    r.bytes[10] = hour;
    r.bytes[11] = year;
    r.bytes[12] = month;
    r.bytes[13] = day;
    return r;
}

std::vector<LoggerRecord> LoggerFromCount(int count) {
    std::vector<LoggerRecord> records;
    int minutes = 22 * 60;
    for (int i = 0; i < count; ++i, minutes += 30) {
        const int hour = (minutes / 60) % 24;
        records.push_back(
            MakeRecord(static_cast<uint16_t>(450 + i % 40), static_cast<uint16_t>(220 + i % 30),
                       static_cast<uint16_t>(240 + i % 50), static_cast<uint8_t>(hour),
                       static_cast<uint8_t>(minutes % 60)));
    }
    // The record after the last one breaks the hour sequence, which ends a download.
    const int lastHour = count > 0 ? ((minutes - 30) / 60) % 24 : 0;
    records.push_back(MakeRecord(450, 220, 240, static_cast<uint8_t>((lastHour + 5) % 24), 0));
    return records;
}

std::vector<LoggerRecord> LoggerFromHours(const std::vector<int>& hours) {
    std::vector<LoggerRecord> records;
    for (size_t i = 0; i < hours.size(); ++i) {
        records.push_back(MakeRecord(500, 250, 300, static_cast<uint8_t>(hours[i]),
                                     static_cast<uint8_t>(i % 60)));
    }
    return records;
}

bool LoadLoggerFile(const std::string& path, std::vector<LoggerRecord>& records,
                    std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return false;
    }
    records.clear();
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::replace(line.begin(), line.end(), ',', ' ');
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        std::string field;
        LoggerRecord r;
        size_t n = 0;
        while (fields >> field) {
            char* end = nullptr;
            const long v = std::strtol(field.c_str(), &end, 0);
            if (*end != '\0' || v < 0 || v > 255 || n >= r.bytes.size()) {
                if (error) *error = path + ":" + std::to_string(lineNo) + ": 16 bytes expected";
                return false;
            }
            r.bytes[n++] = static_cast<uint8_t>(v);
        }
        if (n != r.bytes.size()) {
            if (error) *error = path + ":" + std::to_string(lineNo) + ": 16 bytes expected";
            return false;
        }
        records.push_back(r);
    }
    return true;
}

std::map<uint16_t, uint16_t> DefaultCells() {
    std::map<uint16_t, uint16_t> cells;
    for (int c = 1; c <= kCellCount; ++c) {
        const uint16_t values[kValuesPerCell] = {
            static_cast<uint16_t>(200 + 3 * c), static_cast<uint16_t>(450 + 5 * c),
            static_cast<uint16_t>(231 + c),     static_cast<uint16_t>(245 + 2 * c),
            static_cast<uint16_t>(170 + c),     static_cast<uint16_t>(110 + c)};
        for (int i = 0; i < kValuesPerCell; ++i) cells[CellAddress(i, c)] = values[i];
    }
    // Cell 9 was never stored, and cell 4 lacks its dew point.
    for (int i = 0; i < kValuesPerCell; ++i) cells[CellAddress(i, 9)] = 0xFFFF;
    cells[CellAddress(5, 4)] = 0xFFFF;
    return cells;
}

Simulator::Simulator(Options options) : options_(std::move(options)), random_(options_.seed) {}

Simulator::~Simulator() {
    Stop();
}

bool Simulator::Start(std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + ": " + std::strerror(errno);
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
        slave_ = master_ = -1;
        return false;
    };
    if (thread_.joinable()) return true;
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return fail("posix_openpt");
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
        return fail("pseudo-terminal");
    }
    // The meter holds the slave side too, so the line stays up between the host's openings.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return fail(name);
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) return fail("tcgetattr");
    cfmakeraw(&tio);
    if (tcsetattr(slave_, TCSANOW, &tio) != 0) return fail("tcsetattr");
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return fail("pipe");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    {
        std::lock_guard<std::mutex> lock(mutex_);
        slavePath_ = name;
    }
    startMicros_ = TranscriptNow();
    stopping_.store(false);
    thread_ = std::thread([this] { Run(); });
    return true;
}

void Simulator::Stop() {
    if (!thread_.joinable()) return;
    stopping_.store(true);
    const char b = 1;
    (void)!::write(wakeWrite_, &b, 1);
    thread_.join();
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
    master_ = slave_ = wakeRead_ = wakeWrite_ = -1;
}

std::string Simulator::SlavePath() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slavePath_;
}

void Simulator::Configure(const std::function<void(Options&)>& change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(options_);
}

Options Simulator::CurrentOptions() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return options_;
}

std::vector<TranscriptEntry> Simulator::Transcript() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return transcript_;
}

void Simulator::ClearTranscript() {
    std::lock_guard<std::mutex> lock(mutex_);
    transcript_.clear();
}

void Simulator::SetTranscriptSink(TranscriptSink sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    sink_ = std::move(sink);
}

InstrumentClock Simulator::Clock() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return clock_;
}

int Simulator::Exchanges() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return exchanges_;
}

int Simulator::Replies() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return replies_;
}

bool Simulator::Wait(int micros) {
    pollfd p{wakeRead_, POLLIN, 0};
    // To the microsecond: a paced byte is about 1 ms, so rounding to milliseconds would double it.
    const timespec t{micros / 1000000, static_cast<long>(micros % 1000000) * 1000};
    return ppoll(&p, 1, &t, nullptr) == 0 && !stopping_.load();
}

void Simulator::Run() {
    // Paced bytes are timed to the microsecond; the default timer slack would add some 50 us
    // to each.
    prctl(PR_SET_TIMERSLACK, 1UL);
    while (!stopping_.load() && !vanished_.load()) {
        pollfd p[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        // Timed from before the wait: a byte that came while this thread was held up after
        // an empty wait must not count as the host's silence.
        const int64_t waitFrom = TranscriptNow();
        const int r = poll(p, 2, 50);
        if (r < 0 && errno != EINTR) break;
        if (p[1].revents != 0) break;
        if ((p[0].revents & POLLIN) != 0) {
            uint8_t byte;
            while (!stopping_.load() && !vanished_.load() && ::read(master_, &byte, 1) == 1) {
                lastHostMicros_ = TranscriptNow();
                OnHostByte(byte);
            }
        } else if (phase_ != Phase::Idle) {
            if (waitFrom - lastHostMicros_ > kExchangeTimeoutMicros) phase_ = Phase::Idle;
        }
    }
}

bool Simulator::Answering() const {
    if (options_.silent) return false;
    return TranscriptNow() - startMicros_ >= static_cast<int64_t>(options_.onAfterSeconds * 1e6);
}

void Simulator::OnHostByte(uint8_t byte) {
    Faults f;
    bool paced = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        f.answering = Answering();
        f.garbage = options_.garbage ||
                    (options_.noiseAfterReplies >= 0 && replies_ >= options_.noiseAfterReplies);
        f.echoAll = options_.echoAll;
        f.strayAfterProbe = options_.strayAfterProbe;
        f.wrongEcho = options_.wrongEcho;
        f.probeDelayMs = options_.probeDelayMs;
        f.probeAnswer = options_.probeAnswer;
        paced = options_.paced;
    }
    if (paced) hostByteIn_ = std::max(SteadyMicros(), hostByteIn_) + kByteMicros;
    // The byte that opens an exchange is the first of it in the transcript.
    const bool otherDevice = f.garbage || f.echoAll;
    if (f.answering && !otherDevice && StartsExchange(byte, f.wrongEcho)) BeginExchange();
    Record(true, byte);
    if (!f.answering) return;
    if (f.garbage) {
        for (int i = 0; i < 3; ++i) Send(static_cast<uint8_t>(random_()));
        return;
    }
    if (f.echoAll) {
        Send(byte);
        return;
    }
    Step(byte, f);
}

bool Simulator::StartsExchange(uint8_t byte, bool wrongEcho) const {
    const bool probe = byte == Code(Command::Probe);
    switch (phase_) {
        case Phase::Idle:
        case Phase::Abandoned:
            return probe || byte == Code(Command::Identify);
        case Phase::Data:
            // A probe in place of the echo is a host that gave the last exchange up.
            return probe && (wrongEcho || byte != data_[dataIndex_]);
        case Phase::Parameters:
            return false;
    }
    return false;
}

void Simulator::Step(uint8_t byte, const Faults& f) {
    const uint8_t probe = Code(Command::Probe);
    switch (phase_) {
        case Phase::Abandoned:
            if (byte != probe && byte != Code(Command::Identify)) return;
            phase_ = Phase::Idle;
            [[fallthrough]];
        case Phase::Idle:
            if (byte == probe) {
                if (f.probeDelayMs > 0 && !Wait(f.probeDelayMs * 1000)) return;
                Send(f.probeAnswer, f.strayAfterProbe);
                return;
            }
            StartCommand(byte);
            return;
        case Phase::Parameters:
            parameters_.push_back(byte);
            // Take the request in before answering its last byte, so the host that has the
            // answer finds the clock set.
            if (--parametersLeft_ == 0) Prepare();
            Send(static_cast<uint8_t>(~byte));
            if (parametersLeft_ == 0) SendFirstData();
            return;
        case Phase::Data:
            // Verify the echo.
            if (f.wrongEcho || byte != data_[dataIndex_]) {
                phase_ = Phase::Abandoned;
                if (byte == probe) Step(byte, f);
                return;
            }
            if (++dataIndex_ < data_.size()) {
                Send(data_[dataIndex_]);
            } else {
                phase_ = Phase::Idle;
                if (command_ == Code(Command::ReadRecord) || command_ == Code(Command::ReadLive)) {
                    std::lock_guard<std::mutex> lock(mutex_);
                    ++replies_;
                }
            }
            return;
    }
}

void Simulator::BeginExchange() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++exchanges_;
    sentInExchange_ = 0;
}

void Simulator::StartCommand(uint8_t code) {
    command_ = code;
    parameters_.clear();
    const CommandShape* shape = ShapeOf(code);
    parametersLeft_ = shape != nullptr ? shape->hostParameterBytes : 0;
    if (shape != nullptr && parametersLeft_ == 0) Prepare();
    // Answer the command byte (an unknown byte too: the meter answers every byte).
    Send(static_cast<uint8_t>(~code));
    if (shape == nullptr) return;
    if (parametersLeft_ > 0) {
        phase_ = Phase::Parameters;
    } else {
        SendFirstData();
    }
}

void Simulator::Prepare() {
    data_.clear();
    dataIndex_ = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Options& o = options_;
        const uint16_t address = parameters_.size() >= 2
                                     ? static_cast<uint16_t>(parameters_[0] << 8 | parameters_[1])
                                     : 0;
        auto word = [this](uint16_t w) {
            data_.push_back(static_cast<uint8_t>(w >> 8));
            data_.push_back(static_cast<uint8_t>(w & 0xFF));
        };
        switch (static_cast<Command>(command_)) {
            case Command::ReadCell: {
                const auto it = o.cells.find(address);
                word(it == o.cells.end() ? 0xFFFF : it->second);
                break;
            }
            case Command::ReadLive:
                if (o.walk) {
                    o.rh = Drift(random_, o.rh, 100, 950);
                    o.air = Drift(random_, o.air, 0, 450);
                    o.globe = Drift(random_, o.globe, o.air, 650);
                }
                word(o.rh);
                word(o.air);
                word(o.globe);
                break;
            case Command::Identify:
                data_.push_back(o.model);
                break;
            case Command::AskHead:
                data_.push_back(o.head);
                break;
            case Command::ReadRecord: {
                const size_t index = address / kRecordAddressStep;
                if (address % kRecordAddressStep == 0 && index >= 1 && index <= o.logger.size()) {
                    const auto& b = o.logger[index - 1].bytes;
                    data_.assign(b.begin(), b.end());
                } else {
                    // Erased memory past the last record.
                    data_.assign(kRecordBytes, 0xFF);
                }
                break;
            }
            case Command::SetClock:
                clock_ = {parameters_[0], parameters_[1], parameters_[2],
                          parameters_[3], parameters_[4], clock_.sets + 1};
                break;
            case Command::Probe:
                break;
        }
    }
}

void Simulator::SendFirstData() {
    if (phase_ == Phase::Abandoned) return;
    phase_ = data_.empty() ? Phase::Idle : Phase::Data;
    if (!data_.empty()) Send(data_[0]);
}

void Simulator::Send(uint8_t byte, int stray) {
    int silentAfter, vanishAfter, latencyMs;
    bool paced;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        silentAfter = options_.silentAfter;
        vanishAfter = options_.vanishAfter;
        paced = options_.paced;
        latencyMs = options_.latencyMs;
    }
    if (vanished_.load() || phase_ == Phase::Abandoned) return;
    if (vanishAfter >= 0 && sentInExchange_ >= vanishAfter) {
        Vanish();
        return;
    }
    if (silentAfter >= 0 && sentInExchange_ >= silentAfter) {
        phase_ = Phase::Abandoned;
        return;
    }
    if (paced) {
        // The meter has the host's byte one byte time after the line to it was free, and its
        // own bytes follow one another on the line back: a lock-step pair takes two byte times.
        const int64_t deliver = std::max(hostByteIn_, lineFreeAt_) + kByteMicros;
        const int64_t now = SteadyMicros();
        if (deliver > now && !Wait(static_cast<int>(deliver - now))) return;
        lineFreeAt_ = std::max(deliver, now);
    }
    // The adapter passes a lone byte on only when its latency timer runs out.
    if (latencyMs > 0 && !Wait(latencyMs * 1000)) return;
    std::vector<uint8_t> bytes(1 + static_cast<size_t>(std::max(stray, 0)), kStrayByte);
    bytes[0] = byte;
    size_t written = 0;
    while (written < bytes.size()) {
        {
            // Written and recorded under one lock: once the host has the byte, whoever asks
            // for the transcript finds it there.
            std::lock_guard<std::mutex> lock(mutex_);
            const ssize_t n = ::write(master_, bytes.data() + written, bytes.size() - written);
            if (n > 0) {
                for (ssize_t i = 0; i < n; ++i) RecordLocked(false, bytes[written + i]);
                written += static_cast<size_t>(n);
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) return;
        }
        if (!Wait(1000)) return;
    }
    ++sentInExchange_;
}

void Simulator::Vanish() {
    // As when the adapter is pulled: the line hangs up and the device node goes away.
    vanished_.store(true);
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
}

void Simulator::Record(bool fromHost, uint8_t byte) {
    std::lock_guard<std::mutex> lock(mutex_);
    RecordLocked(fromHost, byte);
}

void Simulator::RecordLocked(bool fromHost, uint8_t byte) {
    TranscriptEntry e{TranscriptNow(), fromHost, byte, "#" + std::to_string(exchanges_)};
    if (sink_) sink_(e);
    transcript_.push_back(std::move(e));
}

}  // namespace lmr::sim
