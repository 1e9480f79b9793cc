#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "export/WorkbookApplication.h"
#include "export_support.h"

namespace lmr {
namespace {

// The message of the error a call raises, or "" when it raised none.
template <typename Call>
QString ErrorOf(Call call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.message();
    }
    return {};
}

TEST(WorkbookModel, UnknownMembersAndArgumentsRaiseErrorsWithTheirName) {
    QTemporaryDir dir;
    WorkbookSettings settings;
    settings.documentsDir = dir.path();
    const Automation app = WorkbookApplication::Create(settings);

    // No workbook yet: there is no worksheet to be had.
    EXPECT_EQ(ErrorOf([&] { (void)app.GetProperty("WorkSheets", 1); }),
              "Нет объекта для обращения к \"WorkSheets\".");
    EXPECT_FALSE(ErrorOf([&] { (void)app.GetProperty("Range", "A1:J65536"); }).isEmpty());

    app.GetProperty("workbooks").CallMethod("Add");  // names are matched without case
    const Automation sheet = app.GetProperty("WorkSheets", 1);

    EXPECT_EQ(ErrorOf([&] { (void)app.GetProperty("ActiveSheet"); }),
              "Неизвестное имя \"ActiveSheet\".");
    EXPECT_EQ(ErrorOf([&] { app.GetProperty("WorkBooks").CallMethod("Close"); }),
              "Неизвестное имя \"Close\".");
    EXPECT_EQ(ErrorOf([&] { sheet.SetProperty("Tab", "x"); }), "Неизвестное имя \"Tab\".");
    EXPECT_EQ(ErrorOf([&] { sheet.SetProperty("Name", "a:b"); }),
              "Недопустимое значение свойства \"Name\".");
    EXPECT_FALSE(
        ErrorOf([&] { sheet.GetProperty("PageSetup").SetProperty("Orientation", 3); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] {
                     sheet.GetProperty("PageSetup").SetProperty("PrintTitleRows", "$2:$1");
                 }).isEmpty());
    EXPECT_EQ(ErrorOf([&] { (void)app.GetProperty("WorkSheets", 2); }),
              "Неверное число или тип параметров \"WorkSheets\".");
    EXPECT_EQ(ErrorOf([&] { (void)sheet.GetProperty("Cells", "1", 5); }),
              "Неверное число или тип параметров \"Cells\".");
    EXPECT_FALSE(ErrorOf([&] { (void)sheet.GetProperty("Cells", 0, 1); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { (void)sheet.GetProperty("Cells", 1); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { (void)sheet.GetProperty("Range", "A2:K"); }).isEmpty());
    EXPECT_FALSE(
        ErrorOf([&] { (void)sheet.GetProperty("Columns").GetProperty("Item"); }).isEmpty());

    const Automation header = sheet.GetProperty("Range", "A2:K2");
    EXPECT_EQ(ErrorOf([&] { header.GetProperty("Interior").SetProperty("ColorIndex", 57); }),
              "Недопустимое значение свойства \"ColorIndex\".");
    EXPECT_FALSE(
        ErrorOf([&] { header.GetProperty("Interior").SetProperty("ColorIndex", "6"); }).isEmpty());
    EXPECT_FALSE(
        ErrorOf([&] { (void)header.GetProperty("Borders").GetProperty("Item", 5); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] {
                     header.GetProperty("Borders").GetProperty("Item", 1).SetProperty("LineStyle",
                                                                                      2);
                 }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { header.SetProperty("HorizontalAlignment", 8); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { app.SetProperty("Visible", 1); }).isEmpty());

    // The calls the protocol makes go through.
    EXPECT_EQ(ErrorOf([&] {
                  sheet.GetProperty("Columns").GetProperty("Item", 1).SetProperty("ColumnWidth",
                                                                                  17);
                  header.GetProperty("Interior").SetProperty("ColorIndex", 6);
                  app.GetProperty("Range", "A1:J65536").SetProperty("HorizontalAlignment", 3);
                  header.GetProperty("Borders").GetProperty("Item", 4).SetProperty("LineStyle", 1);
                  sheet.GetProperty("Cells", 1, 5).SetProperty("Value", "x");
              }),
              "");

    // An empty reference refuses every call by name.
    EXPECT_EQ(ErrorOf([] { Automation().CallMethod("add"); }),
              "Нет объекта для обращения к \"add\".");
}

}  // namespace
}  // namespace lmr
