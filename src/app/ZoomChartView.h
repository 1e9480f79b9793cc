#pragma once

#include <QChartView>
#include <QPoint>

namespace lmr {

// A chart view with the mouse zoom and pan the help text describes: a drag
// with the left button from upper left to lower right zooms into the
// rectangle, a drag the other way zooms back out, and a drag with the right
// button moves the chart.
class ZoomChartView final : public QChartView {
    Q_OBJECT
public:
    explicit ZoomChartView(QChart* chart, QWidget* parent = nullptr);

signals:
    // The user zoomed into the chart or moved it.
    void viewMoved();
    // The user zoomed back out to the whole chart.
    void viewReset();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPoint pressAt_;
    QPoint panFrom_;
    bool panning_ = false;
};

}  // namespace lmr
