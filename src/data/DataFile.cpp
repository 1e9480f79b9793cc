#include "data/DataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "core/Reading.h"
#include "data/DataTexts.h"
#include "data/FileErrorText.h"
#include "measure/HeatStress.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

constexpr char kSeparator = ';';
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// One decimal with a point; a value that rounds to zero has no sign.
QByteArray Tenth(double value) {
    const double r = RoundToTenth(value);
    return QByteArray::number(r == 0 ? 0.0 : r, 'f', 1);
}

QByteArray TimeField(const DataTime& t) {
    return QStringLiteral("%1-%2-%3T%4:%5:%6")
        .arg(t.year, 4, 10, QLatin1Char('0'))
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

// "2009-04-07T14:05:00": digits where the format has them, fields within the logger's bytes
// (a file's row must give back the record it came from).
bool ParseTime(QByteArrayView text, DataTime* t) {
    static constexpr char kShape[] = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != qsizetype(sizeof kShape - 1)) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char want = kShape[i];
        const char c = text[i];
        if (want == 'd' ? (c < '0' || c > '9') : c != want) return false;
    }
    auto number = [&](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    *t = {number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    return t->year >= 2000 && t->year <= 2255;
}

bool ParseNumber(QByteArrayView text, float* value) {
    // Plain decimal numbers only: no exponent, no "inf", no spaces, no decimal comma.
    if (text.isEmpty()) return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return false;
    }
    bool ok = false;
    const double v = QByteArray(text.data(), text.size()).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = static_cast<float>(v);
    return true;
}

QString Caption(int column) {
    return QString::fromUtf8(kDataCaptions[column]);
}

}  // namespace

DataRow DataRowOf(const LoggerRecord& record) {
    DataRow row;
    row.time = {2000 + record.date11, record.date12, record.date13, record.hour, record.minute, 0};
    row.rh = record.rh;
    row.tv = record.tv;
    row.tsf = record.tsf;
    return row;
}

DataRow DataRowOf(const QDateTime& when, float rh, float tv, float tsf) {
    const QDate d = when.date();
    const QTime t = when.time();
    return {{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}, rh, tv, tsf};
}

LoggerRecord LoggerRecordOf(const DataRow& row) {
    LoggerRecord r;
    r.rh = row.rh;
    r.tv = row.tv;
    r.tsf = row.tsf;
    const auto byte = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    r.minute = byte(row.time.minute);
    r.hour = byte(row.time.hour);
    r.date11 = byte(row.time.year - 2000);
    r.date12 = byte(row.time.month);
    r.date13 = byte(row.time.day);
    return r;
}

QByteArray DataHeaderLine() {
    QByteArray line;
    for (int c = 0; c < kDataColumns; ++c) {
        if (c > 0) line += kSeparator;
        line += kDataCaptions[c];
    }
    return line + "\r\n";
}

QByteArray DataLine(const DataRow& row) {
    const HeatStress hs = DeriveHeatStress(row.rh, row.tv, row.tsf);
    QByteArray line = TimeField(row.time);
    for (const double v : {double(row.rh), double(row.tv), double(row.tsf), double(hs.ths),
                           double(hs.wbgt), double(hs.tvt)}) {
        line += kSeparator;
        line += Tenth(v);
    }
    line += kSeparator;
    if (hs.ttr) line += Tenth(*hs.ttr);
    for (const double v : {double(hs.trad), double(hs.w)}) {
        line += kSeparator;
        line += Tenth(v);
    }
    line += kSeparator;
    if (!LoggerRecordValid(LoggerRecordOf(row))) line += kDataInvalidNote;
    return line + "\r\n";
}

Outcome DataFileWriter::Failed(QString text) {
    error_ = std::move(text);
    return Outcome::Failed(error_);
}

Outcome DataFileWriter::Open(const QString& path) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return Failed(
            QString::fromUtf8(kDataCannotWrite)
                .arg(path, QStringLiteral("папку %1 нельзя создать").arg(info.absolutePath())));
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return Failed(QString::fromUtf8(kDataCannotWrite).arg(path, FileErrorText(file_, errno)));
    }
    return Write(kByteOrderMark + DataHeaderLine());
}

Outcome DataFileWriter::Append(const DataRow& row) {
    if (!IsOpen()) return Outcome::Failed(error_);
    if (Outcome written = Write(DataLine(row)); !written) return written;
    ++rows_;
    return Outcome::Ok();
}

Outcome DataFileWriter::MarkStopped() {
    if (!IsOpen()) return Outcome::Failed(error_);
    const QString line = QString::fromUtf8(kStoppedComment).arg(rows_) + QStringLiteral("\r\n");
    if (Outcome written = Write(line.toUtf8()); !written) return written;
    const QString from = file_.fileName();
    QString base = from;
    if (base.endsWith(QStringLiteral(".csv"))) base.chop(4);
    base += QString::fromUtf8(kStoppedNameSuffix);
    QString to = base + QStringLiteral(".csv");
    for (int n = 2; QFileInfo::exists(to); ++n) to = base + QStringLiteral("_%1.csv").arg(n);
    // Renaming closes the file: nothing is written to it after this.
    if (file_.rename(to)) return Outcome::Ok();
    return Failed(QString::fromUtf8(kDataCannotWrite).arg(to, file_.errorString()));
}

Outcome DataFileWriter::Write(const QByteArray& bytes) {
    // One write and a flush per line: the line reaches the system whole or not at all.
    if (file_.write(bytes) == bytes.size() && file_.flush()) return Outcome::Ok();
    Outcome failed =
        Failed(QString::fromUtf8(kDataCannotWrite).arg(file_.fileName(), FileErrorText(file_, errno)));
    file_.close();
    return failed;
}

Outcome WriteDataFile(const QString& path, const std::vector<DataRow>& rows,
                      const DataProgress& progress) {
    const auto failed = [&path](const char* text, const QString& reason) {
        return Outcome::Failed(QString::fromUtf8(text).arg(path, reason));
    };
    // A FIFO or a device in the file's place would block the save or be replaced by it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return Outcome::Failed(QString::fromUtf8(kDataNotAFile).arg(QDir::toNativeSeparators(path)));
    }
    // Saved whole or not at all: an earlier file of that name stays until the new one is done.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failed(kDataCannotWrite, FileErrorText(file, errno));
    // In parts, each a step a stop can come between; the temporary file goes with `file`.
    constexpr size_t kPartRows = 4096;
    const qint64 total = qint64(rows.size());
    QByteArray bytes = kByteOrderMark + DataHeaderLine();
    for (size_t from = 0;; from += kPartRows) {
        const size_t to = std::min(rows.size(), from + kPartRows);
        bytes.reserve(bytes.size() + qsizetype(to - from) * 72);
        for (size_t i = from; i < to; ++i) bytes += DataLine(rows[i]);
        if (file.write(bytes) != bytes.size()) {
            return failed(kDataCannotWrite, FileErrorText(file, errno));
        }
        bytes.clear();
        if (progress && !progress(qint64(to), total)) {
            return Outcome::Failed(
                QString::fromUtf8(kDataWriteStopped).arg(QDir::toNativeSeparators(path)));
        }
        if (to == rows.size()) break;
    }
    if (!file.commit()) return failed(kDataCannotWrite, FileErrorText(file, errno));
    return Outcome::Ok();
}

namespace {

// One reading's line of file `name` into row; failed with the error text when it is not one.
Outcome ParseLine(QByteArrayView line, int columns, const QString& name, qsizetype lineNumber,
                  DataRow* row) {
    QByteArrayView fields[kDataColumns];
    int count = 0;
    for (qsizetype from = 0;;) {
        const qsizetype sep = line.indexOf(kSeparator, from);
        const QByteArrayView field = line.sliced(from, (sep < 0 ? line.size() : sep) - from);
        if (count < columns) fields[count] = field;
        ++count;
        if (sep < 0) break;
        from = sep + 1;
    }
    if (count != columns) {
        return Outcome::Failed(QString::fromUtf8(kDataBadFieldCount)
                                   .arg(name, QString::number(lineNumber), QString::number(count),
                                        QString::number(columns)));
    }
    if (!ParseTime(fields[0], &row->time)) {
        return Outcome::Failed(QString::fromUtf8(kDataBadTime)
                                   .arg(name, QString::number(lineNumber),
                                        QString::fromUtf8(fields[0])));
    }
    float derived = 0;
    // The note is for the reader of the file: a record's validity derives from its fields.
    for (int c = 1; c < kDataColumns - 1; ++c) {
        float* target = c == 1 ? &row->rh : c == 2 ? &row->tv : c == 3 ? &row->tsf : &derived;
        // The dew point is empty where RH gives none; the derived columns are checked but
        // not taken: the measured three give them back.
        if (c == 7 && fields[c].isEmpty()) continue;
        if (!ParseNumber(fields[c], target)) {
            return Outcome::Failed(
                QString::fromUtf8(fields[c].contains(',') ? kDataDecimalComma : kDataBadNumber)
                    .arg(name, QString::number(lineNumber), Caption(c),
                         QString::fromUtf8(fields[c])));
        }
    }
    return Outcome::Ok();
}

}  // namespace

Valued<DataFileContents> ReadDataFile(const QString& path, const DataProgress& progress) {
    DataFileContents out;
    const QString name = QDir::toNativeSeparators(path);
    // A FIFO or a device would block the read or never end it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return Outcome::Failed(QString::fromUtf8(kDataNotAFile).arg(name));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Outcome::Failed(
            QString::fromUtf8(kDataCannotRead).arg(name, FileErrorText(file, errno)));
    }
    const QByteArray bytes = file.readAll();
    const auto fail = [](const QString& text) { return Outcome::Failed(text); };
    const auto failAt = [&name](const char* text, qsizetype line) {
        return Outcome::Failed(QString::fromUtf8(text).arg(name, QString::number(line)));
    };

    qsizetype at = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    qsizetype lineNumber = 0;
    int columns = kDataColumns;
    while (at < bytes.size()) {
        ++lineNumber;
        // Asked every few thousand lines: often enough to stop at once, rarely enough to cost
        // nothing.
        if (progress && lineNumber % 8192 == 0 && !progress(at, bytes.size())) {
            return fail(QString::fromUtf8(kDataReadStopped).arg(name));
        }
        qsizetype end = bytes.indexOf('\n', at);
        const bool whole = end >= 0;
        if (!whole) end = bytes.size();
        QByteArrayView line(bytes.constData() + at, end - at);
        at = end + 1;
        if (line.endsWith('\r')) line.chop(1);
        if (lineNumber > 1 && line.startsWith('#')) continue;
        if (lineNumber == 1) {
            const QByteArray header = DataHeaderLine().chopped(2);
            // A file written before the note column: its header ends before the note's caption.
            const QByteArray older = header.left(header.lastIndexOf(kSeparator));
            if (line == older) {
                columns = kDataColumns - 1;
            } else if (QString::fromUtf8(line).toUtf8() != line) {
                // A spreadsheet's "save as CSV" in a Russian system writes Windows-1251.
                return fail(QString::fromUtf8(kDataNotUtf8).arg(name));
            } else if (line != header || !whole) {
                return failAt(kDataNotOurs, lineNumber);
            }
            out.rows.reserve(size_t(bytes.size() / 64));
            continue;
        }
        DataRow row;
        if (Outcome parsed = ParseLine(line, columns, name, lineNumber, &row); !parsed) {
            // A last line without its end was cut off while being written (a full disk, a
            // program killed): the lines before it are whole.
            if (!whole && !out.rows.empty()) {
                out.notice = QString::fromUtf8(kDataCutOff).arg(name, QString::number(lineNumber));
                break;
            }
            if (!whole) return failAt(kDataTruncated, lineNumber);
            return parsed;
        }
        out.rows.push_back(row);
    }
    if (lineNumber == 0) return failAt(kDataNotOurs, 1);
    if (out.rows.empty()) return failAt(kDataEmpty, 1);
    return out;
}

QString DownloadFilePath(const QString& folder, const QDateTime& when, const QString& model) {
    QString safeModel = model;
    safeModel.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString base = folder + QLatin1Char('/') +
                         when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
                         (safeModel.isEmpty() ? QString() : QLatin1Char('_') + safeModel);
    // A second download within the same second gets a file of its own.
    QString path = base + QStringLiteral(".csv");
    for (int n = 2; QFileInfo::exists(path); ++n) path = base + QStringLiteral("_%1.csv").arg(n);
    return path;
}

}  // namespace lmr
