#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <vector>

#include "Child.h"
#include "SimProgram.h"
#include "app/Program.h"
#include "app/StringGrid.h"
#include "data/DataFile.h"

using lmr::test::Child;

namespace lmr {
namespace {

// What a screen reader asks of an object an event names: its texts, role, state and place, its
// parent and where it sits there, and its children, a level or two down.
int asked = 0;
void Ask(QAccessibleInterface* iface, int depth) {
    if (iface == nullptr || !iface->isValid()) return;
    ++asked;
    (void)iface->text(QAccessible::Name);
    (void)iface->text(QAccessible::Description);
    (void)iface->role();
    (void)iface->state();
    (void)iface->rect();
    if (QAccessibleTextInterface* t = iface->textInterface()) (void)t->text(0, t->characterCount());
    if (QAccessibleTableInterface* t = iface->tableInterface()) (void)t->rowCount();
    if (QAccessibleInterface* parent = iface->parent()) {
        (void)parent->text(QAccessible::Name);
        (void)parent->indexOfChild(iface);
    }
    if (depth <= 0) return;
    const int n = std::min(iface->childCount(), 40);
    for (int i = 0; i < n; ++i) Ask(iface->child(i), depth - 1);
}

// What it asks of a window under the mouse as it moves across: the object at each point.
void AskAlong(QWidget* window) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    if (iface == nullptr) return;
    const QRect r = iface->rect();
    for (int x = r.left(); x < r.right(); x += 37) {
        for (int y = r.top(); y < r.bottom(); y += 29) {
            QAccessibleInterface* at = iface;
            while (QAccessibleInterface* child = at->childAt(x, y)) {
                if (child == at) break;
                at = child;
            }
            Ask(at, 0);
        }
    }
}

void ReadEvent(QAccessibleEvent* event) {
    Ask(event->accessibleInterface(), 2);
}

// With a screen reader listening, Escape closes the splash and the window is resized, its
// pages turned and its other windows opened and closed: every object it is told of answers.
TEST(Accessibility, AScreenReaderFollowsTheWindowsWithoutFault) {
    sim::Options o;
    o.logger = sim::LoggerFromCount(60);
    test::SimProgram sp(o);
    Program& p = sp.program();
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    ASSERT_TRUE(QAccessible::isActive());
    QAccessible::installUpdateHandler(&ReadEvent);
    // Qt's table warns of every child that is not a cell (the view's scroll area) asked its
    // place; thousands of them would bury what matters in the log.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (!text.contains(QStringLiteral("QAccessibleTable::indexOfChild")))
                previous(type, c, text);
        });
    TFMain& m = p.FMain();
    m.ShowMessage = [](const ExportMessage& e) { ADD_FAILURE() << e.text.toStdString(); };
    m.show();
    QTest::qWait(50);
    for (int round = 0; round < 4; ++round) {
        TFLogo& logo = p.FLogo();
        logo.show();
        logo.activateWindow();
        QTest::qWait(20);
        QTest::keyClick(&logo, Qt::Key_Escape);
        EXPECT_FALSE(logo.isVisible());
        for (const QSize size :
             {QSize(1000, 700), QSize(700, 500), QSize(1300, 740), QSize(800, 600)}) {
            m.resize(size);
            QTest::qWait(15);
            Ask(QAccessible::queryAccessibleInterface(&m), 6);
            AskAlong(&m);
        }
        for (QTabWidget* tabs : m.findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QTest::qWait(5);
            }
        }
        for (QTabBar* bar : m.findChildren<QTabBar*>()) {
            for (int i = 0; i < bar->count(); ++i) {
                bar->setCurrentIndex(i);
                QTest::qWait(5);
            }
        }
        for (QWidget* w : std::initializer_list<QWidget*>{&p.FStat(), &p.FOptions(), &p.FHelp(),
                                                          &p.FAssess(), &p.FSurvey()}) {
            w->show();
            QTest::qWait(10);
            Ask(QAccessible::queryAccessibleInterface(w), 6);
            QTest::keyClick(w, Qt::Key_Escape);
        }
    }
    // The file dialogs of "Открыть…" and "Сохранить как…" are made for each use and deleted
    // after it, their views with them.
    for (int i = 0; i < 2; ++i) {
        QFileDialog dialog(&m, QStringLiteral("Открыть"), QString::fromStdString(sp.Folder()));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        QTest::qWait(100);
        Ask(QAccessible::queryAccessibleInterface(&dialog), 6);
        AskAlong(&dialog);
        dialog.reject();
        QTest::qWait(10);
    }
    // Menus opened and closed; the recent surveys' is filled anew each time it opens.
    for (int i = 0; i < 3; ++i) {
        for (QMenu* menu : {&Child<QMenu>(m, "MenuFile"), &Child<QMenu>(m, "MenuRecentSurveys")}) {
            menu->popup(m.mapToGlobal(QPoint(20, 20)));
            QTest::qWait(10);
            Ask(QAccessible::queryAccessibleInterface(menu), 2);
            QTest::keyClick(menu, Qt::Key_Down);
            Ask(QAccessible::queryAccessibleInterface(menu), 2);
            menu->hide();
        }
    }
    // Rows into the grids and out again: live readings, a download, a file opened and cleared.
    ASSERT_TRUE(sp.Identify());
    m.ButtonStartStopClick();
    QTest::qWait(1500);
    m.ButtonStartStopClick();
    Ask(QAccessible::queryAccessibleInterface(&Child<StringGrid>(m, "StringGridD")), 3);
    AskAlong(&m);
    test::SimProgram::Finish(m, &TFMain::ButtonZagruzitClick);
    Ask(QAccessible::queryAccessibleInterface(&Child<StringGrid>(m, "StringGridL")), 3);
    const QString file = QString::fromStdString(sp.Folder() + "/a.csv");
    std::vector<DataRow> rows;
    for (int i = 0; i < 80; ++i) {
        rows.push_back(
            DataRowOf(QDateTime(QDate(2009, 4, 7), QTime(8, 0)).addSecs(60LL * i), 40, 22, 25));
    }
    ASSERT_EQ(WriteDataFile(file, rows).text, QString());
    for (int i = 0; i < 3; ++i) {
        test::SimProgram::Open(m, file);
        Ask(QAccessible::queryAccessibleInterface(&Child<StringGrid>(m, "StringGridL")), 3);
        m.resize(QSize(900 + 50 * i, 650));
        QTest::qWait(15);
        AskAlong(&m);
        m.FileClearLoggerClick();
        Ask(QAccessible::queryAccessibleInterface(&Child<StringGrid>(m, "StringGridL")), 3);
    }
    QAccessible::installUpdateHandler(nullptr);
    qInstallMessageHandler(previous);
    EXPECT_GT(asked, 1000);
}

// Nothing, or what says it is nothing: Qt's tables make a header cell for a row past the end
// that says it is not valid, which the bus passes on as such.
bool Nothing(QAccessibleInterface* iface) {
    return iface == nullptr || !iface->isValid();
}

std::string Describe(QAccessibleInterface* iface) {
    QObject* o = iface->object();
    return iface->text(QAccessible::Name).toStdString() + " (" +
           (o != nullptr ? o->metaObject()->className() + (" " + o->objectName().toStdString())
                         : std::string("no object")) +
           ")";
}

// A screen reader asks by an index it learnt earlier; the scroll bars of a scroll area come and
// go as its window is resized, and with them its children. Every object of every window, at a
// small size and again after the window grew, answers an index past its children with nothing.
TEST(Accessibility, AChildIndexPastTheEndIsAnsweredWithNothingInEveryWindow) {
    test::SimProgram sp;
    Program& p = sp.program();
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (!text.contains(QStringLiteral("QAccessibleT"))) previous(type, c, text);
        });
    struct Window {
        const char* name;
        std::function<QWidget&(Program&)> window;
    };
    const Window windows[] = {
        {"main", [](Program& q) -> QWidget& { return q.FMain(); }},
        {"statistics", [](Program& q) -> QWidget& { return q.FStat(); }},
        {"options", [](Program& q) -> QWidget& { return q.FOptions(); }},
        {"help", [](Program& q) -> QWidget& { return q.FHelp(); }},
        {"logo", [](Program& q) -> QWidget& { return q.FLogo(); }},
        {"assessment", [](Program& q) -> QWidget& { return q.FAssess(); }},
        {"survey", [](Program& q) -> QWidget& { return q.FSurvey(); }},
    };
    int stale = 0;
    for (const Window& row : windows) {
        SCOPED_TRACE(row.name);
        QWidget& w = row.window(p);
        w.show();
        w.resize(QSize(500, 360));
        QTest::qWait(30);
        // Each object with a widget of its own and its children then: an interface without one
        // (a cell, a tab) may be made anew after the resize.
        std::vector<std::pair<QPointer<QObject>, int>> seen;
        std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* iface,
                                                                   int depth) {
            if (iface == nullptr || !iface->isValid()) return;
            const int n = iface->childCount();
            for (const int i : {n, n + 1, n + 5}) {
                EXPECT_TRUE(Nothing(iface->child(i)))
                    << i << " of " << n << " children of " << Describe(iface);
            }
            // The bus never passes a negative index, and Qt's menus and tab bars read one as
            // their own; every other object answers it with nothing.
            const QAccessible::Role role = iface->role();
            if (role != QAccessible::MenuBar && role != QAccessible::PopupMenu &&
                role != QAccessible::PageTabList) {
                EXPECT_TRUE(Nothing(iface->child(-1))) << "-1 of " << Describe(iface);
            }
            if (iface->object() != nullptr) seen.emplace_back(iface->object(), n);
            if (depth <= 0) return;
            for (int i = 0; i < std::min(n, 40); ++i) walk(iface->child(i), depth - 1);
            if (n > 40) walk(iface->child(n - 1), depth - 1);
        };
        walk(QAccessible::queryAccessibleInterface(&w), 12);
        w.resize(QSize(1600, 1000));
        QTest::qWait(30);
        for (const auto& [object, before] : seen) {
            if (object.isNull()) continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
            if (iface == nullptr || !iface->isValid()) continue;
            const int n = iface->childCount();
            for (int i = n; i <= before; ++i) {
                EXPECT_TRUE(Nothing(iface->child(i)))
                    << "stale " << i << " of " << n << " (were " << before << ") children of "
                    << Describe(iface);
            }
            if (n < before) ++stale;
        }
        walk(QAccessible::queryAccessibleInterface(&w), 12);
        w.hide();
    }
    // The main window's scroll area lost its scroll bars as it grew: stale indices were asked.
    EXPECT_GT(stale, 0);
    qInstallMessageHandler(previous);
}

}  // namespace
}  // namespace lmr
