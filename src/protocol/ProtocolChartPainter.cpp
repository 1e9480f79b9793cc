#include "protocol/ProtocolChartPainter.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "measure/NumberText.h"

namespace lmr {

namespace {

// A reading further from the one before than this many usual steps starts a new line: the
// meter was elsewhere (another height, a pause) and nothing was measured in between.
constexpr double kGapSteps = 5;
// More ticks than an axis can show are not drawn.
constexpr int kMaxTicks = 60;

struct Span {
    double low = 0;
    double high = 0;
};

// The step of the value axis' ticks: the smallest of 1, 2 and 5 times a power of ten that gives
// at most six of them.
double TickStep(double range) {
    const double raw = range / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

constexpr qint64 kDay = 86400;

// Steps of the time axis, from ten seconds to twenty years.
constexpr qint64 kTimeSteps[] = {
    10,         30,         60,          120,         300,        600,       900,
    1800,       3600,       7200,        10800,       21600,      43200,     kDay,
    2 * kDay,   5 * kDay,   7 * kDay,    14 * kDay,   30 * kDay,  91 * kDay, 182 * kDay,
    365 * kDay, 730 * kDay, 1825 * kDay, 3650 * kDay, 7300 * kDay};

QString TimeFormat(qint64 tick, bool withDate) {
    if (tick >= kDay) return QStringLiteral("dd.MM.yyyy");
    QString format = tick < 60 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    if (withDate) format = QStringLiteral("dd.MM ") + format;
    return format;
}

QString TimeLabel(qint64 seconds, const QString& format) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(format);
}

// The smallest step whose labels, each as wide as the widest, fit side by side with a gap.
qint64 TimeStep(qint64 range, bool withDate, double width, double gap, const QFontMetricsF& fm) {
    for (const qint64 step : kTimeSteps) {
        const double label = fm.horizontalAdvance(TimeLabel(0, TimeFormat(step, withDate)));
        if (double(range / step + 1) * (label + gap) <= width) return step;
    }
    return kTimeSteps[std::size(kTimeSteps) - 1];
}

QPen SeriesPen(const ProtocolChartSeries& s, double mm) {
    // The logger's lines in colours of their own, beside a live series of the same height.
    QColor colour = s.ths ? QColor(0xc6, 0x28, 0x28) : QColor(0x15, 0x65, 0xc0);
    if (s.logger) colour = s.ths ? QColor(0xe6, 0x7e, 0x00) : QColor(0x2e, 0x7d, 0x32);
    QPen pen(colour);
    pen.setWidthF(0.35 * mm);
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                               Qt::DashDotLine};
    pen.setStyle(kStyles[std::size_t(s.height) % 4]);
    return pen;
}

double MedianStep(const ProtocolChartSeries& s) {
    std::vector<qint64> steps;
    for (std::size_t i = 1; i < s.points.size(); ++i) {
        const qint64 step = s.points[i].first - s.points[i - 1].first;
        if (step > 0) steps.push_back(step);
    }
    if (steps.empty()) return 0;
    auto middle = steps.begin() + std::ptrdiff_t(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return double(*middle);
}

// A reading alone between gaps is a dot, not nothing.
void DrawLine(QPainter& painter, const QPolygonF& line, double mm) {
    if (line.size() == 1) {
        painter.drawEllipse(line.front(), 0.4 * mm, 0.4 * mm);
    } else {
        painter.drawPolyline(line);
    }
}

}  // namespace

void PaintProtocolChart(QPainter& painter, const QRectF& rect, const ProtocolChart& chart,
                        double mm) {
    qint64 first = 0;
    qint64 last = 0;
    Span values{0, 0};
    bool any = false;
    for (const ProtocolChartSeries& s : chart.series) {
        for (const auto& [t, v] : s.points) {
            if (!any) {
                first = last = t;
                values = {v, v};
                any = true;
            }
            first = std::min(first, t);
            last = std::max(last, t);
            values.low = std::min(values.low, v);
            values.high = std::max(values.high, v);
        }
    }
    if (!any) return;
    if (last == first) {
        first -= 30;
        last += 30;
    }
    const double step = TickStep(std::max(values.high - values.low, 1.0));
    const Span axis{std::floor(values.low / step) * step, std::ceil(values.high / step) * step};
    const double valueRange = std::max(axis.high - axis.low, step);

    painter.save();
    const QFontMetricsF fm(painter.font(), painter.device());
    // The legend's entries in lines across the chart: a sample of the line, then its name.
    const double lineHeight = fm.height() * 1.4;
    std::vector<QPointF> entries;
    QPointF at(rect.left() + 14 * mm, rect.top());
    for (const ProtocolChartSeries& s : chart.series) {
        const double w = 8.5 * mm + fm.horizontalAdvance(s.name);
        if (at.x() + w > rect.right() && at.x() > rect.left() + 14 * mm) {
            at = QPointF(rect.left() + 14 * mm, at.y() + lineHeight);
        }
        entries.push_back(at);
        at.rx() += w + 5 * mm;
    }
    const double legendHeight = at.y() - rect.top() + lineHeight;
    const QRectF plot = rect.adjusted(14 * mm, legendHeight + 1 * mm, -2 * mm,
                                      -(2 * fm.height() + 2.5 * mm));
    const auto xOf = [&](qint64 t) {
        return plot.left() + plot.width() * double(t - first) / double(last - first);
    };
    const auto yOf = [&](double v) {
        return plot.bottom() - plot.height() * (v - axis.low) / valueRange;
    };

    QPen grid(QColor(0xd0, 0xd0, 0xd0));
    grid.setWidthF(0.15 * mm);
    QPen frame(Qt::black);
    frame.setWidthF(0.2 * mm);

    // The value axis: a line and a label at every tick; counted, so that a step lost in the
    // values' magnitude (a span of 0.2 at 1e16) cannot loop for ever.
    const double ticks = std::floor((axis.high - axis.low) / step + 0.5);
    const int tickCount = std::isfinite(ticks) ? int(std::clamp(ticks, 0.0, double(kMaxTicks))) : 0;
    for (int i = 0; i <= tickCount; ++i) {
        const double v = axis.low + i * step;
        const double y = yOf(v);
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(frame);
        const QRectF label(rect.left(), y - fm.height() / 2, 12.5 * mm - fm.height(), fm.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         NumberText(std::round(v / step) * step, QLocale(QLocale::Russian)));
    }
    // Its unit, across the left edge.
    painter.save();
    painter.translate(rect.left() + fm.ascent() * 0.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -fm.ascent(), plot.height(), fm.height() * 1.2),
                     Qt::AlignCenter, QStringLiteral("Температура, °C"));
    painter.restore();

    // The time axis: dates on it when the readings span more than one day, and labels spaced so
    // that none overlaps the one before.
    const bool withDate = QDateTime::fromSecsSinceEpoch(first, Qt::UTC).date() !=
                          QDateTime::fromSecsSinceEpoch(last, Qt::UTC).date();
    const double labelGap = 3 * mm;
    const qint64 tick = TimeStep(last - first, withDate, plot.width(), labelGap, fm);
    const QString format = TimeFormat(tick, withDate);
    double taken = rect.left() - labelGap;  // the right end of the last label drawn
    int timeTicks = 0;
    for (qint64 t = (first + tick - 1) / tick * tick; t <= last && timeTicks++ < kMaxTicks;
         t += tick) {
        const double x = xOf(t);
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString text = TimeLabel(t, format);
        const double w = fm.horizontalAdvance(text);
        const double left = std::clamp(x - w / 2, rect.left(), rect.right() - w);
        if (left < taken + labelGap) continue;
        painter.setPen(frame);
        painter.drawText(QRectF(left, plot.bottom() + 0.8 * mm, w + 1, fm.height()),
                         Qt::AlignLeft | Qt::AlignTop, text);
        taken = left + w;
    }
    const QDate day = QDateTime::fromSecsSinceEpoch(first, Qt::UTC).date();
    QString timeTitle =
        withDate ? QStringLiteral("Дата, время, ч:мин") : QStringLiteral("Время, ч:мин");
    if (tick < 60) timeTitle += QStringLiteral(":с");
    if (tick >= kDay) timeTitle = QStringLiteral("Дата");
    if (!withDate) timeTitle += QStringLiteral(" (%1)").arg(day.toString(QStringLiteral("dd.MM.yyyy")));
    painter.setPen(frame);
    painter.drawText(QRectF(plot.left(), plot.bottom() + fm.height() + 1.5 * mm, plot.width(),
                            fm.height()),
                     Qt::AlignHCenter | Qt::AlignTop, timeTitle);

    // The lines, clipped to the plot.
    painter.save();
    painter.setClipRect(plot.adjusted(-0.5 * mm, -0.5 * mm, 0.5 * mm, 0.5 * mm));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ProtocolChartSeries& s : chart.series) {
        painter.setPen(SeriesPen(s, mm));
        const double gap = kGapSteps * MedianStep(s);
        QPolygonF line;
        for (std::size_t i = 0; i < s.points.size(); ++i) {
            if (i > 0 && gap > 0 && double(s.points[i].first - s.points[i - 1].first) > gap) {
                DrawLine(painter, line, mm);
                line.clear();
            }
            line << QPointF(xOf(s.points[i].first), yOf(s.points[i].second));
        }
        DrawLine(painter, line, mm);
    }
    painter.restore();
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // The legend above the plot.
    for (std::size_t i = 0; i < chart.series.size(); ++i) {
        const ProtocolChartSeries& s = chart.series[i];
        const QPointF& e = entries[i];
        const double y = e.y() + lineHeight / 2;
        painter.setPen(SeriesPen(s, mm));
        painter.drawLine(QPointF(e.x(), y), QPointF(e.x() + 7 * mm, y));
        painter.setPen(frame);
        painter.drawText(QRectF(e.x() + 8.5 * mm, e.y(), fm.horizontalAdvance(s.name) + 1, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, s.name);
    }
    painter.restore();
}

}  // namespace lmr
