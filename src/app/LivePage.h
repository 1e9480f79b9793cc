#pragma once

#include <QRgb>
#include <array>

#include "measure/Quantity.h"

namespace lmr {

inline constexpr QRgb kDigitRed = 0xFFFF0000;     // upper digits of a value panel and their curve
inline constexpr QRgb kDigitYellow = 0xFFFFFF00;  // lower digits and their curve
inline constexpr int kLiveChartCount = 6;
inline constexpr int kValuePanelCount = 6;

// How one quantity is shown on the live page: its curve, its chart, its digits and caption.
struct LiveQuantityRow {
    Quantity quantity;
    const char* seriesName;
    int chart;  // index into LiveChartRows()
    const char* valueName;
    const char* captionName;
    const char* captionText;
    int panel;   // index into ValuePanelRows()
    bool lower;  // the lower (yellow) pair of its panel, else the upper (red) one
};

// A chart panel of the live page, in the order they stand (left to right, top to bottom).
// Its chart view is named after the chart with "View" added.
struct LiveChartRow {
    const char* chartName;
    const char* panelName;
    const char* imageName;
    int left, top;
    double yMin, yMax;
    Quantity windowFrom;  // the quantity whose newest reading sets the chart's window
};

struct ValuePanelRow {
    const char* name;
    int left, top;
};

// The live page, described once: the window builds its widgets from these tables.
[[nodiscard]] const std::array<LiveQuantityRow, kQuantityCount>& LiveQuantityRows();
[[nodiscard]] const LiveQuantityRow& RowOf(Quantity q);
[[nodiscard]] const std::array<LiveChartRow, kLiveChartCount>& LiveChartRows();
[[nodiscard]] const std::array<ValuePanelRow, kValuePanelCount>& ValuePanelRows();
[[nodiscard]] inline QRgb DigitColourOf(Quantity q) {
    return RowOf(q).lower ? kDigitYellow : kDigitRed;
}
// Column of the quantity in the live and logger tables (column 0 is the time).
[[nodiscard]] constexpr int GridColumnOf(Quantity q) {
    return static_cast<int>(q) + 1;
}

}  // namespace lmr
