// The logger page: its widgets, and the logger table's rows shown in its grid and chart.
#include <QCategoryAxis>
#include <algorithm>
#include <cmath>

#include "app/ForEachPart.h"
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "core/ChartPoints.h"
#include "logger/LoggerRow.h"

namespace lmr {

namespace {

// Bottom labels shown at once; the records' time texts are too long for one per point. Five
// leave each some 120 pixels of the chart, room for "23:59 31.12.99".
constexpr int kMaxBottomLabels = 5;
// How often at most the chart takes the rows added since it last did during a download: at
// the line's pace (a record in some 40 ms) every record, faster in batches.
constexpr qint64 kChartBatchMs = 35;
// Points a series draws at most: a whole logger (3000 records) point by point, with its marks;
// a longer file thinned to its peaks in the range shown, for drawing a million points on the
// chart's 640 pixels held the window seconds.
constexpr int kLoggerChartMaxPoints = 4000;

const QColor kSeriesColours[kLoggerSeries] = {QColor(255, 0, 0), QColor(0, 255, 0),
                                              QColor(255, 255, 0), QColor(0, 255, 255)};

// Index at which a point of X x goes so that the points keep X ascending; a point of a later
// download goes after the earlier ones of the same address.
int InsertionIndex(const QList<QPointF>& points, double x) {
    const auto at = std::upper_bound(points.begin(), points.end(), x,
                                     [](double v, const QPointF& p) { return v < p.x(); });
    return static_cast<int>(at - points.begin());
}

}  // namespace

void TFMain::BuildLoggerPage() {
    ComboBoxZ = new QComboBox(TabSheet3);
    ComboBoxZ->setObjectName(QStringLiteral("ComboBoxZ"));
    ComboBoxZ->setGeometry(500, 3, 145, 22);
    ComboBoxZ->setEditable(true);
    // Text typed into the box chooses nothing and must not become a fifth item.
    ComboBoxZ->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : kLoggerQuantityItems) ComboBoxZ->addItem(QString::fromUtf8(item));
    // The text shows the first item while no item is chosen yet.
    ComboBoxZ->setCurrentIndex(-1);
    ComboBoxZ->setEditText(QString::fromUtf8(kLoggerQuantityItems[0]));
    ComboBoxZ->setAccessibleName(QStringLiteral("Величина"));

    ChartValue = new QChart;
    ChartValue->setObjectName(QStringLiteral("ChartValue"));
    // Axis numbers with the user's decimal mark, as every other number on screen.
    ChartValue->setLocalizeNumbers(true);
    ChartValue->legend()->hide();
    ChartValue->setBackgroundBrush(QColor(0xc0, 0xc0, 0xc0));
    ChartValue->setBackgroundRoundness(0);
    ChartValueLeftAxis = new QValueAxis;
    ChartValueLeftAxis->setRange(0, 100);
    // The bottom labels are the records' time texts, placed at the points (RelabelChartValue).
    auto* bottom = new QCategoryAxis;
    bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ChartValueBottomAxis = bottom;
    ChartValue->addAxis(ChartValueBottomAxis, Qt::AlignBottom);
    ChartValue->addAxis(ChartValueLeftAxis, Qt::AlignLeft);
    for (int i = 0; i < 10; ++i) {
        auto* s = new QLineSeries;
        s->setObjectName(QStringLiteral("Series%1").arg(i + 1));
        s->setName(s->objectName());
        s->setPointsVisible(true);
        s->setMarkerSize(2);
        if (i < kLoggerSeries) s->setColor(kSeriesColours[i]);
        ChartValue->addSeries(s);
        s->attachAxis(ChartValueBottomAxis);
        s->attachAxis(ChartValueLeftAxis);
        s->setVisible(i == 0);
        LoggerSeries[static_cast<size_t>(i)] = s;
    }
    Series1 = LoggerSeries[0];
    Series2 = LoggerSeries[1];
    Series3 = LoggerSeries[2];
    Series4 = LoggerSeries[3];
    ChartValueView = new ZoomChartView(ChartValue, TabSheet3);
    ChartValueView->setObjectName(QStringLiteral("ChartValueView"));
    ChartValueView->setGeometry(0, 30, 646, 437);
    ChartValueView->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ChartValueView->setStyleSheet(QString());

    ButtonZagruzit = new QPushButton(QString::fromUtf8(kLoadCaption), TabSheet3);
    ButtonZagruzit->setObjectName(QStringLiteral("ButtonZagruzit"));
    ButtonZagruzit->setGeometry(0, 470, 647, 25);

    StringGridL = new StringGrid(10, 2, 0, TabSheet3);
    StringGridL->setObjectName(QStringLiteral("StringGridL"));
    StringGridL->setGeometry(0, 0, 129, 105);
    StringGridL->setAccessibleName(QStringLiteral("Записи логгера"));
    // The time column holds the records' time texts, up to "23:59 31.12.99"; the nine number
    // columns give it the room, so that all ten still fit the table beside its scroll bar.
    StringGridL->setColumnWidth(
        0, StringGridL->fontMetrics().horizontalAdvance(QStringLiteral("23:59 31.12.99")) + 12);
    for (int c = 1; c < 10; ++c) StringGridL->setColumnWidth(c, 57);
    // The grid's data rows are the table's entries in order.
    StringGridL->Model()->SetRowSource([this](int col, int i) {
        const LoggerEntry& e = logger_.At(i);
        return LoggerCellText(col, e.record, e.reading.derived);
    });
    StringGridL->Model()->SetRowNote([this](int row) {
        if (row < 1 || row > logger_.Count() || LoggerRecordValid(logger_.At(row - 1).record))
            return QString();
        return QString::fromUtf8(kLoggerInvalidNote);
    });
    StringGridL->hide();
    sinceLoggerChart_.start();
}

void TFMain::ShowLoggerRows(int first, int count) {
    StringGridL->Model()->SourceRowsAdded(count);
    const qsizetype from = pendingEntries_.size();
    for (QList<QPointF>& points : pendingPoints_) points.resize(from + count);
    pendingEntries_.resize(static_cast<size_t>(from + count));
    ForEachPart(static_cast<size_t>(count), [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const int entry = first + static_cast<int>(i);
            const LoggerEntry& e = logger_.At(entry);
            // A file may hold more rows than the logger's addresses reach: X is the address.
            const std::array<double, kLoggerSeries> y =
                LoggerPointValues(e.record, e.reading.derived);
            const qsizetype at = from + static_cast<qsizetype>(i);
            for (int s = 0; s < kLoggerSeries; ++s)
                pendingPoints_[s][at] = QPointF(e.address, y[s]);
            pendingEntries_[static_cast<size_t>(at)] = entry;
        }
    });
    // A chart recomputes all its points on every change: during a download the rows reach it
    // in batches, a few times a second. The series not shown take their points when chosen.
    if (!Downloading() || sinceLoggerChart_.elapsed() >= kChartBatchMs) {
        FlushLoggerPoints(false);
        sinceLoggerChart_.restart();
    }
}

void TFMain::ClearLoggerRows() {
    // The header row and the empty last row stay.
    StringGridL->Model()->SourceCleared();
    pendingEntries_.clear();
    loggerPointEntries_.clear();
    for (int s = 0; s < kLoggerSeries; ++s) {
        pendingPoints_[s].clear();
        loggerPoints_[s].clear();
        loggerSeriesBehind_[s] = false;
        LoggerSeries[static_cast<size_t>(s)]->clear();
    }
    if (auto* axis = qobject_cast<QCategoryAxis*>(ChartValueBottomAxis)) {
        for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    }
}

void TFMain::MergePendingPoints() {
    const QList<QPointF>& added = pendingPoints_[0];
    const QList<QPointF>& old = loggerPoints_[0];
    const bool inOrder =
        std::is_sorted(added.begin(), added.end(),
                       [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }) &&
        (old.isEmpty() || added.first().x() >= old.last().x());
    if (inOrder) {
        // A file, or a download after what is there: its points follow, as they are.
        for (int s = 0; s < kLoggerSeries; ++s) {
            if (loggerPoints_[s].isEmpty()) {
                loggerPoints_[s] = std::move(pendingPoints_[s]);
            } else {
                loggerPoints_[s].append(pendingPoints_[s]);
            }
            pendingPoints_[s] = {};
        }
        loggerPointEntries_.insert(loggerPointEntries_.end(), pendingEntries_.begin(),
                                   pendingEntries_.end());
        pendingEntries_.clear();
        return;
    }
    // Merge by address, keeping X ascending; a later download's point goes after an earlier
    // one of the same address. Written in place: a million appends would hold the window.
    const size_t n = static_cast<size_t>(old.size());
    const size_t total = n + pendingEntries_.size();
    std::array<QList<QPointF>, kLoggerSeries> merged;
    for (QList<QPointF>& points : merged) points.resize(static_cast<qsizetype>(total));
    std::vector<int> entries(total);
    size_t i = 0;
    size_t j = 0;
    for (size_t k = 0; k < total; ++k) {
        const bool takeOld =
            j == pendingEntries_.size() ||
            (i < n && old[static_cast<qsizetype>(i)].x() <= added[static_cast<qsizetype>(j)].x());
        const auto at = static_cast<qsizetype>(takeOld ? i : j);
        for (int s = 0; s < kLoggerSeries; ++s) {
            merged[s][static_cast<qsizetype>(k)] =
                takeOld ? loggerPoints_[s][at] : pendingPoints_[s][at];
        }
        entries[k] = takeOld ? loggerPointEntries_[i] : pendingEntries_[j];
        takeOld ? ++i : ++j;
    }
    for (QList<QPointF>& points : pendingPoints_) points = {};
    pendingEntries_.clear();
    loggerPointEntries_ = std::move(entries);
    loggerPoints_ = std::move(merged);
}

void TFMain::FlushLoggerPoints(bool hiddenToo) {
    if (pendingEntries_.empty()) return;
    MergePendingPoints();
    // A chart recomputes a series whole on each change, shown or not: while the download runs
    // only the series in view follows it.
    for (int s = 0; s < kLoggerSeries; ++s) {
        loggerSeriesBehind_[s] = !hiddenToo && !LoggerSeries[static_cast<size_t>(s)]->isVisible();
    }
    const double first = loggerPoints_[0].first().x();
    const double last = loggerPoints_[0].last().x();
    // One point has no width of its own; give it a record step on either side.
    const double min = last > first ? first : first - kRecordAddressStep;
    const double max = last > first ? last : last + kRecordAddressStep;
    // A new range refills the series and relabels the axis through its signal; the same range
    // needs it done here.
    if (min == ChartValueBottomAxis->min() && max == ChartValueBottomAxis->max()) {
        ChartValueRangeChanged();
    } else {
        ChartValueBottomAxis->setRange(min, max);
    }
}

void TFMain::FillLoggerSeries(int s) {
    QLineSeries* series = LoggerSeries[static_cast<size_t>(s)];
    const double min = ChartValueBottomAxis->min();
    const double max = ChartValueBottomAxis->max();
    const QList<QPointF>& points = loggerPoints_[s];
    // Marks only where every point is drawn: on a thinned line they would mark a few at random.
    series->setPointsVisible(CountInRange(points, min, max) <= kLoggerChartMaxPoints);
    series->replace(PointsInRange(points, min, max, kLoggerChartMaxPoints));
}

void TFMain::ChartValueRangeChanged() {
    for (int s = 0; s < kLoggerSeries; ++s) {
        if (!loggerSeriesBehind_[s]) FillLoggerSeries(s);
    }
    RelabelChartValue();
}

void TFMain::SyncLoggerSeries() {
    for (int s = 0; s < kLoggerSeries; ++s) {
        if (loggerSeriesBehind_[s]) FillLoggerSeries(s);
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
    if (valueIndex < 0 || valueIndex >= static_cast<int>(loggerPointEntries_.size())) return {};
    return LoggerTimeText(logger_.At(loggerPointEntries_[static_cast<size_t>(valueIndex)]).record);
}

void TFMain::RelabelChartValue() {
    auto* axis = qobject_cast<QCategoryAxis*>(ChartValueBottomAxis);
    // Categories change without moving the range: this is not entered again from here.
    if (axis == nullptr) return;
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
}

}  // namespace lmr
