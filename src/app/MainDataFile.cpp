// The "Файл" menu: measurement data files read into the logger page and written from the
// page shown.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>

#include "data/FileJob.h"
#include "app/ForEachPart.h"
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "data/DataFile.h"
#include "data/DataTexts.h"

namespace lmr {

void TFMain::StartFileJob(const QString& text, std::function<void(const DataProgress&)> work,
                          std::function<void(bool stopped)> done) {
    fileJob_ = new FileJob(std::move(work), this);
    // The window goes on meanwhile; its file commands and downloads wait for the job
    // (FileBusy). Not modal: a modal progress window runs the event loop inside setValue, where
    // the job's end could delete it. It shows once the job is a slow one.
    fileProgress_ = new QProgressDialog(text, QString::fromUtf8(kDataFileStop), 0, 100, this);
    fileProgress_->setWindowModality(Qt::NonModal);
    fileProgress_->setMinimumDuration(400);
    fileProgress_->setAutoReset(false);
    fileProgress_->setAutoClose(false);
    connect(fileProgress_, &QProgressDialog::canceled, fileJob_, &FileJob::Stop);
    connect(fileJob_, &FileJob::progressed, fileProgress_, &QProgressDialog::setValue);
    connect(fileJob_, &FileJob::finished, this, [this, done = std::move(done)] {
        const bool stopped = fileJob_->Stopped();
        // The job is in its own signal here.
        fileJob_->deleteLater();
        fileJob_ = nullptr;
        delete fileProgress_;
        fileProgress_ = nullptr;
        done(stopped);
    });
    fileJob_->Start();
}

void TFMain::StopFileJob() {
    // Its end is not taken: the window is closing.
    delete fileJob_;
    fileJob_ = nullptr;
    delete fileProgress_;
    fileProgress_ = nullptr;
}

namespace {

// A data file read on the file job's thread, into the entries the logger table takes.
struct OpenedFile {
    Outcome outcome;
    DataFileContents contents;
    std::vector<LoggerEntry> entries;
};

}  // namespace

void TFMain::FileOpenClick(const QString& chosen) {
    // Rows of a file among a download's would be neither.
    if (Downloading()) {
        SetPanelText(3, QString::fromUtf8(kDataOpenBusy));
        return;
    }
    if (FileBusy()) {
        SetPanelText(3, QString::fromUtf8(kDataFileBusy));
        return;
    }
    const QString path = !chosen.isEmpty() ? chosen
                                           : QFileDialog::getOpenFileName(
                                                 this, QString::fromUtf8(kOpenDataCaption),
                                                 DataFolder, QString::fromUtf8(kDataFilter));
    if (path.isEmpty()) return;
    auto opened = std::make_shared<OpenedFile>();
    const auto read = [opened, path](const DataProgress& progress) {
        Valued<DataFileContents> read = ReadDataFile(path, progress);
        if (!read) {
            opened->outcome = std::move(read.outcome);
            return;
        }
        opened->contents = std::move(*read);
        // As a download of the file's records: addresses 10, 20, ... in file order (a file may
        // hold more rows than the logger's addresses reach).
        const std::vector<DataRow>& rows = opened->contents.rows;
        std::vector<LoggerEntry>& entries = opened->entries;
        entries.resize(rows.size());
        // In parts, each a step a stop can come between (the read's progress stays at its end).
        constexpr size_t kPartRows = 65536;
        for (size_t part = 0; part < rows.size(); part += kPartRows) {
            if (!progress(1, 1)) {
                entries = {};
                opened->contents = {};
                opened->outcome = Outcome::Failed(
                    QString::fromUtf8(kDataReadStopped).arg(QDir::toNativeSeparators(path)));
                return;
            }
            const size_t end = std::min(rows.size(), part + kPartRows);
            ForEachPart(end - part, [&entries, &rows, part](size_t from, size_t to) {
                for (size_t i = part + from; i < part + to; ++i) {
                    entries[i] = MakeLoggerEntry(kRecordAddressStep * static_cast<int>(i + 1),
                                                 LoggerRecordOf(rows[i]), ReadingOrigin::DataFile);
                }
            });
        }
        // The readings are the entries now.
        opened->contents.rows = {};
    };
    SetPanelText(3, QString::fromUtf8(kDataOpening).arg(path));
    StartFileJob(QString::fromUtf8(kDataOpening).arg(path), read, [this, opened, path](bool stopped) {
        const DataFileContents& contents = opened->contents;
        if (!opened->outcome) {
            if (stopped) {
                SetPanelText(3, opened->outcome.text);
            } else {
                SetPanelText(3, QString::fromUtf8(kBlank));
                ShowMessage({QString::fromUtf8(kOpenDataCaption), opened->outcome.text,
                             ExportMessage::Icon::Error});
            }
            return;
        }
        const size_t count = opened->entries.size();
        // A file opened is the table: rows of two files would be neither's.
        logger_.Replace(std::move(opened->entries));
        loggerFile_ = path;
        // What was opened is shown: the logger page with its table, scrolled into the window.
        PageControl->setCurrentIndex(1);
        TabSet->setCurrentIndex(1);
        if (auto* form = findChild<QScrollArea*>(QStringLiteral("FormScroll"))) {
            form->ensureWidgetVisible(StringGridL);
        }
        SetPanelText(3, QString::fromUtf8(kDataOpened).arg(count).arg(path));
        if (!contents.notice.isEmpty()) {
            ShowMessage({QString::fromUtf8(kOpenDataCaption), contents.notice,
                         ExportMessage::Icon::Warning});
        }
    });
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
    if (FileBusy()) {
        SetPanelText(3, QString::fromUtf8(kDataFileBusy));
        return;
    }
    auto written = std::make_shared<Outcome>();
    const size_t count = rows.size();
    const auto write = [written, path, rows = std::move(rows)](const DataProgress& progress) {
        *written = WriteDataFile(path, rows, progress);
    };
    SetPanelText(3, QString::fromUtf8(kDataSaving).arg(path));
    StartFileJob(QString::fromUtf8(kDataSaving).arg(path), write,
                 [this, written, path, count](bool stopped) {
                     if (*written) {
                         SetPanelText(3, QString::fromUtf8(kDataSaved).arg(count).arg(path));
                     } else if (stopped) {
                         SetPanelText(3, written->text);
                     } else {
                         SetPanelText(3, QString::fromUtf8(kBlank));
                         ShowMessage({QString::fromUtf8(kSaveDataCaption), written->text,
                                      ExportMessage::Icon::Error});
                     }
                 });
}

}  // namespace lmr
