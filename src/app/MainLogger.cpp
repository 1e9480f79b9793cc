// The logger download from the main window.
#include <QElapsedTimer>
#include <memory>
#include <mutex>
#include <utility>

#include "app/MainTexts.h"
#include "app/MeterJob.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"
#include "data/DataFile.h"
#include "logger/LoggerRecord.h"
#include "measure/Clock.h"

namespace lmr {

// What the downloading thread hands to the window: the rows read since the window last took
// them in, and the data file, which only the downloading thread writes.
struct DownloadInbox {
    std::mutex mutex;
    std::vector<LoggerRow> rows;
    bool wakePosted = false;
    QString filePath;
    DataFileWriter file;
    Outcome fileWritten;  // the data file's first failure
};

// The window's side of a download: the rows taken in so far and since when.
struct TFMain::DownloadIntake {
    std::shared_ptr<DownloadInbox> inbox = std::make_shared<DownloadInbox>();
    QElapsedTimer sinceStart;
    int shown = 0;
};

void TFMain::ButtonZagruzitClick() {
    if (Downloading()) {
        // "Прервать": the download ends after the record in flight.
        meter_.Cancel();
        return;
    }
    if (RefuseBeforeIdentification()) return;
    // A file opened meanwhile would take the table from under it.
    if (FileBusy()) {
        SetPanelText(3, QString::fromUtf8(kDataFileBusy));
        return;
    }
    auto intake = std::make_shared<DownloadIntake>();
    const std::shared_ptr<DownloadInbox> inbox = intake->inbox;
    inbox->filePath =
        DownloadFilePath(DataFolder, appClock().now(),
                         QString::fromStdString(ModelCaption(InstrumentCode).value_or("")));
    // The exchange runs on the worker's thread and the window takes the records in as they
    // come: a repaint of the window or the chart then never keeps the line waiting, and the
    // line never keeps the window from painting. Every record goes to its file as it arrives,
    // from the downloading thread, so that a crash loses at most the record in flight; the
    // file is made with the first record.
    const auto record = [this, inbox](std::uint16_t address, const LoggerRecordBytes& bytes) {
        const LoggerRow row = MakeLoggerRow(address, DecodeLoggerRecord(bytes));
        if (inbox->fileWritten && !inbox->file.IsOpen())
            inbox->fileWritten = inbox->file.Open(inbox->filePath);
        if (inbox->fileWritten) inbox->fileWritten = inbox->file.Append(DataRowOf(row.record));
        bool wake = false;
        {
            const std::lock_guard<std::mutex> lock(inbox->mutex);
            inbox->rows.push_back(row);
            wake = !std::exchange(inbox->wakePosted, true);
        }
        if (wake) Post([this] { TakeInDownloaded(); });
    };
    const int port = PortNumber();
    // Refused while another job runs: timer jobs that fall due during the download are skipped
    // the same way.
    const bool taken = SubmitMeterJob(
        meter_, this, JobKind::Download, WhenBusy::Refuse,
        [port, record](Link& link, const std::atomic<bool>& cancel) {
            return DownloadLogger(link, port, record, cancel);
        },
        [this](const DownloadResult& result) { FinishDownload(result); });
    if (!taken) {
        SetPanelText(3, MeterStatusText(JobKind::Download, MeterStatus::Busy));
        return;
    }
    intake->sinceStart.start();
    download_ = intake;
    ButtonZagruzit->setText(QString::fromUtf8(kStopLoadCaption));
    downloadEscape_->setEnabled(true);
}

void TFMain::TakeInDownloaded() {
    if (!download_) return;
    DownloadIntake& d = *download_;
    std::vector<LoggerRow> rows;
    {
        const std::lock_guard<std::mutex> lock(d.inbox->mutex);
        rows.swap(d.inbox->rows);
        d.inbox->wakePosted = false;
    }
    TakeDownloadedRows(rows);
    d.shown += static_cast<int>(rows.size());
    if (!rows.empty()) {
        SetPanelText(3, DownloadProgressText(d.shown, d.sinceStart.elapsed()));
    }
}

void TFMain::FinishDownload(const DownloadResult& result) {
    TakeInDownloaded();
    const std::shared_ptr<DownloadIntake> ended = std::move(download_);
    FlushLoggerPoints(true);
    SyncLoggerSeries();
    downloadEscape_->setEnabled(false);
    // A download cut short by the closing window says nothing more.
    if (result.status != MeterStatus::Cancelled || !Closing()) {
        ShowJobEnd(JobKind::Download, result.status, result.accepted);
    }
    // Records kept in the window but not in the file: say so, and which file. The worker has
    // let the file go before it handed the end on.
    DownloadInbox& inbox = *ended->inbox;
    // A stopped download's file says so in its name and in a closing comment line.
    if (result.status == MeterStatus::Cancelled && inbox.fileWritten && inbox.file.IsOpen())
        inbox.fileWritten = inbox.file.MarkStopped();
    if (!inbox.fileWritten)
        SetPanelText(3, PanelText(3).trimmed() + QStringLiteral(" ") + inbox.fileWritten.text);
    ButtonZagruzit->setText(QString::fromUtf8(kLoadCaption));
}

}  // namespace lmr
