#pragma once

namespace lmr {

// While TZ is unset the C library looks at /etc/localtime again at every local-time conversion
// (a stat and often a read each); a data file of 100,000 dated records paid it 100,000 times.
// Naming the system's zone file has it read once. A TZ the user set is left alone. Called once
// at start, before any thread is made.
void ReadTimeZoneOnce();

}  // namespace lmr
