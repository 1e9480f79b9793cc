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
    ChartValueLeftAxis->setObjectName(QStringLiteral("ChartValueLeftAxis"));
    ChartValueLeftAxis->setRange(0, 100);
    // The bottom labels are the records' time texts, placed at the points (RelabelChartValue).
    auto* bottom = new QCategoryAxis;
    bottom->setObjectName(QStringLiteral("ChartValueBottomAxis"));
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
    const size_t from = pendingPoints_.Size();
    pendingPoints_.Resize(from + static_cast<size_t>(count));
    ForEachPart(static_cast<size_t>(count), [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const int entry = first + static_cast<int>(i);
            const LoggerEntry& e = logger_.At(entry);
            const std::array<double, kLoggerSeries> y =
                LoggerPointValues(e.record, e.reading.derived);
            const size_t at = from + i;
            // A file may hold more rows than the logger's addresses reach: X is the address.
            pendingPoints_.x[at] = e.address;
            pendingPoints_.row[at] = entry;
            for (int s = 0; s < kLoggerSeries; ++s) pendingPoints_.tenths[s][at] = Tenths(y[s]);
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
    pendingPoints_ = {};
    loggerPoints_ = {};
    for (int s = 0; s < kLoggerSeries; ++s) {
        loggerSeriesBehind_[s] = false;
        LoggerSeries[static_cast<size_t>(s)]->clear();
    }
    if (auto* axis = qobject_cast<QCategoryAxis*>(ChartValueBottomAxis)) {
        for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    }
}

void TFMain::FlushLoggerPoints(bool hiddenToo) {
    if (pendingPoints_.Size() == 0) return;
    MergeByX(loggerPoints_, pendingPoints_);
    // A chart recomputes a series whole on each change, shown or not: while the download runs
    // only the series in view follows it.
    for (int s = 0; s < kLoggerSeries; ++s) {
        loggerSeriesBehind_[s] = !hiddenToo && !LoggerSeries[static_cast<size_t>(s)]->isVisible();
    }
    const double first = loggerPoints_.x.front();
    const double last = loggerPoints_.x.back();
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
    // Marks only where every point is drawn: on a thinned line they would mark a few at random.
    series->setPointsVisible(SpanInRange(loggerPoints_.x, min, max).count <= kLoggerChartMaxPoints);
    series->replace(
        PointsInRange(loggerPoints_.x, loggerPoints_.tenths[s], min, max, kLoggerChartMaxPoints));
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
    if (valueIndex < 0 || valueIndex >= static_cast<int>(loggerPoints_.Size())) return {};
    return LoggerTimeText(logger_.At(loggerPoints_.row[static_cast<size_t>(valueIndex)]).record);
}

void TFMain::RelabelChartValue() {
    auto* axis = qobject_cast<QCategoryAxis*>(ChartValueBottomAxis);
    // Categories change without moving the range: this is not entered again from here.
    if (axis == nullptr) return;
    for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    const double min = axis->min();
    const double max = axis->max();
    axis->setStartValue(min);
    // Every series has its points at the same addresses.
    const std::vector<int>& xs = loggerPoints_.x;
    const Span inRange = SpanInRange(xs, min, max);
    const int first = inRange.first;
    const int end = inRange.first + inRange.count;
    const int step = std::max(1, (end - first + kMaxBottomLabels - 1) / kMaxBottomLabels);
    double lastX = min - 1;
    for (int i = first; i < end; i += step) {
        // Categories need rising ends and distinct labels; points of two downloads may share
        // both, and a logger whose clock was set back repeats its times: the next point of the
        // stretch with a label of its own stands in.
        for (int j = i; j < std::min(i + step, end); ++j) {
            const double x = xs[static_cast<size_t>(j)];
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
