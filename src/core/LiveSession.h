#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <deque>

#include "core/Reading.h"

namespace lmr {

// The live readings of this run since the last Clear, oldest first. The live page, the
// statistics, the assessment, the protocol and the data files read them from here.
class LiveSession final : public QObject {
    Q_OBJECT
public:
    void Add(const Reading& reading);
    void Clear();
    [[nodiscard]] int Count() const { return static_cast<int>(readings_.size()); }
    [[nodiscard]] const Reading& At(int i) const { return readings_[static_cast<size_t>(i)]; }
    // Changes whenever the readings do.
    [[nodiscard]] qint64 Revision() const { return revision_; }

signals:
    // Readings first … first + count − 1 were added.
    void rowsAdded(int first, int count);
    // Every reading was dropped.
    void cleared();

private:
    std::deque<Reading> readings_;
    qint64 revision_ = 0;
};

struct XRange {
    double min = 0;
    double max = 0;
};

// Bottom-axis window of a live chart: reaches pointsShown back from the newest reading's index.
[[nodiscard]] XRange VisibleRange(int newestX, int pointsShown);

// The points of quantity q a chart draws for the bottom-axis range [min, max], X being the
// reading's index: every reading in it with a value. A range of more than maxPoints readings
// is thinned to the lowest and the highest point of each stretch, so a zoomed-out chart stays
// quick to draw and still shows every peak.
[[nodiscard]] QList<QPointF> PointsInView(const LiveSession& s, Quantity q, double min, double max,
                                          int maxPoints);

}  // namespace lmr
