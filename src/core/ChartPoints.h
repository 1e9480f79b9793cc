#pragma once

#include <QList>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace lmr {

// Picks the points of a chart out of count candidates, first … first + count − 1, pointAt(i)
// giving candidate i's point or nothing. Up to maxPoints candidates are all kept; more are cut
// into stretches, each keeping its lowest and its highest point in their order, and the first
// and the last point stay: a chart of a long record stays quick to draw, still shows every
// peak and spans its whole range.
template <class PointAt>
[[nodiscard]] QList<QPointF> ThinnedPoints(int first, int count, int maxPoints, PointAt pointAt) {
    QList<QPointF> points;
    if (count <= 0) return points;
    if (count <= std::max(maxPoints, 2)) {
        points.reserve(count);
        for (int i = first; i < first + count; ++i) {
            if (const std::optional<QPointF> p = pointAt(i)) points.append(*p);
        }
        return points;
    }
    // The ends stay, so that the line spans the range.
    const int stretches = std::max(1, (maxPoints - 2) / 2);
    points.reserve(2 * stretches + 2);
    int lastAt = -1;
    const auto keep = [&points, &lastAt](int at, const QPointF& p) {
        if (at == lastAt) return;
        points.append(p);
        lastAt = at;
    };
    for (int k = 0; k < stretches; ++k) {
        const int from = first + static_cast<int>(static_cast<long long>(count) * k / stretches);
        const int to =
            first + static_cast<int>(static_cast<long long>(count) * (k + 1) / stretches);
        std::optional<QPointF> low;
        std::optional<QPointF> high;
        std::optional<QPointF> front;
        std::optional<QPointF> back;
        int lowAt = -1;
        int highAt = -1;
        int frontAt = -1;
        int backAt = -1;
        for (int i = from; i < to; ++i) {
            const std::optional<QPointF> p = pointAt(i);
            if (!p) continue;
            if (!front) front = p, frontAt = i;
            back = p, backAt = i;
            if (!low || p->y() < low->y()) low = p, lowAt = i;
            if (!high || p->y() > high->y()) high = p, highAt = i;
        }
        if (!low) continue;
        if (points.isEmpty()) keep(frontAt, *front);
        keep(std::min(lowAt, highAt), lowAt <= highAt ? *low : *high);
        keep(std::max(lowAt, highAt), lowAt <= highAt ? *high : *low);
        if (k == stretches - 1) keep(backAt, *back);
    }
    return points;
}

// Points of several series that share their X, X never falling, each value kept in tenths:
// a quarter of the memory of a QPointF per value, so a million records are taken in quickly.
template <int Series>
struct TenthsPoints {
    std::vector<int> x;
    // What each point stands for (the caller's row).
    std::vector<int> row;
    std::array<std::vector<int>, Series> tenths;

    [[nodiscard]] std::size_t Size() const { return x.size(); }
    void Resize(std::size_t n) {
        x.resize(n);
        row.resize(n);
        for (std::vector<int>& t : tenths) t.resize(n);
    }
};

// Merges added into into by X, keeping X ascending; a point of added goes after one of into of
// the same X (a later download's point after an earlier one's). added is left empty. Written in
// place: a million appends would take seconds.
template <int Series>
void MergeByX(TenthsPoints<Series>& into, TenthsPoints<Series>& added) {
    if (into.Size() == 0) {
        // The first points as they are, not copied.
        into = std::move(added);
        added = {};
        return;
    }
    const std::size_t n = into.Size();
    const std::size_t total = n + added.Size();
    TenthsPoints<Series> merged;
    merged.Resize(total);
    std::size_t i = 0;
    std::size_t j = 0;
    for (std::size_t k = 0; k < total; ++k) {
        const bool takeOld = j == added.Size() || (i < n && into.x[i] <= added.x[j]);
        const TenthsPoints<Series>& from = takeOld ? into : added;
        const std::size_t at = takeOld ? i++ : j++;
        merged.x[k] = from.x[at];
        merged.row[k] = from.row[at];
        for (int s = 0; s < Series; ++s) merged.tenths[s][k] = from.tenths[s][at];
    }
    added = {};
    into = std::move(merged);
}

// The value v, already rounded to a tenth, in tenths.
[[nodiscard]] inline int Tenths(double v) {
    return static_cast<int>(std::lround(v / 0.1));
}

// Index of the first of x, X never falling, that lies at or above min, and how many from there
// lie at or below max.
struct Span {
    int first = 0;
    int count = 0;
};
[[nodiscard]] Span SpanInRange(const std::vector<int>& x, double min, double max);

// The points (x[i], tenths[i] × 0.1) with x in [min, max], thinned to maxPoints.
[[nodiscard]] QList<QPointF> PointsInRange(const std::vector<int>& x,
                                           const std::vector<int>& tenths, double min, double max,
                                           int maxPoints);

}  // namespace lmr
