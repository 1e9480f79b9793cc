#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

#include "Child.h"
#include "SimProgram.h"
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
        Child<TimeMaskEdit>(o(), "MaskEditTimeN").setText(QString::fromLatin1(start));
        Child<TimeMaskEdit>(o(), "MaskEditTimeK").setText(QString::fromLatin1(end));
    }
    void At(int h, int min, int s) {
        p.clock().set(QDateTime(QDate(2009, 4, 7), QTime(h, min, s)));
    }
};

// The timed mode as the options window sets it (the minutes themselves are the session's).
TEST(Timers, TimedModeOfTheOptionsWindowWaitsStartsAndEnds) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    Child<QCheckBox>(f.o(), "CheckBoxTimer").setChecked(true);
    // A one-digit hour as the mask lets it be typed matches as well.
    f.SetTimes(" 9:30", "09:32");
    SimProgram::Finish(f.m(), &TFMain::ButtonStartStopClick);
    EXPECT_EQ(f.m().PanelText(3), Text("Соединение прошло успешно, ожидание начала измерений "));
    EXPECT_EQ(Child<QPushButton>(f.m(), "ButtonStartStop").text(), Text("Стоп"));
    f.At(9, 30, 10);
    f.m().TimerPeriodTimer();
    EXPECT_TRUE(f.m().Session().TimerInterval()->isActive());
    EXPECT_EQ(Child<QPushButton>(f.m(), "ButtonStartStop").text(), Text("Стоп"));
    f.At(9, 32, 0);
    f.m().TimerPeriodTimer();
    EXPECT_FALSE(f.m().Session().TimerInterval()->isActive());
    EXPECT_EQ(Child<QPushButton>(f.m(), "ButtonStartStop").text(), Text("Старт"));
}

// The levels of the options window sound the tone and mark the digits (which levels are hit
// is the session's).
TEST(Alarms, ALevelSoundsTheToneAndMarksTheDigitsWithTheLimitAsWritten) {
    Fixture f;
    ASSERT_TRUE(f.p.Identify());
    TFOptions& o = f.o();
    Child<QCheckBox>(o, "CheckBoxBeep").setChecked(true);
    Child<QCheckBox>(o, "CheckBoxT").setChecked(true);
    Child<QLineEdit>(o, "EditTmax").setText(QStringLiteral("20,0"));
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    ASSERT_EQ(f.p.tone().played.size(), 1u);
    EXPECT_EQ(f.p.tone().played[0], std::make_pair(1000, 500));
    QLabel* tv = &Child<QLabel>(f.m(), RowOf(Quantity::Tv).valueName);
    EXPECT_EQ(tv->toolTip(),
              Text("Критический уровень: %1 не ниже верхнего предела 20,0").arg(ShownNumber("25")));
    EXPECT_TRUE(tv->property("atLevel").toBool());
    Child<QCheckBox>(o, "CheckBoxT").setChecked(false);
    SimProgram::Finish(f.m(), &TFMain::TakeReading);
    EXPECT_TRUE(tv->toolTip().isEmpty());
    EXPECT_EQ(f.p.tone().played.size(), 1u);
}

TEST(Options, TrackBarsReachTheMainWindow) {
    Fixture f;
    TFOptions& o = f.o();
    Child<QSlider>(o, "TrackBarInterv").setValue(600);
    EXPECT_EQ(f.m().Session().TimerInterval()->interval(), 600000);
    Child<QSlider>(o, "TrackBarXKol").setValue(250);
    EXPECT_EQ(f.m().ChartPointsShown, 250);
    Child<QSlider>(o, "TrackBarYMax").setValue(40);
    Child<QSlider>(o, "TrackBarYMin").setValue(40);
    EXPECT_EQ(Child<QValueAxis>(f.m(), "ChartValueLeftAxis").max(), 40);
    EXPECT_EQ(Child<QValueAxis>(f.m(), "ChartValueLeftAxis").min(), 39);
}

}  // namespace
}  // namespace lmr::test
