// The "Файл" menu: measurement data files read into the logger page and written from the
// page shown.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>

#include "app/ForEachPart.h"
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "data/DataFile.h"

namespace lmr {

void TFMain::TakeDownloadedRows(const std::vector<LoggerRow>& rows) {
    std::vector<LoggerEntry> entries;
    entries.reserve(rows.size());
    for (const LoggerRow& row : rows) {
        entries.push_back(MakeLoggerEntry(static_cast<int>(row.points[0].x), row.record,
                                          ReadingOrigin::Download, InstrumentCode, HeadCode));
    }
    logger_.Append(std::move(entries));
}

void TFMain::FileOpenClick(const QString& chosen) {
    // Rows of a file among a download's would be neither.
    if (Downloading()) {
        SetPanelText(3, QString::fromUtf8(kDataOpenBusy));
        return;
    }
    const QString path = !chosen.isEmpty() ? chosen
                                           : QFileDialog::getOpenFileName(
                                                 this, QString::fromUtf8(kOpenDataCaption),
                                                 DataFolder, QString::fromUtf8(kDataFilter));
    if (path.isEmpty()) return;
    const DataFileContents contents = ReadDataFile(path);
    if (!contents.error.isEmpty()) {
        ShowMessage(
            {QString::fromUtf8(kOpenDataCaption), contents.error, ExportMessage::Icon::Error});
        return;
    }
    // As a download of the file's records: addresses 10, 20, ... in file order (a file may
    // hold more rows than the logger's addresses reach).
    std::vector<LoggerEntry> entries(contents.rows.size());
    ForEachPart(entries.size(), [&entries, &contents](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            entries[i] = MakeLoggerEntry(kRecordAddressStep * static_cast<int>(i + 1),
                                         LoggerRecordOf(contents.rows[i]), ReadingOrigin::DataFile);
        }
    });
    // A file opened is the table: rows of two files would be neither's.
    logger_.Replace(std::move(entries));
    loggerFile_ = path;
    // What was opened is shown: the logger page with its table, scrolled into the window.
    PageControl->setCurrentIndex(1);
    TabSet->setCurrentIndex(1);
    if (auto* form = findChild<QScrollArea*>(QStringLiteral("FormScroll"))) {
        form->ensureWidgetVisible(StringGridL);
    }
    SetPanelText(3, QString::fromUtf8(kDataOpened).arg(contents.rows.size()).arg(path));
    if (!contents.notice.isEmpty()) {
        ShowMessage(
            {QString::fromUtf8(kOpenDataCaption), contents.notice, ExportMessage::Icon::Warning});
    }
}

void TFMain::FileClearLoggerClick() {
    if (Downloading()) {
        SetPanelText(3, QString::fromUtf8(kLoggerClearBusy));
        return;
    }
    logger_.Replace({});
    loggerFile_.clear();
    SetPanelText(3, QString::fromUtf8(kLoggerCleared));
}

QString TFMain::AskSaveDataPath() {
    return QFileDialog::getSaveFileName(this, QString::fromUtf8(kSaveDataCaption), DataFolder,
                                        QString::fromUtf8(kDataFilter));
}

bool TFMain::AskReplaceDataFile(const QString& path) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kSaveDataCaption),
                    QString::fromUtf8(kDataReplaceQuestion).arg(QDir::toNativeSeparators(path)),
                    QMessageBox::NoButton, this);
    QPushButton* replace = box.addButton(QString::fromUtf8(kDataReplace), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QString::fromUtf8(kDataKeep), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}

void TFMain::FileSaveAsClick(const QString& chosen) {
    std::vector<DataRow> rows;
    if (PageControl->currentIndex() == 0) {
        // The live readings: the measured three of each, at its time.
        rows.reserve(static_cast<size_t>(live_.Count()));
        for (int i = 0; i < live_.Count(); ++i) {
            const Reading& r = live_.At(i);
            rows.push_back(DataRowOf(r.when, r.rh, r.tv, r.tsf));
        }
    } else {
        const std::vector<int> counted = logger_.CountedRows();
        rows.reserve(counted.size());
        for (const int i : counted) rows.push_back(DataRowOf(logger_.At(i).record));
    }
    if (rows.empty()) {
        SetPanelText(3, QString::fromUtf8(kDataNothingToSave));
        return;
    }
    QString path = chosen.isEmpty() ? AskSavePath() : chosen;
    if (path.isEmpty()) return;
    // The dialog asked about the name typed; the name with ".csv" added is asked about here.
    if (chosen.isEmpty() && !path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".csv");
        if (QFileInfo::exists(path) && !AskReplace(path)) return;
    }
    const QString error = WriteDataFile(path, rows);
    if (!error.isEmpty()) {
        ShowMessage({QString::fromUtf8(kSaveDataCaption), error, ExportMessage::Icon::Error});
        return;
    }
    SetPanelText(3, QString::fromUtf8(kDataSaved).arg(rows.size()).arg(path));
}

}  // namespace lmr
