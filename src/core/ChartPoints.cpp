#include "core/ChartPoints.h"

#include <algorithm>

namespace lmr {

namespace {

struct Span {
    int first = 0;
    int count = 0;
};

Span SpanInRange(const QList<QPointF>& sorted, double min, double max) {
    if (!(max >= min)) return {};
    const auto begin = std::lower_bound(sorted.begin(), sorted.end(), min,
                                        [](const QPointF& p, double v) { return p.x() < v; });
    const auto end = std::upper_bound(begin, sorted.end(), max,
                                      [](double v, const QPointF& p) { return v < p.x(); });
    return {static_cast<int>(begin - sorted.begin()), static_cast<int>(end - begin)};
}

}  // namespace

QList<QPointF> PointsInRange(const QList<QPointF>& sorted, double min, double max, int maxPoints) {
    const Span span = SpanInRange(sorted, min, max);
    return ThinnedPoints(span.first, span.count, maxPoints,
                         [&sorted](int i) { return std::optional<QPointF>(sorted[i]); });
}

int CountInRange(const QList<QPointF>& sorted, double min, double max) {
    return SpanInRange(sorted, min, max).count;
}

}  // namespace lmr
