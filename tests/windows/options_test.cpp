#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest/QTest>
#include <functional>

#include "Child.h"
#include "windows/FormOptions.h"
#include "windows/TimeMaskEdit.h"

using lmr::test::Child;

namespace lmr {
namespace {

TEST(OptionsWindow, StartValuesTextsRangesAndTicks) {
    TFOptions w;
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(w.size(), QSize(298, 445));
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBoxLevels").title(), QStringLiteral("Критические уровни"));
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBoxScale").title(), QStringLiteral("Масштаб"));
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBoxInterval").title(), QStringLiteral("Интервал"));
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBoxTimer").title(), QStringLiteral("Таймер"));
    EXPECT_EQ(Child<QCheckBox>(w, "CheckBoxT").text(), QStringLiteral("tв."));
    EXPECT_EQ(Child<QCheckBox>(w, "CheckBoxRH").text(), QStringLiteral("RH"));
    EXPECT_EQ(Child<QCheckBox>(w, "CheckBoxV").text(), QStringLiteral("tш."));
    EXPECT_EQ(Child<QCheckBox>(w, "CheckBoxBeep").text(), QStringLiteral("звуковая индикация"));
    EXPECT_EQ(Child<QCheckBox>(w, "CheckBoxTimer").text(), QStringLiteral("Вкл./Выкл."));
    for (QCheckBox* b : {&Child<QCheckBox>(w, "CheckBoxT"), &Child<QCheckBox>(w, "CheckBoxRH"),
                         &Child<QCheckBox>(w, "CheckBoxV"), &Child<QCheckBox>(w, "CheckBoxBeep"),
                         &Child<QCheckBox>(w, "CheckBoxTimer")})
        EXPECT_FALSE(b->isChecked());
    for (QLineEdit* e : {&Child<QLineEdit>(w, "EditTmin"), &Child<QLineEdit>(w, "EditTmax"),
                         &Child<QLineEdit>(w, "EditRHmin"), &Child<QLineEdit>(w, "EditRHmax"),
                         &Child<QLineEdit>(w, "EditVmin"), &Child<QLineEdit>(w, "EditVmax")})
        EXPECT_EQ(e->text(), QStringLiteral("0.0"));

    struct Bar {
        QSlider* bar;
        int min, max, start, tick;
    };
    for (const Bar& b : {Bar{&Child<QSlider>(w, "TrackBarYMax"), 1, 100, 100, 2},
                         Bar{&Child<QSlider>(w, "TrackBarYMin"), 0, 99, 0, 2},
                         Bar{&Child<QSlider>(w, "TrackBarXKol"), 100, 500, 100, 10},
                         Bar{&Child<QSlider>(w, "TrackBarInterv"), 3, 600, 3, 9}}) {
        EXPECT_EQ(b.bar->minimum(), b.min) << b.bar->objectName().toStdString();
        EXPECT_EQ(b.bar->maximum(), b.max) << b.bar->objectName().toStdString();
        EXPECT_EQ(b.bar->value(), b.start) << b.bar->objectName().toStdString();
        EXPECT_EQ(b.bar->tickInterval(), b.tick) << b.bar->objectName().toStdString();
        EXPECT_NE(b.bar->tickPosition(), QSlider::NoTicks);
    }
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMax").text(), QStringLiteral("Max 100"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMin").text(), QStringLiteral("Min 0"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextXKol").text(), QStringLiteral("Kol 100"));
    EXPECT_EQ(Child<QLabel>(w, "LabelInterv").text(), QStringLiteral("Интервал измерений, 3 сек."));
    EXPECT_EQ(Child<QPushButton>(w, "ButtonClose").text(), QStringLiteral("Закрыть"));
}

TEST(OptionsWindow, ScaleBarsPushTheMovedBarBackOneStep) {
    TFOptions w;
    QSignalSpy maxSpy(&w, &TFOptions::ValueAxisMaxChanged);
    QSignalSpy minSpy(&w, &TFOptions::ValueAxisMinChanged);

    Child<QSlider>(w, "TrackBarYMin").setValue(40);
    ASSERT_EQ(minSpy.count(), 1);
    EXPECT_EQ(minSpy.takeLast().at(0).toDouble(), 40.0);
    Child<QSlider>(w, "TrackBarYMax").setValue(40);  // onto the minimum
    EXPECT_EQ(Child<QSlider>(w, "TrackBarYMax").value(), 41);
    ASSERT_EQ(maxSpy.count(), 1);  // only the pushed-back position reaches the chart
    EXPECT_EQ(maxSpy.takeLast().at(0).toDouble(), 41.0);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMax").text(), QStringLiteral("Max 41"));

    Child<QSlider>(w, "TrackBarYMax").setValue(60);
    maxSpy.clear();
    Child<QSlider>(w, "TrackBarYMin").setValue(60);  // onto the maximum
    EXPECT_EQ(Child<QSlider>(w, "TrackBarYMin").value(), 59);
    ASSERT_EQ(minSpy.count(), 1);
    EXPECT_EQ(minSpy.takeLast().at(0).toDouble(), 59.0);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMin").text(), QStringLiteral("Min 59"));
    EXPECT_EQ(maxSpy.count(), 0);

    // Narrowest scale: minimum 0, maximum 1; a maximum dragged below it ends at 1.
    Child<QSlider>(w, "TrackBarYMin").setValue(0);
    Child<QSlider>(w, "TrackBarYMax").setValue(1);
    EXPECT_EQ(Child<QSlider>(w, "TrackBarYMax").value(), 1);
    EXPECT_EQ(maxSpy.takeLast().at(0).toDouble(), 1.0);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMax").text(), QStringLiteral("Max 1"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextYMin").text(), QStringLiteral("Min 0"));

    // The keyboard moves the bars through the same handler.
    w.show();
    Child<QSlider>(w, "TrackBarYMin").setFocus();
    QTest::keyClick(&Child<QSlider>(w, "TrackBarYMin"), Qt::Key_Right);
    EXPECT_EQ(Child<QSlider>(w, "TrackBarYMin").value(), 0);
    EXPECT_EQ(Child<QSlider>(w, "TrackBarYMax").value(), 1);
}

TEST(OptionsWindow, PointsAndIntervalBarsTellTheMainWindow) {
    TFOptions w;
    QSignalSpy points(&w, &TFOptions::PointsShownChanged);
    QSignalSpy interval(&w, &TFOptions::IntervalChanged);

    Child<QSlider>(w, "TrackBarXKol").setValue(150);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextXKol").text(), QStringLiteral("150"));  // without "Kol "
    Child<QSlider>(w, "TrackBarXKol").setValue(500);
    ASSERT_EQ(points.count(), 2);
    EXPECT_EQ(points.last().at(0).toInt(), 500);

    Child<QSlider>(w, "TrackBarInterv").setValue(600);
    ASSERT_EQ(interval.count(), 1);
    EXPECT_EQ(interval.last().at(0).toInt(), 600000);
    // Latin c, e, k after the change.
    EXPECT_EQ(Child<QLabel>(w, "LabelInterv").text(),
              QStringLiteral("Интервал измерений, 600 cek."));
    EXPECT_TRUE(Child<QLabel>(w, "LabelInterv").text().endsWith(QLatin1String(" cek.")));

    Child<QSlider>(w, "TrackBarInterv").setValue(3);
    EXPECT_EQ(interval.last().at(0).toInt(), 3000);
    EXPECT_EQ(Child<QLabel>(w, "LabelInterv").text(), QStringLiteral("Интервал измерений, 3 cek."));
}

TEST(OptionsWindow, TimeEditsStartBlankAndTakeHoursAndMinutes) {
    TFOptions w;
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").TimeText(), QStringLiteral("  :  "));
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeK").TimeText(), QStringLiteral("  :  "));
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").maxLength(), 5);
    w.show();
    QApplication::setActiveWindow(&w);  // focus only reaches the edits of the active window
    Child<TimeMaskEdit>(w, "MaskEditTimeN").setFocus();
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").displayText(), QStringLiteral("__:__"));
    Child<TimeMaskEdit>(w, "MaskEditTimeN").setCursorPosition(0);
    QTest::keyClicks(&Child<TimeMaskEdit>(w, "MaskEditTimeN"),
                     QStringLiteral("09a3x0"));  // letters are refused
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").TimeText(), QStringLiteral("09:30"));
    EXPECT_TRUE(Child<TimeMaskEdit>(w, "MaskEditTimeN").hasAcceptableInput());
    Child<TimeMaskEdit>(w, "MaskEditTimeK").setFocus();
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").displayText(),
              QStringLiteral("09:30"));  // kept when focus leaves
    QTest::keyClicks(&Child<TimeMaskEdit>(w, "MaskEditTimeK"), QStringLiteral("1"));
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeK").displayText(), QStringLiteral("1_:__"));
    Child<TimeMaskEdit>(w, "MaskEditTimeN").setFocus();
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeK").TimeText(), QStringLiteral("1 :  "));
    EXPECT_FALSE(Child<TimeMaskEdit>(w, "MaskEditTimeK").hasAcceptableInput());
}

TEST(OptionsWindow, HidingKeepsEveryValue) {
    TFOptions w;
    w.show();
    Child<QCheckBox>(w, "CheckBoxRH").setChecked(true);
    Child<QLineEdit>(w, "EditRHmax").setText(QStringLiteral("85,5"));
    Child<QSlider>(w, "TrackBarXKol").setValue(320);
    Child<QSlider>(w, "TrackBarInterv").setValue(60);
    Child<TimeMaskEdit>(w, "MaskEditTimeK").setText(QStringLiteral("18:45"));
    QTest::mouseClick(&Child<QPushButton>(w, "ButtonClose"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_TRUE(Child<QCheckBox>(w, "CheckBoxRH").isChecked());
    EXPECT_EQ(Child<QLineEdit>(w, "EditRHmax").text(), QStringLiteral("85,5"));
    EXPECT_EQ(Child<QSlider>(w, "TrackBarXKol").value(), 320);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextXKol").text(), QStringLiteral("320"));
    EXPECT_EQ(Child<QSlider>(w, "TrackBarInterv").value(), 60);
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeK").TimeText(), QStringLiteral("18:45"));
}

TEST(OptionsWindow, InvalidMarkColoursAndExplainsAndClears) {
    TFOptions w;
    const QColor normal = Child<QLineEdit>(w, "EditTmax").palette().color(QPalette::Base);
    w.SetEditInvalid(&Child<QLineEdit>(w, "EditTmax"), true);
    EXPECT_NE(Child<QLineEdit>(w, "EditTmax").palette().color(QPalette::Base), normal);
    EXPECT_EQ(Child<QLineEdit>(w, "EditTmax").toolTip(), QStringLiteral("Не число"));
    w.SetEditInvalid(&Child<TimeMaskEdit>(w, "MaskEditTimeN"), true);
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").toolTip(),
              QStringLiteral("Нет такого времени"));
    EXPECT_EQ(Child<TimeMaskEdit>(w, "MaskEditTimeN").accessibleDescription(),
              QStringLiteral("Нет такого времени"));
    w.SetEditInvalid(&Child<QLineEdit>(w, "EditTmax"), false);
    EXPECT_EQ(Child<QLineEdit>(w, "EditTmax").palette().color(QPalette::Base), normal);
    EXPECT_TRUE(Child<QLineEdit>(w, "EditTmax").toolTip().isEmpty());
    EXPECT_EQ(Child<QLineEdit>(w, "EditTmin").palette().color(QPalette::Base),
              normal);  // others untouched
}

// What the user types is the setting at once, parsed here and nowhere else: the number written
// is the limit, a text that is no number is none and is marked; a time is one or none.
TEST(OptionsWindow, EditsMakeTheMeasurementSettings) {
    TFOptions w;
    QSignalSpy changed(&w, &TFOptions::SettingsChanged);
    const MeasurementSettings start = w.Settings();
    EXPECT_EQ(start.intervalMs, 3000);
    EXPECT_FALSE(start.timed);
    EXPECT_FALSE(start.beep);
    EXPECT_FALSE(start.start);
    for (const ChannelLimits& l : start.limits) {
        EXPECT_FALSE(l.ticked);
        ASSERT_TRUE(l.max && l.min);
        EXPECT_EQ(l.max->value, 0.0);
        EXPECT_EQ(l.max->written, QStringLiteral("0.0"));
    }

    struct Case {
        QLineEdit* edit;
        const char* text;
        std::function<std::optional<LimitValue>(const MeasurementSettings&)> limit;
        std::optional<double> value;
        const char* written;
    };
    const auto maxOf = [](AlarmChannel c) {
        return [c](const MeasurementSettings& s) { return s.Limits(c).max; };
    };
    const auto minOf = [](AlarmChannel c) {
        return [c](const MeasurementSettings& s) { return s.Limits(c).min; };
    };
    const Case cases[] = {
        {&Child<QLineEdit>(w, "EditRHmax"), "25,5", maxOf(AlarmChannel::Rh), 25.5, "25,5"},
        {&Child<QLineEdit>(w, "EditRHmin"), " 10 ", minOf(AlarmChannel::Rh), 10.0, "10"},
        {&Child<QLineEdit>(w, "EditVmax"), "40.0", maxOf(AlarmChannel::Tsf), 40.0, "40.0"},
        {&Child<QLineEdit>(w, "EditTmin"), "-5", minOf(AlarmChannel::Tv), -5.0, "-5"},
        {&Child<QLineEdit>(w, "EditTmax"), "abc", maxOf(AlarmChannel::Tv), std::nullopt, ""},
        {&Child<QLineEdit>(w, "EditVmin"), "", minOf(AlarmChannel::Tsf), std::nullopt, ""},
    };
    for (const Case& c : cases) {
        c.edit->setText(QString::fromUtf8(c.text));
        const std::optional<LimitValue> l = c.limit(w.Settings());
        EXPECT_EQ(l.has_value(), c.value.has_value()) << c.text;
        if (l && c.value) {
            EXPECT_EQ(l->value, *c.value) << c.text;
            EXPECT_EQ(l->written, QString::fromUtf8(c.written));
        }
        EXPECT_EQ(c.edit->toolTip().isEmpty(), c.value.has_value()) << c.text;
    }

    Child<QCheckBox>(w, "CheckBoxRH").setChecked(true);
    Child<QCheckBox>(w, "CheckBoxBeep").setChecked(true);
    Child<QCheckBox>(w, "CheckBoxTimer").setChecked(true);
    Child<QSlider>(w, "TrackBarInterv").setValue(60);
    Child<TimeMaskEdit>(w, "MaskEditTimeN").setText(QStringLiteral(" 9:30"));
    Child<TimeMaskEdit>(w, "MaskEditTimeK").setText(QStringLiteral("25:99"));
    const MeasurementSettings& s = w.Settings();
    EXPECT_TRUE(s.Limits(AlarmChannel::Rh).ticked);
    EXPECT_FALSE(s.Limits(AlarmChannel::Tv).ticked);
    EXPECT_TRUE(s.beep);
    EXPECT_TRUE(s.timed);
    EXPECT_EQ(s.intervalMs, 60000);
    EXPECT_EQ(s.start, std::optional<QTime>(QTime(9, 30)));
    EXPECT_FALSE(s.end);
    EXPECT_FALSE(Child<TimeMaskEdit>(w, "MaskEditTimeK").toolTip().isEmpty());
    EXPECT_TRUE(Child<TimeMaskEdit>(w, "MaskEditTimeN").toolTip().isEmpty());
    // Every change is told, with the settings it makes.
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.count(), 6 + 6);
}

}  // namespace
}  // namespace lmr
