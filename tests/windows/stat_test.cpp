#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <map>

#include "Child.h"
#include "ShownText.h"
#include "windows/FormStat.h"
#include "windows/StatisticsSource.h"

using lmr::test::Child;

namespace lmr {
namespace {

class FakeSource : public StatisticsSource {
public:
    std::vector<double> Values(int item) const override {
        const auto it = values.find(item);
        return it == values.end() ? std::vector<double>{} : it->second;
    }
    std::map<int, std::vector<double>> values;
};

std::vector<int> Bars(const TFStat& w) {
    std::vector<int> v;
    for (int k = 0; k < Child<QBarSet>(w, "BarSetStat").count(); ++k)
        v.push_back(int(Child<QBarSet>(w, "BarSetStat").at(k)));
    return v;
}

TEST(StatWindow, StartsHiddenWithNoItemAndEmptyChartOnFirstShow) {
    FakeSource src;
    src.values[0] = {20.0};
    TFStat w;
    w.SetSource(&src);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(w.size(), QSize(603, 456));
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").count(), 3);
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").itemText(0),
              QStringLiteral("Температура tв, *С"));
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").itemText(1), QStringLiteral("Влажность RH, %"));
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").itemText(2),
              QStringLiteral("Температура tсф, *С"));
    EXPECT_TRUE(Child<QComboBox>(w, "ComboBoxStat").isEditable());
    EXPECT_EQ(Child<QPushButton>(w, "ButtonStatReload").text(), QStringLiteral("Обновить"));
    EXPECT_EQ(Child<QPushButton>(w, "ButtonClose").text(), QStringLiteral("Закрыть"));
    w.show();
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").currentIndex(), -1);
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").count(), 0);
    EXPECT_TRUE(Child<QLabel>(w, "StaticTextMin").text().isEmpty());
    EXPECT_TRUE(Child<QLabel>(w, "StaticTextMax").text().isEmpty());
}

TEST(StatWindow, NoReadingsGiveTenZeroBarsAndZeroTexts) {
    FakeSource src;
    TFStat w;
    w.SetSource(&src);
    w.show();
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(0);
    EXPECT_EQ(Bars(w), std::vector<int>(10, 0));
    EXPECT_EQ(Child<QBarCategoryAxis>(w, "AxisClasses").categories(),
              QStringList({"5", "10", "15", "20", "25", "30", "35", "40", "45", "50"}));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMin").text(), QStringLiteral("0"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMax").text(), QStringLiteral("0"));
    EXPECT_EQ(w.MarkTexts(), QStringList(10, QStringLiteral("0 %")));

    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(1);
    EXPECT_EQ(Child<QBarCategoryAxis>(w, "AxisClasses").categories().front(), QStringLiteral("10"));
    EXPECT_EQ(Child<QBarCategoryAxis>(w, "AxisClasses").categories().back(), QStringLiteral("100"));
}

TEST(StatWindow, CountsClassesAndShowsPercentMarks) {
    FakeSource src;
    src.values[0] = {4.9, 5.0, 49.9, 50.0, -0.1};
    src.values[1] = {100.0, 95.5};
    TFStat w;
    w.SetSource(&src);
    w.show();
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(0);
    std::vector<int> expected(10, 0);
    expected[0] = expected[1] = expected[9] = 1;
    EXPECT_EQ(Bars(w), expected);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMin").text(), test::ShownNumber("-0.1"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMax").text(), QStringLiteral("50"));
    EXPECT_EQ(w.MarkTexts()[0], test::ShownNumber("33.33 %"));
    EXPECT_EQ(w.MarkTexts()[2], QStringLiteral("0 %"));
    EXPECT_TRUE(Child<QChartView>(w, "ChartStat")
                    .accessibleDescription()
                    .startsWith(QStringLiteral("5: 1, ") + test::ShownNumber("33.33 %")));

    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(1);
    expected.assign(10, 0);
    expected[9] = 1;
    EXPECT_EQ(Bars(w), expected);
    EXPECT_EQ(w.MarkTexts()[9], QStringLiteral("100 %"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMax").text(), QStringLiteral("100"));
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMin").text(), test::ShownNumber("95.5"));
}

TEST(StatWindow, NewReadingsWaitForRefreshShowOrItemChange) {
    FakeSource src;
    src.values[2] = {25.0};
    TFStat w;
    w.SetSource(&src);
    w.show();
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(2);
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").at(2), 1);

    src.values[2].push_back(26.0);
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").at(2), 1);
    QTest::mouseClick(&Child<QPushButton>(w, "ButtonStatReload"), Qt::LeftButton);
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").at(2), 2);

    src.values[2].push_back(27.0);
    w.hide();
    w.show();
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").at(2), 3);
    EXPECT_EQ(Child<QComboBox>(w, "ComboBoxStat").currentIndex(), 2);  // kept while hidden

    src.values[2].push_back(28.0);
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(0);
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(2);
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").at(2), 4);
}

TEST(StatWindow, TextNamingNoItemEmptiesChartButKeepsTexts) {
    FakeSource src;
    src.values[0] = {12.5};
    TFStat w;
    w.SetSource(&src);
    w.show();
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(0);
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMax").text(), test::ShownNumber("12.5"));
    Child<QComboBox>(w, "ComboBoxStat").setEditText(QStringLiteral("Темп"));
    EXPECT_EQ(Child<QBarSet>(w, "BarSetStat").count(), 0);
    EXPECT_TRUE(w.MarkTexts().isEmpty());
    EXPECT_EQ(Child<QLabel>(w, "StaticTextMax").text(), test::ShownNumber("12.5"));
}

TEST(StatWindow, CloseHidesAndDuctGroupIsOutOfViewWithRadioButtonsSwitchingEdits) {
    TFStat w;
    w.show();
    QTest::mouseClick(&Child<QPushButton>(w, "ButtonClose"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());

    EXPECT_GE(Child<QGroupBox>(w, "GroupBoxRashod").y(), w.height());
    EXPECT_TRUE(Child<QRadioButton>(w, "RadioButtonXY").isChecked());
    EXPECT_TRUE(Child<QLineEdit>(w, "EditX").isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(w, "EditY").isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditD").isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditS").isEnabled());
    for (QLineEdit* e : {&Child<QLineEdit>(w, "EditX"), &Child<QLineEdit>(w, "EditY"),
                         &Child<QLineEdit>(w, "EditD"), &Child<QLineEdit>(w, "EditS")})
        EXPECT_EQ(e->text(), "1");
    EXPECT_TRUE(Child<QLabel>(w, "StaticTextP").text().isEmpty());

    Child<QRadioButton>(w, "RadioButtonD").click();
    EXPECT_TRUE(Child<QRadioButton>(w, "RadioButtonD").isChecked());
    EXPECT_FALSE(Child<QRadioButton>(w, "RadioButtonXY").isChecked());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditX").isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditY").isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(w, "EditD").isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditS").isEnabled());

    Child<QRadioButton>(w, "RadioButtonS").click();
    EXPECT_FALSE(Child<QLineEdit>(w, "EditD").isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(w, "EditS").isEnabled());

    Child<QRadioButton>(w, "RadioButtonXY").click();
    EXPECT_TRUE(Child<QLineEdit>(w, "EditX").isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(w, "EditY").isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(w, "EditS").isEnabled());
    EXPECT_TRUE(Child<QLabel>(w, "StaticTextP").text().isEmpty());
}

}  // namespace
}  // namespace lmr
