#include "core/ChartPoints.h"

namespace lmr {

Span SpanInRange(const std::vector<int>& x, double min, double max) {
    if (!(max >= min)) return {};
    const auto begin =
        std::lower_bound(x.begin(), x.end(), min, [](int p, double v) { return p < v; });
    const auto end = std::upper_bound(begin, x.end(), max, [](double v, int p) { return v < p; });
    return {static_cast<int>(begin - x.begin()), static_cast<int>(end - begin)};
}

QList<QPointF> PointsInRange(const std::vector<int>& x, const std::vector<int>& tenths, double min,
                             double max, int maxPoints) {
    const Span span = SpanInRange(x, min, max);
    return ThinnedPoints(span.first, span.count, maxPoints, [&x, &tenths](int i) {
        const auto at = static_cast<std::size_t>(i);
        // As the value was rounded: the same double.
        return std::optional<QPointF>(QPointF(x[at], tenths[at] * 0.1));
    });
}

}  // namespace lmr
