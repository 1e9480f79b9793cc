#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Child.h"
#include "SimProgram.h"
#include "export/ExportMessage.h"

namespace lmr::test {
namespace {

TEST(ProtocolExport, MenuCommandWritesTheShownPageAndSaysWhereTheFileIs) {
    SimProgram p;
    TFMain& m = p.main();
    QTemporaryDir docs;
    ASSERT_TRUE(docs.isValid());
    QStringList opened;
    std::vector<ExportMessage> messages;
    m.ExportSettings.documentsDir = docs.path();
    m.ExportSettings.open = [&](const QString& path) {
        opened << path;
        return true;
    };
    m.ShowMessage = [&](const ExportMessage& e) { messages.push_back(e); };

    ASSERT_TRUE(p.Identify());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    for (int i = 0; i < 5; ++i) {
        SimProgram::Finish(m, &TFMain::TakeReading);
        p.clock().advanceSeconds(3);
    }
    Child<QAction>(m, "N1").trigger();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(opened[0]));
    EXPECT_TRUE(m.PanelText(3).contains(opened[0])) << m.PanelText(3).toStdString();

    // The logger page gives a second workbook, in a file of its own.
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    Child<QAction>(m, "N1").trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(QDir(docs.path()).entryList({QStringLiteral("*.xlsx")}).size(), 2);

    // No program to open it: the file stays and the warning gives its path.
    m.ExportSettings.open = [&](const QString& path) {
        opened << path;
        return false;
    };
    Child<QAction>(m, "N1").trigger();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(QFileInfo::exists(opened[2]));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, ExportMessage::Icon::Warning);
    EXPECT_TRUE(messages[0].text.contains(opened[2])) << messages[0].text.toStdString();

    // With LMR_SCREENSHOT_DIR set the two workbooks are kept there for a look in the spreadsheet.
    const QString keep = qEnvironmentVariable("LMR_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
        QFile::copy(opened[0], QDir(keep).filePath(QStringLiteral("protocol-live.xlsx")));
        QFile::copy(opened[1], QDir(keep).filePath(QStringLiteral("protocol-logger.xlsx")));
    }
}

}  // namespace
}  // namespace lmr::test
