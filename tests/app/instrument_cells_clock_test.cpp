#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

#include "Child.h"
#include "SimProgram.h"
#include "app/TFMain.h"
#include "link/CommandCodes.h"

namespace lmr::test {
namespace {

TEST(InstrumentWindow, MemoryCellsIntoTheGridAndOntoTheClipboard) {
    sim::Options o;
    o.cells.clear();  // every value empty ...
    o.cells[CellAddress(0, 1)] = 0xFFFE;
    o.cells[CellAddress(5, 9)] = 0x00EA;
    SimProgram p(o);
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    SimProgram::Finish(m, &TFMain::ButtonReadMemoClick);
    EXPECT_EQ(m.PanelText(3), "Чтение ячеек памяти завершено");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(1, 1), ShownNumber("-0.2"));
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(6, 9), ShownNumber("23.4"));
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(3, 4), "-");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(0, 9), "9");

    m.Button1Click();
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 11);  // ten lines, each ended by a line feed
    EXPECT_TRUE(lines[10].isEmpty());
    EXPECT_EQ(lines[0], "№\tTHC,*C\tRH,%\tt.,*C\ttсф.,*C\ttв.т.,*C\ttт.р.,*C");
    EXPECT_EQ(lines[1], ShownNumber("1\t-0.2\t-\t-\t-\t-\t-"));
    EXPECT_EQ(lines[9], ShownNumber("9\t-\t-\t-\t-\t-\t23.4"));

    // A meter lost halfway: the values read are new, the rest keep their earlier text.
    p.meter().Configure([](sim::Options& m) {
        m.cells[CellAddress(0, 1)] = 100;
        m.cells[CellAddress(5, 9)] = 200;
        m.silentAfter = 1 + 5 * 5;
    });
    SimProgram::Finish(m, &TFMain::ButtonReadMemoClick);
    EXPECT_EQ(m.PanelText(3), "Связь с прибором прервана, прочитано значений: 5 из 54");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(1, 1), "10");
    EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(6, 9), ShownNumber("23.4"));
}

TEST(InstrumentWindow, ClipboardOfAGridNeverRead) {
    SimProgram p;
    TFMain& m = p.main();
    m.Button1Click();
    QString expected = "№\tTHC,*C\tRH,%\tt.,*C\ttсф.,*C\ttв.т.,*C\ttт.р.,*C\n";
    for (int r = 1; r <= 9; ++r) expected += QString::number(r) + "\t\t\t\t\t\t\n";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    // The cell-number column's header shows on the grid's corner.
    const auto* corner = Child<StringGrid>(m, "StringGridM").findChild<QLabel*>();
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->text(), "№");
    // Refused at once: no job goes to the worker before the meter is identified.
    m.ButtonReadMemoClick();
    EXPECT_EQ(m.PanelText(3), "Прибор не найден");
    m.ButtonSaveClick();
    EXPECT_EQ(m.PanelText(3), "Прибор не найден");
    EXPECT_EQ(p.meter().Clock().sets, 0);
}

TEST(InstrumentWindow, ClockFieldsFollowTheComputerAndAreWritten) {
    SimProgram p;
    ASSERT_TRUE(p.Identify());
    TFMain& m = p.main();
    m.TimerDataVremyTimer();
    SimProgram::Finish(m, &TFMain::ButtonSaveClick);
    EXPECT_EQ(m.PanelText(3), "Запись времяни и даты завершена");
    sim::InstrumentClock c = p.meter().Clock();
    EXPECT_EQ(c.sets, 1);
    EXPECT_EQ(std::vector<int>({c.minute, c.hour, c.day, c.month, c.yearCode}),
              std::vector<int>({10, 16, 7, 4, 9}));

    // A typed value goes out if the button comes before the next tick ...
    Child<QSpinBox>(m, "CSpinEditMin").setValue(33);
    Child<QSpinBox>(m, "CSpinEditGod").setValue(2100);
    SimProgram::Finish(m, &TFMain::ButtonSaveClick);
    c = p.meter().Clock();
    EXPECT_EQ(c.minute, 33);
    EXPECT_EQ(c.yearCode, 100);
    // ... and the tick puts the computer's time back.
    p.clock().set(QDateTime(QDate(2150, 1, 2), QTime(3, 4, 5)));
    m.TimerDataVremyTimer();
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditMin").value(), 4);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditGod").value(), 2100);
    // A change of page does so too.
    Child<QSpinBox>(m, "CSpinEditChas").setValue(20);
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditChas").value(), 3);

    Child<QSpinBox>(m, "CSpinEditDen").setValue(31);
    Child<QSpinBox>(m, "CSpinEditMes").setValue(4);
    Child<QSpinBox>(m, "CSpinEditGod").setValue(2009);
    SimProgram::Finish(m, &TFMain::ButtonSaveClick);
    EXPECT_EQ(m.PanelText(3), "Такой даты нет: 31.04.2009 — дата и время не записаны");
    EXPECT_EQ(p.meter().Clock().sets, 2);

    p.meter().Configure([](sim::Options& o) { o.silent = true; });
    Child<QSpinBox>(m, "CSpinEditDen").setValue(30);
    SimProgram::Finish(m, &TFMain::ButtonSaveClick);
    EXPECT_EQ(m.PanelText(3), "Нет отклика от прибора");
    EXPECT_EQ(p.meter().Clock().sets, 2);
}

// Ctrl+C in a table copies the selected block, not only the current cell.
TEST(InstrumentWindow, CtrlCCopiesTheSelectedCellsOfATable) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    StringGrid* g = &Child<StringGrid>(p.FMain(), "StringGridM");
    for (int c = 1; c < 7; ++c) {
        for (int r = 1; r < 10; ++r) g->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    }
    g->selectionModel()->select(
        QItemSelection(g->Model()->index(1, 1), g->Model()->index(2, 3)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2.2\t3.2\t4.2\n2.3\t3.3\t4.3\n");
}

}  // namespace
}  // namespace lmr::test
