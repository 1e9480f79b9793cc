#include "link/Transcript.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace lmr {

int64_t TranscriptNow() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

std::string FormatTranscriptLine(const TranscriptEntry& e) {
    char head[64];
    const int64_t seconds = e.micros / 1000000;
    const int64_t micros = e.micros % 1000000;
    std::snprintf(head, sizeof head, "%" PRId64 ".%06" PRId64 " %s %u ", seconds, micros,
                  e.fromHost    ? "H>I"
                  : e.discarded ? "I>-"
                                : "I>H",
                  static_cast<unsigned>(e.byte));
    return head + (e.exchange.empty() ? std::string("-") : e.exchange);
}

std::optional<TranscriptEntry> ParseTranscriptLine(const std::string& raw) {
    std::string line = raw;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    long long seconds = 0;
    unsigned micros = 0;
    char dir[4] = {};
    unsigned byte = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "%lld.%6u %3s %u %n", &seconds, &micros, dir, &byte, &used) < 4 ||
        used == 0 || byte > 255) {
        return std::nullopt;
    }
    const std::string d = dir;
    if (d != "H>I" && d != "I>H" && d != "I>-") return std::nullopt;
    TranscriptEntry e;
    e.micros = static_cast<int64_t>(seconds) * 1000000 + micros;
    e.fromHost = d == "H>I";
    e.discarded = d == "I>-";
    e.byte = static_cast<uint8_t>(byte);
    e.exchange = line.substr(static_cast<size_t>(used));
    if (e.exchange == "-") e.exchange.clear();
    return e;
}

TranscriptSink MakeTranscriptFileSink(const std::string& path, LinkStatus* status,
                                      TranscriptFailure failed) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) {
        if (status != nullptr) {
            *status = (errno == EACCES || errno == EPERM) ? LinkStatus::NoAccess
                      : errno == ENOENT                   ? LinkStatus::NoDevice
                                                          : LinkStatus::Io;
        }
        return {};
    }
    if (status != nullptr) *status = LinkStatus::Ok;
    struct File {
        std::FILE* f;
        std::mutex mutex;
        bool broken = false;
        TranscriptFailure failed;
        ~File() { std::fclose(f); }
    };
    auto file = std::make_shared<File>();
    file->f = f;
    file->failed = std::move(failed);
    return [file](const TranscriptEntry& e) {
        const std::string line = FormatTranscriptLine(e) + "\n";
        int error = 0;
        {
            std::lock_guard<std::mutex> lock(file->mutex);
            if (file->broken) return;
            errno = 0;
            if (std::fputs(line.c_str(), file->f) >= 0 && std::fflush(file->f) == 0) return;
            error = errno != 0 ? errno : EIO;
            file->broken = true;
        }
        if (file->failed) file->failed(error);
    };
}

std::string TranscriptBytes(const std::vector<TranscriptEntry>& entries) {
    std::string out;
    for (const TranscriptEntry& e : entries) {
        if (!out.empty()) out += ' ';
        out += e.fromHost ? 'H' : e.discarded ? 'D' : 'I';
        out += std::to_string(e.byte);
    }
    return out;
}

}  // namespace lmr
