#include "link/PortHolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace lmr {
namespace {

// Unix 98 pseudo-terminal slaves (/dev/pts/N) have majors 136…143; the master side of every
// one of them is an opening of /dev/ptmx (5, 2).
constexpr unsigned kPtySlaveMajorFirst = 136;
constexpr unsigned kPtySlaveMajorLast = 143;
const dev_t kPtmx = makedev(5, 2);

// The pseudo-terminal index of a slave device, or -1 for any other device.
long PtyIndex(dev_t device) {
    const unsigned major = ::major(device);
    if (major < kPtySlaveMajorFirst || major > kPtySlaveMajorLast) return -1;
    return static_cast<long>((major - kPtySlaveMajorFirst) * 256 + ::minor(device));
}

bool IsNumber(const char* s) {
    if (*s == '\0') return false;
    for (; *s != '\0'; ++s) {
        if (!std::isdigit(static_cast<unsigned char>(*s))) return false;
    }
    return true;
}

// The pseudo-terminal a master opening belongs to, from its fdinfo "tty-index:" line.
long MasterIndex(const std::string& fdinfo) {
    std::ifstream in(fdinfo);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("tty-index:", 0) == 0) return std::strtol(line.c_str() + 10, nullptr, 10);
    }
    return -1;
}

std::string CommandName(const std::string& processDir) {
    std::ifstream in(processDir + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

}  // namespace

std::optional<PortHolder> FindPortHolder(const std::string& path, const std::string& procRoot) {
    struct stat device {};
    if (::stat(path.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) return std::nullopt;
    const long ptyIndex = PtyIndex(device.st_rdev);
    const std::string self = std::to_string(::getpid());

    DIR* proc = ::opendir(procRoot.c_str());
    if (proc == nullptr) return std::nullopt;
    std::optional<PortHolder> found;
    while (!found) {
        const dirent* entry = ::readdir(proc);
        if (entry == nullptr) break;
        if (!IsNumber(entry->d_name) || self == entry->d_name) continue;
        const std::string processDir = procRoot + "/" + entry->d_name;
        DIR* fds = ::opendir((processDir + "/fd").c_str());
        if (fds == nullptr) continue;  // gone, or another user's
        bool holdsDevice = false;
        bool holdsMaster = false;
        while (const dirent* fd = ::readdir(fds)) {
            if (!IsNumber(fd->d_name)) continue;
            // Only what lies under /dev is looked at: a stat of any other file (one on a
            // network or FUSE mount) could hang the search.
            const std::string link = processDir + "/fd/" + fd->d_name;
            char name[16] = {};
            if (::readlink(link.c_str(), name, sizeof name - 1) < 5 ||
                std::string(name, 5) != "/dev/") {
                continue;
            }
            struct stat target {};
            if (::stat(link.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) continue;
            if (target.st_rdev == device.st_rdev) holdsDevice = true;
            if (ptyIndex >= 0 && target.st_rdev == kPtmx &&
                MasterIndex(processDir + "/fdinfo/" + fd->d_name) == ptyIndex) {
                holdsMaster = true;
            }
        }
        ::closedir(fds);
        if (holdsDevice && !holdsMaster) {
            found = PortHolder{std::atoi(entry->d_name), CommandName(processDir)};
        }
    }
    ::closedir(proc);
    return found;
}

}  // namespace lmr
