// The live page: its tables, its widgets and how a reading shows on them.
#include "app/LivePage.h"

#include <QGraphicsLayout>

#include "app/DisplayFonts.h"
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "core/LiveSession.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// In the order of the Quantity enum (the tables' columns 1…9).
const std::array<LiveQuantityRow, kQuantityCount> kQuantities = {{
    {Quantity::Ths, "LineSeries3", 0, "Label25", "Label12", "ТНС, *С", 0, false},
    {Quantity::Wbgt, "Series11", 0, "Label26", "Label13", "WBGT, *C", 0, true},
    {Quantity::Rh, "LineSeries4", 1, "Label23", "Label14", "RH, %", 1, false},
    {Quantity::Tv, "Series13", 2, "Label21", "Label15", "tв., *C", 2, false},
    {Quantity::Tsf, "LineSeries5", 2, "Label22", "Label16", "tсф., *C", 2, true},
    {Quantity::Tvt, "Series12", 3, "Label27", "Label17", "tвл.тер., *С", 3, false},
    {Quantity::Ttr, "Series14", 3, "Label28", "Label18", "tточ.росы, *C", 3, true},
    {Quantity::Trad, "LineSeries1", 4, "Label29", "Label19", "tрад., *С", 4, false},
    {Quantity::W, "LineSeries2", 5, "Label30", "Label20", "W, Вт/м2", 5, false},
}};

// Left to right, top row first.
const std::array<LiveChartRow, kLiveChartCount> kCharts = {{
    {"Chart4", "Panel4", "Image4", 0, 0, 0, 75, Quantity::Wbgt},
    {"Chart5", "Panel5", "Image5", 216, 0, 0, 100, Quantity::Rh},
    {"Chart6", "Panel6", "Image6", 432, 0, 0, 100, Quantity::Tv},
    {"Chart2", "Panel1", "Image1", 0, 235, -40, 50, Quantity::Tvt},
    {"Chart1", "Panel2", "Image2", 216, 235, 0, 160, Quantity::Trad},
    {"Chart3", "Panel3", "Image3", 432, 235, 0, 1700, Quantity::W},
}};

const std::array<ValuePanelRow, kValuePanelCount> kValuePanels = {{
    {"Panel7", 0, 174},
    {"Panel8", 216, 174},
    {"Panel9", 432, 174},
    {"Panel10", 0, 409},
    {"Panel11", 216, 409},
    {"Panel12", 432, 409},
}};

constexpr bool InEnumOrder() {
    for (int i = 0; i < kQuantityCount; ++i) {
        if (static_cast<int>(kAllQuantities[static_cast<size_t>(i)]) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "the quantity table is indexed by Quantity");

QFrame* MakeLoweredPanel(QWidget* parent, int left, int top, int w, int h) {
    auto* p = new QFrame(parent);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    p->setLineWidth(1);
    p->setGeometry(left, top, w, h);
    return p;
}

}  // namespace

const std::array<LiveQuantityRow, kQuantityCount>& LiveQuantityRows() {
    return kQuantities;
}
const LiveQuantityRow& RowOf(Quantity q) {
    return kQuantities[static_cast<size_t>(q)];
}
const std::array<LiveChartRow, kLiveChartCount>& LiveChartRows() {
    return kCharts;
}
const std::array<ValuePanelRow, kValuePanelCount>& ValuePanelRows() {
    return kValuePanels;
}

QLineSeries* TFMain::LiveSeriesOf(Quantity q) const {
    return liveSeries_[static_cast<size_t>(q)];
}

QLabel* TFMain::ValueLabelOf(Quantity q) const {
    return valueLabels_[static_cast<size_t>(q)];
}

QChart* TFMain::LiveChart(int chartIndex) const {
    return liveCharts_[static_cast<size_t>(chartIndex)];
}

void TFMain::BuildLivePage() {
    readoutFace_ = QString::fromLatin1(kReadoutFont.face);
    for (size_t i = 0; i < kCharts.size(); ++i) {
        const LiveChartRow& c = kCharts[i];
        QFrame* panel = MakeLoweredPanel(TabSheet1, c.left, c.top, 214, 176);
        panel->setObjectName(QString::fromLatin1(c.panelName));
        QLabel* image = new QLabel(panel);
        image->setObjectName(QString::fromLatin1(c.imageName));
        image->setGeometry(2, 2, 210, 172);
        image->setPixmap(QPixmap(QStringLiteral(":/panel.png")));
        image->setScaledContents(true);
        QChart* chart = MakeLiveChart(c.yMin, c.yMax);
        chart->setObjectName(QString::fromLatin1(c.chartName));
        liveCharts_[i] = chart;
        auto* view = new ZoomChartView(chart, panel);
        view->setGeometry(14, 11, 186, 154);
        view->setObjectName(QString::fromLatin1(c.chartName) + QStringLiteral("View"));
    }
    // Each curve is drawn in the colour of its digits.
    for (const LiveQuantityRow& q : kQuantities) {
        liveSeries_[static_cast<size_t>(q.quantity)] = AddLiveSeries(
            LiveChart(q.chart), q.seriesName, QColor::fromRgba(DigitColourOf(q.quantity)));
    }
    for (size_t p = 0; p < kValuePanels.size(); ++p) {
        QFrame* panel = MakeValuePanel(kValuePanels[p]);
        for (bool lower : {false, true}) {
            for (const LiveQuantityRow& q : kQuantities) {
                if (q.panel == static_cast<int>(p) && q.lower == lower) AddValuePair(panel, q);
            }
        }
    }

    ButtonStartStop = new QPushButton(QString::fromUtf8(kStartCaption), TabSheet1);
    ButtonStartStop->setObjectName(QStringLiteral("ButtonStartStop"));
    ButtonStartStop->setGeometry(0, 470, 646, 25);
    ButtonStartStop->setEnabled(false);

    StringGridD = new StringGrid(10, 2, 0, TabSheet1);
    StringGridD->setObjectName(QStringLiteral("StringGridD"));
    StringGridD->setGeometry(0, 0, 145, 129);
    StringGridD->setAccessibleName(QStringLiteral("Текущие показания"));
    // A row after readings not taken says so (tool tip, pale red), so the gap shows.
    StringGridD->Model()->SetRowNote([this](int row) {
        const int missed = liveGapRows_.value(row, 0);
        return missed > 0 ? QString::fromUtf8(kLiveGapNote).arg(missed) : QString();
    });
    StringGridD->hide();
}

QChart* TFMain::MakeLiveChart(double yMin, double yMax) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(QBrush(QPixmap(QStringLiteral(":/chartbg.png"))));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setDropShadowEnabled(false);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(-ChartPointsShown, 0);
    y->setRange(yMin, yMax);
    x->setVisible(false);
    y->setVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    return chart;
}

QLineSeries* TFMain::AddLiveSeries(QChart* chart, const char* name, QColor colour) {
    auto* s = new QLineSeries;
    s->setObjectName(QString::fromLatin1(name));
    s->setName(QString::fromLatin1(name));
    QPen pen(colour);
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(false);
    chart->addSeries(s);
    s->attachAxis(BottomAxis(chart));
    s->attachAxis(LeftAxis(chart));
    return s;
}

QFrame* TFMain::MakeValuePanel(const ValuePanelRow& row) {
    QFrame* panel = MakeLoweredPanel(TabSheet1, row.left, row.top, 214, 59);
    panel->setObjectName(QString::fromLatin1(row.name));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0x1c, 0x24, 0x30));
    pal.setColor(QPalette::WindowText, QColor(0xe8, 0xec, 0xf0));
    panel->setPalette(pal);
    return panel;
}

void TFMain::AddValuePair(QFrame* panel, const LiveQuantityRow& q) {
    QFont captionFont = font();
    captionFont.setBold(true);
    captionFont.setPointSize(8);
    QFont digits(readoutFace_.isEmpty() ? QString::fromLatin1(kReadoutFont.face) : readoutFace_);
    digits.setPixelSize(24);
    digits.setBold(true);
    auto* caption = new QLabel(QString::fromUtf8(q.captionText), panel);
    caption->setObjectName(QString::fromLatin1(q.captionName));
    caption->setFont(captionFont);
    caption->move(16, q.lower ? 40 : 16);
    caption->adjustSize();
    auto* value = new QLabel(QStringLiteral("0.0"), panel);
    value->setObjectName(QString::fromLatin1(q.valueName));
    value->setFont(digits);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setGeometry(196 - 100, q.lower ? 33 : 9, 100, 24);
    const QColor colour = QColor::fromRgba(DigitColourOf(q.quantity));
    QPalette vp = value->palette();
    vp.setColor(QPalette::WindowText, colour);
    value->setPalette(vp);
    value->setProperty("digitColour", colour);
    // Assistive tools read the digits themselves as the label's name; the caption says what
    // they are.
    value->setAccessibleDescription(caption->text());
    caption->setBuddy(value);
    valueLabels_[static_cast<size_t>(q.quantity)] = value;
}

void TFMain::ShowLiveRows(int first, int count) {
    for (int i = first; i < first + count; ++i) {
        const Reading& r = live_.At(i);
        const int row = StringGridD->RowCount() - 1;
        StringGridD->SetCells(0, row, TimeOfDayText(r.when));
        if (r.missedBefore > 0) liveGapRows_.insert(row, r.missedBefore);
        for (const LiveQuantityRow& q : kQuantities) {
            // A dew point that does not exist (RH 0) shows as "-", never as a number.
            const auto value = LiveValue(r, q.quantity);
            const QString text = value ? NumberText(*value) : QString::fromLatin1(kAbsentText);
            ValueLabelOf(q.quantity)->setText(text);
            StringGridD->SetCells(GridColumnOf(q.quantity), row, text);
        }
        StringGridD->SetTopRow(StringGridD->RowCount());
        StringGridD->SetRowCount(StringGridD->RowCount() + 1);
    }
    UpdateChartWindows();
}

void TFMain::ClearLiveView() {
    liveFollowing_.fill(true);
    for (Quantity q : {Quantity::Tv, Quantity::Rh, Quantity::Tsf}) ShowLevel(q, QString());
    for (const LiveQuantityRow& q : kQuantities) {
        LiveSeriesOf(q.quantity)->clear();
        ValueLabelOf(q.quantity)->setText(QStringLiteral("0.0"));
    }
}

void TFMain::ShowLevel(Quantity q, const QString& level) {
    // In a noisy workshop, or with no sound, the tone alone passes unnoticed: the digits of a
    // channel at its critical level turn white on red, and the level is in the label's tool tip
    // and accessible description, so a screen reader gets it too.
    QLabel* label = ValueLabelOf(q);
    const bool on = !level.isEmpty();
    if (label->property("atLevel").toBool() == on && label->toolTip() == level) return;
    label->setProperty("atLevel", on);
    QPalette p = label->palette();
    if (on) {
        p.setColor(QPalette::Window, QColor(0xc0, 0x00, 0x00));
        p.setColor(QPalette::WindowText, Qt::white);
    } else {
        p.setColor(QPalette::WindowText, label->property("digitColour").value<QColor>());
    }
    label->setAutoFillBackground(on);
    label->setPalette(p);
    label->setToolTip(level);
    const QString caption = QString::fromUtf8(RowOf(q).captionText);
    label->setAccessibleDescription(on ? caption + QStringLiteral(": ") + level : caption);
}

void TFMain::UpdateChartWindows() {
    // Each chart reaches ChartPointsShown back from the newest reading, unless the user has
    // zoomed or moved it to look back: it then stays where it was put.
    const int newest = live_.Count() - 1;
    for (int i = 0; i < kLiveChartCount; ++i) {
        QValueAxis* axis = BottomAxis(LiveChart(i));
        if (liveFollowing_[static_cast<size_t>(i)] && newest >= 0) {
            const XRange range = VisibleRange(newest, ChartPointsShown);
            if (range.min != axis->min() || range.max != axis->max()) {
                axis->setRange(range.min, range.max);  // refills the chart through its signal
                continue;
            }
        }
        FillLiveChart(i);
    }
}

void TFMain::FillLiveChart(int chartIndex) {
    // Only the readings in view are handed to a chart to draw, re-sliced from the session
    // whenever the view moves, so a reading costs the same at the 100th and the 100,000th.
    const QValueAxis* axis = BottomAxis(LiveChart(chartIndex));
    for (const LiveQuantityRow& q : kQuantities) {
        if (q.chart != chartIndex) continue;
        LiveSeriesOf(q.quantity)
            ->replace(
                PointsInView(live_, q.quantity, axis->min(), axis->max(), kLiveChartMaxPoints));
    }
}

void TFMain::LiveChartMovedByUser(int chartIndex, bool reset) {
    liveFollowing_[static_cast<size_t>(chartIndex)] = reset;
    if (reset) UpdateChartWindows();
}

}  // namespace lmr
