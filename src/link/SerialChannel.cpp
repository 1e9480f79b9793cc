#include "link/SerialChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace lmr {
namespace {

// How long Close waits at most for the output still queued: 50 ms, some 48 bytes at 9600 baud.
constexpr int kDrainPolls = 50;
constexpr useconds_t kDrainPollMicros = 1000;

LinkStatus StatusOfOpenError(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return LinkStatus::NoAccess;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return LinkStatus::NoDevice;
        case EBUSY:
        case EWOULDBLOCK:
            return LinkStatus::Busy;
        default:
            return LinkStatus::Io;
    }
}

// Raw 8N1 at 9600 baud. Flow control by hardware (CRTSCTS) and the modem lines stay as the
// driver had them; XON/XOFF goes off because it would swallow data bytes 17 and 19.
bool Configure(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    const tcflag_t keepHardwareFlow = tio.c_cflag & CRTSCTS;
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD | keepHardwareFlow;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0) return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

SerialSettingsCall KernelSerialSettings() {
    return [](int fd, unsigned long request, serial_struct* settings) {
        return ioctl(fd, request, settings);
    };
}

OpenedChannel SerialChannel::Open(const std::string& path, SerialSettingsCall settings) {
    OpenedChannel out;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        out.status = StatusOfOpenError(errno);
        return out;
    }
    if (!isatty(fd)) {
        ::close(fd);
        out.status = LinkStatus::Io;
        return out;
    }
    // TIOCEXCL does not stop root, so the flock keeps two programs apart as well.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        out.status = LinkStatus::Busy;
        return out;
    }
    termios found{};
    if (ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &found) != 0 || !Configure(fd)) {
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        out.status = LinkStatus::Io;
        return out;
    }
    std::unique_ptr<SerialChannel> channel(new SerialChannel(fd, found, std::move(settings)));
    channel->RequestLowLatency();
    // Bytes left over from an earlier opening are not the answer to this one. Output is left
    // alone: the last echo of the earlier exchange may still be on its way.
    tcflush(fd, TCIFLUSH);
    out.status = LinkStatus::Ok;
    out.channel = std::move(channel);
    return out;
}

void SerialChannel::RequestLowLatency() {
    serial_struct found{};
    if (!settings_ || settings_(fd_, TIOCGSERIAL, &found) != 0) return;  // no such mode here
    if ((found.flags & ASYNC_LOW_LATENCY) != 0) return;
    serial_struct low = found;
    low.flags |= ASYNC_LOW_LATENCY;
    // A driver that refuses is used at its own pace: slower, but the dialogue still works.
    if (settings_(fd_, TIOCSSERIAL, &low) == 0) foundLatencyFlag_ = found.flags & ASYNC_LOW_LATENCY;
}

void SerialChannel::RestoreLatency() {
    if (!foundLatencyFlag_) return;
    serial_struct now{};
    if (settings_(fd_, TIOCGSERIAL, &now) == 0) {
        now.flags = (now.flags & ~ASYNC_LOW_LATENCY) | *foundLatencyFlag_;
        (void)settings_(fd_, TIOCSSERIAL, &now);
    }
    foundLatencyFlag_.reset();
}

SerialChannel::~SerialChannel() {
    Close();
}

LinkStatus SerialChannel::Write(uint8_t byte) {
    if (fd_ < 0) return LinkStatus::NoDevice;
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1) return LinkStatus::Ok;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The output queue is full: wait for room (a line of 9600 baud drains quickly).
            pollfd p{fd_, POLLOUT, 0};
            if (poll(&p, 1, 1000) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                return LinkStatus::Io;
            }
            continue;
        }
        return (n < 0 && (errno == ENXIO || errno == ENODEV)) ? LinkStatus::NoDevice
                                                              : LinkStatus::Io;
    }
}

LinkStatus SerialChannel::Read(uint8_t& byte, int timeoutMs) {
    if (fd_ < 0) return LinkStatus::NoDevice;
    pollfd p{fd_, POLLIN, 0};
    int r;
    do {
        r = poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
    } while (r < 0 && errno == EINTR);
    if (r < 0) return LinkStatus::Io;
    if (r == 0) return LinkStatus::Timeout;
    if ((p.revents & POLLIN) == 0) {
        // A pulled adapter (or a closed pseudo-terminal master) hangs the line up.
        return (p.revents & POLLHUP) != 0 ? LinkStatus::NoDevice : LinkStatus::Io;
    }
    const ssize_t n = ::read(fd_, &byte, 1);
    if (n == 1) return LinkStatus::Ok;
    if (n == 0) return LinkStatus::NoDevice;  // end of file: the device went away
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return LinkStatus::Timeout;
    return errno == EIO ? LinkStatus::NoDevice : LinkStatus::Io;
}

void SerialChannel::Close() {
    if (fd_ < 0) return;
    RestoreLatency();
    // The last echo may still be on its way out; new line settings would garble it. A stalled
    // line (hardware flow control held off) is not waited for long.
    for (int i = 0; i < kDrainPolls; ++i) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
        usleep(kDrainPollMicros);
    }
    // Another program (a terminal, a modem tool) finds the port as it left it.
    tcsetattr(fd_, TCSANOW, &found_);
    // The exclusive flag outlives this descriptor while another one (a simulator's) keeps the
    // terminal open, and would then refuse the next opening by a normal user.
    ioctl(fd_, TIOCNXCL);
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

OpenedChannel OpenSerialChannel(const std::string& path) {
    return SerialChannel::Open(path);
}

}  // namespace lmr
