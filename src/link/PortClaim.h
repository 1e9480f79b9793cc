#pragma once

#include <optional>
#include <string>

#include "link/LinkStatus.h"
#include "link/PortHolders.h"

namespace lmr {

// The lock folder of serial devices, where terminal programs (minicom, picocom) look too:
// LMR_LOCK_DIR when set, else /run/lock.
[[nodiscard]] std::string SerialLockDir();

// This program's claim on the meter's device between its exchanges: the port is opened only
// for each exchange, and another program (a second lmr, a terminal) probing it in the gaps would
// break the dialogue. The claim is a lock file LCK..<device> in the UUCP style that serial
// programs write and honour, holding the claimant's PID and program name. One claim at a time.
// Not thread-safe: the link's thread owns it.
class PortClaim {
public:
    explicit PortClaim(std::string lockDir = SerialLockDir()) : lockDir_(std::move(lockDir)) {}
    ~PortClaim() { Release(); }
    PortClaim(const PortClaim&) = delete;
    PortClaim& operator=(const PortClaim&) = delete;

    // Claims the device at path (a symbolic link counts as its target), giving up the claim
    // held on another one. Busy, with the holder, when a running process has claimed it; a
    // lock file left by a process that ended is taken over. A device that does not exist, or
    // a lock folder this user may not write, is no reason to refuse: Ok without a claim.
    [[nodiscard]] LinkStatus Claim(const std::string& path);
    // The process that holds the device the last Claim found busy.
    [[nodiscard]] const std::optional<PortHolder>& Holder() const { return holder_; }
    // Gives the claim up (harmless when none is held).
    void Release();

private:
    std::string lockDir_;
    std::string lockFile_;  // the one this process wrote, empty when none
    std::optional<PortHolder> holder_;
};

}  // namespace lmr
