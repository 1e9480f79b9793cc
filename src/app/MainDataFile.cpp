// The "Файл" menu: measurement data files read into the logger page and written from the
// page shown.
#include <QFileDialog>
#include <QScrollArea>
#include <algorithm>
#include <thread>

#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "data/DataFile.h"
#include "measure/LiveRecord.h"

namespace lmr {

void TFMain::AppendLoggerRow(const LoggerRow& row, std::vector<PendingPoints>& pending) {
    const int gridRow = StringGridL->RowCount() - 1;
    for (int c = 0; c < kLoggerColumns; ++c) StringGridL->SetCells(c, gridRow, row.cells[c]);
    StringGridL->SetRowCount(gridRow + 2);
    pending.push_back({row.points, gridRow});
    loggerRecords_.push_back(row.record);
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
    // As a download of the file's records: addresses 10, 20, ... in file order. Rows are made
    // on every core: their number texts are most of the time a large file takes.
    std::vector<LoggerRow> rows(contents.rows.size());
    const auto make = [&rows, &contents](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            rows[i] = MakeLoggerRow(0, LoggerRecordOf(contents.rows[i]));
            // A file may hold more rows than the logger's addresses reach.
            const double x = double(kRecordAddressStep) * double(i + 1);
            const QString label = QString::number(x);
            for (LoggerPoint& p : rows[i].points) {
                p.x = x;
                p.xLabel = label;
            }
        }
    };
    const size_t parts =
        rows.size() < 1000 ? 1 : std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::thread> makers;
    for (size_t k = 1; k < parts; ++k) {
        makers.emplace_back(make, rows.size() * k / parts, rows.size() * (k + 1) / parts);
    }
    make(0, rows.size() / parts);
    for (std::thread& t : makers) t.join();

    // The rows go into the grid in one step, before its empty last row.
    const int first = StringGridL->RowCount() - 1;
    StringGridL->InsertRows(first, static_cast<int>(rows.size()), [&rows](int col, int i) {
        return rows[static_cast<size_t>(i)].cells[static_cast<size_t>(col)];
    });
    std::vector<PendingPoints> pending;
    pending.reserve(rows.size());
    loggerRecords_.reserve(loggerRecords_.size() + rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        pending.push_back({rows[i].points, first + static_cast<int>(i)});
        loggerRecords_.push_back(rows[i].record);
    }
    // The series not shown take their points when chosen, as during a download.
    AddLoggerPoints(pending, false);
    // What was opened is shown: the logger page with its table, scrolled into the window.
    PageControl->setCurrentIndex(1);
    TabSet->setCurrentIndex(1);
    if (auto* form = findChild<QScrollArea*>(QStringLiteral("FormScroll"))) {
        form->ensureWidgetVisible(StringGridL);
    }
    SetPanelText(3, QString::fromUtf8(kDataOpened).arg(contents.rows.size()).arg(path));
}

void TFMain::FileSaveAsClick(const QString& chosen) {
    std::vector<DataRow> rows;
    if (PageControl->currentIndex() == 0) {
        // The live readings: the measured three of each, at its time.
        const LiveSeries& rh = record_.Series(Quantity::Rh);
        const LiveSeries& tv = record_.Series(Quantity::Tv);
        const LiveSeries& tsf = record_.Series(Quantity::Tsf);
        const int n = std::min<int>(rh.Count(), static_cast<int>(liveTimes_.size()));
        rows.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            rows.push_back(DataRowOf(liveTimes_[static_cast<size_t>(i)], float(rh.At(i).y),
                                     float(tv.At(i).y), float(tsf.At(i).y)));
        }
    } else {
        rows.reserve(loggerRecords_.size());
        for (const LoggerRecord& r : loggerRecords_) rows.push_back(DataRowOf(r));
    }
    if (rows.empty()) {
        SetPanelText(3, QString::fromUtf8(kDataNothingToSave));
        return;
    }
    QString path = chosen;
    if (path.isEmpty()) {
        path = QFileDialog::getSaveFileName(this, QString::fromUtf8(kSaveDataCaption), DataFolder,
                                            QString::fromUtf8(kDataFilter));
        if (path.isEmpty()) return;
        if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path += ".csv";
    }
    const QString error = WriteDataFile(path, rows);
    if (!error.isEmpty()) {
        ShowMessage({QString::fromUtf8(kSaveDataCaption), error, ExportMessage::Icon::Error});
        return;
    }
    SetPanelText(3, QString::fromUtf8(kDataSaved).arg(rows.size()).arg(path));
}

}  // namespace lmr
