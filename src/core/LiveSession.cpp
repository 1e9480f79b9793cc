#include "core/LiveSession.h"

#include <algorithm>
#include <cmath>

#include "core/ChartPoints.h"

namespace lmr {

void LiveSession::Add(const Reading& reading) {
    readings_.push_back(reading);
    ++revision_;
    emit rowsAdded(Count() - 1, 1);
}

void LiveSession::Clear() {
    readings_.clear();
    ++revision_;
    emit cleared();
}

XRange VisibleRange(int newestX, int pointsShown) {
    return {static_cast<double>(newestX) - pointsShown, static_cast<double>(newestX)};
}

QList<QPointF> PointsInView(const LiveSession& s, Quantity q, double min, double max,
                            int maxPoints) {
    if (s.Count() == 0 || !(max >= min)) return {};
    const int first = static_cast<int>(std::clamp(std::ceil(min), 0.0, s.Count() * 1.0));
    const int last = static_cast<int>(std::clamp(std::floor(max), -1.0, s.Count() - 1.0));
    return ThinnedPoints(first, last - first + 1, maxPoints, [&s, q](int i) {
        const auto y = LiveValue(s.At(i), q);
        return y ? std::optional<QPointF>(QPointF(i, *y)) : std::nullopt;
    });
}

}  // namespace lmr
