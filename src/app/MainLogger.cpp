// The logger download from the main window: the meter session downloads, the window shows.
#include "app/MainTexts.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"

namespace lmr {

void TFMain::ButtonZagruzitClick() {
    if (Downloading()) {
        // "Прервать": the download ends after the record in flight.
        session_.StopDownload();
        return;
    }
    if (RefuseBeforeIdentification()) return;
    // A file opened meanwhile would take the table from under it.
    if (FileBusy()) {
        SetPanelText(3, QString::fromUtf8(kDataFileBusy));
        return;
    }
    if (!session_.StartDownload(DataFolder)) return;
    ButtonZagruzit->setText(QString::fromUtf8(kStopLoadCaption));
    downloadEscape_->setEnabled(true);
}

void TFMain::ShowDownloadProgress(int records, qint64 elapsedMs) {
    SetPanelText(3, DownloadProgressText(records, elapsedMs));
}

void TFMain::ShowDownloadEnd(const DownloadResult& result, const QString& fileError) {
    FlushLoggerPoints(true);
    SyncLoggerSeries();
    downloadEscape_->setEnabled(false);
    // A download cut short by the closing window says nothing more.
    const bool say = result.status != MeterStatus::Cancelled || !Closing();
    QString text = say ? JobEndText(JobKind::Download, result.status, result.accepted) : QString();
    // Records kept in the table but not in the file: say so, and which file.
    if (!fileError.isEmpty()) {
        text = say ? text.trimmed() + QStringLiteral(" ") + fileError : fileError;
    }
    if (say || !fileError.isEmpty()) SetPanelText(3, text);
    ButtonZagruzit->setText(QString::fromUtf8(kLoadCaption));
}

}  // namespace lmr
