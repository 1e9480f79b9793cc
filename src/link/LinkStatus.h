#pragma once

namespace lmr {

// What the channel says about opening a port, one byte, or a file beside the link. How a
// dialogue ended is a MeterStatus: the exchange's frame turns these into it.
enum class LinkStatus {
    Ok,
    NoDevice,  // no such port, or the device went away (adapter pulled)
    NoAccess,  // the port exists but the user may not open it (not in dialout)
    Io,        // a read or write failed on an open port
    Timeout,   // nothing arrived within the time-out
    Busy,      // another program holds or has locked the port
};

}  // namespace lmr
