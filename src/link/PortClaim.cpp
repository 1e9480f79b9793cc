#include "link/PortClaim.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lmr {
namespace {

// The program name written into the lock file and read from it.
constexpr char kProgramName[] = "lmr";

// The lock file of a device: LCK.. and its path under /dev, slashes as '_' (LCK..ttyUSB0,
// LCK..pts_3). Empty when the device does not exist.
std::string LockFileOf(const std::string& lockDir, const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return {};
    std::string name = resolved;
    if (name.rfind("/dev/", 0) == 0) name.erase(0, 5);
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return lockDir + "/LCK.." + name;
}

// The holder a lock file names: its PID and program, the program from /proc when the file
// gives none. None when the file names no process that still runs.
std::optional<PortHolder> HolderOf(const std::string& lockFile) {
    std::ifstream in(lockFile);
    std::string line;
    std::getline(in, line);
    std::istringstream fields(line);
    PortHolder holder;
    if (!(fields >> holder.pid) || holder.pid <= 0) return std::nullopt;
    fields >> holder.program;
    // EPERM: it runs, as another user.
    if (::kill(holder.pid, 0) != 0 && errno != EPERM) return std::nullopt;
    if (holder.program.empty()) {
        std::ifstream comm("/proc/" + std::to_string(holder.pid) + "/comm");
        std::getline(comm, holder.program);
    }
    return holder;
}

// Writes a new lock file for this process: false when one is there already (errno EEXIST)
// or it cannot be made.
bool Create(const std::string& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%10d %s\n", static_cast<int>(::getpid()),
                                kProgramName);
    const bool written = ::write(fd, text, static_cast<size_t>(n)) == n;
    ::close(fd);
    if (!written) {
        ::unlink(lockFile.c_str());
        errno = EIO;
    }
    return written;
}

}  // namespace

std::string SerialLockDir() {
    const char* dir = std::getenv("LMR_LOCK_DIR");
    return dir != nullptr && *dir != '\0' ? dir : "/run/lock";
}

LinkStatus PortClaim::Claim(const std::string& path) {
    holder_.reset();
    const std::string lockFile = LockFileOf(lockDir_, path);
    if (!lockFile.empty() && lockFile == lockFile_) return LinkStatus::Ok;
    Release();
    if (lockFile.empty()) return LinkStatus::Ok;
    // Twice: a lock file left by a process that ended is removed, then made anew.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (Create(lockFile)) {
            lockFile_ = lockFile;
            return LinkStatus::Ok;
        }
        if (errno != EEXIST) return LinkStatus::Ok;
        std::optional<PortHolder> holder = HolderOf(lockFile);
        if (holder && holder->pid == ::getpid()) {
            // Another link of this process (a test runs several programs one after another).
            lockFile_ = lockFile;
            return LinkStatus::Ok;
        }
        if (holder) {
            holder_ = std::move(holder);
            return LinkStatus::Busy;
        }
        ::unlink(lockFile.c_str());
    }
    return LinkStatus::Ok;
}

void PortClaim::Release() {
    if (lockFile_.empty()) return;
    // Only a file that still names this process: a program that took a stale one over keeps it.
    const std::optional<PortHolder> holder = HolderOf(lockFile_);
    if (holder && holder->pid == ::getpid()) ::unlink(lockFile_.c_str());
    lockFile_.clear();
}

}  // namespace lmr
