// The logger download from the main window.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <mutex>
#include <utility>

#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "data/DataFile.h"
#include "link/Identify.h"
#include "logger/LoggerDownload.h"
#include "logger/LoggerTexts.h"
#include "measure/Clock.h"

namespace lmr {

void TFMain::ButtonZagruzitClick() {
    if (downloading_) {
        // "Прервать": the download ends after the record in flight.
        downloadStop_ = true;
        return;
    }
    if (RefuseBeforeIdentification()) return;
    downloading_ = true;
    downloadStop_ = false;
    ButtonZagruzit->setText(QString::fromUtf8(kStopLoadCaption));
    downloadEscape_->setEnabled(true);

    // The exchange runs on a thread of its own and the window takes the records in from its
    // event loop: a repaint of the window or the chart then never keeps the line waiting, and
    // the line never keeps the window from painting. Timer exchanges that fall due meanwhile
    // find the link busy and are skipped.
    struct Inbox {
        std::mutex mutex;
        std::vector<LoggerRow> rows;
        bool wakePosted = false;
    } inbox;
    DownloadResult result;

    QElapsedTimer sinceStart;
    sinceStart.start();
    int shown = 0;
    const auto takeIn = [&] {
        std::vector<LoggerRow> rows;
        {
            const std::lock_guard<std::mutex> lock(inbox.mutex);
            rows.swap(inbox.rows);
            inbox.wakePosted = false;
        }
        TakeDownloadedRows(rows);
        shown += static_cast<int>(rows.size());
        if (!rows.empty()) {
            SetPanelText(3, DownloadProgressText(shown, sinceStart.elapsed()));
        }
    };

    // Every record goes to its file as it arrives, from the downloading thread, so that a crash
    // loses at most the record in flight; the file is made with the first record.
    DataFileWriter file;
    bool fileFailed = false;
    const QString filePath =
        DownloadFilePath(DataFolder, appClock().now(),
                         QString::fromStdString(ModelCaption(InstrumentCode).value_or("")));

    RunExchange([&, held = std::make_shared<LinkGuard>(TheLink())](const PostToWindow& post) {
        DownloadCallbacks callbacks;
        callbacks.record = [&](const LoggerRow& row) {
            if (!fileFailed && !file.IsOpen()) fileFailed = !file.Open(filePath);
            if (!fileFailed) fileFailed = !file.Append(DataRowOf(row.record));
            bool wake = false;
            {
                const std::lock_guard<std::mutex> lock(inbox.mutex);
                inbox.rows.push_back(row);
                wake = !std::exchange(inbox.wakePosted, true);
            }
            if (wake) post(takeIn);
        };
        // The link is taken before the loop lets a live tick come due: a tick must find the
        // download holding the line, not keep the download from starting.
        result = DownloadLogger(std::move(*held), PortNumber(), callbacks, downloadStop_);
    });
    takeIn();
    downloading_ = false;
    FlushLoggerPoints(true);
    SyncLoggerSeries();
    downloadEscape_->setEnabled(false);

    switch (result.status) {
        case DownloadStatus::Done:
            SetPanelText(3, DownloadDoneText(result.accepted));
            break;
        case DownloadStatus::NoAnswer:
            SetPanelText(3, QString::fromUtf8(kNoAnswer));
            break;
        case DownloadStatus::Busy:
            SetPanelText(3, QString::fromUtf8(kDownloadBusyText));
            break;
        case DownloadStatus::Lost:
            SetPanelText(3, DownloadLostText(result.accepted));
            break;
        case DownloadStatus::Cancelled:
            if (!Closing()) SetPanelText(3, DownloadStoppedText(result.accepted));
            break;
    }
    // Records kept in the window but not in the file: say so, and which file.
    if (fileFailed) SetPanelText(3, PanelText(3).trimmed() + QStringLiteral(" ") + file.Error());
    ButtonZagruzit->setText(QString::fromUtf8(kLoadCaption));
}

}  // namespace lmr
