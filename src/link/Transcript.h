#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/LinkStatus.h"

namespace lmr {

// One byte on the line, as the host's link and the simulated meter both record it.
//
// Line format (one byte per line, fields separated by one space):
//   <unix time in seconds with 6 decimals> <direction> <byte in decimal> <exchange name>
//   1765236000.012345 H>I 55 probe
//   1765236000.012890 I>H 0 probe
// Direction "H>I" is host to instrument, "I>H" instrument to host, "I>-" a byte from the
// instrument that the host had not asked for and discarded. The exchange name is the rest of
// the line (may hold spaces; "-" when there is none). Wall-clock time stamps let the host's
// and the simulator's files be merged by sorting.
struct TranscriptEntry {
    int64_t micros = 0;  // microseconds since the Unix epoch
    bool fromHost = true;
    uint8_t byte = 0;
    std::string exchange;
    bool discarded = false;  // from the instrument, not asked for, thrown away

    bool operator==(const TranscriptEntry& o) const {
        return micros == o.micros && fromHost == o.fromHost && byte == o.byte &&
               exchange == o.exchange && discarded == o.discarded;
    }
};

// Receives every byte of the link; called on the thread that runs the exchange.
using TranscriptSink = std::function<void(const TranscriptEntry&)>;

// Microseconds since the Unix epoch, now.
[[nodiscard]] int64_t TranscriptNow();

// The line for an entry, without the line feed.
[[nodiscard]] std::string FormatTranscriptLine(const TranscriptEntry& entry);
// The entry of a line (a trailing line feed is allowed); none when the line is not one.
[[nodiscard]] std::optional<TranscriptEntry> ParseTranscriptLine(const std::string& line);

// Told once, with errno (ENOSPC on a full disk), when a transcript file could not be written;
// called on the thread whose byte failed.
using TranscriptFailure = std::function<void(int error)>;

// A sink that appends lines to a file (created or truncated), flushed line by line.
// Status NoAccess / NoDevice / Io when the file cannot be opened (the sink is then empty).
// The first line that cannot be written ends the file there (a transcript with a hole would
// mislead) and is told to `failed`.
[[nodiscard]] TranscriptSink MakeTranscriptFileSink(const std::string& path, LinkStatus* status,
                                                    TranscriptFailure failed = {});

// The bytes of a transcript as compact text for assertions: "H55 I0 H163 I92 I1 H1 ...", a
// discarded byte as "D255".
[[nodiscard]] std::string TranscriptBytes(const std::vector<TranscriptEntry>& entries);

}  // namespace lmr
