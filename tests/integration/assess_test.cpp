#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "Child.h"
#include "SimProgram.h"
#include "SpreadsheetReadBack.h"
#include "export/AssessmentSheet.h"
#include "measure/NumberText.h"

namespace lmr::test {
namespace {

// Six records of a hot workplace, five minutes apart with a gap of 45 minutes before the fifth.
QString WriteLoggerFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath("logger.txt");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    QTextStream out(&f);
    const int times[][2] = {{10, 0}, {10, 5}, {10, 10}, {10, 15}, {11, 0}, {11, 5}};
    int i = 0;
    for (const auto& t : times) {
        const sim::LoggerRecord r =
            sim::MakeRecord(550, 310 + 2 * i++, 360, uint8_t(t[0]), uint8_t(t[1]));
        for (uint8_t b : r.bytes) out << int(b) << ' ';
        out << '\n';
    }
    return path;
}

// The sheet's value as the window's text: the same number, or the same text.
void ExpectSameValue(const QString& sheet, const QString& window, const QString& label) {
    const auto a = ParseDecimal(sheet);
    const auto b = ParseDecimal(window);
    if (b) {
        ASSERT_TRUE(a.has_value()) << label.toStdString() << ": " << sheet.toStdString();
        EXPECT_NEAR(*a, *b, 1e-9) << label.toStdString();
    } else {
        EXPECT_EQ(sheet, window) << label.toStdString();
    }
}

// The sheet "Оценка" holds the place of measurement, then what the window's table shows.
void ExpectSheetAsWindow(const QString& file, const QString& outDir, const TFAssess& a,
                         AssessSourceKind kind) {
    const std::vector<AssessLine> lines = AssessmentSheetOf(a.Judged(kind), a.Place()).rows;
    const auto rows = ConvertToCsv(file, outDir, 2);
    ASSERT_EQ(rows.size(), lines.size() + 2);
    EXPECT_EQ(rows[0].value(0), "ОЦЕНКА УСЛОВИЙ ТРУДА ПО ПОКАЗАТЕЛЯМ МИКРОКЛИМАТА");
    EXPECT_EQ(rows[1].mid(0, 2).join('|'), "Показатель|Значение");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(rows[i + 2].value(0), lines[i].label) << i;
        ExpectSameValue(rows[i + 2].value(1), lines[i].value, lines[i].label);
    }
    // The window's table is the same list after the place of measurement.
    ASSERT_EQ(a.TableResults->rowCount(), int(lines.size()) - kPlaceFieldCount);
    for (int r = 0; r < a.TableResults->rowCount(); ++r) {
        const AssessLine& l = lines[std::size_t(r + kPlaceFieldCount)];
        EXPECT_EQ(a.TableResults->item(r, 0)->text(), l.label);
        EXPECT_EQ(a.TableResults->item(r, 1)->text(), l.value) << l.label.toStdString();
    }
}

// The first sheet's XML without what only printing adds.
QByteArray WithoutPrintSetup(QByteArray xml) {
    for (const char* p :
         {"<sheetPr>.*</sheetPr>", "<pageSetup[^>]*/>", "<headerFooter>.*</headerFooter>"}) {
        xml = QString::fromUtf8(xml).remove(QRegularExpression(p)).toUtf8();
    }
    return xml;
}

TEST(Assessment, WindowAndProtocolSheetShowTheSameFiguresForLiveAndLoggerReadings) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    sim::Options o;
    o.walk = true;
    std::string error;
    ASSERT_TRUE(sim::LoadLoggerFile(WriteLoggerFile(dir).toStdString(), o.logger, &error)) << error;
    SimProgram p(o);
    TFMain& m = p.main();
    TFAssess& a = p.program().FAssess();
    QStringList opened;
    m.ExportSettings.documentsDir = dir.filePath("docs");
    m.ExportSettings.open = [&](const QString& path) {
        opened << path;
        return true;
    };
    std::vector<ExportMessage> messages;
    m.ShowMessage = [&](const ExportMessage& e) { messages.push_back(e); };
    ASSERT_TRUE(p.Identify());

    Child<QAction>(m, "N10").trigger();
    EXPECT_TRUE(a.isVisible());
    a.EditPlace[0]->setText("Литейный цех № 2");
    a.EditPlace[1]->setText("007123");  // a number of the place's own, zeros and all

    SCOPED_TRACE("live readings");
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    for (int i = 0; i < 10; ++i) {
        SimProgram::Finish(m, &TFMain::TakeReading);
        p.clock().advanceSeconds(3);
    }
    a.TimerRefreshTimer();
    EXPECT_EQ(a.Current().count, 10);
    EXPECT_EQ(a.Current().spanSeconds, 27);
    double lowest = 1e9, highest = -1e9;
    for (int i = 0; i < m.Live().Count(); ++i) {
        lowest = std::min(lowest, *LiveValue(m.Live().At(i), Quantity::Ths));
        highest = std::max(highest, *LiveValue(m.Live().At(i), Quantity::Ths));
    }
    EXPECT_EQ(a.TableFigures->item(2, 1)->text(), TenthText(lowest));
    EXPECT_EQ(a.TableFigures->item(2, 2)->text(), TenthText(highest));

    const bool unzip = !QStandardPaths::findExecutable("unzip").isEmpty();
    const bool soffice = !QStandardPaths::findExecutable("soffice").isEmpty();
    Child<QAction>(m, "N1").trigger();
    ASSERT_TRUE(messages.empty()) << messages[0].text.toStdString();
    ASSERT_EQ(opened.size(), 1);
    if (unzip) {
        const QByteArray sheet1 = Unzip(opened[0], "xl/worksheets/sheet1.xml");
        for (const QString sheet : {"sheet1", "sheet2"}) {
            const QString xml = Unzip(opened[0], "xl/worksheets/" + sheet + ".xml");
            EXPECT_TRUE(xml.contains("orientation=\"landscape\"")) << sheet.toStdString();
            EXPECT_TRUE(xml.contains("fitToPage=\"1\"")) << sheet.toStdString();
            EXPECT_TRUE(xml.contains("fitToHeight=\"0\"")) << sheet.toStdString();
            EXPECT_TRUE(xml.contains("&amp;CДата измерений: 07.04.2009")) << sheet.toStdString();
        }
        const QString book = Unzip(opened[0], "xl/workbook.xml");
        EXPECT_TRUE(book.contains("name=\"Оценка\"")) << book.toStdString();
        EXPECT_EQ(book.count("_xlnm.Print_Titles"), 2) << book.toStdString();
        EXPECT_TRUE(QString(Unzip(opened[0], "xl/sharedStrings.xml")).contains(">007123<"));

        // Without the assessment window the first sheet's cells and formats are the same.
        m.SetAssessWindow(nullptr);
        Child<QAction>(m, "N1").trigger();
        m.SetAssessWindow(&a);
        ASSERT_EQ(opened.size(), 2);
        EXPECT_EQ(WithoutPrintSetup(sheet1),
                  WithoutPrintSetup(Unzip(opened[1], "xl/worksheets/sheet1.xml")));
        EXPECT_FALSE(Unzip(opened[1], "xl/workbook.xml").contains("Оценка"));
    }
    if (soffice) ExpectSheetAsWindow(opened[0], dir.filePath("live"), a, AssessSourceKind::Live);

    SCOPED_TRACE("logger records");
    SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    a.ComboBoxSource->setCurrentIndex(1);
    EXPECT_EQ(a.Current().count, 6);
    EXPECT_EQ(a.Current().spanSeconds, 65 * 60);
    EXPECT_TRUE(a.Current().conditionsClass.has_value());
    EXPECT_EQ(a.Current().decidingFactor, Factor::Ths);
    // The period picked: from the third record on.
    a.CheckBoxPeriod->setChecked(true);
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(10, 10), Qt::UTC));
    EXPECT_EQ(a.Current().count, 4);
    EXPECT_EQ(a.Current().spanSeconds, 55 * 60);
    // The WBGT work level follows the category until the user picks one; so does the period of
    // the year the readings' month suggests.
    a.ComboBoxCategory->setCurrentIndex(4);
    EXPECT_EQ(a.Inputs().metabolicWatts, 415);
    a.ComboBoxWorkLevel->setCurrentIndex(2);
    a.ComboBoxCategory->setCurrentIndex(0);
    EXPECT_EQ(a.Inputs().metabolicWatts, 300);
    EXPECT_EQ(a.Inputs().season, Season::Cold);
    a.ComboBoxSeason->setCurrentIndex(1);
    a.Recompute();
    EXPECT_EQ(a.Inputs().season, Season::Warm);
    // The air speed typed in: a slip is said and left out, a figure is classed.
    a.EditAirSpeed->setText("0.7x");
    EXPECT_FALSE(a.Inputs().airSpeed.has_value());
    EXPECT_TRUE(a.LabelAirSpeedNote->text().contains("0.7x"));
    a.EditAirSpeed->setText("0,7");
    EXPECT_EQ(a.Current().Of(Factor::AirSpeed).conditionsClass, ConditionsClass::C31);
    // A period that ends before it starts is refused, and said to be.
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(a.Current().count, 0);
    EXPECT_TRUE(a.LabelClass->text().contains("раньше начала"))
        << a.LabelClass->text().toStdString();
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(10, 10), Qt::UTC));
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    Child<QAction>(m, "N1").trigger();
    ASSERT_TRUE(messages.empty()) << messages[0].text.toStdString();
    // With LMR_SCREENSHOT_DIR set the workbooks are kept there for a look in the spreadsheet.
    const QString keep = qEnvironmentVariable("LMR_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
        QFile::copy(opened[0], QDir(keep).filePath("assessment-live.xlsx"));
        QFile::copy(opened.back(), QDir(keep).filePath("assessment-logger.xlsx"));
    }
    if (soffice) {
        ExpectSheetAsWindow(opened.back(), dir.filePath("logger"), a, AssessSourceKind::Logger);
    } else {
        GTEST_SKIP() << "soffice (LibreOffice) is not installed; the sheet's read-back is skipped";
    }
}

// Rooms the meter reads steadily: the class of the live readings and of a download, in the window
// and on the sheet, with the factor that set it. The period of the year is the default the
// readings' April gives (cold); category Iа.
TEST(Assessment, EveryKindOfRoomGetsItsClassLiveAndDownloaded) {
    using C = ConditionsClass;
    const struct {
        const char* room;
        uint16_t rh, air, globe;  // tenths
        C expected;               // for the hot shop: at least this
        Factor deciding;
        const char* fill;  // the class row's fill on the sheet
    } rows[] = {
        {"ordinary room", 440, 234, 269, C::C1, Factor::AirTemperature, "FF00FF00"},
        {"permissible band", 500, 208, 210, C::C2, Factor::AirTemperature, "FF99CC00"},
        {"hot shop", 550, 310, 360, C::C31, Factor::Ths, ""},
        {"cold room", 500, 150, 150, C::C33, Factor::AirTemperature, "FFFF9900"},
        // Humid air gives no class of its own, and its index below the range gives none either.
        {"humid room", 850, 220, 225, C::C1, Factor::AirTemperature, "FF00FF00"},
    };
    const bool unzip = !QStandardPaths::findExecutable("unzip").isEmpty();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.room);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        sim::Options o;
        o.rh = row.rh;
        o.air = row.air;
        o.globe = row.globe;
        o.logger.clear();
        for (uint8_t minute = 0; minute < 30; minute += 5) {
            o.logger.push_back(sim::MakeRecord(row.rh, row.air, row.globe, 10, minute));
        }
        SimProgram p(o);
        TFMain& m = p.main();
        TFAssess& a = p.program().FAssess();
        QStringList opened;
        m.ExportSettings.documentsDir = dir.filePath("docs");
        m.ExportSettings.open = [&](const QString& path) {
            opened << path;
            return true;
        };
        std::vector<ExportMessage> messages;
        m.ShowMessage = [&](const ExportMessage& e) { messages.push_back(e); };
        ASSERT_TRUE(p.Identify());
        Child<QAction>(m, "N10").trigger();
        for (int i = 0; i < 5; ++i) {
            SimProgram::Finish(m, &TFMain::TakeReading);
            p.clock().advanceSeconds(3);
        }
        SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
        for (const AssessSourceKind kind : {AssessSourceKind::Live, AssessSourceKind::Logger}) {
            const bool logger = kind == AssessSourceKind::Logger;
            SCOPED_TRACE(logger ? "download" : "live");
            a.ComboBoxSource->setCurrentIndex(logger ? 1 : 0);
            a.TimerRefreshTimer();
            const Assessment& got = a.Current();
            ASSERT_EQ(got.count, logger ? 6 : 5);
            EXPECT_EQ(a.Inputs().season, Season::Cold);
            ASSERT_TRUE(got.conditionsClass.has_value());
            if (row.deciding == Factor::Ths && row.expected == C::C31) {
                EXPECT_GE(*got.conditionsClass, row.expected);
            } else {
                EXPECT_EQ(*got.conditionsClass, row.expected);
            }
            EXPECT_EQ(got.decidingFactor, row.deciding);
            EXPECT_EQ(a.LabelClass->text(), VerdictText(got));
            EXPECT_TRUE(a.LabelFactor->text().endsWith(FactorName(row.deciding)));
            EXPECT_FALSE(a.LabelClass->text().startsWith(QStringLiteral("Не определяется")));

            Child<QTabWidget>(m, "PageControl").setCurrentIndex(logger ? 1 : 0);
            Child<QAction>(m, "N1").trigger();
            ASSERT_TRUE(messages.empty()) << messages[0].text.toStdString();
            if (unzip) {
                const QString strings = Unzip(opened.back(), "xl/sharedStrings.xml");
                EXPECT_TRUE(strings.contains(VerdictText(got))) << strings.toStdString();
                EXPECT_TRUE(strings.contains(FactorName(row.deciding)));
                const QString styles = Unzip(opened.back(), "xl/styles.xml");
                EXPECT_TRUE(styles.contains(row.fill)) << styles.toStdString();
                // The class of the whole in a larger, bold face.
                EXPECT_TRUE(styles.contains("<sz val=\"14\"/>")) << styles.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace lmr::test
