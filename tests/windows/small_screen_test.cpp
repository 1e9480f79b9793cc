#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include "Child.h"
#include "app/Program.h"

using lmr::test::Child;

namespace lmr {
namespace {

// Runs on a 1024 × 600 screen (screen-1024x600.json): every secondary window opened from
// the menu lies wholly on it, title bar included, and may be maximised.
TEST(SmallScreen, EverySecondaryWindowFitsAndCanBeMaximised) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->geometry().size(), QSize(1024, 600));
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    Child<QTimer>(m, "TimerLogo").stop();
    m.show();
    const struct {
        QWidget* window;
        void (TFMain::*command)();
        bool maximisable;
    } windows[] = {{&p.FStat(), &TFMain::N5Click, true},
                   {&p.FOptions(), &TFMain::N6Click, true},
                   {&p.FAssess(), &TFMain::N10Click, true},
                   {&p.FSurvey(), &TFMain::MenuSurveyClick, true},
                   {&p.FHelp(), &TFMain::N7Click, true},
                   {&p.FLogo(), &TFMain::N8Click, false}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.window->windowTitle().toStdString());
        // Opened as the user opens it; moved off the screen, it comes back when opened again.
        for (int time = 0; time < 2; ++time) {
            (m.*w.command)();
            ASSERT_TRUE(w.window->isVisible());
            EXPECT_TRUE(screen->availableGeometry().contains(w.window->frameGeometry()))
                << w.window->frameGeometry().x() << "," << w.window->frameGeometry().y() << " "
                << w.window->frameGeometry().width() << "x" << w.window->frameGeometry().height();
            (m.*w.command)();
            EXPECT_FALSE(w.window->isVisible());
            w.window->move(900, 500);
        }
        EXPECT_EQ(bool(w.window->windowFlags() & Qt::WindowMaximizeButtonHint), w.maximisable);
    }

    // The main window maximised shows the whole form, its bottom buttons too, unscrolled; set
    // back to normal, it has the form as designed again.
    const auto* scroll = m.findChild<QScrollArea*>(QStringLiteral("FormScroll"));
    ASSERT_NE(scroll, nullptr);
    const QRect designed = Child<QTabWidget>(m, "PageControl").geometry();
    m.showMaximized();
    QTest::qWait(50);
    ASSERT_TRUE(m.isMaximized());
    for (QWidget* part : std::initializer_list<QWidget*>{
             &Child<QFrame>(m, "PanelDataTime"), &Child<QPushButton>(m, "ButtonSave"),
             &Child<QPushButton>(m, "Button1"), &Child<StringGrid>(m, "StringGridM"),
             &Child<QPushButton>(m, "ButtonReadMemo"), &Child<QTabWidget>(m, "PageControl"),
             &Child<QTabBar>(m, "TabSet"), &Child<QPushButton>(m, "ButtonStartStop"),
             &Child<QPushButton>(m, "ButtonZagruzit")}) {
        const QRect r(part->mapTo(scroll->viewport(), QPoint(0, 0)), part->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(r))
            << part->objectName().toStdString() << " " << r.right() << "," << r.bottom() << " in "
            << scroll->viewport()->width() << "x" << scroll->viewport()->height();
    }
    m.showNormal();
    QTest::qWait(50);
    EXPECT_EQ(Child<QTabWidget>(m, "PageControl").geometry(), designed);
}

}  // namespace
}  // namespace lmr
