#include "measure/LiveRecord.h"

#include <algorithm>
#include <cmath>

namespace lmr {

namespace {

constexpr QRgb kRed = kPointRed;
constexpr QRgb kYellow = kPointYellow;

// In the order of the Quantity enum (the grid's columns 1…9).
constexpr QuantityInfo kQuantities[kQuantityCount] = {
    {Quantity::Ths, "THC,*C", "LineSeries3", "Chart4", "Label25", "Label12", "ТНС, *С", kRed},
    {Quantity::Wbgt, "WBGT,*C", "Series11", "Chart4", "Label26", "Label13", "WBGT, *C", kYellow},
    {Quantity::Rh, "RH,%", "LineSeries4", "Chart5", "Label23", "Label14", "RH, %", kRed},
    {Quantity::Tv, "tв.,*C", "Series13", "Chart6", "Label21", "Label15", "tв., *C", kRed},
    {Quantity::Tsf, "tш.,*C", "LineSeries5", "Chart6", "Label22", "Label16", "tсф., *C", kYellow},
    {Quantity::Tvt, "tвт.,*C", "Series12", "Chart2", "Label27", "Label17", "tвл.тер., *С", kRed},
    {Quantity::Ttr, "tтр.,*C", "Series14", "Chart2", "Label28", "Label18", "tточ.росы, *C",
     kYellow},
    {Quantity::Trad, "tрад.,*C", "LineSeries1", "Chart1", "Label29", "Label19", "tрад., *С", kRed},
    {Quantity::W, "W,Вт/м2", "LineSeries2", "Chart3", "Label30", "Label20", "W, Вт/м2", kRed},
};

constexpr bool InEnumOrder() {
    for (int i = 0; i < kQuantityCount; ++i) {
        if (static_cast<int>(kQuantities[i].quantity) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "the table is indexed by Quantity");

const std::array<Quantity, kQuantityCount> kAll = {Quantity::Ths, Quantity::Wbgt, Quantity::Rh,
                                                   Quantity::Tv,  Quantity::Tsf,  Quantity::Tvt,
                                                   Quantity::Ttr, Quantity::Trad, Quantity::W};

const std::array<LiveChartInfo, 6> kCharts = {{
    {"Chart1", 0, 160, Quantity::Trad},
    {"Chart2", -40, 50, Quantity::Tvt},
    {"Chart3", 0, 1700, Quantity::W},
    {"Chart4", 0, 75, Quantity::Wbgt},
    {"Chart5", 0, 100, Quantity::Rh},
    {"Chart6", 0, 100, Quantity::Tv},
}};

}  // namespace

const QuantityInfo& InfoOf(Quantity q) {
    return kQuantities[static_cast<int>(q)];
}

int GridColumnOf(Quantity q) {
    return static_cast<int>(q) + 1;
}

const std::array<Quantity, kQuantityCount>& AllQuantities() {
    return kAll;
}

void LiveSeries::Add(double y, const QString& label, QRgb colour, bool absent) {
    points_.push_back(LivePoint{y, Count(), label, colour, absent});
    if (absent) return;
    min_ = present_ ? std::min(min_, y) : y;
    max_ = present_ ? std::max(max_, y) : y;
    ++present_;
}

std::optional<int> LiveSeries::NewestX() const {
    if (points_.empty()) return std::nullopt;
    return points_.back().x;
}

void LiveSeries::Clear() {
    points_.clear();
    present_ = 0;
    min_ = max_ = 0;
}

void LiveRecord::Clear() {
    for (LiveSeries& s : series_) s.Clear();
}

XRange VisibleRange(int newestX, int pointsShown) {
    return {static_cast<double>(newestX) - pointsShown, static_cast<double>(newestX)};
}

QList<QPointF> PointsInView(const LiveSeries& s, double min, double max, int maxPoints) {
    QList<QPointF> points;
    if (s.Count() == 0 || !(max >= min)) return points;
    // X is the index of the reading: the range is a stretch of indices.
    const int first = static_cast<int>(std::clamp(std::ceil(min), 0.0, s.Count() * 1.0));
    const int last = static_cast<int>(std::clamp(std::floor(max), -1.0, s.Count() - 1.0));
    const int count = last - first + 1;
    if (count <= 0) return points;
    const int stretches = std::max(1, maxPoints / 2);
    if (count <= std::max(maxPoints, 2)) {
        points.reserve(count);
        for (int i = first; i <= last; ++i) {
            const LivePoint& p = s.At(i);
            if (!p.absent) points.append(QPointF(p.x, p.y));
        }
        return points;
    }
    points.reserve(2 * stretches);
    for (int k = 0; k < stretches; ++k) {
        const int from = first + static_cast<int>(static_cast<long long>(count) * k / stretches);
        const int to = first + static_cast<int>(static_cast<long long>(count) * (k + 1) / stretches);
        int low = -1;
        int high = -1;
        for (int i = from; i < to; ++i) {
            const LivePoint& p = s.At(i);
            if (p.absent) continue;
            if (low < 0 || p.y < s.At(low).y) low = i;
            if (high < 0 || p.y > s.At(high).y) high = i;
        }
        if (low < 0) continue;
        const int a = std::min(low, high);
        const int b = std::max(low, high);
        points.append(QPointF(s.At(a).x, s.At(a).y));
        if (b != a) points.append(QPointF(s.At(b).x, s.At(b).y));
    }
    return points;
}

const std::array<LiveChartInfo, 6>& LiveCharts() {
    return kCharts;
}

}  // namespace lmr
