#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "SpreadsheetReadBack.h"
#include "protocol/ProtocolChecks.h"
#include "protocol/ProtocolContent.h"
#include "protocol/ProtocolPages.h"
#include "protocol/ProtocolPdf.h"
#include "surveyui/ProtocolPrint.h"
#include "protocol/ProtocolWorkbook.h"
#include "protocol/ProtocolWriteError.h"
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
    EXPECT_EQ(low.rows[2].measured, "0,10");  // an anemometer's two decimals
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
    // Production control, the default: each workplace against the sanitary norms, then the count,
    // then why no uncertainty is given.
    ASSERT_EQ(c.conclusion.size(), 4u);
    EXPECT_EQ(c.conclusion[0], "Рабочее место 1 «Оператор ПК»: параметры микроклимата "
                               "соответствуют СанПиН 1.2.3685-21.");
    EXPECT_TRUE(c.conclusion[1].startsWith("Рабочее место 2 «Литейщик»: не соответствуют СанПиН "
                                           "1.2.3685-21: температура воздуха (точка 1, высота "
                                           "1,5 м)"))
        << c.conclusion[1].toStdString();
    EXPECT_TRUE(c.conclusion[1].contains("; ТНС-индекс (точка 1, высота 1,5 м)"))
        << c.conclusion[1].toStdString();
    EXPECT_EQ(c.conclusion[2], "Параметры микроклимата соответствуют СанПиН 1.2.3685-21 на 1 из 2 "
                               "рабочих мест, на которых проведены измерения.");
    EXPECT_TRUE(c.conclusion[3].startsWith("Неопределённость измерений не указана"));
    // Only the documents the rows cite, the lapsed ones never.
    for (const QString& n : c.norms) {
        EXPECT_FALSE(n.contains("3359-16") || n.contains("33н")) << n.toStdString();
    }
    // Every measured height's readings were taken after the verification lapsed.
    ASSERT_EQ(c.warnings.size(), 3u);
    EXPECT_TRUE(c.warnings[0].contains("после окончания срока поверки (01.03.2026)"))
        << c.warnings[0].toStdString();
    EXPECT_EQ(c.header[4].value, "");  // the survey's days, none typed: not the readings'
    EXPECT_EQ(c.results[0].times, "12.03.2026 10:00–10:02");
    EXPECT_EQ(c.conditions[1].value, "-4,5");
    ASSERT_EQ(c.charts.size(), 2u);
    EXPECT_EQ(c.charts[1].series.size(), 2u);  // only the height measured
}

TEST(Protocol, AboveTheIndexsIrradianceTheHeatIsClassedByIrradiance) {
    Survey s = SmallSurvey();
    s.header.kind = SurveyKind::SpecialAssessment;
    for (Reading& r : s.workplaces[1].points[0].heights[1].measurements[0].readings) {
        r.derived.w = 1300;
    }
    const ProtocolContent c = BuildProtocol(s);
    EXPECT_EQ(c.classes[1].conditionsClass, "3.1 (вредный)");
    EXPECT_EQ(c.classes[1].decidedBy, "Интенсивность теплового облучения, точка 1, высота 1,5 м");
    EXPECT_TRUE(c.results[3].rows[4].verdict.startsWith(
        "не определяется: облучённость 1300,0 Вт/м² выше 1200 Вт/м²: ТНС-индекс не применяется"));
    EXPECT_EQ(c.results[3].rows[6].verdict, "3.1 (вредный)");
    EXPECT_EQ(c.results[3].rows[6].compliance, "не соответствует: выше допустимой");
    // The special assessment's conclusion gives the classes.
    EXPECT_EQ(c.conclusion[1], "Рабочее место 2 «Литейщик»: класс условий труда 3.1 (вредный) "
                               "(определил: Интенсивность теплового облучения, точка 1, высота "
                               "1,5 м).");
    EXPECT_TRUE(c.conclusion[2].contains("на 1 из 2 рабочих мест"));
}

TEST(Protocol, TheInstrumentsLimitsGiveEachResultItsUncertaintyAndTheDecisionRule) {
    Survey s = SmallSurvey();
    s.instrument.errorAir = 0.2;
    s.instrument.errorRh = 3;
    s.instrument.errorGlobe = 0.5;
    s.instrument.errorAirSpeed = 0.05;
    s.instrument.errorAirSpeedPercent = 5;
    const ProtocolContent c = BuildProtocol(s);
    const ProtocolResultGroup& low = c.results[0];
    // 21, 22 and 23 °C: s/√n = 0,577; the limit 0,2/√3 = 0,115; U = 2·0,589 = 1,2, which
    // reaches below the optimal 22,0.
    EXPECT_EQ(low.rows[0].measured, "22,0 ± 1,2* (21,0–23,0)");
    EXPECT_EQ(low.rows[0].uncertainty, "± 1,2*");
    // 0,10 m/s: U = 2·(0,05 + 0,005)/√3 = 0,06; reaches across Iа's 0,1.
    EXPECT_EQ(low.rows[2].measured, "0,10 ± 0,06*");
    EXPECT_EQ(low.rows[6].uncertainty, "—");  // irradiance: the greatest reading
    const auto limits = std::find_if(c.instrument.begin(), c.instrument.end(), [](const auto& f) {
        return f.label == "Пределы допускаемой погрешности";
    });
    ASSERT_NE(limits, c.instrument.end());
    EXPECT_EQ(limits->value,
              "tв ± 0,2 °C; RH ± 3 %; tсф ± 0,5 °C; скорость воздуха ± (0,05 м/с + 5 %)");
    const auto rule = std::find_if(c.conclusion.begin(), c.conclusion.end(), [](const QString& l) {
        return l.startsWith("Правило принятия решения");
    });
    EXPECT_NE(rule, c.conclusion.end());
    EXPECT_TRUE(c.conclusion.back().contains("скорость движения воздуха (точка «у окна», "
                                             "высота 0,1 м)"))
        << c.conclusion.back().toStdString();
}

TEST(Protocol, PdfTextHoldsFiguresClassesAndPageNumbersOnEveryPage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(SmallSurvey()), pdf).text, QString());
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

TEST(Protocol, ReadingsOutsideTheVerificationOrTheSurveyDaysAreCounted) {
    const auto on = [](int day) {
        Reading r;
        r.when = QDateTime(QDate(2026, 3, day), QTime(12, 0));
        return r;
    };
    struct Case {
        const char* what;
        QDate first, last, certificate, validUntil;
        ReadingsOutside expected;
    };
    // Readings on the 10th, 12th and 14th of March, and one without a moment.
    const Case cases[] = {
        {"nothing given", {}, {}, {}, {}, {0, 0, 0}},
        {"all inside", {2026, 3, 10}, {2026, 3, 14}, {2026, 3, 1}, {2027, 3, 1}, {0, 0, 0}},
        {"verified on the 12th", {}, {}, {2026, 3, 12}, {}, {1, 0, 0}},
        {"lapsed after the 10th", {}, {}, {}, {2026, 3, 10}, {0, 2, 0}},
        {"one day: the first alone", {2026, 3, 12}, {}, {}, {}, {0, 0, 2}},
        {"one day: the last alone", {}, {2026, 3, 14}, {}, {}, {0, 0, 2}},
        {"two days", {2026, 3, 12}, {2026, 3, 14}, {2026, 3, 11}, {}, {1, 0, 1}},
    };
    SurveyMeasurement m;
    m.readings = {on(10), on(12), on(14), Reading{}};
    for (const Case& c : cases) {
        SurveyHeader h;
        h.firstDate = c.first;
        h.lastDate = c.last;
        SurveyInstrument i;
        i.certificateDate = c.certificate;
        i.validUntil = c.validUntil;
        const ReadingsOutside o = CheckReadings(m, h, i);
        EXPECT_EQ(o.beforeVerification, c.expected.beforeVerification) << c.what;
        EXPECT_EQ(o.afterValidity, c.expected.afterValidity) << c.what;
        EXPECT_EQ(o.outsideDays, c.expected.outsideDays) << c.what;
    }
    SurveyHeader h;
    h.firstDate = QDate(2026, 3, 12);
    SurveyInstrument i;
    i.certificateDate = QDate(2026, 3, 11);
    EXPECT_EQ(ReadingsOutsideText(CheckReadings(m, h, i), h, i),
              "1 показание снято до поверки прибора (11.03.2026); 2 показания сняты вне дней "
              "обследования (12.03.2026)");
}

// The survey of three workplaces: a point with a logger span beside a live series, a height not
// measured, a reading taken before the verification.
Survey ThreeWorkplaces() {
    Survey s = SmallSurvey();
    s.laboratory = {"Испытательная лаборатория ООО «Контроль»", "г. Пермь, ул. Мира, 1",
                    "RA.RU.21АБ01", "Сидоров С. С.", "Кузнецова К. К."};
    s.header.method = kDefaultSurveyMethod;
    s.instrument.typeName = "Измеритель параметров микроклимата ЛМР-1";
    s.instrument.registerNumber = "12345-06";
    s.instrument.ranges = "tв от -40 до 85 °C; RH от 5 до 98 %";
    s.header.firstDate = s.header.lastDate = QDate(2026, 3, 12);
    s.instrument.certificateDate = QDate(2026, 3, 10);
    s.instrument.validUntil = QDate(2027, 3, 10);
    SurveyMeasurement logger;
    logger.origin = ReadingOrigin::Download;
    for (int minute = 0; minute < 6; ++minute) {
        Reading r = At(minute, 22.5f, 42, 23, 19.5f, 18.5f);
        logger.readings.push_back(r);
    }
    logger.readings.front().when = QDateTime(QDate(2026, 3, 9), QTime(9, 0));
    s.workplaces[0].points[0].heights[0].measurements.push_back(logger);
    SurveyWorkplace store = s.workplaces[0];
    store.name = "Кладовщик";
    s.workplaces.push_back(store);
    return s;
}

TEST(Protocol, PdfAndPrintGiveTheSamePagesAndText) {
    const Survey s = ThreeWorkplaces();
    const std::vector<QString> cautions = ProtocolCautions(s);
    // The logger's early reading at two workplaces, and the height not measured.
    ASSERT_EQ(cautions.size(), 3u);
    EXPECT_EQ(cautions[0],
              "Рабочее место 1 «Оператор ПК», точка «у окна», высота 0,1 м: 1 показание снято до "
              "поверки прибора (10.03.2026); 1 показание снято вне дней обследования "
              "(12.03.2026).");
    EXPECT_EQ(cautions[1], "Рабочее место 2 «Литейщик», точка 1, высота 0,1 м: не измерялась.");

    const ProtocolContent c = BuildProtocol(s);
    // The logger's early reading gets a chart of its own: beside the others it would squeeze
    // them to the edge of a time axis of three days.
    ASSERT_EQ(c.charts.size(), 5u);
    EXPECT_EQ(c.charts[0].title, "Рабочее место 1 «Оператор ПК», точка «у окна», 09.03.2026");
    EXPECT_EQ(c.charts[1].series.size(), 6u);  // live and logger at 0.1 m, live at 1.0 m
    QTemporaryDir dir;
    const QString pdf = dir.filePath("written.pdf");
    ASSERT_EQ(WriteProtocolPdf(c, pdf).text, QString());
    const QString printed = dir.filePath("printed.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        SetProtocolPrinter(printer, c);
        PaintProtocol(printer, c);
    }
    const QString text = Output("pdftotext", {"-layout", pdf, "-"});
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(Output("pdftotext", {"-layout", printed, "-"}), text);
    EXPECT_EQ(text.count(QLatin1Char('\f')),
              Output("pdftotext", {printed, "-"}).count(QLatin1Char('\f')));
    for (const char* line :
         {"высота 0,1 м: не измерялась", "1 показание снято до поверки прибора (10.03.2026)",
          "12.03.2026 10:00–10:02; 09.03.2026 09:00–12.03.2026 10:05",
          "Протокол не может быть воспроизведён иначе как полностью",
          "Аттестат аккредитации № RA.RU.21АБ01", "Метод измерений: МУК 4.3.2756-10",
          "Измеритель параметров микроклимата ЛМР-1 (ЛМР-1)", "12345-06",
          "Протокол составил Кузнецова К. К.", "Руководитель лаборатории Сидоров С. С."}) {
        EXPECT_TRUE(text.simplified().contains(QString::fromUtf8(line))) << line;
    }
    // The signatures are signed under the statements, on one page with them.
    for (const QString& page : text.split(QLatin1Char('\f'))) {
        if (!page.contains("Руководитель лаборатории")) continue;
        EXPECT_TRUE(page.contains("Измерения провёл") && page.contains("воспроизведён"))
            << page.toStdString();
    }
    if (const QByteArray keep = qgetenv("LMR_SCREENSHOT_DIR"); !keep.isEmpty()) {
        QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath("protocol-written.pdf"));
        QFile::copy(printed, QDir(QString::fromLocal8Bit(keep)).filePath("protocol-printed.pdf"));
        (void)WriteProtocolWorkbook(c,
                                    QDir(QString::fromLocal8Bit(keep)).filePath("protocol.xlsx"));
    }
}

TEST(Protocol, NamesArePrintedAsTypedWithTheirPercentSigns) {
    Survey s = SmallSurvey();
    s.workplaces[0].name = "Цех %1 %2 &P &D";
    s.workplaces[0].points[0].name = "Точка %1";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(s), pdf).text, QString());
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
    ASSERT_EQ(WriteProtocolPdf(BuildProtocol(s), pdf).text, QString());
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
    EXPECT_EQ(WriteProtocolPdf(BuildProtocol(s), dir.filePath("huge.pdf")).text, QString());
}

TEST(Protocol, AWriteStoppedOnTheWayLeavesTheEarlierFileAndNoHalfOfTheNew) {
    // The program closing while a protocol is written: it stops at its next page.
    using Write = Outcome (*)(const ProtocolContent&, const QString&, const DataProgress&);
    for (const Write write : {Write(&WriteProtocolPdf), Write(&WriteProtocolWorkbook)}) {
        QTemporaryDir dir;
        const QString out = dir.filePath("protocol");
        QFile earlier(out);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        int asked = 0;
        const QString error = write(BuildProtocol(SmallSurvey()), out, [&](qint64, qint64) {
            return ++asked < 2 && write == Write(&WriteProtocolPdf);
        }).text;
        EXPECT_TRUE(error.endsWith(QString::fromUtf8(kProtocolStopped))) << error.toStdString();
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), "earlier");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"protocol"});
    }
}

TEST(Protocol, WorkbookIsA4AndReadsBackWithItsNumbers) {
    QTemporaryDir dir;
    const QString xlsx = dir.filePath("protocol.xlsx");
    ASSERT_EQ(WriteProtocolWorkbook(BuildProtocol(SmallSurvey()), xlsx).text, QString());
    EXPECT_TRUE(Unzip(xlsx, "xl/worksheets/sheet1.xml").contains("paperSize=\"9\""));
    const std::vector<QStringList> rows = ConvertToCsv(xlsx, dir.path());
    bool found = false;
    for (const QStringList& r : rows) {
        if (r.size() >= 13 && r[0] == "2 «Литейщик»" && r[2] == "1.5" && r[4] == "ТНС-индекс, °C") {
            EXPECT_EQ(r[3], "12.03.2026 10:10–10:12");
            EXPECT_EQ(r[5], "28.0");  // in tenths, as shown
            EXPECT_EQ(r[6], "27.0");
            EXPECT_EQ(r[8], "не указана");
            EXPECT_EQ(r[11], "не соответствует: выше допустимого");
            EXPECT_EQ(r[12], "3.4 (вредный)");
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace lmr
