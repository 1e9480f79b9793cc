#include <gtest/gtest.h>

#include "Child.h"
#include "SimProgram.h"
#include "app/LivePage.h"
#include "core/LiveSession.h"
#include "link/Transcript.h"
#include "measure/NumberText.h"

namespace lmr::test {
namespace {

sim::Options Channels(uint16_t rh, uint16_t air, uint16_t globe) {
    sim::Options o;
    o.rh = rh;
    o.air = air;
    o.globe = globe;
    return o;
}

QString Label(TFMain& m, Quantity q) {
    return Child<QLabel>(m, RowOf(q).valueName).text();
}

TEST(Identification, MeterOnCom1IsFoundNamedAndEnablesStart) {
    SimProgram p;
    TFMain& m = p.main();
    // Exchanges of the window are refused at once while the search owns the link.
    m.ButtonStartStopClick();
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8("Прибор не найден"));
    ASSERT_TRUE(p.Identify());
    EXPECT_EQ(m.PanelText(0), QStringLiteral("COM1"));
    EXPECT_EQ(
        Child<QLabel>(m, "StatusPanel0").toolTip().left(static_cast<int>(p.PortPath().size())),
        QString::fromStdString(p.PortPath()));
    EXPECT_EQ(m.PanelText(1), QString::fromUtf8("ВЕГ/72"));
    EXPECT_TRUE(m.PanelText(2).isEmpty());
    EXPECT_TRUE(Child<QPushButton>(m, "ButtonStartStop").isEnabled());
}

// The heads' names are the session's (and the identification's faults the fault suite's).
TEST(Identification, ADeviceNotTheMeterIsNamedAndNothingIsReadFromIt) {
    sim::Options other;
    other.model = 255;
    SimProgram r(other);
    const QString named = QString::fromUtf8("Прибор не опознан (код 255)");
    EXPECT_FALSE(r.Identify());
    ASSERT_TRUE(SimProgram::WaitFor([&] { return r.main().PanelText(3) == named; }, 5000));
    EXPECT_FALSE(r.main().Identified());
    r.meter().ClearTranscript();
    SimProgram::Finish(r.main(), &TFMain::ButtonZagruzitClick);
    EXPECT_EQ(r.main().PanelText(3), named);
    SimProgram::Finish(r.main(), &TFMain::ButtonReadMemoClick);
    EXPECT_EQ(r.main().PanelText(3), named);
    EXPECT_EQ(Child<StringGrid>(r.main(), "StringGridL").RowCount(), 2);
    EXPECT_TRUE(r.meter().Transcript().empty());
}

TEST(LiveReading, WorkedReadingReachesLabelsGridAndCharts) {
    SimProgram p(Channels(500, 250, 300));
    TFMain& m = p.main();
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8("Чтение каналов"));
    EXPECT_TRUE(m.Session().TimerInterval()->isActive());
    EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), QString::fromUtf8("Стоп"));

    p.meter().ClearTranscript();
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8("Чтение данных ..."));
    // The meter records the last echo on its own thread.
    ASSERT_TRUE(SimProgram::WaitFor([&] { return p.meter().Transcript().size() >= 16; }, 2000));
    // Probe, 163 and six echoed data bytes (the meter answers host bytes with their complement).
    EXPECT_EQ(TranscriptBytes(p.meter().Transcript()),
              "H55 I0 H163 I92 I1 H1 I244 H244 I0 H0 I250 H250 I1 H1 I44 H44");

    const std::pair<Quantity, const char*> expected[] = {
        {Quantity::Tv, "25"},     {Quantity::Rh, "50"},     {Quantity::Tvt, "18.5"},
        {Quantity::Ttr, "13.9"},  {Quantity::Tsf, "30"},    {Quantity::Ths, "22"},
        {Quantity::Wbgt, "21.5"}, {Quantity::Trad, "33.2"}, {Quantity::W, "51.2"},
    };
    for (const auto& [q, text] : expected) {
        EXPECT_EQ(Label(m, q), ShownNumber(text)) << RowOf(q).seriesName;
        EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(GridColumnOf(q), 1), ShownNumber(text));
        EXPECT_EQ(Child<QLineSeries>(m, RowOf(q).seriesName).count(), 1);
    }
    ASSERT_EQ(m.Live().Count(), 1);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(0, 1), QStringLiteral("16:10:45"));
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").RowCount(), 3);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").TopRow(), 2);
    // The first point sits at the right edge of a window 100 points wide.
    for (QChart* c :
         {&Child<QChart>(m, "Chart1"), &Child<QChart>(m, "Chart2"), &Child<QChart>(m, "Chart3"),
          &Child<QChart>(m, "Chart4"), &Child<QChart>(m, "Chart5"), &Child<QChart>(m, "Chart6")}) {
        EXPECT_EQ(TFMain::BottomAxis(c)->min(), -100);
        EXPECT_EQ(TFMain::BottomAxis(c)->max(), 0);
    }

    // A new width takes effect at the next reading; Clear keeps the grid and restarts X.
    m.ChartPointsShown = 150;
    EXPECT_EQ(TFMain::BottomAxis(&Child<QChart>(m, "Chart1"))->min(), -100);
    p.clock().advanceSeconds(3);
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(TFMain::BottomAxis(&Child<QChart>(m, "Chart1"))->min(), -149);
    EXPECT_EQ(TFMain::BottomAxis(&Child<QChart>(m, "Chart1"))->max(), 1);
    m.ButtonClearClick();
    EXPECT_EQ(Label(m, Quantity::W), QStringLiteral("0.0"));
    EXPECT_EQ(m.Live().Count(), 0);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").RowCount(), 4);
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(Child<QLineSeries>(m, RowOf(Quantity::Tv).seriesName).at(0).x(), 0);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(4, 3), QStringLiteral("25"));
}

TEST(LiveReading, ZeroChannelsShowNoDewPointAndReadingsImpossibleForTheMeterAreNotShown) {
    SimProgram p(Channels(0, 0, 0));
    TFMain& m = p.main();
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(Label(m, Quantity::Tvt), ShownNumber("-5.9"));
    EXPECT_EQ(Label(m, Quantity::Ttr), QStringLiteral("-"));
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(GridColumnOf(Quantity::Ttr), 1),
              QStringLiteral("-"));
    EXPECT_FALSE(LiveValue(m.Live().At(0), Quantity::Ttr).has_value());
    EXPECT_EQ(Child<QLineSeries>(m, RowOf(Quantity::Ttr).seriesName).count(), 0);
    EXPECT_EQ(Child<QLineSeries>(m, RowOf(Quantity::Tv).seriesName).count(), 1);

    // Noise taken for data, a sensor off its range: a message, nothing shown.
    const QString rhBefore = Label(m, Quantity::Rh);
    p.meter().Configure([](sim::Options& o) {
        o.rh = 17515;
        o.air = 35011;
    });
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(m.PanelText(3),
              QStringLiteral("Показания вне пределов прибора (RH %1 %, tв %2 °C, tсф 0 °C) не приняты")
                  .arg(ShownNumber("1751.5"), ShownNumber("3501.1")));
    EXPECT_EQ(Label(m, Quantity::Rh), rhBefore);
    EXPECT_EQ(m.Live().Count(), 1);
}

// How many are missed and when it gives up are the session's, the first miss's text the fault
// suite's; the window says that it gave up.
TEST(LiveReading, AMeterAwayAMinuteEndsTheMeasurement) {
    SimProgram p(Channels(500, 250, 300));
    TFMain& m = p.main();
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    ASSERT_TRUE(m.Session().TimerInterval()->isActive());
    p.meter().Configure([](sim::Options& o) { o.silentAfter = 5; });
    SimProgram::Finish(m, &TFMain::TakeReading);
    p.clock().advanceSeconds(61);
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(m.PanelText(3),
              QString::fromUtf8("Нет отклика от прибора: нет ответа 61 с, измерение остановлено"));
    EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), QString::fromUtf8("Старт"));
}

// A live chart looked back at shows the earlier readings of the measurement, drawn from the
// record, and stays there while readings come in until it is zoomed back out.
TEST(LiveReading, ChartsLookedBackAtShowTheEarlierReadings) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    for (int i = 0; i < 300; ++i) m.PublishReading(50.0f, 20.0f + i % 10, 30.0f);
    QValueAxis* x = TFMain::BottomAxis(&Child<QChart>(m, "Chart6"));
    int chart6 = 0;
    while (QLatin1String(LiveChartRows()[static_cast<size_t>(chart6)].chartName) !=
           QLatin1String("Chart6")) {
        ++chart6;
    }
    EXPECT_EQ(x->min(), 199);
    EXPECT_EQ(Child<QLineSeries>(m, "Series13").count(), 101);

    x->setRange(0, 50);  // what a drag back or a zoom does to the axis
    m.LiveChartMovedByUser(chart6, false);
    ASSERT_EQ(Child<QLineSeries>(m, "Series13").count(), 51);
    EXPECT_EQ(Child<QLineSeries>(m, "Series13").at(0), QPointF(0, 20));
    EXPECT_EQ(Child<QLineSeries>(m, "LineSeries5").count(), 51) << "both series of the chart";
    m.PublishReading(50.0f, 20.0f, 30.0f);
    EXPECT_EQ(x->max(), 50) << "held where the user put it";
    EXPECT_EQ(TFMain::BottomAxis(&Child<QChart>(m, "Chart5"))->max(), 300)
        << "the other charts follow";

    x->setRange(-1000, 1000);  // zoomed far out: all 301 readings, none twice
    EXPECT_EQ(Child<QLineSeries>(m, "Series13").count(), 301);
    m.LiveChartMovedByUser(chart6, true);
    EXPECT_EQ(x->max(), 300);
    EXPECT_EQ(Child<QLineSeries>(m, "Series13").count(), 101);
}

// The adapter pulled during a measurement is searched for again, and found plugged back in under
// another device name.
TEST(LiveReading, TheAdapterBackUnderAnotherNameIsFound) {
    std::string second;
    std::unique_ptr<sim::Simulator> back;  // outlives the program that has it open
    SimProgram p(Channels(500, 250, 300), QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)),
                 [&second](ProgramOptions& o) {
                     second = o.ports->front().path + "-2";
                     o.ports->push_back({second, {}, true});
                 });
    TFMain& m = p.main();
    ASSERT_TRUE(p.Identify());
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    ASSERT_TRUE(m.Session().TimerInterval()->isActive());
    p.meter().Configure([](sim::Options& o) { o.vanishAfter = 3; });
    // What the window says meanwhile is the fault suite's.
    SimProgram::Finish(m, &TFMain::TakeReading);
    ASSERT_FALSE(m.Identified());

    // The device node goes with the adapter (a pseudo-terminal's number is soon another's).
    unlink(p.PortPath().c_str());
    back = std::make_unique<sim::Simulator>(Channels(500, 260, 300));
    ASSERT_TRUE(back->Start());
    ASSERT_EQ(symlink(back->SlavePath().c_str(), second.c_str()), 0);
    ASSERT_TRUE(SimProgram::WaitFor(
        [&] { return p.program().Search().PortFound() && p.program().Search().PortNumber() == 2; },
        5000));
    SimProgram::Finish(m, &TFMain::TimerDetektTimer);
    ASSERT_TRUE(m.Identified());
    EXPECT_EQ(m.PanelText(0), QStringLiteral("COM2"));
    SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
    SimProgram::Finish(m, &TFMain::TakeReading);
    EXPECT_EQ(Label(m, Quantity::Tv), QStringLiteral("26"));
}

}  // namespace
}  // namespace lmr::test
