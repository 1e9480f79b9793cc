#pragma once

#include <QPainter>
#include <QRectF>

#include "protocol/ProtocolContent.h"

namespace lmr {

// Draws a point's chart into rect: the ТНС-индекс and the air temperature over time, with
// both axes, their tick labels and units, and a legend. mm is the device's length of a
// millimetre, so lines and gaps keep their size on any resolution.
void PaintProtocolChart(QPainter& painter, const QRectF& rect, const ProtocolChart& chart,
                        double mm);

}  // namespace lmr
