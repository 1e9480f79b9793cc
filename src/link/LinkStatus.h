#pragma once

namespace lmr {

// One result for the whole link stack: channel, primitives, exchanges, search.
enum class LinkStatus {
    Ok,
    NoDevice,   // no such port, or the device went away (adapter pulled)
    NoAccess,   // the port exists but the user may not open it (not in dialout)
    Io,         // a read or write failed on an open port
    Timeout,    // nothing arrived within the time-out
    Protocol,   // the instrument's bytes do not fit the exchange
    Busy,       // held by another program, or the link is in use by another exchange
    Cancelled,  // the program asked the link to stop
};

// A short English text for logs, e.g. "no access". Never null.
[[nodiscard]] const char* LinkStatusText(LinkStatus status);

}  // namespace lmr
