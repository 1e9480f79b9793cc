#include "app/ZoomChartView.h"

#include <QMouseEvent>

namespace lmr {

ZoomChartView::ZoomChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("background: transparent"));
}

void ZoomChartView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        pressAt_ = e->pos();
        setRubberBand(QChartView::RectangleRubberBand);
    } else if (e->button() == Qt::RightButton) {
        panning_ = true;
        panFrom_ = e->pos();
        e->accept();
        return;
    }
    QChartView::mousePressEvent(e);
}

void ZoomChartView::mouseMoveEvent(QMouseEvent* e) {
    if (panning_) {
        const QPoint d = e->pos() - panFrom_;
        chart()->scroll(-d.x(), d.y());
        panFrom_ = e->pos();
        emit viewMoved();
        e->accept();
        return;
    }
    QChartView::mouseMoveEvent(e);
}

void ZoomChartView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton && panning_) {
        panning_ = false;
        e->accept();
        return;
    }
    if (e->button() == Qt::LeftButton) {
        const QPoint d = e->pos() - pressAt_;
        if (d.x() < 0 || d.y() < 0) {
            // Dragged towards the upper left: back to the whole chart.
            setRubberBand(QChartView::NoRubberBand);
            QChartView::mouseReleaseEvent(e);
            chart()->zoomReset();
            emit viewReset();
            return;
        }
        QChartView::mouseReleaseEvent(e);
        setRubberBand(QChartView::NoRubberBand);
        if (d.x() > 0 && d.y() > 0) emit viewMoved();
        return;
    }
    QChartView::mouseReleaseEvent(e);
}

}  // namespace lmr
