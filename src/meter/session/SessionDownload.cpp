// The logger's download: records into the logger table and, as they arrive, into a data file.
#include <mutex>
#include <utility>
#include <vector>

#include "data/DataFile.h"
#include "logger/LoggerRecord.h"
#include "measure/Clock.h"
#include "meter/session/MeterSession.h"

namespace lmr {

// What the downloading thread hands over: the records read since the session last took them
// in, and the data file, which only the downloading thread writes.
struct MeterSession::DownloadInbox {
    std::mutex mutex;
    std::vector<LoggerEntry> entries;
    bool wakePosted = false;
    QString filePath;
    DataFileWriter file;
    Outcome fileWritten;  // the data file's first failure
};

bool MeterSession::StartDownload(const QString& folder) {
    auto inbox = std::make_shared<DownloadInbox>();
    inbox->filePath = DownloadFilePath(folder, appClock().now(), ModelName());
    const uint8_t model = instrumentCode_;
    const uint8_t head = headCode_;
    // The exchange runs on the worker's thread and the session takes the records in as they
    // come: a repaint of a window then never keeps the line waiting. Every record goes to its
    // file as it arrives, from the downloading thread, so that a crash loses at most the
    // record in flight; the file is made with the first record.
    const auto record = [this, inbox, model, head](std::uint16_t address,
                                                   const LoggerRecordBytes& bytes) {
        const LoggerRecord decoded = DecodeLoggerRecord(bytes);
        if (inbox->fileWritten && !inbox->file.IsOpen())
            inbox->fileWritten = inbox->file.Open(inbox->filePath);
        if (inbox->fileWritten) inbox->fileWritten = inbox->file.Append(DataRowOf(decoded));
        LoggerEntry entry = MakeLoggerEntry(address, decoded, ReadingOrigin::Download, model, head);
        bool wake = false;
        {
            const std::lock_guard<std::mutex> lock(inbox->mutex);
            inbox->entries.push_back(std::move(entry));
            wake = !std::exchange(inbox->wakePosted, true);
        }
        if (wake) Post([this] { TakeInDownloaded(); });
    };
    const int port = PortNumber();
    // Refused while another job runs: timer jobs that fall due during the download are skipped
    // the same way.
    const bool taken = Submit(
        JobKind::Download,
        [port, record](Link& link) { return DownloadLogger(link, port, record); },
        [this](const DownloadResult& result) { FinishDownload(result); });
    if (!taken) {
        emit jobEnded(JobKind::Download, MeterStatus::Busy, 0);
        return false;
    }
    downloadSince_.start();
    downloadTaken_ = 0;
    download_ = std::move(inbox);
    return true;
}

void MeterSession::TakeInDownloaded() {
    if (!download_) return;
    std::vector<LoggerEntry> entries;
    {
        const std::lock_guard<std::mutex> lock(download_->mutex);
        entries.swap(download_->entries);
        download_->wakePosted = false;
    }
    if (entries.empty()) return;
    downloadTaken_ += static_cast<int>(entries.size());
    logger_.Append(std::move(entries));
    emit downloadProgress(downloadTaken_, downloadSince_.elapsed());
}

void MeterSession::FinishDownload(const DownloadResult& result) {
    TakeInDownloaded();
    const std::shared_ptr<DownloadInbox> ended = std::move(download_);
    // The worker has let the file go before it handed the end on. A stopped download's file
    // says so in its name and in a closing comment line.
    DownloadInbox& inbox = *ended;
    if (result.status == MeterStatus::Cancelled && inbox.fileWritten && inbox.file.IsOpen())
        inbox.fileWritten = inbox.file.MarkStopped();
    emit downloadEnded(result, inbox.fileWritten.text);
    if (result.status == MeterStatus::Gone && Identified()) LosePort();
}

}  // namespace lmr
