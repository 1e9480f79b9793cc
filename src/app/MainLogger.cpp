// Logger download and view on the main window.
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
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

    // A chart recomputes all its points on every change, so records reach it in batches, a few
    // times a second; the grid and the count take every record at once.
    std::vector<PendingPoints> pending;
    QElapsedTimer sinceChart;
    sinceChart.start();
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
        for (const LoggerRow& row : rows) AppendLoggerRow(row, pending);
        shown += static_cast<int>(rows.size());
        if (!rows.empty()) {
            SetPanelText(3, DownloadProgressText(shown, sinceStart.elapsed()));
        }
        if (sinceChart.elapsed() >= kChartBatchMs) {
            AddLoggerPoints(pending, false);
            sinceChart.restart();
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
    AddLoggerPoints(pending);
    SyncLoggerSeries();
    downloading_ = false;
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
            if (!fileFailed && file.IsOpen()) fileFailed = !file.MarkStopped();
            break;
    }
    // Records kept in the window but not in the file: say so, and which file.
    if (fileFailed) SetPanelText(3, PanelText(3).trimmed() + QStringLiteral(" ") + file.Error());
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
