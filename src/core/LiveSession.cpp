#include "core/LiveSession.h"

#include <algorithm>
#include <cmath>

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
    QList<QPointF> points;
    if (s.Count() == 0 || !(max >= min)) return points;
    const int first = static_cast<int>(std::clamp(std::ceil(min), 0.0, s.Count() * 1.0));
    const int last = static_cast<int>(std::clamp(std::floor(max), -1.0, s.Count() - 1.0));
    const int count = last - first + 1;
    if (count <= 0) return points;
    if (count <= std::max(maxPoints, 2)) {
        points.reserve(count);
        for (int i = first; i <= last; ++i) {
            if (const auto y = LiveValue(s.At(i), q)) points.append(QPointF(i, *y));
        }
        return points;
    }
    const int stretches = std::max(1, maxPoints / 2);
    points.reserve(2 * stretches);
    for (int k = 0; k < stretches; ++k) {
        const int from = first + static_cast<int>(static_cast<long long>(count) * k / stretches);
        const int to =
            first + static_cast<int>(static_cast<long long>(count) * (k + 1) / stretches);
        int low = -1;
        int high = -1;
        double lowY = 0;
        double highY = 0;
        for (int i = from; i < to; ++i) {
            const auto y = LiveValue(s.At(i), q);
            if (!y) continue;
            if (low < 0 || *y < lowY) low = i, lowY = *y;
            if (high < 0 || *y > highY) high = i, highY = *y;
        }
        if (low < 0) continue;
        if (low < high) {
            points.append(QPointF(low, lowY));
            points.append(QPointF(high, highY));
        } else {
            points.append(QPointF(high, highY));
            if (low != high) points.append(QPointF(low, lowY));
        }
    }
    return points;
}

}  // namespace lmr
