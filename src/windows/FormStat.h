#pragma once

#include <QWidget>
#include <array>

#include "assess/Histogram.h"

class QComboBox;
class QPushButton;
class QFrame;
class QLabel;
class QGroupBox;
class QRadioButton;
class QLineEdit;
class QShowEvent;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

class QChart;
class QChartView;
class QBarSeries;
class QBarSet;
class QBarCategoryAxis;
class QValueAxis;

namespace lmr {

class StatisticsSource;

// The statistics window: a histogram of ten classes and the smallest and
// largest live reading of one quantity. It keeps nothing of its own; every
// refresh reads the live readings again and they are not followed in between.
class TFStat : public QWidget {
    Q_OBJECT
public:
    explicit TFStat(QWidget* parent = nullptr);
    ~TFStat() override;

    // The readings to count; the source must outlive the window (nullptr: none).
    void SetSource(const StatisticsSource* source);

    // Rebuilds the bars and the min/max texts from the source.
    void RefreshStatistics();

    // The percentage marks of the bars as shown, in bar order.
    [[nodiscard]] QStringList MarkTexts() const;

    void ButtonStatReloadClick();
    void ComboBoxStatChange();
    void ButtonCloseClick();
    void RadioButtonXYClick();
    void RadioButtonDClick();
    void RadioButtonSClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The window's components, each under its own name as object name (tests find them by it).
    QComboBox* ComboBoxStat;
    QPushButton* ButtonStatReload;
    QFrame* PanelMinMax;
    QLabel* StaticTextMin;
    QLabel* StaticTextMax;
    QChartView* ChartStat;
    QChart* ChartStatChart;
    QBarSeries* BarSeriesStat;
    QBarSet* BarSetStat;
    QBarCategoryAxis* AxisClasses;
    QValueAxis* AxisCounts;
    QPushButton* ButtonClose;

    // The duct group sits below the client area and is never in view.
    QGroupBox* GroupBoxRashod;
    QRadioButton* RadioButtonXY;
    QRadioButton* RadioButtonD;
    QRadioButton* RadioButtonS;
    QLineEdit* EditX;
    QLineEdit* EditY;
    QLineEdit* EditD;
    QLineEdit* EditS;
    QLabel* StaticTextP;

    struct Mark {
        QGraphicsLineItem* arrow;
        QGraphicsRectItem* box;
        QGraphicsSimpleTextItem* text;
    };

    void FormShow();
    void BuildDuctGroup();
    void BuildMarks();
    void PlaceMarks();
    [[nodiscard]] int SelectedItem() const;

    const StatisticsSource* source_ = nullptr;
    std::array<Mark, kHistogramClasses> marks_{};
    QStringList markTexts_;
};

}  // namespace lmr
