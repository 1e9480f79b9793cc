#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/LinkStatus.h"

namespace lmr {

// A byte stream to the instrument. The primitives speak through this, so a test can put any
// stream behind them. One thread uses a channel at a time; none of it is thread-safe.
class ByteChannel {
public:
    virtual ~ByteChannel() = default;
    // Sends one byte. Ok, or Io / NoDevice when the port failed or vanished.
    [[nodiscard]] virtual LinkStatus Write(uint8_t byte) = 0;
    // Waits at most timeoutMs for one byte (0 or less: only takes a byte already there).
    // Ok with the byte stored, Timeout when none came, Io / NoDevice when the port failed.
    [[nodiscard]] virtual LinkStatus Read(uint8_t& byte, int timeoutMs) = 0;
    // Gives the port back. Later calls return NoDevice. Closing twice is harmless.
    virtual void Close() = 0;
};

// What opening a port gave: Ok with a channel, or the reason there is none.
struct OpenedChannel {
    LinkStatus status = LinkStatus::NoDevice;
    std::unique_ptr<ByteChannel> channel;
};

// Opens the device at a path. The link takes one of these so tests can refuse or fake ports.
using ChannelOpener = std::function<OpenedChannel(const std::string& path)>;

}  // namespace lmr
