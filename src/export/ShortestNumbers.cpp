#include "export/ShortestNumbers.h"

#include <unzip.h>
#include <zip.h>

#include <QFile>
#include <charconv>
#include <cstdio>
#include <vector>

namespace lmr {

namespace {

struct ZipEntry {
    std::string name;
    std::string data;
};

bool ReadEntries(const QByteArray& path, std::vector<ZipEntry>& entries) {
    unzFile in = unzOpen(path.constData());
    if (in == nullptr) return false;
    bool ok = unzGoToFirstFile(in) == UNZ_OK;
    while (ok) {
        unz_file_info info{};
        char name[512];
        ok = unzGetCurrentFileInfo(in, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK &&
             unzOpenCurrentFile(in) == UNZ_OK;
        if (!ok) break;
        ZipEntry e{name, std::string(info.uncompressed_size, '\0')};
        const int read = e.data.empty() ? 0
                                        : unzReadCurrentFile(in, e.data.data(),
                                                             static_cast<unsigned>(e.data.size()));
        ok = unzCloseCurrentFile(in) == UNZ_OK && read == static_cast<int>(e.data.size());
        entries.push_back(std::move(e));
        const int next = unzGoToNextFile(in);
        if (next == UNZ_END_OF_LIST_OF_FILE) break;
        ok = ok && next == UNZ_OK;
    }
    unzClose(in);
    return ok;
}

bool WriteEntries(const QByteArray& path, const std::vector<ZipEntry>& entries) {
    zipFile out = zipOpen(path.constData(), APPEND_STATUS_CREATE);
    if (out == nullptr) return false;
    bool ok = true;
    for (const ZipEntry& e : entries) {
        zip_fileinfo info{};
        ok = zipOpenNewFileInZip(out, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                 Z_DEFLATED, Z_DEFAULT_COMPRESSION) == ZIP_OK &&
             zipWriteInFileInZip(out, e.data.data(), static_cast<unsigned>(e.data.size())) ==
                 ZIP_OK &&
             zipCloseFileInZip(out) == ZIP_OK;
        if (!ok) break;
    }
    return zipClose(out, nullptr) == ZIP_OK && ok;
}

}  // namespace

std::string WithShortestNumbers(const std::string& sheetXml) {
    static const std::string open = "<v>";
    static const std::string close = "</v>";
    std::string out;
    out.reserve(sheetXml.size());
    size_t from = 0;
    for (size_t at = sheetXml.find(open); at != std::string::npos;
         at = sheetXml.find(open, from)) {
        const size_t begin = at + open.size();
        const size_t end = sheetXml.find(close, begin);
        if (end == std::string::npos) break;
        out.append(sheetXml, from, begin - from);
        double value = 0;
        const char* first = sheetXml.data() + begin;
        const char* last = sheetXml.data() + end;
        const auto parsed = std::from_chars(first, last, value);
        char shortest[32];
        const auto written = std::to_chars(shortest, shortest + sizeof shortest, value);
        // Only a whole number text is rewritten, and only when it gets shorter.
        if (parsed.ec == std::errc() && parsed.ptr == last && written.ec == std::errc() &&
            written.ptr - shortest < last - first) {
            out.append(shortest, written.ptr);
        } else {
            out.append(first, last);
        }
        from = end;
    }
    out.append(sheetXml, from, std::string::npos);
    return out;
}

Outcome ShortenWorkbookNumbers(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    std::vector<ZipEntry> entries;
    if (!ReadEntries(file, entries)) {
        return Outcome::Failed(QStringLiteral("не удалось прочитать составленную книгу"));
    }
    for (ZipEntry& e : entries) {
        if (e.name.rfind("xl/worksheets/", 0) == 0) e.data = WithShortestNumbers(e.data);
    }
    // Written beside it and put in its place, so a failure leaves the file as it was.
    const QByteArray temporary = file + ".part";
    if (!WriteEntries(temporary, entries) || std::rename(temporary.constData(), file.constData()) != 0) {
        std::remove(temporary.constData());
        return Outcome::Failed(QStringLiteral("ошибка записи файла на диск"));
    }
    return Outcome::Ok();
}

}  // namespace lmr
