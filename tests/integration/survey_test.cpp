// A survey made in its window against the simulated meter: three workplaces measured live, from
// a download and from a data file; closed with the program and reopened at the next start.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTreeWidget>

#include "SimProgram.h"
#include "surveyui/FormSurvey.h"

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
        m.MenuSurvey->trigger();
        ASSERT_TRUE(s.isVisible());
        s.NewSurvey(path);
        ASSERT_NE(s.Document(), nullptr) << s.LabelStatus->text().toStdString();
        // The identified meter fills the instrument in.
        EXPECT_EQ(s.EditModel->text(), "ВЕГ/72");
        Type(s, s.EditOrganisation, kOrganisation);
        Type(s, s.EditProtocolNumber, "17-М");
        Type(s, s.EditOperators, "Иванов И. И.");
        Type(s, s.EditSerial, "0457");

        // Workplace 1, sitting: a live series at 0.1 m.
        s.ButtonAddWorkplace->click();
        Type(s, s.EditWorkplaceName, "Пульт управления");
        ASSERT_EQ(PointOf(s, 0).heights.size(), 2u);
        EXPECT_EQ(PointOf(s, 0).heights[1].metres, 1.0);
        s.Select(SurveyLevel::Height, PointOf(s, 0).heights[0].id);
        s.ButtonLive->click();
        SimProgram::Settle(m);
        ASSERT_TRUE(m.TimerInterval->isActive()) << m.PanelText(3).toStdString();
        for (int i = 0; i < 4; ++i) {
            SimProgram::Finish(m, &TFMain::TakeReading);
            p.clock().advanceSeconds(3);
        }
        s.ButtonLive->click();
        SimProgram::Settle(m);
        EXPECT_FALSE(m.TimerInterval->isActive());
        ASSERT_EQ(PointOf(s, 0).heights[0].measurements.size(), 1u);
        EXPECT_EQ(PointOf(s, 0).heights[0].measurements[0].readings.size(), 4u);

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

        // Workplace 3, category IIб: the download's data file opened, the whole of it at 0.1 m.
        const QStringList files = QDir(m.DataFolder).entryList({"*.csv"}, QDir::Files);
        ASSERT_EQ(files.size(), 1);
        m.FileOpenClick(QDir(m.DataFolder).filePath(files[0]));
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
        EXPECT_EQ(s.Document()->Data().header.firstDate, QDate(2009, 4, 7));

        // The assessment window's inputs are kept too.
        p.program().FAssess().ComboBoxCategory->setCurrentIndex(2);
        shown = Shown(s);
        ASSERT_EQ(shown.size(), 3 * (4 + 2 + 1));
        // The hot shop's records class the workplaces that took them as harmful.
        EXPECT_TRUE(shown.join('\n').contains("3.")) << shown.join('\n').toStdString();
    }

    SimProgram p(o, now, keep);
    TFSurvey& s = p.program().FSurvey();
    ASSERT_NE(s.Document(), nullptr) << s.LabelStatus->text().toStdString();
    EXPECT_EQ(QFileInfo(s.Document()->Path()), QFileInfo(path));
    EXPECT_EQ(s.EditOrganisation->text(), kOrganisation);
    EXPECT_EQ(s.EditProtocolNumber->text(), "17-М");
    EXPECT_EQ(Shown(s), shown);
    EXPECT_EQ(p.program().FAssess().ComboBoxCategory->currentIndex(), 2);

    // A new survey starts with the organisation, the operators and the instrument kept.
    s.NewSurvey(dir.filePath("next"));
    ASSERT_NE(s.Document(), nullptr);
    EXPECT_EQ(QFileInfo(s.Document()->Path()).fileName(), "next.lmrs");
    EXPECT_EQ(s.EditOrganisation->text(), kOrganisation);
    EXPECT_EQ(s.EditOperators->text(), "Иванов И. И.");
    EXPECT_EQ(s.EditSerial->text(), "0457");
    EXPECT_TRUE(s.EditProtocolNumber->text().isEmpty());
    EXPECT_EQ(s.TreeSurvey->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace lmr::test
