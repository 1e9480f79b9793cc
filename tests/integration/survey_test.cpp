// A survey made in its window against the simulated meter: three workplaces measured live, from
// a download and from a data file; closed with the program and reopened at the next start.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "Child.h"
#include "SimProgram.h"
#include "SpreadsheetReadBack.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyTexts.h"

namespace lmr::test {
namespace {

const QString kOrganisation = QStringLiteral("ООО «Литейный завод № 2»");

// Typed as the keyboard types it (QTest's key clicks take Latin letters only), then left.
void Type(TFSurvey& s, QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(edit, &press);
    }
    s.WritePending();
}

// What a program prints on standard output.
QString OutputOf(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The heights of the survey's workplace w, point 0.
const SurveyPoint& PointOf(const TFSurvey& s, int w) {
    return s.Document()->Data().workplaces.at(static_cast<size_t>(w)).points.at(0);
}

// What the window shows of each workplace: its tree row and, with its first point selected, the
// figures table and the verdict.
QStringList Shown(TFSurvey& s) {
    QStringList shown;
    const auto row = [](const QTreeWidgetItem* i) { return i->text(0) + " | " + i->text(1); };
    for (int w = 0; w < s.TreeSurvey->topLevelItemCount(); ++w) {
        const QTreeWidgetItem* workplace = s.TreeSurvey->topLevelItem(w);
        shown << row(workplace);
        for (int p = 0; p < workplace->childCount(); ++p) {
            shown << row(workplace->child(p));
            for (int h = 0; h < workplace->child(p)->childCount(); ++h) {
                shown << row(workplace->child(p)->child(h));
            }
        }
        s.Select(SurveyLevel::Point, PointOf(s, w).id);
        for (int r = 0; r < s.TableFigures->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < s.TableFigures->columnCount(); ++c) {
                cells << s.TableFigures->item(r, c)->text();
            }
            shown << cells.join(" | ");
        }
        shown << s.LabelVerdict->text();
    }
    return shown;
}

TEST(SurveyWindow, ThreeWorkplacesMeasuredKeptAndReopenedAtTheNextStart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString settings = dir.filePath("lmr.ini");
    const QString path = dir.filePath("day.lmrs");
    const auto keep = [&](ProgramOptions& po) { po.settingsFile = settings; };
    sim::Options o;
    o.logger.clear();
    // A hot shop: eight records five minutes apart, the air warming.
    for (uint8_t i = 0; i < 8; ++i) {
        o.logger.push_back(sim::MakeRecord(520, static_cast<uint16_t>(290 + 4 * i),
                                           static_cast<uint16_t>(340 + 5 * i), 10,
                                           static_cast<uint8_t>(5 * i)));
    }
    const QDateTime now(QDate(2009, 4, 7), QTime(11, 0));
    QStringList shown;
    {
        SimProgram p(o, now, keep);
        ASSERT_TRUE(p.Identify());
        TFMain& m = p.main();
        TFSurvey& s = p.program().FSurvey();
        Child<QAction>(m, "MenuSurvey").trigger();
        ASSERT_TRUE(s.isVisible());
        s.NewSurvey(path);
        ASSERT_NE(s.Document(), nullptr) << s.LabelStatus->text().toStdString();
        // The identified meter fills the instrument in.
        EXPECT_EQ(s.EditModel->text(), "ВЕГ/72");
        Type(s, s.EditOrganisation, kOrganisation);
        Type(s, s.EditProtocolNumber, "17-М");
        Type(s, s.EditOperators, "Иванов И. И.");
        Type(s, s.EditSerial, "0457");
        Type(s, s.EditLabHead, "Сидоров С. С.");

        // Workplace 1, sitting: a live series at 0.1 m.
        s.ButtonAddWorkplace->click();
        Type(s, s.EditWorkplaceName, "Пульт управления");
        ASSERT_EQ(PointOf(s, 0).heights.size(), 2u);
        EXPECT_EQ(PointOf(s, 0).heights[1].metres, 1.0);
        s.Select(SurveyLevel::Height, PointOf(s, 0).heights[0].id);
        s.ButtonLive->click();
        SimProgram::Settle(m);
        ASSERT_TRUE(m.Session().TimerInterval()->isActive()) << m.PanelText(3).toStdString();
        for (int i = 0; i < 4; ++i) {
            SimProgram::Finish(m, &TFMain::TakeReading);
            p.clock().advanceSeconds(3);
        }
        s.ButtonLive->click();
        SimProgram::Settle(m);
        EXPECT_FALSE(m.Session().TimerInterval()->isActive());
        ASSERT_EQ(PointOf(s, 0).heights[0].measurements.size(), 1u);
        EXPECT_EQ(PointOf(s, 0).heights[0].measurements[0].readings.size(), 4u);
        // A series the main window's Стоп ends takes nothing of a later start.
        s.Select(SurveyLevel::Height, PointOf(s, 0).heights[1].id);
        s.ButtonLive->click();
        SimProgram::Settle(m);
        ASSERT_TRUE(m.Session().TimerInterval()->isActive()) << m.PanelText(3).toStdString();
        QTest::qWait(2 * kLiveWatchMs);
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        QTest::qWait(2 * kLiveWatchMs);
        EXPECT_EQ(s.ButtonLive->text(), QString::fromUtf8(kStartLive));
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        SimProgram::Finish(m, &TFMain::TakeReading);
        SimProgram::Finish(m, &TFMain::ButtonStartStopClick);
        EXPECT_TRUE(PointOf(s, 0).heights[1].measurements.empty());

        // Workplace 2, standing: its heights follow the posture; a span of a download at 1.5 m.
        s.ButtonAddWorkplace->click();
        Type(s, s.EditWorkplaceName, "Заливщик");
        s.ComboPosture->setCurrentIndex(1);
        EXPECT_EQ(PointOf(s, 1).heights[1].metres, 1.5);
        SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
        ASSERT_EQ(m.Logger().Count(), 8);
        s.Select(SurveyLevel::Height, PointOf(s, 1).heights[1].id);
        Type(s, s.EditAirSpeed, ShownNumber("0.3"));
        s.AskSpan = [](const TimeSpan& whole) {
            return TimeSpan{whole.from, whole.from.addSecs(15 * 60)};
        };
        s.ButtonTakeSpan->click();
        ASSERT_EQ(PointOf(s, 1).heights[1].measurements.size(), 1u);
        const SurveyMeasurement& download = PointOf(s, 1).heights[1].measurements[0];
        EXPECT_EQ(download.readings.size(), 4u);
        EXPECT_EQ(download.origin, ReadingOrigin::Download);
        EXPECT_EQ(PointOf(s, 1).heights[1].airSpeed, 0.3);
        // Records again for a height that has readings are asked about, named with their
        // place, and left out when the answer is no.
        QString asked;
        s.AskMixing = [&asked](const QString& question) {
            asked = question;
            return false;
        };
        s.ButtonTakeSpan->click();
        EXPECT_TRUE(asked.contains("«Заливщик», «Точка 1»")) << asked.toStdString();
        EXPECT_TRUE(asked.contains(QString::fromUtf8(kDoubtMeasured).arg(4))) << asked.toStdString();
        EXPECT_EQ(PointOf(s, 1).heights[1].measurements.size(), 1u);
        s.AskMixing = nullptr;

        // Workplace 3, category IIб: the download's data file opened, the whole of it at 0.1 m.
        const QStringList files = QDir(m.DataFolder).entryList({"*.csv"}, QDir::Files);
        ASSERT_EQ(files.size(), 1);
        SimProgram::Open(m, QDir(m.DataFolder).filePath(files[0]));
        s.ButtonAddWorkplace->click();
        Type(s, s.EditWorkplaceName, "Обрубщик");
        s.ComboCategory->setCurrentIndex(3);
        s.Select(SurveyLevel::Height, PointOf(s, 2).heights[0].id);
        s.AskSpan = [](const TimeSpan& whole) { return whole; };
        s.ButtonTakeSpan->click();
        ASSERT_EQ(PointOf(s, 2).heights[0].measurements.size(), 1u);
        const SurveyMeasurement& file = PointOf(s, 2).heights[0].measurements[0];
        EXPECT_EQ(file.readings.size(), 8u);
        EXPECT_EQ(file.origin, ReadingOrigin::DataFile);
        EXPECT_EQ(file.source, files[0]);
        // The survey's days are those of its live series; the records taken are not.
        EXPECT_EQ(s.Document()->Data().header.firstDate, QDate(2009, 4, 7));
        EXPECT_EQ(s.Document()->Data().header.lastDate, QDate(2009, 4, 7));

        // The assessment window's inputs are kept too.
        p.program().FAssess().ComboBoxCategory->setCurrentIndex(2);
        shown = Shown(s);
        ASSERT_EQ(shown.size(), 3 * (4 + 2 + 1));
        // The windows' sizes and the item chosen come back at the next start.
        m.resize(800, 450);
        s.resize(640, 420);
        // The hot shop's records class the workplaces that took them as harmful.
        EXPECT_TRUE(shown.join('\n').contains("3.")) << shown.join('\n').toStdString();
    }

    // A program killed during workplace 1's series leaves it recording; the next open says so
    // with what it kept, and ends it.
    {
        Outcome r;
        const std::unique_ptr<SurveyFile> killed = SurveyFile::Open(path, &r);
        ASSERT_TRUE(killed) << r.text.toStdString();
        const qint64 series =
            killed->Load().value_or(Survey{}).workplaces.at(0).points.at(0).heights.at(0).measurements.at(0).id;
        ASSERT_TRUE(killed->SetRecording(series, true));
    }
    SimProgram p(o, now, keep);
    TFSurvey& s = p.program().FSurvey();
    ASSERT_NE(s.Document(), nullptr) << s.LabelStatus->text().toStdString();
    EXPECT_TRUE(s.LabelStatus->text().contains(QString::fromUtf8(kSeriesCut).section('%', 0, 0)))
        << s.LabelStatus->text().toStdString();
    EXPECT_TRUE(s.LabelStatus->text().contains("«Пульт управления»"));
    EXPECT_TRUE(s.LabelStatus->text().endsWith(": 4")) << s.LabelStatus->text().toStdString();
    EXPECT_FALSE(PointOf(s, 0).heights[0].measurements[0].recording);
    EXPECT_FALSE(s.isVisible());
    p.main().show();
    EXPECT_EQ(p.main().size(), QSize(800, 450));
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.size(), QSize(640, 420));
    ASSERT_NE(s.TreeSurvey->currentItem(), nullptr);
    EXPECT_EQ(s.TreeSurvey->currentItem()->text(0), PointOf(s, 2).name);
    EXPECT_EQ(QFileInfo(s.Document()->Path()), QFileInfo(path));
    EXPECT_EQ(s.EditOrganisation->text(), kOrganisation);
    EXPECT_EQ(s.EditProtocolNumber->text(), "17-М");
    EXPECT_EQ(Shown(s), shown);
    EXPECT_EQ(p.program().FAssess().ComboBoxCategory->currentIndex(), 2);

    // Its protocol holds every figure and class the window shows.
    const QString pdf = dir.filePath("protocol.pdf");
    QString warned;
    s.ShowWarning = [&warned](const QString& text) { warned = text; };
    s.ButtonProtocolPdfClick(pdf);
    // Written beside the window, which answers meanwhile.
    EXPECT_EQ(s.LabelStatus->text(),
              QString::fromUtf8(kProtocolWriting).arg(QDir::toNativeSeparators(pdf)));
    QTRY_VERIFY_WITH_TIMEOUT(!s.WritingProtocol(), 60000);
    ASSERT_TRUE(QFileInfo::exists(pdf)) << s.LabelStatus->text().toStdString();
    // Warned of, and written all the same: the heights not measured.
    EXPECT_TRUE(warned.contains("высота 1,0 м: не измерялась")) << warned.toStdString();
    const QString text = OutputOf("pdftotext", {pdf, "-"}).simplified();
    ASSERT_FALSE(text.isEmpty());
    // Numbers in the protocol have a decimal comma on any desktop.
    QStringList missing;
    const QRegularExpression number(QStringLiteral("-?\\d+[.,]\\d"));
    for (const QString& line : shown) {
        const QStringList cells = line.split(" | ");
        for (int c = 2; c < cells.size() && c <= 6 && cells.size() == 9; ++c) {
            for (auto m = number.globalMatch(cells[c]); m.hasNext();) {
                const QString figure = m.next().captured().replace('.', ',');
                if (!text.contains(figure)) missing << figure;
            }
        }
        const QString klass = cells.value(1);
        if (klass.contains('(') && !text.contains(klass)) missing << klass;
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    EXPECT_TRUE(text.contains("17-М"));
    EXPECT_TRUE(text.contains("Заливщик"));
    EXPECT_TRUE(text.contains("Руководитель лаборатории Сидоров С. С."));
    // Its pages are pictures a reader can look at.
    (void)OutputOf("pdftoppm", {"-png", "-r", "40", pdf, dir.filePath("page")});
    EXPECT_FALSE(QDir(dir.path()).entryList({"page*.png"}).isEmpty());

    // With LMR_SCREENSHOT_DIR set the survey and its protocol are kept there for a look.
    const QString keepDir = qEnvironmentVariable("LMR_SCREENSHOT_DIR");
    if (!keepDir.isEmpty()) {
        // With its log: the survey is open.
        QFile::copy(path, QDir(keepDir).filePath("survey.lmrs"));
        QFile::copy(path + "-wal", QDir(keepDir).filePath("survey.lmrs-wal"));
        QFile::copy(pdf, QDir(keepDir).filePath("survey-protocol.pdf"));
    }

    // The workbook opens in the spreadsheet program with the same figures.
    const QString xlsx = dir.filePath("protocol.xlsx");
    s.ButtonProtocolXlsxClick(xlsx);
    QTRY_VERIFY_WITH_TIMEOUT(!s.WritingProtocol(), 60000);
    ASSERT_TRUE(QFileInfo::exists(xlsx)) << s.LabelStatus->text().toStdString();
    const std::vector<QStringList> rows = ConvertToCsv(xlsx, dir.filePath("csv"));
    ASSERT_FALSE(rows.empty());
    QString cells;
    for (const QStringList& row : rows) cells += row.join(';') + '\n';
    EXPECT_TRUE(cells.contains("Обрубщик")) << cells.toStdString();
    EXPECT_TRUE(cells.contains("17-М")) << cells.toStdString();
    // Its figures are numbers: read in the C locale, with a point, "31.0" as "31".
    missing.clear();
    for (const QString& line : shown) {
        const QStringList figures = line.split(" | ");
        for (int c = 2; c < figures.size() && c <= 6 && figures.size() == 9; ++c) {
            for (auto m = number.globalMatch(figures[c]); m.hasNext();) {
                QString figure = m.next().captured().replace(',', '.');
                if (figure.endsWith(".0")) figure.chop(2);
                if (!cells.contains(figure)) missing << figure;
            }
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();

    // A new survey starts with the organisation, the operators and the instrument kept.
    s.NewSurvey(dir.filePath("next"));
    ASSERT_NE(s.Document(), nullptr);
    EXPECT_EQ(QFileInfo(s.Document()->Path()).fileName(), "next.lmrs");
    EXPECT_EQ(s.EditOrganisation->text(), kOrganisation);
    EXPECT_EQ(s.EditOperators->text(), "Иванов И. И.");
    EXPECT_EQ(s.EditSerial->text(), "0457");
    EXPECT_EQ(s.EditLabHead->text(), "Сидоров С. С.");
    EXPECT_TRUE(s.EditProtocolNumber->text().isEmpty());
    EXPECT_EQ(s.TreeSurvey->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace lmr::test
