#pragma once

#include <string>

#include "link/ByteChannel.h"

namespace lmr {

// A serial port over POSIX termios: raw 8N1 at 9600 baud with CLOCAL|CREAD, software flow
// control off (XON/XOFF would swallow data bytes 17 and 19), hardware flow control and modem
// lines left as the driver had them. Works on real adapters and on pseudo-terminals alike.
class SerialChannel final : public ByteChannel {
public:
    // Opens the path exclusively (TIOCEXCL and flock; the meter's port is not shared).
    // NoDevice: no such path; NoAccess: EACCES/EPERM; Busy: held by another program;
    // Io: not a terminal or not configurable.
    [[nodiscard]] static OpenedChannel Open(const std::string& path);

    ~SerialChannel() override;
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;

    [[nodiscard]] LinkStatus Write(uint8_t byte) override;
    [[nodiscard]] LinkStatus Read(uint8_t& byte, int timeoutMs) override;
    void Close() override;

private:
    explicit SerialChannel(int fd) : fd_(fd) {}
    int fd_;
};

// The opener the program uses: SerialChannel::Open.
[[nodiscard]] OpenedChannel OpenSerialChannel(const std::string& path);

}  // namespace lmr
