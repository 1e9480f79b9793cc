#pragma once

#include <QList>
#include <QPointF>
#include <QRgb>
#include <QString>
#include <array>
#include <deque>
#include <optional>

namespace lmr {

// The nine live quantities in the order of the data grid's columns 1…9.
enum class Quantity { Ths, Wbgt, Rh, Tv, Tsf, Tvt, Ttr, Trad, W };
inline constexpr int kQuantityCount = 9;

inline constexpr QRgb kPointRed = 0xFFFF0000;     // upper (red) digits
inline constexpr QRgb kPointYellow = 0xFFFFFF00;  // lower (yellow) digits

// How one quantity is shown on the live page.
struct QuantityInfo {
    Quantity quantity;
    const char* gridHeader;    // header of its StringGridD column
    const char* seriesName;    // its live chart series
    const char* chartName;     // the chart that holds the series
    const char* valueLabel;    // label with the digits
    const char* captionLabel;  // label left of the digits
    const char* captionText;
    QRgb pointColour;
};

[[nodiscard]] const QuantityInfo& InfoOf(Quantity q);
// Grid column of the quantity (column 0 is the time of day).
[[nodiscard]] int GridColumnOf(Quantity q);
[[nodiscard]] const std::array<Quantity, kQuantityCount>& AllQuantities();

struct LivePoint {
    double y = 0;   // the rounded value
    int x = 0;      // index at the time of adding
    QString label;  // time of day
    QRgb colour = 0;
    bool absent = false;  // kept for equal series lengths, but not drawn, counted or exported
};

// One live series: every point of every reading since the last Clear.
class LiveSeries {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(points_.size()); }
    [[nodiscard]] const LivePoint& At(int i) const { return points_[static_cast<size_t>(i)]; }
    // Appends a point with X = Count(); O(1).
    void Add(double y, const QString& label, QRgb colour, bool absent = false);
    // Over present points; 0 when there is none.
    [[nodiscard]] double MinY() const { return present_ ? min_ : 0; }
    [[nodiscard]] double MaxY() const { return present_ ? max_ : 0; }
    [[nodiscard]] int PresentCount() const { return present_; }
    [[nodiscard]] std::optional<int> NewestX() const;
    void Clear();

private:
    std::deque<LivePoint> points_;
    int present_ = 0;
    double min_ = 0;
    double max_ = 0;
};

// The record of all live readings: the nine series, one per quantity.
class LiveRecord {
public:
    [[nodiscard]] LiveSeries& Series(Quantity q) { return series_[static_cast<size_t>(q)]; }
    [[nodiscard]] const LiveSeries& Series(Quantity q) const {
        return series_[static_cast<size_t>(q)];
    }
    void Clear();

private:
    std::array<LiveSeries, kQuantityCount> series_;
};

struct XRange {
    double min = 0;
    double max = 0;
};

// Bottom-axis window of a live chart: reaches pointsShown back from the newest X.
[[nodiscard]] XRange VisibleRange(int newestX, int pointsShown);

// The points of a series a chart draws for the bottom-axis range [min, max]: every present point
// in it. A range of more than maxPoints
// readings is thinned to the lowest and the highest point of each stretch, so a zoomed-out chart
// stays quick to draw and still shows every peak.
[[nodiscard]] QList<QPointF> PointsInView(const LiveSeries& s, double min, double max,
                                          int maxPoints);

// A live chart, its left-axis range and the series whose newest X sets its window.
struct LiveChartInfo {
    const char* chartName;
    double leftMin;
    double leftMax;
    Quantity windowFrom;
};

// The six live charts in the order the window update walks them (Chart1…Chart6).
[[nodiscard]] const std::array<LiveChartInfo, 6>& LiveCharts();

}  // namespace lmr
