#include "windows/FormStat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "measure/NumberText.h"
#include "windows/StatisticsSource.h"
#include "windows/WindowPlacement.h"

namespace lmr {

namespace {

constexpr int kClientWidth = 603;
constexpr int kClientHeight = 456;
constexpr qreal kMarkArrow = 20.0;  // length of the line from a bar's top to its mark
const QColor kChartBack(0xD4, 0xD0, 0xC8);
const QColor kMarkBack(0xFF, 0xFF, 0xE1);

QString PercentText(double percent) {
    return NumberText(std::round(percent * 100.0) / 100.0) + QStringLiteral(" %");
}

// A step of 1, 2 or 5 times a power of ten, so the count axis has whole, round ticks.
double NiceStep(double rough) {
    double step = 1.0;
    while (step * 5 < rough) step *= 10;
    if (step >= rough) return step;
    if (step * 2 >= rough) return step * 2;
    return step * 5;
}

QLabel* SunkenText(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TFStat::TFStat(QWidget* parent) : QWidget(parent, FixedWindowFlags()) {
    setWindowTitle(QStringLiteral("Статистика"));
    PlaceFixedWindow(this, kClientWidth, kClientHeight);

    ComboBoxStat = new QComboBox(this);
    ComboBoxStat->setObjectName(QStringLiteral("ComboBoxStat"));
    ComboBoxStat->setEditable(true);
    ComboBoxStat->setInsertPolicy(QComboBox::NoInsert);
    for (const StatItem& item : kStatItems) ComboBoxStat->addItem(QString::fromUtf8(item.text));
    ComboBoxStat->setCurrentIndex(-1);
    ComboBoxStat->setAccessibleName(QStringLiteral("Величина"));
    ComboBoxStat->setGeometry(4, 4, 200, 23);

    ButtonStatReload = new QPushButton(QStringLiteral("Обновить"), this);
    ButtonStatReload->setObjectName(QStringLiteral("ButtonStatReload"));
    ButtonStatReload->setGeometry(212, 3, 90, 25);

    PanelMinMax = new QFrame(this);
    PanelMinMax->setObjectName(QStringLiteral("PanelMinMax"));
    PanelMinMax->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelMinMax->setGeometry(331, 0, 272, 31);
    auto* labelMin = new QLabel(QStringLiteral("Мин."), PanelMinMax);
    labelMin->setGeometry(6, 4, 36, 23);
    StaticTextMin = SunkenText(PanelMinMax);
    StaticTextMin->setObjectName(QStringLiteral("StaticTextMin"));
    StaticTextMin->setGeometry(42, 4, 86, 23);
    labelMin->setBuddy(StaticTextMin);
    auto* labelMax = new QLabel(QStringLiteral("Макс."), PanelMinMax);
    labelMax->setGeometry(138, 4, 42, 23);
    StaticTextMax = SunkenText(PanelMinMax);
    StaticTextMax->setObjectName(QStringLiteral("StaticTextMax"));
    StaticTextMax->setGeometry(180, 4, 86, 23);
    StaticTextMin->setAccessibleName(QStringLiteral("Мин."));
    StaticTextMax->setAccessibleName(QStringLiteral("Макс."));

    BarSetStat = new QBarSet(QString());
    BarSetStat->setObjectName(QStringLiteral("BarSetStat"));
    BarSetStat->setColor(Qt::red);
    BarSetStat->setBorderColor(Qt::black);
    BarSeriesStat = new QBarSeries;
    BarSeriesStat->setObjectName(QStringLiteral("BarSeriesStat"));
    BarSeriesStat->append(BarSetStat);
    ChartStatChart = new QChart;
    ChartStatChart->setObjectName(QStringLiteral("ChartStatChart"));
    ChartStatChart->setLocalizeNumbers(true);
    ChartStatChart->addSeries(BarSeriesStat);
    ChartStatChart->legend()->hide();
    ChartStatChart->setBackgroundBrush(kChartBack);
    ChartStatChart->setBackgroundRoundness(0);
    ChartStatChart->setPlotAreaBackgroundBrush(Qt::white);
    ChartStatChart->setPlotAreaBackgroundVisible(true);
    ChartStatChart->setMargins(QMargins(4, 4, 4, 4));
    AxisClasses = new QBarCategoryAxis;
    AxisClasses->setObjectName(QStringLiteral("AxisClasses"));
    AxisCounts = new QValueAxis;
    AxisCounts->setObjectName(QStringLiteral("AxisCounts"));
    AxisCounts->setLabelFormat(QStringLiteral("%.0f"));
    AxisCounts->setTickType(QValueAxis::TicksDynamic);
    AxisCounts->setTickAnchor(0);
    AxisCounts->setTickInterval(1);
    AxisCounts->setRange(0, 1);
    ChartStatChart->addAxis(AxisClasses, Qt::AlignBottom);
    ChartStatChart->addAxis(AxisCounts, Qt::AlignLeft);
    BarSeriesStat->attachAxis(AxisClasses);
    BarSeriesStat->attachAxis(AxisCounts);
    ChartStat = new QChartView(ChartStatChart, this);
    ChartStat->setObjectName(QStringLiteral("ChartStat"));
    ChartStat->setFrameShape(QFrame::NoFrame);
    ChartStat->setRenderHint(QPainter::Antialiasing, false);
    ChartStat->setAccessibleName(QStringLiteral("Гистограмма"));
    ChartStat->setGeometry(1, 31, 600, 400);
    BuildMarks();
    connect(ChartStatChart, &QChart::plotAreaChanged, this, [this] { PlaceMarks(); });
    connect(AxisCounts, &QValueAxis::rangeChanged, this, [this] { PlaceMarks(); });

    ButtonClose = new QPushButton(QStringLiteral("Закрыть"), this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    ButtonClose->setGeometry(0, kClientHeight - 25, kClientWidth, 25);

    BuildDuctGroup();

    connect(ButtonStatReload, &QPushButton::clicked, this, &TFStat::ButtonStatReloadClick);
    // The text decides the item, so a text typed into the field that names no item counts
    // as no item at all.
    connect(ComboBoxStat, &QComboBox::currentTextChanged, this, &TFStat::ComboBoxStatChange);
    connect(ButtonClose, &QPushButton::clicked, this, &TFStat::ButtonCloseClick);
    connect(RadioButtonXY, &QRadioButton::clicked, this, &TFStat::RadioButtonXYClick);
    connect(RadioButtonD, &QRadioButton::clicked, this, &TFStat::RadioButtonDClick);
    connect(RadioButtonS, &QRadioButton::clicked, this, &TFStat::RadioButtonSClick);
}

TFStat::~TFStat() = default;

void TFStat::BuildDuctGroup() {
    GroupBoxRashod = new QGroupBox(QStringLiteral("Расход"), this);
    GroupBoxRashod->setObjectName(QStringLiteral("GroupBoxRashod"));
    GroupBoxRashod->setGeometry(0, kClientHeight, kClientWidth, 110);
    auto* section = new QLabel(QStringLiteral("Сечение \nвоздуховода:"), GroupBoxRashod);
    section->setGeometry(8, 18, 100, 32);
    RadioButtonXY = new QRadioButton(QStringLiteral("Прямоугольная"), GroupBoxRashod);
    RadioButtonXY->setObjectName(QStringLiteral("RadioButtonXY"));
    RadioButtonXY->setGeometry(8, 52, 130, 18);
    RadioButtonXY->setChecked(true);
    RadioButtonD = new QRadioButton(QStringLiteral("Круглая"), GroupBoxRashod);
    RadioButtonD->setObjectName(QStringLiteral("RadioButtonD"));
    RadioButtonD->setGeometry(8, 70, 130, 18);
    RadioButtonS = new QRadioButton(QStringLiteral("Произвольная"), GroupBoxRashod);
    RadioButtonS->setObjectName(QStringLiteral("RadioButtonS"));
    RadioButtonS->setGeometry(8, 88, 130, 18);

    const auto edit = [this](const char* name, const QString& caption, int x) {
        auto* label = new QLabel(caption, GroupBoxRashod);
        label->setGeometry(x, 18, 100, 18);
        auto* e = new QLineEdit(QStringLiteral("1"), GroupBoxRashod);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, 38, 90, 22);
        label->setBuddy(e);
        return e;
    };
    EditX = edit("EditX", QStringLiteral("Ширина, м"), 150);
    EditY = edit("EditY", QStringLiteral("Высота, м"), 250);
    EditD = edit("EditD", QStringLiteral("Диаметр, м"), 350);
    EditS = edit("EditS", QStringLiteral("Площадь, м²"), 450);
    EditD->setEnabled(false);
    EditS->setEnabled(false);
    StaticTextP = SunkenText(GroupBoxRashod);
    StaticTextP->setObjectName(QStringLiteral("StaticTextP"));
    StaticTextP->setGeometry(150, 72, 90, 22);
    auto* unit = new QLabel(QStringLiteral("м³/ч"), GroupBoxRashod);
    unit->setGeometry(246, 74, 40, 18);
}

void TFStat::BuildMarks() {
    for (Mark& m : marks_) {
        m.arrow = new QGraphicsLineItem(ChartStatChart);
        m.arrow->setPen(QPen(Qt::black));
        m.box = new QGraphicsRectItem(ChartStatChart);
        m.box->setBrush(kMarkBack);
        m.box->setPen(QPen(Qt::black));
        m.text = new QGraphicsSimpleTextItem(m.box);
        m.arrow->setZValue(10);
        m.box->setZValue(11);
        m.arrow->hide();
        m.box->hide();
    }
}

void TFStat::PlaceMarks() {
    const int bars = BarSetStat->count();
    for (int k = 0; k < kHistogramClasses; ++k) {
        Mark& m = marks_[k];
        const bool shown = k < bars && k < markTexts_.size();
        m.arrow->setVisible(shown);
        m.box->setVisible(shown);
        if (!shown) continue;
        const QPointF top =
            ChartStatChart->mapToPosition(QPointF(k, BarSetStat->at(k)), BarSeriesStat);
        const QPointF tip = top - QPointF(0, kMarkArrow);
        m.arrow->setLine(QLineF(top, tip));
        m.text->setText(markTexts_[k]);
        const QRectF textRect = m.text->boundingRect();
        const QRectF boxRect(0, 0, textRect.width() + 6, textRect.height() + 2);
        m.box->setRect(boxRect);
        m.text->setPos(3, 1);
        m.box->setPos(tip.x() - boxRect.width() / 2, tip.y() - boxRect.height());
    }
}

int TFStat::SelectedItem() const {
    return ComboBoxStat->findText(ComboBoxStat->currentText(), Qt::MatchExactly);
}

void TFStat::SetSource(const StatisticsSource* source) {
    source_ = source;
}

void TFStat::RefreshStatistics() {
    BarSetStat->remove(0, BarSetStat->count());
    AxisClasses->clear();
    markTexts_.clear();
    ChartStat->setToolTip(QString());
    ChartStat->setAccessibleDescription(QString());
    const int item = SelectedItem();
    if (item < 0 || item >= static_cast<int>(kStatItems.size())) {
        PlaceMarks();
        return;
    }

    const double width = kStatItems[item].classWidth;
    const Histogram h =
        ComputeHistogram(source_ ? source_->Values(item) : std::vector<double>{}, width);
    const auto percents = ClassPercentages(h);
    QStringList labels;
    QStringList described;
    int highest = 0;
    for (int k = 0; k < kHistogramClasses; ++k) {
        labels << NumberText(ClassUpperBound(k, width));
        markTexts_ << PercentText(percents[k]);
        described << QStringLiteral("%1: %2, %3")
                         .arg(labels.back())
                         .arg(h.counts[k])
                         .arg(markTexts_.back());
        highest = std::max(highest, h.counts[k]);
    }
    AxisClasses->append(labels);
    for (int count : h.counts) BarSetStat->append(count);

    // Leave room above the highest bar for its mark.
    const double step = NiceStep(std::max(1.0, highest * 1.25) / 6.0);
    AxisCounts->setTickInterval(step);
    AxisCounts->setRange(0, std::ceil(std::max(1.0, highest * 1.25) / step) * step);

    StaticTextMin->setText(NumberText(h.min));
    StaticTextMax->setText(NumberText(h.max));
    const QString description = described.join(QStringLiteral("; "));
    ChartStat->setToolTip(description);
    ChartStat->setAccessibleDescription(description);
    PlaceMarks();
}

QStringList TFStat::MarkTexts() const {
    return markTexts_;
}

void TFStat::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous()) FormShow();
}

void TFStat::FormShow() {
    RefreshStatistics();
}

void TFStat::ButtonStatReloadClick() {
    RefreshStatistics();
}

void TFStat::ComboBoxStatChange() {
    RefreshStatistics();
}

void TFStat::ButtonCloseClick() {
    close();
}

void TFStat::RadioButtonXYClick() {
    EditX->setEnabled(true);
    EditY->setEnabled(true);
    EditD->setEnabled(false);
    EditS->setEnabled(false);
}

void TFStat::RadioButtonDClick() {
    EditX->setEnabled(false);
    EditY->setEnabled(false);
    EditD->setEnabled(true);
    EditS->setEnabled(false);
}

void TFStat::RadioButtonSClick() {
    EditX->setEnabled(false);
    EditY->setEnabled(false);
    EditD->setEnabled(false);
    EditS->setEnabled(true);
}

}  // namespace lmr
