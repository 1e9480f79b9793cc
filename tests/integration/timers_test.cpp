#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

#include "SimProgram.h"
#include "link/Transcript.h"
#include "windows/TimeMaskEdit.h"

namespace lmr::test {
namespace {

QString Text(const char* s) {
    return QString::fromUtf8(s);
}

struct Fixture {
    Fixture() : p(Options()) {}
    static sim::Options Options() {
        sim::Options o;
        o.rh = 500;
        o.air = 250;
        o.globe = 300;
        return o;
    }
    SimProgram p;
    TFMain& m() { return p.main(); }
    TFOptions& o() { return p.program().FOptions(); }
    void SetTimes(const char* start, const char* end) {
        o().MaskEditTimeN->setText(QString::fromLatin1(start));
        o().MaskEditTimeK->setText(QString::fromLatin1(end));
    }
    void At(int h, int min, int s) {
        p.clock().set(QDateTime(QDate(2009, 4, 7), QTime(h, min, s)));
    }
};

TEST(Timers, ImmediateModeStartsAndStopsWithAProbeEachWay) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_TRUE(f.m().TimerInterval->isActive());
    EXPECT_FALSE(f.m().TimerPeriod->isActive());
    f.p.meter().ClearTranscript();
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_EQ(f.m().ButtonStartStop->text(), Text("Старт"));
    EXPECT_EQ(f.m().PanelText(3), QStringLiteral(" "));
    ASSERT_TRUE(SimProgram::WaitFor([&] { return !f.p.meter().Transcript().empty(); }, 2000));
    EXPECT_EQ(TranscriptBytes(f.p.meter().Transcript()).substr(0, 3), "H55");
}

TEST(Timers, TimedModeArmsStartsAtTheStartMinuteAndStopsAtTheEnd) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    f.o().CheckBoxTimer->setChecked(true);
    // A one-digit hour as the mask lets it be typed matches as well.
    f.SetTimes(" 9:30", "09:32");
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_EQ(f.m().PanelText(3), Text("Соединение прошло успешно, ожидание начала измерений "));
    EXPECT_TRUE(f.m().TimerPeriod->isActive());
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_EQ(f.m().ButtonStartStop->text(), Text("Стоп"));

    f.At(9, 29, 50);
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    f.At(9, 30, 10);
    f.m().TimerPeriodTimer();
    EXPECT_TRUE(f.m().TimerInterval->isActive());
    f.At(9, 30, 30);  // a second tick in the same minute changes nothing
    f.m().TimerPeriodTimer();
    EXPECT_TRUE(f.m().TimerInterval->isActive());
    f.At(9, 32, 0);
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_FALSE(f.m().TimerPeriod->isActive());
    EXPECT_EQ(f.m().ButtonStartStop->text(), Text("Старт"));
}

TEST(Timers, ClockSetForwardPastTheEndStopsTheTimedMode) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    f.o().CheckBoxTimer->setChecked(true);
    f.SetTimes("09:30", "09:32");
    f.At(9, 0, 0);
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    f.At(9, 30, 10);
    f.m().TimerPeriodTimer();
    ASSERT_TRUE(f.m().TimerInterval->isActive());
    f.At(9, 20, 0);  // set back: still measuring
    f.m().TimerPeriodTimer();
    EXPECT_TRUE(f.m().TimerPeriod->isActive());
    f.At(9, 31, 0);
    f.m().TimerPeriodTimer();
    f.At(9, 47, 0);  // set forward over 09:32
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_FALSE(f.m().TimerPeriod->isActive());
    EXPECT_EQ(f.m().ButtonStartStop->text(), Text("Старт"));

    // Armed after the day's end minute, the end is tomorrow's.
    f.At(9, 50, 0);
    f.SetTimes("09:00", "09:40");
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    f.At(9, 50, 20);
    f.m().TimerPeriodTimer();
    EXPECT_TRUE(f.m().TimerPeriod->isActive());
}

TEST(Timers, EqualTimesStartAndStopInOneTickAndBadTimesNeverMatch) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    f.o().CheckBoxTimer->setChecked(true);
    f.SetTimes("10:00", "10:00");
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    f.At(10, 0, 5);
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_FALSE(f.m().TimerPeriod->isActive());

    f.SetTimes("25:99", "  :  ");
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    f.At(1, 39, 0);
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().TimerInterval->isActive());
    EXPECT_TRUE(f.m().TimerPeriod->isActive());
    EXPECT_FALSE(f.o().MaskEditTimeN->toolTip().isEmpty());
    EXPECT_TRUE(f.o().MaskEditTimeK->toolTip().isEmpty());
}

TEST(Timers, TickingTimedModeWhileMeasuringArmsWithoutStopping) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    ASSERT_TRUE(f.m().TimerInterval->isActive());
    f.o().CheckBoxTimer->setChecked(true);
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_TRUE(f.m().TimerPeriod->isActive());
    EXPECT_TRUE(f.m().TimerInterval->isActive());
    // The next click in timed mode stops both.
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_FALSE(f.m().TimerPeriod->isActive());
    EXPECT_FALSE(f.m().TimerInterval->isActive());
}

TEST(Timers, NoAnswerAtTimedStartChangesNothing) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    f.o().CheckBoxTimer->setChecked(true);
    f.p.meter().Configure([](sim::Options& o) { o.silent = true; });
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_EQ(f.m().PanelText(3), Text("Нет отклика от прибора..."));
    EXPECT_FALSE(f.m().TimerPeriod->isActive());
    EXPECT_EQ(f.m().ButtonStartStop->text(), Text("Старт"));
}

TEST(Alarms, LimitsSoundPerChannelAndBadTextsAreMarked) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    TFOptions& o = f.o();
    o.CheckBoxBeep->setChecked(true);
    // tв at its start texts "0.0" alarms every reading.
    o.CheckBoxT->setChecked(true);
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    EXPECT_EQ(f.p.tone().played.size(), 1u);
    EXPECT_EQ(f.p.tone().played[0], std::make_pair(1000, 500));

    // RH 50 against a max of "25,5"; tсф 30 inside "10.0" … "40.0".
    o.CheckBoxRH->setChecked(true);
    o.EditRHmax->setText(QStringLiteral("25,5"));
    o.EditRHmin->setText(QStringLiteral("10"));
    o.CheckBoxV->setChecked(true);
    o.EditVmin->setText(QStringLiteral("10.0"));
    o.EditVmax->setText(QStringLiteral("40.0"));
    f.p.tone().played.clear();
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    EXPECT_EQ(f.p.tone().played.size(), 2u);  // tв and RH

    // A limit that is not a number raises nothing and is marked; the other limit still counts.
    o.EditTmax->setText(QStringLiteral("abc"));
    o.EditTmin->setText(QStringLiteral("30"));
    f.p.tone().played.clear();
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    EXPECT_EQ(f.p.tone().played.size(), 2u);  // tв ≤ 30 and RH
    EXPECT_EQ(o.EditTmax->toolTip(), Text("Не число"));
    EXPECT_TRUE(o.EditTmin->toolTip().isEmpty());

    // Without the sound box nothing sounds.
    o.CheckBoxBeep->setChecked(false);
    f.p.tone().played.clear();
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    EXPECT_TRUE(f.p.tone().played.empty());
}

TEST(Options, TrackBarsReachTheMainWindow) {
    Fixture f;
    TFOptions& o = f.o();
    o.TrackBarInterv->setValue(600);
    EXPECT_EQ(f.m().TimerInterval->interval(), 600000);
    o.TrackBarXKol->setValue(250);
    EXPECT_EQ(f.m().ChartPointsShown, 250);
    o.TrackBarYMax->setValue(40);
    o.TrackBarYMin->setValue(40);
    EXPECT_EQ(f.m().ChartValueLeftAxis->max(), 40);
    EXPECT_EQ(f.m().ChartValueLeftAxis->min(), 39);
}

}  // namespace
}  // namespace lmr::test
