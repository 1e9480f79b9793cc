#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "SimProgram.h"
#include "SpreadsheetReadBack.h"
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
    const std::vector<AssessLine> lines = a.SheetLines(kind);
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

    m.N10->trigger();
    EXPECT_TRUE(a.isVisible());
    a.EditPlace[0]->setText("Литейный цех № 2");
    a.EditPlace[1]->setText("007123");  // a number of the place's own, zeros and all

    SCOPED_TRACE("live readings");
    m.PageControl->setCurrentIndex(0);
    for (int i = 0; i < 10; ++i) {
        m.TakeReading();
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
    EXPECT_EQ(a.TableFigures->item(0, 1)->text(), TenthText(lowest));
    EXPECT_EQ(a.TableFigures->item(0, 2)->text(), TenthText(highest));

    const bool unzip = !QStandardPaths::findExecutable("unzip").isEmpty();
    const bool soffice = !QStandardPaths::findExecutable("soffice").isEmpty();
    m.N1->trigger();
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
        m.N1->trigger();
        m.SetAssessWindow(&a);
        ASSERT_EQ(opened.size(), 2);
        EXPECT_EQ(WithoutPrintSetup(sheet1),
                  WithoutPrintSetup(Unzip(opened[1], "xl/worksheets/sheet1.xml")));
        EXPECT_FALSE(Unzip(opened[1], "xl/workbook.xml").contains("Оценка"));
    }
    if (soffice) ExpectSheetAsWindow(opened[0], dir.filePath("live"), a, AssessSourceKind::Live);

    SCOPED_TRACE("logger records");
    m.ButtonZagruzitClick();
    a.ComboBoxSource->setCurrentIndex(1);
    EXPECT_EQ(a.Current().count, 6);
    EXPECT_EQ(a.Current().spanSeconds, 65 * 60);
    EXPECT_EQ(a.Current().verdict, ThsVerdict::Class);
    // The period picked: from the third record on.
    a.CheckBoxPeriod->setChecked(true);
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(10, 10), Qt::UTC));
    EXPECT_EQ(a.Current().count, 4);
    EXPECT_EQ(a.Current().spanSeconds, 55 * 60);
    // A period that ends before it starts is refused, and said to be.
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(a.Current().count, 0);
    EXPECT_TRUE(a.LabelClass->text().contains("раньше начала"))
        << a.LabelClass->text().toStdString();
    a.DateTimeEditFrom->setDateTime(QDateTime(QDate(2009, 4, 7), QTime(10, 10), Qt::UTC));
    m.PageControl->setCurrentIndex(1);
    m.N1->trigger();
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

}  // namespace
}  // namespace lmr::test
