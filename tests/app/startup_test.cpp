#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "Child.h"
#include "app/DisplayFonts.h"
#include "app/Program.h"
#include "app/QtTranslations.h"
#include "app/StringGrid.h"
#include "measure/Clock.h"

using lmr::test::Child;

namespace lmr {
namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : clock_(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45))) {
        setAppClock(&clock_);
    }
    ~StartupTest() override { setAppClock(nullptr); }
    TestClock clock_;
};

TEST_F(StartupTest, WindowsGridsAndClockFieldsAfterStart) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    p.FMain().show();
    EXPECT_EQ(QCoreApplication::applicationName(), QString::fromUtf8("ЛМР Zozazoz"));
    EXPECT_TRUE(p.FMain().isVisible());
    EXPECT_EQ(p.FMain().windowTitle(), QString::fromUtf8("ЛМР"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{&p.FStat(), &p.FOptions(), &p.FLogo(), &p.FHelp()}) {
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_EQ(p.FStat().windowTitle(), QString::fromUtf8("Статистика"));
    EXPECT_EQ(p.FOptions().windowTitle(), QString::fromUtf8("Настройки"));
    EXPECT_EQ(p.FHelp().windowTitle(), QString::fromUtf8("Помощь"));

    TFMain& m = p.FMain();
    EXPECT_EQ(m.ChartPointsShown, 100);
    const QStringList reading = {"Время",  "THC,*C",  "WBGT,*C", "RH,%",     "tв.,*C",
                                 "tш.,*C", "tвт.,*C", "tтр.,*C", "tрад.,*C", "W,Вт/м2"};
    ASSERT_EQ(Child<StringGrid>(m, "StringGridD").ColCount(), 10);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridL").ColCount(), 10);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(c, 0), reading[c]);
        EXPECT_EQ(Child<StringGrid>(m, "StringGridL").Cells(c, 0), reading[c]);
        EXPECT_EQ(Child<StringGrid>(m, "StringGridD")
                      .Model()
                      ->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                      .toString(),
                  reading[c]);
    }
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").RowCount(), 2);
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").RowCount(), 2);
    // "THC" is Latin in the headers.
    EXPECT_EQ(Child<StringGrid>(m, "StringGridD").Cells(1, 0).toLatin1(), QByteArray("THC,*C"));

    const QStringList memory = {"№", "THC,*C", "RH,%", "t.,*C", "tсф.,*C", "tв.т.,*C", "tт.р.,*C"};
    ASSERT_EQ(Child<StringGrid>(m, "StringGridM").ColCount(), 7);
    ASSERT_EQ(Child<StringGrid>(m, "StringGridM").RowCount(), 10);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(c, 0), memory[c]);
    }
    for (int r = 1; r < 10; ++r) {
        EXPECT_EQ(Child<StringGrid>(m, "StringGridM").Cells(0, r), QString::number(r));
        EXPECT_EQ(Child<StringGrid>(m, "StringGridM")
                      .Model()
                      ->headerData(r - 1, Qt::Vertical, Qt::DisplayRole),
                  QString::number(r));
        for (int c = 1; c < 7; ++c) {
            EXPECT_TRUE(Child<StringGrid>(m, "StringGridM").Cells(c, r).isEmpty()) << c << "," << r;
        }
    }

    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditChas").value(), 16);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditMin").value(), 10);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditDen").value(), 7);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditMes").value(), 4);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditGod").value(), 2009);
    // The clock fields follow the clock at the next refresh, within their ranges.
    clock_.set(QDateTime(QDate(2101, 1, 2), QTime(3, 4)));
    m.TimerDataVremyTimer();
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditGod").value(), 2100);
    EXPECT_EQ(Child<QSpinBox>(m, "CSpinEditChas").value(), 3);
}

TEST_F(StartupTest, ComponentsStartAsDesigned) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    EXPECT_EQ(Child<QTabWidget>(m, "PageControl").currentIndex(), 1);
    EXPECT_EQ(Child<QTabWidget>(m, "PageControl").tabText(0),
              QString::fromUtf8("Текущие показания"));
    EXPECT_EQ(Child<QTabWidget>(m, "PageControl").tabText(1), QString::fromUtf8("Дата логгер"));
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").currentIndex(), 0);
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").tabText(0), QString::fromUtf8("Графики"));
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").tabText(1), QString::fromUtf8("Данные"));
    EXPECT_FALSE(Child<QPushButton>(m, "ButtonStartStop").isEnabled());
    EXPECT_EQ(Child<QPushButton>(m, "ButtonStartStop").text(), QString::fromUtf8("Старт"));
    EXPECT_TRUE(Child<QPushButton>(m, "Button2").isHidden());
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridD").isHidden());
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridL").isHidden());
    EXPECT_EQ(Child<QComboBox>(m, "ComboBoxZ").count(), 4);
    EXPECT_EQ(Child<QComboBox>(m, "ComboBoxZ").currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(m, "ComboBoxZ").currentText(), QString::fromUtf8("ТНС индекс, *С"));
    // Typing into the box chooses nothing and adds no item.
    Child<QComboBox>(m, "ComboBoxZ").lineEdit()->setText(QStringLiteral("abc"));
    QTest::keyClick(Child<QComboBox>(m, "ComboBoxZ").lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Child<QComboBox>(m, "ComboBoxZ").count(), 4);
    // The window opens small and may grow up to the whole form, no further.
    EXPECT_LT(m.width(), m.maximumWidth());
    EXPECT_EQ(m.maximumWidth(), 1127);
    for (QLabel* l :
         {&Child<QLabel>(m, "Label21"), &Child<QLabel>(m, "Label22"), &Child<QLabel>(m, "Label23"),
          &Child<QLabel>(m, "Label25"), &Child<QLabel>(m, "Label26"), &Child<QLabel>(m, "Label27"),
          &Child<QLabel>(m, "Label28"), &Child<QLabel>(m, "Label29"),
          &Child<QLabel>(m, "Label30")}) {
        EXPECT_EQ(l->text(), QStringLiteral("0.0"));
    }
    EXPECT_TRUE(Child<QLineSeries>(m, "Series1").isVisible());
    for (int i = 1; i < 10; ++i) {
        EXPECT_FALSE(Child<QLineSeries>(m, QStringLiteral("Series%1").arg(i + 1)).isVisible()) << i;
    }
    EXPECT_EQ(TFMain::LeftAxis(&Child<QChart>(m, "Chart2"))->min(), -40);
    EXPECT_EQ(TFMain::LeftAxis(&Child<QChart>(m, "Chart3"))->max(), 1700);
    // The live page is built from its one table: each quantity's curve on its chart in its
    // digits' colour, each chart's window led by a curve of its own.
    struct Curve {
        Quantity q;
        QLineSeries* series;
        QChart* chart;
        QLabel* digits;
        QRgb colour;
    };
    for (const Curve& c :
         {Curve{Quantity::Ths, &Child<QLineSeries>(m, "LineSeries3"), &Child<QChart>(m, "Chart4"),
                &Child<QLabel>(m, "Label25"), kDigitRed},
          Curve{Quantity::Wbgt, &Child<QLineSeries>(m, "Series11"), &Child<QChart>(m, "Chart4"),
                &Child<QLabel>(m, "Label26"), kDigitYellow},
          Curve{Quantity::Tsf, &Child<QLineSeries>(m, "LineSeries5"), &Child<QChart>(m, "Chart6"),
                &Child<QLabel>(m, "Label22"), kDigitYellow},
          Curve{Quantity::Ttr, &Child<QLineSeries>(m, "Series14"), &Child<QChart>(m, "Chart2"),
                &Child<QLabel>(m, "Label28"), kDigitYellow},
          Curve{Quantity::W, &Child<QLineSeries>(m, "LineSeries2"), &Child<QChart>(m, "Chart3"),
                &Child<QLabel>(m, "Label30"), kDigitRed}}) {
        EXPECT_EQ(&Child<QLineSeries>(m, RowOf(c.q).seriesName), c.series);
        EXPECT_EQ(c.series->chart(), c.chart) << c.series->objectName().toStdString();
        EXPECT_EQ(c.series->pen().color().rgba(), c.colour);
        EXPECT_EQ(&Child<QLabel>(m, RowOf(c.q).valueName), c.digits);
        EXPECT_EQ(c.digits->palette().color(QPalette::WindowText).rgba(), c.colour);
    }
    for (int i = 0; i < kLiveChartCount; ++i) {
        const LiveChartRow& row = LiveChartRows()[static_cast<size_t>(i)];
        EXPECT_EQ(Child<QLineSeries>(m, RowOf(row.windowFrom).seriesName).chart(),
                  &Child<QChart>(m, LiveChartRows()[static_cast<size_t>(i)].chartName))
            << row.chartName;
    }
    EXPECT_EQ(Child<QValueAxis>(m, "ChartValueLeftAxis").min(), 0);
    EXPECT_EQ(Child<QValueAxis>(m, "ChartValueLeftAxis").max(), 100);
    struct T {
        QTimer* t;
        int interval;
        bool active;
    };
    for (const T& t :
         {T{m.Session().TimerDetekt(), 3000, true}, T{m.Session().TimerInterval(), 3000, false},
          T{m.Session().TimerPeriod(), 20000, false}, T{&Child<QTimer>(m, "TimerLogo"), 1000, true},
          T{&Child<QTimer>(m, "TimerDataVremy"), 60000, true}}) {
        EXPECT_EQ(t.t->interval(), t.interval) << t.t->objectName().toStdString();
        EXPECT_EQ(t.t->isActive(), t.active) << t.t->objectName().toStdString();
    }
    const QStringList menu = {"Передать данные в  Excel",
                              "Статистика",
                              "Настройки",
                              "Оценка условий труда",
                              "Файл",
                              "Обследование",
                              "\"ZOV \"ЛМР\"",
                              "?",
                              "Выход"};
    const auto actions = Child<QMenuBar>(m, "MainMenu").actions();
    ASSERT_EQ(actions.size(), menu.size());
    for (int i = 0; i < menu.size(); ++i) {
        // Shown as given; our own items with their first letter underlined.
        QString shown = actions[i]->text();
        EXPECT_EQ(shown.remove(QLatin1Char('&')), menu[i]);
    }
}

TEST_F(StartupTest, TheKeyboardReachesEveryCommand) {
    LoadQtTranslations();
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    Child<QTimer>(m, "TimerLogo").stop();
    m.show();
    const auto press = [&m](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QApplication::setActiveWindow(&m);
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : &m;
        // A Cyrillic letter goes with its text, as a Russian keyboard layout sends it.
        const QString text = key > 0x400 && key < 0x500 ? QString(QChar(key).toLower()) : QString();
        if (text.isEmpty()) {
            QTest::keyClick(to, key, mods);
        } else {
            QTest::sendKeyEvent(QTest::Click, to, key, text, mods);
        }
    };
    // F10 (or Alt) and the arrows along the bar: N1, N5, N6, N10, "Файл", "Обследование", N8,
    // N7, N9.
    const auto along = [&](int rights) {
        return [&press, rights] {
            press(Qt::Key_F10);
            for (int i = 0; i < rights; ++i) press(Qt::Key_Right);
            press(Qt::Key_Return);
        };
    };
    const struct {
        const char* keys;
        std::function<void()> type;
        QWidget* window;
    } paths[] = {
        {"Alt+Н", [&] { press(Qt::Key(0x041D), Qt::AltModifier); }, &p.FOptions()},
        {"Alt+О", [&] { press(Qt::Key(0x041E), Qt::AltModifier); }, &p.FAssess()},
        {"F10 Right Enter", along(1), &p.FStat()},
        {"Alt+С", [&] { press(Qt::Key(0x0421), Qt::AltModifier); }, &p.FSurvey()},
        {"F10 Right x5 Enter", along(5), &p.FSurvey()},
        {"F10 Right x6 Enter", along(6), &p.FLogo()},
        {"F10 Right x7 Enter", along(7), &p.FHelp()},
        {"F1", [&] { press(Qt::Key_F1); }, &p.FHelp()},
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(path.keys);
        path.type();
        EXPECT_TRUE(path.window->isVisible());
        path.window->hide();
    }
    // The menu bar gave the keyboard back.
    EXPECT_NE(QApplication::focusWidget(), &Child<QMenuBar>(m, "MainMenu"));

    // "Файл": Ctrl+S and Alt+Ф С save (nothing yet), Ctrl+O and Alt+Ф О open the file
    // dialog, whose own texts follow the desktop's language.
    const bool russian = QLocale().language() == QLocale::Russian;
    const auto alt = [&](char16_t letter) {
        press(Qt::Key(0x0424), Qt::AltModifier);  // Ф
        QWidget* menu = QApplication::activePopupWidget();
        ASSERT_EQ(menu, &Child<QMenu>(m, "MenuFile"));
        QTest::sendKeyEvent(QTest::Click, menu, Qt::Key(QChar(letter).toUpper().unicode()),
                            QString(QChar(letter)), Qt::NoModifier);
    };
    for (const std::function<void()>& save :
         {std::function<void()>([&] { press(Qt::Key_S, Qt::ControlModifier); }),
          std::function<void()>([&] { alt(u'с'); })}) {
        m.SetPanelText(3, QString());
        save();
        EXPECT_EQ(m.PanelText(3), QString::fromUtf8("Нет показаний для сохранения"));
    }
    for (const std::function<void()>& open :
         {std::function<void()>([&] { press(Qt::Key_O, Qt::ControlModifier); }),
          std::function<void()>([&] { alt(u'о'); })}) {
        QString lookIn, cancel;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))) {
                lookIn = label->text();
            }
            if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
                cancel = box->button(QDialogButtonBox::Cancel)->text();
            }
            dialog->reject();
        });
        open();
        EXPECT_EQ(lookIn, russian ? QString::fromUtf8("Перейти к:") : QStringLiteral("Look in:"));
        EXPECT_EQ(cancel, russian ? QString::fromUtf8("Отмена") : QStringLiteral("Cancel"));
    }
}

// The Alt letters of what a window shows now, each with the texts that carry it: its menu bar's
// items, its tabs, buttons and group boxes, and labels that lead to a field.
QMap<QString, QStringList> AltLetters(QWidget* window) {
    QMap<QString, QStringList> letters;
    const auto take = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) letters[key.toString().toLower()] << text;
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) take(b->text());
        if (auto* l = qobject_cast<QLabel*>(w); l != nullptr && l->buddy() != nullptr) take(l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) take(g->title());
        if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                if (t->isTabVisible(i)) take(t->tabText(i));
            }
        }
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions()) {
                if (a->isVisible()) take(a->text());
            }
        }
    }
    return letters;
}

// The letters of a window that more than one command shows, with the window's every page seen.
QStringList SharedAltLetters(QWidget* window) {
    QStringList shared;
    const auto look = [&] {
        const QMap<QString, QStringList> letters = AltLetters(window);
        for (auto it = letters.begin(); it != letters.end(); ++it) {
            if (it.value().size() < 2) continue;
            const QString line = window->objectName() + ": " + it.key() + ": " + it.value().join(" | ");
            if (!shared.contains(line)) shared << line;
        }
    };
    look();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int was = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            look();
        }
        tabs->setCurrentIndex(was);
    }
    return shared;
}

// Alt and a letter reach one command in a window, never several by turns: every window of the
// program, each page of it, the survey's with a height chosen (all of its groups shown).
TEST_F(StartupTest, NoTwoCommandsOfAWindowShareAnAltLetter) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    Child<QTimer>(p.FMain(), "TimerLogo").stop();
    TFSurvey& s = p.FSurvey();
    s.NewSurvey(dir.filePath("mnemonics.lmrs"));
    ASSERT_NE(s.Document(), nullptr);
    s.ButtonAddWorkplace->click();
    QTreeWidgetItem* height = s.TreeSurvey->topLevelItem(0)->child(0)->child(0);
    ASSERT_NE(height, nullptr);
    s.TreeSurvey->setCurrentItem(height);
    QStringList shared;
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(w) != nullptr || w->windowType() == Qt::Popup ||
            w->windowType() == Qt::ToolTip) {
            continue;
        }
        w->show();
        ++windows;
        shared << SharedAltLetters(w);
        w->hide();
    }
    EXPECT_GE(windows, 7);
    EXPECT_TRUE(shared.isEmpty()) << shared.join('\n').toStdString();
}

TEST_F(StartupTest, TabLeavesATableAndTheArrowsMoveInIt) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    Child<QTimer>(m, "TimerLogo").stop();
    m.show();
    QApplication::setActiveWindow(&m);
    StringGrid* grid = &Child<StringGrid>(m, "StringGridM");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    } leaves[] = {{Qt::Key_Tab, Qt::NoModifier},
                  {Qt::Key_Backtab, Qt::ShiftModifier},
                  {Qt::Key_Tab, Qt::ControlModifier},
                  {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier}};
    for (const auto& k : leaves) {
        SCOPED_TRACE(QKeySequence(k.key | k.mods).toString().toStdString());
        grid->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), grid);
        const int page = Child<QTabWidget>(m, "PageControl").currentIndex();
        QTest::keyClick(grid, k.key, k.mods);
        EXPECT_NE(QApplication::focusWidget(), grid);
        EXPECT_EQ(Child<QTabWidget>(m, "PageControl").currentIndex(), page);
    }
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(2, 2));
    EXPECT_EQ(QApplication::focusWidget(), grid);
}

TEST(DisplayFontsTest, FaceNameTestAndRegistrationFailures) {
    // A longer name holding the face counts as installed: nothing registered.
    int calls = 0;
    auto counting = [&calls](const DisplayFont&) {
        ++calls;
        return true;
    };
    const QString both = QStringLiteral("DejaVu Sans\nosifont Bold\nLMR Readout Narrow\n");
    EXPECT_TRUE(FontListHasFace(both, QStringLiteral("osifont")));
    EXPECT_EQ(InstallDisplayFonts(both, counting), QStringLiteral("LMR Readout"));
    EXPECT_EQ(calls, 0);

    // Missing fonts are registered, drawing face first.
    QStringList order;
    auto recording = [&order](const DisplayFont& f) {
        order << QString::fromLatin1(f.face);
        return true;
    };
    EXPECT_EQ(InstallDisplayFonts(QStringLiteral("DejaVu Sans"), recording),
              QStringLiteral("LMR Readout"));
    EXPECT_EQ(order, QStringList({"osifont", "LMR Readout"}));

    // A font that fails leaves a fallback face, and the other is still tried.
    QStringList tried;
    auto failing = [&tried](const DisplayFont& f) {
        tried << QString::fromLatin1(f.face);
        return false;
    };
    EXPECT_EQ(InstallDisplayFonts(QString(), failing), QString::fromLatin1(kReadoutFallbackFace));
    EXPECT_EQ(tried.size(), 2);

    // The carried fonts really register from the resources.
    EXPECT_TRUE(RegisterFontFromResource(kReadoutFont));
    EXPECT_TRUE(FontListHasFace(InstalledFontList(), QString::fromLatin1(kReadoutFont.face)));
    // The readout draws a decimal comma itself, as its own decimal point: no fallback face
    // (whose taller line cuts the digits), and "26,2" as wide as "262".
    QFont readout(QString::fromLatin1(kReadoutFont.face));
    readout.setPixelSize(24);
    readout.setBold(true);
    const QFontMetrics m(readout);
    EXPECT_TRUE(m.inFont(QChar(',')));
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("26,2")), m.horizontalAdvance(QStringLiteral("262")));
}

TEST_F(StartupTest, EachPageKeepsItsOwnTableChoice) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    m.show();
    m.SetPanelText(3, QStringLiteral("earlier"));
    // Logger page: choose "Данные".
    Child<QTabBar>(m, "TabSet").setCurrentIndex(1);
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridL").isHidden());
    EXPECT_EQ(Child<StringGrid>(m, "StringGridL").size(), QSize(646, 468));
    // To the live page: its table is still hidden and the tab set follows.
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").currentIndex(), 0);
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridD").isHidden());
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridL").isHidden());
    EXPECT_EQ(m.PanelText(3), QStringLiteral("earlier"));
    // Back to the logger page: its table again, the tab set says "Данные", panel 3 blanked.
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").currentIndex(), 1);
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridL").isHidden());
    EXPECT_EQ(m.PanelText(3), QStringLiteral(" "));
    // "Графики" hides it again; the live page's choice is its own.
    Child<QTabBar>(m, "TabSet").setCurrentIndex(0);
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridL").isHidden());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    Child<QTabBar>(m, "TabSet").setCurrentIndex(1);
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridD").isHidden());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(1);
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").currentIndex(), 0);
    EXPECT_TRUE(Child<StringGrid>(m, "StringGridL").isHidden());
    Child<QTabWidget>(m, "PageControl").setCurrentIndex(0);
    EXPECT_EQ(Child<QTabBar>(m, "TabSet").currentIndex(), 1);
    EXPECT_FALSE(Child<StringGrid>(m, "StringGridD").isHidden());
}

TEST_F(StartupTest, MenuTogglesAndExit) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    m.show();
    struct Item {
        QAction* action;
        QWidget* window;
    };
    for (const Item& i :
         {Item{&Child<QAction>(m, "N5"), &p.FStat()}, Item{&Child<QAction>(m, "N6"), &p.FOptions()},
          Item{&Child<QAction>(m, "N10"), &p.FAssess()}, Item{&Child<QAction>(m, "N8"), &p.FLogo()},
          Item{&Child<QAction>(m, "N7"), &p.FHelp()}}) {
        i.action->trigger();
        EXPECT_TRUE(i.window->isVisible()) << i.action->objectName().toStdString();
        i.action->trigger();
        EXPECT_FALSE(i.window->isVisible()) << i.action->objectName().toStdString();
        i.action->trigger();
        EXPECT_TRUE(i.window->isVisible());
    }
    // Escape closes a secondary window; F1 opens the help from any window.
    for (QWidget* w : {static_cast<QWidget*>(&p.FStat()), static_cast<QWidget*>(&p.FHelp()),
                       static_cast<QWidget*>(&p.FAssess())}) {
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
    }
    QApplication::setActiveWindow(&p.FOptions());
    QTest::keyClick(&p.FOptions(), Qt::Key_F1);
    EXPECT_TRUE(p.FHelp().isVisible());
    // "Выход" ends the event loop although secondary windows are open.
    bool ended = false;
    QTimer::singleShot(0, &Child<QAction>(m, "N9"), &QAction::trigger);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    ended = QApplication::exec() == 0;
    EXPECT_TRUE(ended);
    EXPECT_FALSE(m.isVisible());
}

TEST_F(StartupTest, SplashTimelineAndAboutFromTheMenu) {
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    TFLogo& logo = p.FLogo();
    m.show();
    EXPECT_TRUE(Child<QTimer>(m, "TimerLogo").isActive());
    EXPECT_EQ(Child<QTimer>(m, "TimerLogo").interval(), 1000);
    EXPECT_FALSE(logo.isVisible());

    // 1 s: shown and the interval lengthened; 2 s: clicked away.
    m.TimerLogoTimer();
    EXPECT_TRUE(logo.isVisible());
    EXPECT_EQ(Child<QTimer>(m, "TimerLogo").interval(), 10000);
    QTest::mouseClick(&Child<QLabel>(logo, "ImageLMR"), Qt::LeftButton);
    EXPECT_FALSE(logo.isVisible());
    // "О программе" before the second tick: the tick at 11 s closes it too, for good.
    Child<QAction>(m, "N8").trigger();
    EXPECT_TRUE(logo.isVisible());
    m.TimerLogoTimer();
    EXPECT_FALSE(logo.isVisible());
    EXPECT_FALSE(Child<QTimer>(m, "TimerLogo").isActive());
    // Afterwards the menu alone shows and hides it.
    Child<QAction>(m, "N8").trigger();
    EXPECT_TRUE(logo.isVisible());
    QTest::mouseClick(Child<QTextEdit>(logo, "Memo2").viewport(), Qt::LeftButton);
    EXPECT_FALSE(logo.isVisible());
}

TEST_F(StartupTest, SplashLeftAloneIsShownAndClosedAtElevenSeconds) {
    // Timed from before the timer exists; a coarse timer may fire up to 5 % early.
    QElapsedTimer clock;
    clock.start();
    Program p(ProgramOptions{std::vector<PortTable::Port>{}});
    TFMain& m = p.FMain();
    m.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.FLogo().isVisible(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.FLogo().isVisible(); }, 14000));
    const qint64 ms = clock.elapsed();
    EXPECT_GE(ms, 10450);
    EXPECT_FALSE(Child<QTimer>(m, "TimerLogo").isActive());
}

}  // namespace
}  // namespace lmr
