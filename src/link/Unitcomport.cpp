#include "link/Unitcomport.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "link/CommandCodes.h"

namespace lmr {
namespace {

// More than a line of 9600 baud carries between two host bytes of a healthy dialogue.
constexpr int kMaxDiscardedBytes = 256;

}  // namespace

Link::Link(PortTable& ports, ChannelOpener opener) : ports_(ports), opener_(std::move(opener)) {}

Link::~Link() {
    ClosePort();
}

void Link::OpenPort(char digit) {
    ClosePort();
    lost_ = false;
    gone_ = false;
    holder_.reset();
    noiseBytes_ = 0;
    sentInOpening_ = 0;
    settleWaited_ = false;
    openPath_.clear();
    const std::optional<std::string> path = ports_.PathOf(digit - '0');
    if (!path) {
        openStatus_ = LinkStatus::NoDevice;
        return;
    }
    openPath_ = *path;
    if (claim_.Claim(*path) == LinkStatus::Busy) {
        openStatus_ = LinkStatus::Busy;
        holder_ = claim_.Holder();
        return;
    }
    OpenedChannel opened = opener_(*path);
    openStatus_ = opened.status;
    if (opened.status == LinkStatus::NoDevice) MarkGone();
    if (opened.status == LinkStatus::Ok) channel_ = std::move(opened.channel);
}

void Link::RequestCancel(CancelWhen when) {
    const int wanted = static_cast<int>(when);
    int now = cancel_.load();
    while (now < wanted && !cancel_.compare_exchange_weak(now, wanted)) {
    }
}

void Link::MarkLost(LinkStatus why) {
    lost_ = true;
    if (why == LinkStatus::NoDevice) MarkGone();
}

void Link::MarkGone() {
    gone_ = true;
    // Its name may soon be another device's.
    claim_.Release();
}

void Link::SendByte(uint8_t byte) {
    if (!channel_ || lost_) return;
    DiscardWaiting();
    if (lost_) return;
    Record(true, byte);
    ++sentInOpening_;
    lastSent_ = byte;
    const LinkStatus s = channel_->Write(byte);
    if (s == LinkStatus::NoDevice || s == LinkStatus::Io) MarkLost(s);
}

void Link::SettleInput() {
    // Once an opening: an exchange that asks its status after every value would otherwise
    // wait at each.
    Settle(std::exchange(settleWaited_, true) ? 0 : kSettleMs);
}

void Link::AwaitQuiet() {
    settleWaited_ = true;
    Settle(kSettleMs);
}

void Link::Settle(int waitMs) {
    if (!channel_ || lost_) return;
    // Noise behind the last byte may still be on its way: a paced line brings a byte a
    // millisecond apart, a USB adapter holds a lone one up to its latency timer.
    if (TakeUnasked(waitMs)) DiscardWaiting();
}

void Link::DiscardWaiting() {
    // In the lock-step dialogue the meter only ever answers a host byte: whatever came before
    // the next one is not an answer. Bounded, so a device that floods the line still ends.
    for (int i = 0; i < kMaxDiscardedBytes && TakeUnasked(0); ++i) {
    }
}

bool Link::TakeUnasked(int waitMs) {
    uint8_t byte = 0;
    const LinkStatus s = channel_->Read(byte, waitMs);
    if (s == LinkStatus::Timeout) return false;
    if (s != LinkStatus::Ok) {
        MarkLost(s);
        return false;
    }
    Record(false, byte, true);
    // Only the probe's answer may bring a glitch along that leaves the dialogue in step.
    const bool afterProbeOnly =
        sentInOpening_ == 0 || (sentInOpening_ == 1 && lastSent_ == Code(Command::Probe));
    if (!afterProbeOnly) ++noiseBytes_;
    return true;
}

uint8_t Link::TryReadByte() {
    return TryReadByteFor(kReadAttemptMs);
}

uint8_t Link::TryReadByteFor(int timeoutMs) {
    if (!channel_ || lost_) return 0;
    if (CancelRequested(CancelWhen::NextByte)) {
        MarkLost();
        return 0;
    }
    uint8_t byte = 0;
    const LinkStatus s = channel_->Read(byte, timeoutMs);
    if (s == LinkStatus::Ok) {
        receiveByte_ = byte;
        Record(false, byte);
        return 1;
    }
    if (s != LinkStatus::Timeout) MarkLost(s);
    return 0;
}

uint8_t Link::ReadByte() {
    if (!channel_ || lost_) {
        // A port that never opened would otherwise spend the whole bound on nothing.
        MarkLost();
        return 0;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadByteBoundMs);
    while (!lost_) {
        if (TryReadByte() == 1) return receiveByte_;
        if (std::chrono::steady_clock::now() >= deadline) MarkLost();
    }
    return 0;
}

uint8_t Link::SendCommand(uint8_t byte) {
    SendByte(byte);
    return ReadByte();
}

uint8_t Link::ReadEchoedByte() {
    const uint8_t byte = ReadByte();
    SendByte(byte);
    return byte;
}

uint16_t Link::ReadWord() {
    const uint8_t high = ReadEchoedByte();
    const uint8_t low = ReadEchoedByte();
    return static_cast<uint16_t>(high * 256 + low);
}

bool Link::ProbeInstrument() {
    SendByte(Code(Command::Probe));
    // Nothing to wait on: a port that did not open answers nothing at once.
    if (!channel_) return false;
    // Attempt k ends 40 (k + 1) ms after the send, so scheduling delays on a busy machine do not
    // add up over the eleven attempts of every port of a search pass.
    const auto start = std::chrono::steady_clock::now();
    for (int attempt = 1; attempt <= kProbeAttempts && !lost_; ++attempt) {
        const auto end = start + std::chrono::milliseconds(attempt * kReadAttemptMs);
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (TryReadByteFor(static_cast<int>(std::max<int64_t>(left.count(), 0))) == 1) {
            return true;
        }
    }
    return false;
}

void Link::ClosePort() {
    if (channel_) {
        channel_->Close();
        channel_.reset();
    }
}

void Link::Record(bool fromHost, uint8_t byte, bool discarded) {
    if (!transcript_) return;
    transcript_(TranscriptEntry{TranscriptNow(), fromHost, byte, exchangeName_, discarded});
}

}  // namespace lmr
