// What a new user may type or paste into the program's edits: empty, letters,
// out of range, both decimal marks, a 5000-character paste. Each gives a clear
// sign or a safe value; nothing crashes and nothing sticks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "Child.h"
#include "ShownText.h"
#include "app/AlarmTone.h"
#include "app/FormHelp.h"
#include "app/LivePage.h"
#include "app/MainTexts.h"
#include "app/Program.h"
#include "measure/Clock.h"
#include "survey/SurveyLimits.h"
#include "windows/TimeMaskEdit.h"

using lmr::test::Child;

namespace lmr {
namespace {

const QString kLongDigits(5000, QLatin1Char('9'));
const QString kLongLetters(5000, QLatin1Char('x'));

void Paste(QLineEdit* edit, const QString& text) {
    edit->clear();
    QApplication::clipboard()->setText(text);
    edit->paste();
}

class BadInputTest : public ::testing::Test {
protected:
    BadInputTest() : clock_(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45))) {
        setAppClock(&clock_);
    }
    ~BadInputTest() override { setAppClock(nullptr); }
    TestClock clock_;
    RecordingTone tone_;
};

TEST_F(BadInputTest, LimitEditsMarkWhatIsNotANumberAsItIsTyped) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}, &tone_});
    TFOptions& o = p.FOptions();
    struct Case {
        QString text;
        bool valid;
    };
    const Case cases[] = {{"", false},       {"abc", false},        {"25,5", true},
                          {"25.5", true},    {"-99999999", true},   {"2 5", false},
                          {"25,5,1", false}, {kLongLetters, false}, {kLongDigits, false},
                          {"-", false},      {" 30 ", true}};
    for (QLineEdit* e : {&Child<QLineEdit>(o, "EditTmin"), &Child<QLineEdit>(o, "EditTmax"),
                         &Child<QLineEdit>(o, "EditRHmin"), &Child<QLineEdit>(o, "EditRHmax"),
                         &Child<QLineEdit>(o, "EditVmin"), &Child<QLineEdit>(o, "EditVmax")}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(e->objectName().toStdString() + " '" + c.text.left(12).toStdString() +
                         "'");
            Paste(e, c.text);
            EXPECT_EQ(e->toolTip().isEmpty(), c.valid);
            EXPECT_EQ(e->accessibleDescription().isEmpty(), c.valid);
        }
    }
}

TEST_F(BadInputTest, ReadingsGoOnWithWhateverTheLimitsHold) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}, &tone_});
    TFMain& m = p.FMain();
    TFOptions& o = p.FOptions();
    Child<QCheckBox>(o, "CheckBoxT").setChecked(true);
    Child<QCheckBox>(o, "CheckBoxRH").setChecked(true);
    Child<QCheckBox>(o, "CheckBoxV").setChecked(true);
    Child<QCheckBox>(o, "CheckBoxBeep").setChecked(true);

    // Both decimal marks make a limit; a 5000-digit number is none and raises nothing.
    Paste(&Child<QLineEdit>(o, "EditTmax"), "25,5");
    Paste(&Child<QLineEdit>(o, "EditTmin"), "-5");
    Paste(&Child<QLineEdit>(o, "EditRHmax"), kLongDigits);
    Paste(&Child<QLineEdit>(o, "EditRHmin"), "");
    Paste(&Child<QLineEdit>(o, "EditVmax"), kLongLetters);
    Paste(&Child<QLineEdit>(o, "EditVmin"), "abc");
    m.PublishReading(50.0f, 25.5f, 30.0f);
    ASSERT_EQ(tone_.played.size(), 1u) << "only tв at its maximum sounds";
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(GridColumnOf(Quantity::Tv), 1),
              test::ShownNumber("25.5"));

    Paste(&Child<QLineEdit>(o, "EditTmax"), "25.5");
    m.PublishReading(50.0f, 25.4f, 30.0f);
    EXPECT_EQ(tone_.played.size(), 1u);
    m.PublishReading(50.0f, 25.5f, 30.0f);
    EXPECT_EQ(tone_.played.size(), 2u);
    EXPECT_FALSE(Child<QLineEdit>(o, "EditVmax").toolTip().isEmpty())
        << "still marked after the reading";
    EXPECT_TRUE(Child<QLineEdit>(o, "EditTmax").toolTip().isEmpty());

    // The digits at their level are seen too, and a screen reader hears the level.
    EXPECT_TRUE(Child<QLabel>(m, "Label21").autoFillBackground());
    EXPECT_TRUE(Child<QLabel>(m, "Label21").toolTip().contains(QStringLiteral("25")));
    EXPECT_TRUE(Child<QLabel>(m, "Label21")
                    .accessibleDescription()
                    .startsWith(QString::fromUtf8(RowOf(Quantity::Tv).captionText)));
    EXPECT_GT(Child<QLabel>(m, "Label21").accessibleDescription().size(),
              Child<QLabel>(m, "Label15").text().size());
    EXPECT_FALSE(Child<QLabel>(m, "Label23").autoFillBackground()) << "RH has no usable level";
    Paste(&Child<QLineEdit>(o, "EditTmax"), "30");
    m.PublishReading(50.0f, 25.5f, 30.0f);
    EXPECT_FALSE(Child<QLabel>(m, "Label21").autoFillBackground());
    EXPECT_TRUE(Child<QLabel>(m, "Label21").toolTip().isEmpty());
    EXPECT_EQ(Child<QLabel>(m, "Label21").accessibleDescription(),
              QString::fromUtf8(RowOf(Quantity::Tv).captionText));
}

TEST_F(BadInputTest, TimeMasksTakeOnlyDigitsAndMarkTimesThatDoNotExist) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}, &tone_});
    TFOptions& o = p.FOptions();
    for (TimeMaskEdit* e :
         {&Child<TimeMaskEdit>(o, "MaskEditTimeN"), &Child<TimeMaskEdit>(o, "MaskEditTimeK")}) {
        SCOPED_TRACE(e->objectName().toStdString());
        Paste(e, kLongDigits);
        EXPECT_LE(e->TimeText().size(), 5);
        EXPECT_FALSE(e->toolTip().isEmpty()) << "99:99 is no time";
        Paste(e, kLongLetters);
        EXPECT_EQ(e->TimeText().trimmed(), QStringLiteral(":"));
        EXPECT_TRUE(e->toolTip().isEmpty()) << "an empty time is no error";
        Paste(e, "25:61");
        EXPECT_FALSE(e->toolTip().isEmpty());
        Paste(e, "12:30");
        EXPECT_EQ(e->TimeText(), QStringLiteral("12:30"));
        EXPECT_TRUE(e->toolTip().isEmpty());
    }
    // Timed mode with an impossible start never starts and never hangs the tick.
    Child<QCheckBox>(o, "CheckBoxTimer").setChecked(true);
    Paste(&Child<TimeMaskEdit>(o, "MaskEditTimeN"), "99:99");
    p.FMain().TimerPeriodTimer();
    EXPECT_FALSE(Child<TimeMaskEdit>(o, "MaskEditTimeN").toolTip().isEmpty());
}

TEST_F(BadInputTest, ClockSpinEditsStayInTheirRanges) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}, &tone_});
    TFMain& m = p.FMain();
    m.show();
    for (QSpinBox* s : {&Child<QSpinBox>(m, "CSpinEditChas"), &Child<QSpinBox>(m, "CSpinEditMin"),
                        &Child<QSpinBox>(m, "CSpinEditDen"), &Child<QSpinBox>(m, "CSpinEditMes"),
                        &Child<QSpinBox>(m, "CSpinEditGod")}) {
        SCOPED_TRACE(s->objectName().toStdString());
        const int before = s->value();
        for (const QString& typed :
             {QStringLiteral("abc"), QStringLiteral("25,5"), QStringLiteral("25.5"),
              QStringLiteral("-1"), QStringLiteral("99999"), kLongDigits.left(200)}) {
            s->setFocus();
            s->selectAll();
            QTest::keyClicks(s, typed);
            QTest::keyClick(s, Qt::Key_Return);
            s->clearFocus();
            EXPECT_GE(s->value(), s->minimum());
            EXPECT_LE(s->value(), s->maximum());
            EXPECT_LE(s->text().size(), 4);
        }
        // Emptied and left: the last value stays.
        s->setValue(before);
        s->setFocus();
        s->selectAll();
        QTest::keyClick(s, Qt::Key_Delete);
        s->clearFocus();
        EXPECT_EQ(s->value(), before);
    }
    // Setting the clock before the meter is found says so and sends nothing.
    m.ButtonSaveClick();
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8(kNotFound));
}

TEST_F(BadInputTest, LongPastesIntoFreeTextFieldsAndButtonsWithNothingToShow) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}, &tone_});
    TFStat& s = p.FStat();
    s.show();
    for (QLineEdit* e : {&Child<QLineEdit>(s, "EditX"), &Child<QLineEdit>(s, "EditY"),
                         &Child<QLineEdit>(s, "EditD"), &Child<QLineEdit>(s, "EditS")}) {
        Paste(e, kLongLetters);
        EXPECT_EQ(e->text().size(), 5000);
    }
    for (QRadioButton* r : s.findChildren<QRadioButton*>()) {
        r->click();
    }
    TFHelp& h = p.FHelp();
    const int lines = Child<QPlainTextEdit>(h, "MemoHelp").blockCount();
    Child<QPlainTextEdit>(h, "MemoHelp").moveCursor(QTextCursor::End);
    Child<QPlainTextEdit>(h, "MemoHelp").insertPlainText(kLongLetters);
    EXPECT_EQ(Child<QPlainTextEdit>(h, "MemoHelp").blockCount(), lines);
    // No survey field takes more than the survey file holds: a longer text would make the file
    // one the program refuses as damaged.
    for (QLineEdit* e : p.FSurvey().findChildren<QLineEdit*>()) {
        if (!e->objectName().startsWith(QLatin1String("Edit"))) continue;
        Paste(e, kLongLetters);
        EXPECT_LE(e->text().size(), e->objectName() == QLatin1String("EditPurpose")
                                        ? kSurveyPurposeLimit
                                        : kSurveyTextLimit)
            << e->objectName().toStdString();
    }

    // Nothing read, nothing measured: copying, statistics and refusals still work.
    TFMain& m = p.FMain();
    m.Button1Click();
    EXPECT_FALSE(QApplication::clipboard()->text().isEmpty());
    s.RefreshStatistics();
    m.ButtonReadMemoClick();
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8(kNotFound));
    m.ButtonZagruzitClick();
    EXPECT_EQ(m.PanelText(3), QString::fromUtf8(kNotFound));
}

}  // namespace
}  // namespace lmr
