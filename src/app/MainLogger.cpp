// Logger download and view on the main window.
#include <QCategoryAxis>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
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

namespace {

// Bottom labels shown at once; the records' time texts are too long for one per point. Five
// leave each some 120 pixels of the chart, room for "23:59 31.12.99".
constexpr int kMaxBottomLabels = 5;
// How often at most the chart takes the records downloaded since it last did: at the line's
// pace (a record in some 40 ms) every record, faster in batches.
constexpr qint64 kChartBatchMs = 35;

// Index at which a point of X x goes so that the points keep X ascending; a point of a later
// download goes after the earlier ones of the same address.
int InsertionIndex(const QList<QPointF>& points, double x) {
    const auto at = std::upper_bound(points.begin(), points.end(), x,
                                     [](double v, const QPointF& p) { return v < p.x(); });
    return static_cast<int>(at - points.begin());
}

}  // namespace

// What the downloading thread hands to the window: the rows read since the window last took
// them in, and the data file, which only the downloading thread writes.
struct DownloadInbox {
    std::mutex mutex;
    std::vector<LoggerRow> rows;
    bool wakePosted = false;
    QString filePath;
    DataFileWriter file;
    bool fileFailed = false;
};

// The window's side of a download: a chart recomputes all its points on every change, so
// records reach it in batches, a few times a second; the grid and the count take every record
// at once.
struct TFMain::DownloadIntake {
    std::shared_ptr<DownloadInbox> inbox = std::make_shared<DownloadInbox>();
    std::vector<PendingPoints> pending;
    QElapsedTimer sinceChart;
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
        if (!inbox->fileFailed && !inbox->file.IsOpen())
            inbox->fileFailed = !inbox->file.Open(inbox->filePath);
        if (!inbox->fileFailed) inbox->fileFailed = !inbox->file.Append(DataRowOf(row.record));
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
    intake->sinceChart.start();
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
    for (const LoggerRow& row : rows) AppendLoggerRow(row, d.pending);
    d.shown += static_cast<int>(rows.size());
    if (!rows.empty()) {
        SetPanelText(3, DownloadProgressText(d.shown, d.sinceStart.elapsed()));
    }
    if (d.sinceChart.elapsed() >= kChartBatchMs) {
        AddLoggerPoints(d.pending, false);
        d.sinceChart.restart();
    }
}

void TFMain::FinishDownload(const DownloadResult& result) {
    TakeInDownloaded();
    const std::shared_ptr<DownloadIntake> ended = std::move(download_);
    AddLoggerPoints(ended->pending);
    SyncLoggerSeries();
    downloadEscape_->setEnabled(false);
    // A download cut short by the closing window says nothing more.
    if (result.status != MeterStatus::Cancelled || !Closing()) {
        SetPanelText(3, MeterStatusText(JobKind::Download, result.status, result.accepted));
    }
    // Records kept in the window but not in the file: say so, and which file. The worker has
    // let the file go before it handed the end on.
    const DownloadInbox& inbox = *ended->inbox;
    if (inbox.fileFailed)
        SetPanelText(3, PanelText(3).trimmed() + QStringLiteral(" ") + inbox.file.Error());
    ButtonZagruzit->setText(QString::fromUtf8(kLoadCaption));
}

void TFMain::AddLoggerPoints(std::vector<PendingPoints>& pending, bool hiddenToo) {
    if (pending.empty()) return;
    QLineSeries* const series[kLoggerSeries] = {Series1, Series2, Series3, Series4};
    // Merge by address, keeping X ascending; a later download's point goes after an earlier
    // one of the same address.
    const std::array<QList<QPointF>, kLoggerSeries> old = loggerPoints_;
    std::array<QList<QPointF>, kLoggerSeries> merged;
    for (QList<QPointF>& m : merged)
        m.reserve(old[0].size() + static_cast<qsizetype>(pending.size()));
    std::vector<int> rows;
    rows.reserve(loggerPointRows_.size() + pending.size());
    size_t i = 0;
    size_t j = 0;
    const size_t n = static_cast<size_t>(old[0].size());
    while (i < n || j < pending.size()) {
        const bool takeOld =
            j == pending.size() ||
            (i < n && old[0][static_cast<qsizetype>(i)].x() <= pending[j].points[0].x);
        for (int s = 0; s < kLoggerSeries; ++s) {
            merged[s].append(takeOld ? old[s][static_cast<qsizetype>(i)]
                                     : QPointF(pending[j].points[s].x, pending[j].points[s].y));
        }
        rows.push_back(takeOld ? loggerPointRows_[i] : pending[j].gridRow);
        takeOld ? ++i : ++j;
    }
    pending.clear();
    loggerPointRows_ = std::move(rows);
    loggerPoints_ = std::move(merged);
    // A chart recomputes a series whole on each change, shown or not: while the download runs
    // only the series in view follows it.
    for (int s = 0; s < kLoggerSeries; ++s) {
        loggerSeriesBehind_[s] = !hiddenToo && !series[s]->isVisible();
        if (!loggerSeriesBehind_[s]) series[s]->replace(loggerPoints_[s]);
    }

    const double first = loggerPoints_[0].first().x();
    const double last = loggerPoints_[0].last().x();
    // One point has no width of its own; give it a record step on either side.
    const double min = last > first ? first : first - kRecordAddressStep;
    const double max = last > first ? last : last + kRecordAddressStep;
    // A new range relabels the axis through its signal; the same range needs it done here.
    if (min == ChartValueBottomAxis->min() && max == ChartValueBottomAxis->max()) {
        RelabelChartValue();
    } else {
        ChartValueBottomAxis->setRange(min, max);
    }
}

void TFMain::SyncLoggerSeries() {
    QLineSeries* const series[kLoggerSeries] = {Series1, Series2, Series3, Series4};
    for (int s = 0; s < kLoggerSeries; ++s) {
        if (loggerSeriesBehind_[s]) series[s]->replace(loggerPoints_[s]);
        loggerSeriesBehind_[s] = false;
    }
}

void TFMain::ComboBoxZChange() {
    const int chosen = ComboBoxZ->currentIndex();
    if (chosen < 0 || chosen >= kLoggerSeries) return;
    SyncLoggerSeries();
    for (int i = 0; i < kLoggerSeries; ++i)
        LoggerSeries[static_cast<size_t>(i)]->setVisible(i == chosen);
}

QString TFMain::ChartValueGetAxisLabel(int valueIndex) const {
    if (valueIndex < 0 || valueIndex >= static_cast<int>(loggerPointRows_.size())) return {};
    return StringGridL->Cells(0, loggerPointRows_[static_cast<size_t>(valueIndex)]);
}

void TFMain::RelabelChartValue() {
    auto* axis = qobject_cast<QCategoryAxis*>(ChartValueBottomAxis);
    if (axis == nullptr || relabelling_) return;
    relabelling_ = true;
    for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    const double min = axis->min();
    const double max = axis->max();
    axis->setStartValue(min);
    // Every series has the points at the same addresses; a hidden one may not hold them yet.
    const QList<QPointF>& points = loggerPoints_[0];
    const int first = InsertionIndex(points, std::nextafter(min, -1e300));
    const int end = InsertionIndex(points, max);
    const int step = std::max(1, (end - first + kMaxBottomLabels - 1) / kMaxBottomLabels);
    double lastX = min - 1;
    for (int i = first; i < end; i += step) {
        // Categories need rising ends and distinct labels; points of two downloads may share
        // both, and a logger whose clock was set back repeats its times: the next point of the
        // stretch with a label of its own stands in.
        for (int j = i; j < std::min(i + step, end); ++j) {
            const double x = points[j].x();
            if (x <= lastX) continue;
            const QString label = ChartValueGetAxisLabel(j);
            if (label.isEmpty() || axis->categoriesLabels().contains(label)) continue;
            axis->append(label, x);
            lastX = x;
            break;
        }
    }
    relabelling_ = false;
}

}  // namespace lmr
