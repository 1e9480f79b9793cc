#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "SpreadsheetReadBack.h"
#include "protocol/ProtocolContent.h"
#include "protocol/ProtocolPdf.h"
#include "protocol/ProtocolWorkbook.h"
#include "survey/SurveyLimits.h"

namespace lmr {
namespace {

// A reading with its derived figures given by hand, a minute after the one before.
Reading At(int minute, float tv, float rh, float tsf, float ths, float wbgt) {
    Reading r;
    r.when = QDateTime(QDate(2026, 3, 12), QTime(10, minute));
    r.tv = tv;
    r.rh = rh;
    r.tsf = tsf;
    r.derived.ths = ths;
    r.derived.wbgt = wbgt;
    return r;
}

SurveyHeight Height(double metres, std::optional<double> speed, std::vector<Reading> readings) {
    SurveyHeight h;
    h.metres = metres;
    h.airSpeed = speed;
    if (!readings.empty()) h.measurements.push_back({0, ReadingOrigin::Live, {}, readings});
    return h;
}

// Two workplaces: an office in class 2 (its upper height is warmer than optimal) and a foundry
// in class 3.4 (heating, by the ТНС-индекс), whose lower height was not measured.
Survey SmallSurvey() {
    Survey s;
    s.header.organisation = "ООО «Литмаш»";
    s.header.protocolNumber = "17-М/2026";
    s.header.protocolDate = QDate(2026, 3, 13);
    s.header.operators = "Петров П. П.";
    s.header.season = Season::Cold;
    s.header.outdoorTemperature = -4.5;
    s.instrument.model = "ЛМР-1";
    s.instrument.certificateNumber = "С-123";
    s.instrument.validUntil = QDate(2026, 3, 1);  // lapsed before the measurements

    SurveyWorkplace office;
    office.name = "Оператор ПК";
    office.category = WorkCategory::Ia;
    SurveyPoint window;
    window.name = "у окна";
    window.heights.push_back(Height(0.1, 0.1,
                                    {At(0, 21.0f, 40, 22, 18, 17), At(1, 22.0f, 45, 23, 19, 18),
                                     At(2, 23.0f, 50, 24, 20, 19)}));
    window.heights.push_back(Height(1.0, std::nullopt,
                                    {At(3, 24.6f, 30, 25, 20, 19), At(4, 24.8f, 30, 25, 20, 19),
                                     At(5, 25.0f, 30, 25, 20, 19)}));
    office.points.push_back(window);

    SurveyWorkplace foundry;
    foundry.name = "Литейщик";
    foundry.category = WorkCategory::IIb;
    foundry.posture = Posture::Standing;
    SurveyPoint furnace;
    furnace.heights.push_back(Height(0.1, std::nullopt, {}));
    furnace.heights.push_back(Height(1.5, 0.3,
                                     {At(10, 30, 40, 40, 27, 26), At(11, 31, 40, 40, 28, 27),
                                      At(12, 32, 40, 40, 29, 28)}));
    foundry.points.push_back(furnace);
    s.workplaces = {office, foundry};
    return s;
}

QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(Protocol, FiguresClassesAndTheirDecidingHeightInRussianForm) {
    const ProtocolContent c = BuildProtocol(SmallSurvey());
    ASSERT_EQ(c.results.size(), 4u);
    const ProtocolResultGroup& low = c.results[0];
    EXPECT_EQ(low.title, "Рабочее место 1 «Оператор ПК», точка «у окна», высота 0,1 м");
    EXPECT_EQ(low.count, 3);
    // Even steps: the mean by time is the plain mean.
    EXPECT_EQ(low.rows[0].measured, "22,0 (21,0–23,0)");
    EXPECT_EQ(low.rows[0].permissible, "20,0–25,0");
    EXPECT_EQ(low.rows[0].verdict, "1 (оптимальный)");
    EXPECT_EQ(low.rows[1].measured, "45,0 (40,0–50,0)");
    EXPECT_EQ(low.rows[2].measured, "0,1");
    EXPECT_EQ(low.rows[2].verdict, "1 (оптимальный)");
    EXPECT_EQ(low.rows[3].measured, "23,0 (22,0–24,0)");  // the globe
    EXPECT_EQ(low.rows[4].measured, "19,0 (18,0–20,0)");
    EXPECT_EQ(low.rows[5].measured, "18,0 (17,0–19,0)");

    const ProtocolResultGroup& high = c.results[1];
    EXPECT_EQ(high.rows[0].measured, "24,8 (24,6–25,0)");
    EXPECT_EQ(high.rows[0].verdict, "2 (допустимый)");
    EXPECT_EQ(high.rows[2].measured, "не измерена");

    EXPECT_EQ(c.results[2].count, 0);
    EXPECT_EQ(c.results[2].rows[0].measured, "нет измерений");
    EXPECT_EQ(c.results[3].title, "Рабочее место 2 «Литейщик», точка 1, высота 1,5 м");
    EXPECT_EQ(c.results[3].rows[4].measured, "28,0 (27,0–29,0)");
    EXPECT_EQ(c.results[3].rows[4].verdict, "3.4 (вредный)");

    ASSERT_EQ(c.classes.size(), 2u);
    EXPECT_EQ(c.classes[0].conditionsClass, "2 (допустимый)");
    EXPECT_EQ(c.classes[0].decidedBy, "Температура воздуха, точка «у окна», высота 1,0 м");
    // The height without readings neither sets nor withholds the class.
    EXPECT_EQ(c.classes[1].conditionsClass, "3.4 (вредный)");
    EXPECT_EQ(c.classes[1].decidedBy, "ТНС-индекс, точка 1, высота 1,5 м");
    EXPECT_EQ(c.conclusion.back(),
              "Параметры микроклимата соответствуют допустимым (оптимальным) нормам на 1 из 2 "
              "рабочих мест, по которым определён класс условий труда.");
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_TRUE(c.warnings[0].contains("01.03.2026")) << c.warnings[0].toStdString();
    EXPECT_EQ(c.header[4].value, "12.03.2026");  // the dates of the readings, none typed
    EXPECT_EQ(c.conditions[1].value, "-4,5");
    ASSERT_EQ(c.charts.size(), 2u);
    EXPECT_EQ(c.charts[1].series.size(), 2u);  // only the height measured
}

TEST(Protocol, AHeightTheIndexCannotClassLeavesItsWorkplaceWithoutAClass) {
    Survey s = SmallSurvey();
    // Radiant heat above the index's range at the foundry's measured height: its class 3.4 could
    // understate the danger, so the workplace gets none.
    for (Reading& r : s.workplaces[1].points[0].heights[1].measurements[0].readings) {
        r.derived.w = 1300;
    }
    const ProtocolContent c = BuildProtocol(s);
    EXPECT_EQ(c.classes[1].conditionsClass, "не определяется: ТНС-индекс не применяется");
    EXPECT_EQ(c.classes[1].decidedBy, "");
    EXPECT_EQ(c.results[3].rows[4].verdict,
              "не определяется: облучённость 1300,0 Вт/м² выше 1200 Вт/м²");
    EXPECT_TRUE(c.conclusion.back().contains("на 1 из 1 рабочих мест"));
}

TEST(Protocol, PdfTextHoldsFiguresClassesAndPageNumbersOnEveryPage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(SmallSurvey()), pdf), QString());
    const QString all = Output("pdftotext", {pdf, "-"});
    for (const char* text : {"Протокол измерений параметров микроклимата", "№ 17-М/2026",
                             "ООО «Литмаш»", "22,0 (21,0–23,0)", "24,8 (24,6–25,0)",
                             "28,0 (27,0–29,0)", "3.4 (вредный)", "2 (допустимый)",
                             "Измерения провёл", "Протокол составил", "Руководитель лаборатории",
                             "Петров П. П.", "Температура, °C"}) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text;
    }
    const QStringList pages = all.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Стр. %1 из %2").arg(i + 1).arg(pages.size())))
            << i;
        EXPECT_TRUE(pages[i].contains("№ 17-М/2026")) << i;
    }
    EXPECT_TRUE(Output("pdffonts", {pdf}).contains("DejaVuSans"));
    EXPECT_TRUE(Output("pdfinfo", {pdf}).contains("(A4)"));  // A4
}

TEST(Protocol, NamesArePrintedAsTypedWithTheirPercentSigns) {
    Survey s = SmallSurvey();
    s.workplaces[0].name = "Цех %1 %2 &P &D";
    s.workplaces[0].points[0].name = "Точка %1";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(s), pdf), QString());
    const QString all = Output("pdftotext", {pdf, "-"}).simplified();
    for (const char* text : {"Цех %1 %2 &P &D", "Точка %1", "(измерений: 3)"}) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text;
    }
}

TEST(Protocol, TextsAsLongAsTheSurveyHoldsArePrintedWhole) {
    // Numbered words, so that each one missing is seen.
    const auto words = [](const char* stem, int characters) {
        QString text;
        for (int i = 1; text.size() < characters; ++i) text += QStringLiteral("%1%2. ").arg(stem).arg(i);
        return text.left(characters);
    };
    Survey s = SmallSurvey();
    s.header.purpose = words("цель", kSurveyPurposeLimit);
    s.header.address = words("адрес", kSurveyTextLimit);
    s.workplaces[0].name = words("место", kSurveyTextLimit);
    s.workplaces[0].points[0].name = words("точка", kSurveyTextLimit);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("long.pdf");
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(s), pdf), QString());
    const QString all = Output("pdftotext", {pdf, "-"});
    for (const QString& text : {s.header.purpose, s.header.address, s.workplaces[0].name,
                                s.workplaces[0].points[0].name}) {
        const QStringList parts = text.split(' ', Qt::SkipEmptyParts);
        // Whole words of it (the last may be cut by the limit).
        for (int i = 0; i + 1 < parts.size(); ++i) {
            EXPECT_TRUE(all.contains(parts[i])) << parts[i].toStdString();
            if (!all.contains(parts[i])) break;
        }
    }
}

TEST(Protocol, AChartOfEqualHugeValuesIsDrawnWithAFewTicks) {
    // A step of 0.2 is lost at 1e16: counted ticks, not a loop until the value passes the top.
    Survey s = SmallSurvey();
    for (SurveyWorkplace& w : s.workplaces) {
        for (SurveyHeight& h : w.points[0].heights) {
            for (SurveyMeasurement& m : h.measurements) {
                for (Reading& r : m.readings) r.tv = r.tsf = r.derived.ths = 1e16f;
            }
        }
    }
    QTemporaryDir dir;
    EXPECT_EQ(WriteProtocolPdf(BuildProtocol(s), dir.filePath("huge.pdf")), QString());
}

TEST(Protocol, WorkbookIsA4AndReadsBackWithItsNumbers) {
    QTemporaryDir dir;
    const QString xlsx = dir.filePath("protocol.xlsx");
    ASSERT_EQ(WriteProtocolWorkbook(BuildProtocol(SmallSurvey()), xlsx), QString());
    EXPECT_TRUE(Unzip(xlsx, "xl/worksheets/sheet1.xml").contains("paperSize=\"9\""));
    const std::vector<QStringList> rows = ConvertToCsv(xlsx, dir.path());
    bool found = false;
    for (const QStringList& r : rows) {
        if (r.size() >= 10 && r[0] == "2 «Литейщик»" && r[2] == "1.5" && r[3] == "ТНС-индекс, °C") {
            EXPECT_EQ(r[4], "28");
            EXPECT_EQ(r[5], "27");
            EXPECT_EQ(r[9], "3.4 (вредный)");
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace lmr
