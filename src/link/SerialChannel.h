#pragma once

#include <linux/serial.h>
#include <termios.h>

#include <functional>
#include <optional>
#include <string>

#include "link/ByteChannel.h"

namespace lmr {

// The driver's serial settings calls, TIOCGSERIAL and TIOCSSERIAL, as ioctl makes them: 0, or
// -1 with errno. A seam, so a test can stand in for a driver that has them.
using SerialSettingsCall =
    std::function<int(int fd, unsigned long request, serial_struct* settings)>;
// The kernel's own: ioctl(fd, request, settings).
[[nodiscard]] SerialSettingsCall KernelSerialSettings();

// A serial port over POSIX termios: raw 8N1 at 9600 baud with CLOCAL|CREAD, software flow
// control off (XON/XOFF would swallow data bytes 17 and 19), hardware flow control and modem
// lines left as the driver had them. Works on real adapters and on pseudo-terminals alike.
class SerialChannel final : public ByteChannel {
public:
    // Opens the path exclusively (TIOCEXCL and flock; the meter's port is not shared).
    // NoDevice: no such path; NoAccess: EACCES/EPERM; Busy: held by another program;
    // Io: not a terminal or not configurable.
    // Where the driver has a low-latency mode (USB adapters hold received bytes for a latency
    // timer, 16 ms on FTDI, which each of the dialogue's round trips would wait out), it is
    // asked for; a port without one (a pseudo-terminal, a built-in UART) is used as it is.
    [[nodiscard]] static OpenedChannel Open(const std::string& path,
                                            SerialSettingsCall settings = KernelSerialSettings());

    // Closes.
    ~SerialChannel() override;
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;

    [[nodiscard]] LinkStatus Write(uint8_t byte) override;
    [[nodiscard]] LinkStatus Read(uint8_t& byte, int timeoutMs) override;
    // Puts the port back as it was found (line settings, the driver's latency mode), then
    // gives it up.
    void Close() override;

private:
    SerialChannel(int fd, const termios& found, SerialSettingsCall settings)
        : fd_(fd), found_(found), settings_(std::move(settings)) {}
    void RequestLowLatency();
    void RestoreLatency();

    int fd_;
    termios found_;  // the line settings the port had before this opening
    SerialSettingsCall settings_;
    // The driver's low-latency flag before this opening, when this opening changed it.
    std::optional<int> foundLatencyFlag_;
};

// The opener the program uses: SerialChannel::Open.
[[nodiscard]] OpenedChannel OpenSerialChannel(const std::string& path);

}  // namespace lmr
