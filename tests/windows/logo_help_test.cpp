#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest/QTest>

#include "Child.h"
#include "app/FormHelp.h"
#include "app/FormLogo.h"
#include "app/HelpText.h"

using lmr::test::Child;

namespace lmr {
namespace {

int LeadingBlanks(const QString& line) {
    int n = 0;
    while (n < line.size() && line[n] == QLatin1Char(' ')) ++n;
    return n;
}

TEST(LogoWindow, SizesPlacesAndPicture) {
    TFLogo w;
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("FLogo"));
    EXPECT_EQ(w.size(), QSize(604, 211));
    EXPECT_EQ(Child<QLabel>(w, "ImageLMR").geometry(), QRect(2, 3, 300, 205));
    EXPECT_EQ(Child<QFrame>(w, "PanelAtributi").geometry(), QRect(304, 0, 300, 211));
    EXPECT_EQ(Child<QTextEdit>(w, "Memo1").geometry(), QRect(4, 12, 292, 38));
    EXPECT_EQ(Child<QTextEdit>(w, "Memo4").geometry(), QRect(4, 144, 292, 60));
    const QPixmap logo = Child<QLabel>(w, "ImageLMR").pixmap();
    ASSERT_FALSE(logo.isNull()) << "logo resource or JPEG decoder missing";
    EXPECT_EQ(logo.size(), QSize(300, 205));
    EXPECT_EQ(Child<QFrame>(w, "PanelAtributi").palette().color(QPalette::Window),
              QColor(0xA6, 0xCA, 0xF0));

    // Two, one, three and four lines; read-only.
    int lines[] = {2, 1, 3, 4};
    QTextEdit* memos[] = {&Child<QTextEdit>(w, "Memo1"), &Child<QTextEdit>(w, "Memo2"),
                          &Child<QTextEdit>(w, "Memo3"), &Child<QTextEdit>(w, "Memo4")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(memos[i]->document()->blockCount(), lines[i]) << i;
        EXPECT_TRUE(memos[i]->isReadOnly()) << i;
        EXPECT_TRUE(memos[i]->font().bold()) << i;
    }
    EXPECT_TRUE(Child<QTextEdit>(w, "Memo2").font().italic());
    EXPECT_EQ(Child<QTextEdit>(w, "Memo1").font().pixelSize(), 17);
    EXPECT_EQ(Child<QTextEdit>(w, "Memo3").font().pixelSize(), 13);
}

TEST(LogoWindow, EveryClickTargetHidesIt) {
    TFLogo w;
    QWidget* targets[] = {
        &Child<QFrame>(w, "PanelLogo"),          &Child<QLabel>(w, "ImageLMR"),
        &Child<QFrame>(w, "PanelAtributi"),      Child<QTextEdit>(w, "Memo1").viewport(),
        Child<QTextEdit>(w, "Memo2").viewport(), Child<QTextEdit>(w, "Memo3").viewport(),
        Child<QTextEdit>(w, "Memo4").viewport()};
    for (QWidget* target : targets) {
        w.show();
        ASSERT_TRUE(w.isVisible());
        // The gap between picture and text panel belongs to the outer panel.
        const QPoint at =
            target == &Child<QFrame>(w, "PanelLogo") ? QPoint(303, 100) : QPoint(5, 5);
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        EXPECT_FALSE(w.isVisible()) << target->objectName().toStdString();
    }
}

TEST(HelpWindow, ASectionForEveryCommandAndPage) {
    const QStringList lines = HelpLines();
    const struct {
        const char* heading;
        int indent;
    } sections[] = {{"ИНСТРУКЦИЯ ПОЛЬЗОВАТЕЛЯ", 28},
                    {"ВНИМАНИЕ !!!", 7},
                    {"СТАРТ/СТОП", 14},
                    {"СОХРАНИТЬ ...", 14},
                    {"МАСШТАБ ГРАФИКОВ", 14},
                    {"ЗАГРУЗКА ДАННЫХ", 14},
                    {"ФАЙЛ", 14},
                    {"ЯЧЕЙКИ ПАМЯТИ", 14},
                    {"ЧАСЫ ПРИБОРА", 14},
                    {"СТАТИСТИКА", 14},
                    {"НАСТРОЙКИ", 14},
                    {"ОЦЕНКА УСЛОВИЙ ТРУДА", 14},
                    {"ОБСЛЕДОВАНИЕ", 14},
                    {"ПРОЧИЕ ПУНКТЫ МЕНЮ", 14},
                    {"КЛАВИАТУРА", 14}};
    int previous = -1;
    for (const auto& s : sections) {
        const QString heading = QString(s.indent, QLatin1Char(' ')) + QString::fromUtf8(s.heading);
        const int at = lines.indexOf(heading);
        ASSERT_GE(at, 0) << s.heading;
        EXPECT_GT(at, previous) << s.heading;
        if (previous >= 0) {
            // Exactly two empty lines close the section before.
            EXPECT_TRUE(lines[at - 1].isEmpty() && lines[at - 2].isEmpty()) << s.heading;
            EXPECT_FALSE(lines[at - 3].isEmpty()) << s.heading;
        }
        previous = at;
    }
    for (const QString& line : lines) {
        if (line.isEmpty() || line.trimmed() == line.trimmed().toUpper()) continue;
        const int blanks = LeadingBlanks(line);
        EXPECT_TRUE(blanks == 0 || (blanks >= 3 && blanks <= 7)) << line.toStdString();
    }
    // What a technician looks for: the files, the real download time, no stale estimate.
    for (const char* fact : {".xlsx", "LibreOffice Calc", "~/.local/share/lmr/logger",
                             "_прервана.csv", "40 мс", "3000 записей — около 2 минут", "Ctrl+O"}) {
        EXPECT_TRUE(HelpText().contains(QString::fromUtf8(fact))) << fact;
    }
    EXPECT_FALSE(HelpText().contains(QString::fromUtf8("15 минут")));
    EXPECT_FALSE(HelpText().endsWith(QLatin1Char('\n')));
}

TEST(HelpWindow, ShowsTheTextAndKeepsWhatIsTypedAcrossHideAndShow) {
    TFHelp w;
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Помощь"));
    EXPECT_EQ(w.size(), QSize(462, 477));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(Child<QPushButton>(w, "ButtonCloseHelp").text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(Child<QPlainTextEdit>(w, "MemoHelp").document()->blockCount(), HelpLines().size());
    EXPECT_FALSE(Child<QPlainTextEdit>(w, "MemoHelp").isReadOnly());
    EXPECT_EQ(Child<QPlainTextEdit>(w, "MemoHelp").palette().color(QPalette::Base),
              w.palette().color(QPalette::ToolTipBase));

    w.show();
    // The text and the button follow the window's size.
    EXPECT_EQ(Child<QPlainTextEdit>(w, "MemoHelp").geometry(), QRect(0, 0, 461, 449));
    EXPECT_EQ(Child<QPushButton>(w, "ButtonCloseHelp").geometry(), QRect(0, 451, 461, 25));
    w.resize(800, 560);
    EXPECT_EQ(Child<QPlainTextEdit>(w, "MemoHelp").width(), 799);
    EXPECT_EQ(Child<QPushButton>(w, "ButtonCloseHelp").geometry().bottom(), 558);
    QTest::keyClicks(&Child<QPlainTextEdit>(w, "MemoHelp"),
                     QStringLiteral("my note 42"));  // typed at the top
    QTest::mouseClick(&Child<QPushButton>(w, "ButtonCloseHelp"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_TRUE(
        Child<QPlainTextEdit>(w, "MemoHelp").toPlainText().contains(QStringLiteral("my note 42")));
    w.close();
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace lmr
