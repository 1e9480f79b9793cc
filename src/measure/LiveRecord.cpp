#include "measure/LiveRecord.h"

#include <algorithm>

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

const std::array<LiveChartInfo, 6>& LiveCharts() {
    return kCharts;
}

}  // namespace lmr
