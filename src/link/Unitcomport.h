#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/ByteChannel.h"
#include "link/LinkStatus.h"
#include "link/PortClaim.h"
#include "link/PortTable.h"
#include "link/SerialChannel.h"
#include "link/Transcript.h"

namespace lmr {

// Time of one read attempt: the meter's line time-out of 40 ms per requested byte.
inline constexpr int kReadAttemptMs = 40;
// How long the end of an exchange waits for noise behind its last byte.
inline constexpr int kSettleMs = 20;
// Read attempts of a probe: the first byte ends it.
inline constexpr int kProbeAttempts = 11;
// How long ReadByte waits for one byte before the link counts as lost.
inline constexpr int kReadByteBoundMs = 1000;

// When a job asked to stop ends.
enum class CancelWhen {
    AfterStep = 1,  // the user's stop: the step in flight (a record, a cell, a port of the search)
                    // finishes, then the job ends
    NextByte = 2,   // closing: every read returns at once, the job ends now
};

// The one link state and the byte-at-a-time primitives every exchange is built from. The meter
// is strictly lock-step: it answers every host byte with one byte, and the host echoes every
// data byte it sends. The port is opened for each exchange and closed at its end.
//
// One thread uses the link (the meter's worker); the primitives are not thread-safe.
// RequestCancel/ClearCancel/CancelRequested may be called from any thread.
// No primitive reports an error: a port that did not open makes every read return at once with
// nothing, and a meter lost in the middle of an exchange marks the link lost, after which every
// primitive of that opening does nothing and returns at once. The Exchange around the dialogue
// turns that into its MeterStatus; nothing else reads the marks.
class Link {
public:
    explicit Link(PortTable& ports, ChannelOpener opener = OpenSerialChannel);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Opens COM n for the digit '0' + n (n = 1…8) through the port table. Closes a port still
    // open, clears Lost() and drops stale input. The outcome is kept in LastOpenStatus().
    // The device stays claimed for this program after the port is closed (see PortClaim),
    // until a port of another device is opened or ReleaseClaim is called: Busy, with
    // LastHolder(), when another program has claimed it.
    void OpenPort(char digit);
    // Gives up the claim on the device last opened (the search, for a port without answer).
    void ReleaseClaim() { claim_.Release(); }
    // The program that had claimed the device when OpenPort found it Busy.
    [[nodiscard]] const std::optional<PortHolder>& LastHolder() const { return holder_; }
    // Sends one byte (nothing when the port is not open or the link is lost). Bytes already
    // waiting were not asked for (a line glitch, a meter that said more than its answer): they
    // are read, recorded as discarded and dropped first, so the dialogue stays in step.
    void SendByte(uint8_t byte);
    // One read attempt of kReadAttemptMs; returns the bytes-read count (0 or 1). The byte goes
    // to ReceiveByte(). A vanished device or a NextByte cancel marks the link lost.
    uint8_t TryReadByte();
    // Read attempts until a byte comes; returns it. After kReadByteBoundMs without a byte (at
    // once on a vanished device, a port not open or a NextByte cancel) marks the link lost and
    // returns 0.
    uint8_t ReadByte();
    // Sends a host byte and returns the meter's answer to it (callers discard it).
    uint8_t SendCommand(uint8_t byte);
    // Reads a data byte and echoes it.
    uint8_t ReadEchoedByte();
    // Reads a high byte and a low byte, each echoed: high × 256 + low.
    uint16_t ReadWord();
    // Sends 55 and makes at most kProbeAttempts read attempts; the first byte ends it. Any
    // value counts; the answer is not echoed.
    bool ProbeInstrument();
    // Reads what came unasked since the last byte, as SendByte does before the next one, so
    // that noise behind an exchange's last byte is seen too.
    void SettleInput();
    // As SettleInput, always giving noise the whole kSettleMs to show: before a conclusion
    // drawn from what the bytes say.
    void AwaitQuiet();
    // Closes the port (harmless when none is open).
    void ClosePort();

    [[nodiscard]] bool IsOpen() const { return channel_ != nullptr; }
    [[nodiscard]] LinkStatus LastOpenStatus() const { return openStatus_; }
    // The device path of the latest OpenPort ("" when the port number had no device).
    [[nodiscard]] std::string OpenPath() const { return openPath_; }
    // The last byte read.
    [[nodiscard]] uint8_t ReceiveByte() const { return receiveByte_; }

    // The one cancel of a job, until ClearCancel: every job looks at it between its steps and
    // ends as Cancelled with what it has; NextByte also makes every read return at once.
    // Thread-safe, and safe in a signal handler; a later AfterStep does not soften a NextByte.
    void RequestCancel(CancelWhen when);
    // The worker's, before each job: a cancel is one job's.
    void ClearCancel() { cancel_.store(kNoCancel); }
    // A cancel of at least that kind was asked for.
    [[nodiscard]] bool CancelRequested(CancelWhen atLeast = CancelWhen::AfterStep) const {
        return cancel_.load() >= static_cast<int>(atLeast);
    }

    [[nodiscard]] PortTable& Ports() { return ports_; }

    // Every byte both ways goes to the sink, tagged with the current exchange name. Set it
    // while no exchange runs.
    void SetTranscript(TranscriptSink sink) { transcript_ = std::move(sink); }
    void SetExchangeName(std::string name) { exchangeName_ = std::move(name); }

private:
    // The marks of the current opening, read by the Exchange alone for its status.
    friend class Exchange;
    // The meter was lost (no byte within the bound, device gone, a read cut by a cancel).
    [[nodiscard]] bool Lost() const { return lost_; }
    // The device went away (an adapter pulled): a read or write found it gone, or a port the
    // table names has no device any more. Cleared by OpenPort.
    [[nodiscard]] bool Gone() const { return gone_; }
    // Bytes of this opening that came unasked in the middle of the dialogue, after the answer
    // to its first command byte: noise on the line, so what was read since may be the noise's.
    // Bytes right behind the probe's answer are a glitch of the line and do not count.
    [[nodiscard]] int NoiseBytes() const { return noiseBytes_; }
    uint8_t TryReadByteFor(int timeoutMs);
    void DiscardWaiting();
    void Record(bool fromHost, uint8_t byte, bool discarded = false);
    void MarkLost() { lost_ = true; }
    void MarkLost(LinkStatus why);
    void MarkGone();

    PortTable& ports_;
    ChannelOpener opener_;
    PortClaim claim_;
    std::optional<PortHolder> holder_;
    std::unique_ptr<ByteChannel> channel_;
    LinkStatus openStatus_ = LinkStatus::NoDevice;
    std::string openPath_;
    uint8_t receiveByte_ = 0;
    bool lost_ = false;
    bool gone_ = false;
    int noiseBytes_ = 0;
    void Settle(int waitMs);
    // Reads one byte that came unasked, waiting up to waitMs for it, and counts it as noise
    // unless it is behind the probe's answer: whether one came.
    bool TakeUnasked(int waitMs);
    bool settleWaited_ = false;
    int sentInOpening_ = 0;  // host bytes sent since OpenPort
    uint8_t lastSent_ = 0;
    static constexpr int kNoCancel = 0;
    std::atomic<int> cancel_{kNoCancel};
    TranscriptSink transcript_;
    std::string exchangeName_;
};

// The reading of a word as signed two's complement (memory cell values): 0xFFFF is −1.
[[nodiscard]] constexpr int16_t AsSigned(uint16_t word) {
    return static_cast<int16_t>(word >= 0x8000 ? static_cast<int>(word) - 0x10000 : word);
}

}  // namespace lmr
