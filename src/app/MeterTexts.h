#pragma once

#include <QString>
#include <string>

#include "meter/MeterStatus.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"

namespace lmr {

// Status bar panel 3 while a job runs.
inline constexpr char kReadingCellsText[] = "Чтение ячеек памяти ...";
inline constexpr char kWritingClockText[] = "Запись времяни и даты ...";
// Another job holds the link: the window's exchange was not run.
inline constexpr char kInstrumentBusyText[] = "Порт прибора занят другим обменом";

// Panel 3 when a job ended with status: count is the records or values read so far. Empty
// where the window says nothing of its own (a live reading that answered, a probe).
[[nodiscard]] QString MeterStatusText(JobKind job, MeterStatus status, int count = 0);

// Panel 3 when the port the meter was found on went away (the adapter pulled); after the
// text of the job it ended, if that has one.
[[nodiscard]] QString PortGoneText(int port, const std::string& path);

// Panel 3 during a download: the records read and, from the pace so far, the time the rest of
// the logger can take at most (the logger keeps no count of its records, so only its capacity
// bounds what is left).
[[nodiscard]] QString DownloadProgressText(int accepted, qint64 elapsedMs);

// Panel 3 after the search tried a port.
[[nodiscard]] QString SearchNoteText(const SearchNote& note);

}  // namespace lmr
