#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>
#include <vector>

#include "logger/LoggerRecord.h"
#include "measure/Outcome.h"

namespace lmr {

// The measurement data file: CSV in UTF-8 (with a byte-order mark, so that Excel takes the
// Cyrillic captions as UTF-8), fields separated by ";", numbers with a decimal point whatever
// the locale, lines ended by CR LF. The separator is the list separator of the Russian
// locale, so Excel there splits the columns without asking, and it never meets the decimal
// point; LibreOffice finds it by itself. Row 1 holds the captions with their units; each
// further row one reading: the time as an ISO 8601 date and time, the three measured
// channels with one decimal, then the six derived quantities (the dew point empty where
// there is none), and a note: "недостоверная запись" for a record that is no measurement,
// else empty. Files without the note column are read as well.
inline constexpr int kDataColumns = 11;

// The file's time of a reading: the logger's own fields, seconds for live readings.
struct DataTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// One reading: when, and the three measured channels; the rest derives from them.
struct DataRow {
    DataTime time;
    float rh = 0;   // %
    float tv = 0;   // air temperature, °C
    float tsf = 0;  // black-globe temperature as read, °C
};

[[nodiscard]] DataRow DataRowOf(const LoggerRecord& record);
[[nodiscard]] DataRow DataRowOf(const QDateTime& when, float rh, float tv, float tsf);
// The logger record a row stands for (seconds dropped, the year counted from 2000).
[[nodiscard]] LoggerRecord LoggerRecordOf(const DataRow& row);

// The header line and one reading's line, each ended by CR LF.
[[nodiscard]] QByteArray DataHeaderLine();
[[nodiscard]] QByteArray DataLine(const DataRow& row);

// Writes a data file line by line, each flushed to the system as it is written, so that a
// program killed meanwhile leaves every line written before.
class DataFileWriter {
public:
    // Creates the file (and its folder) and writes the header.
    [[nodiscard]] Outcome Open(const QString& path);
    // Appends the reading; a file that failed once fails again with the same text.
    [[nodiscard]] Outcome Append(const DataRow& row);
    // Ends the file of a download stopped before its end: a comment line says so and the name
    // gets kStoppedNameSuffix, so that the folder tells it from a whole one. When not, the
    // records stay under the name they had.
    [[nodiscard]] Outcome MarkStopped();
    [[nodiscard]] bool IsOpen() const { return file_.isOpen(); }
    [[nodiscard]] QString Path() const { return file_.fileName(); }

private:
    [[nodiscard]] Outcome Write(const QByteArray& bytes);
    [[nodiscard]] Outcome Failed(QString text);
    QFile file_;
    QString error_;  // the first failure's text
    int rows_ = 0;
};

// How far a long read or write is: done of total (bytes read, rows written). It returns false
// to stop the job, which then ends at once with nothing of it taken or written.
using DataProgress = std::function<bool(qint64 done, qint64 total)>;

// Writes the rows to a file at path, replacing a regular file there only once the new one is
// whole (a stopped write fails: the file there stays as it was).
[[nodiscard]] Outcome WriteDataFile(const QString& path, const std::vector<DataRow>& rows,
                                    const DataProgress& progress = {});

// A file loads whole or not at all (the failure names the file and the line), but for a last
// line cut off, which is left out and told in notice.
struct DataFileContents {
    std::vector<DataRow> rows;
    QString notice;  // what the user is to know of a file that loaded
};

// Reads a data file written by DataFileWriter (or by a spreadsheet keeping its format); refuses
// anything but a regular file. A stopped read fails.
[[nodiscard]] Valued<DataFileContents> ReadDataFile(const QString& path,
                                            const DataProgress& progress = {});

// A comment line (from "#" on) is skipped wherever it stands after the header; files without
// one, written before comments were, read as they always did.

// The file a download started at `when` on the model goes to, in folder: a name not yet taken.
[[nodiscard]] QString DownloadFilePath(const QString& folder, const QDateTime& when,
                                       const QString& model);

}  // namespace lmr
