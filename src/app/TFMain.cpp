#include "app/TFMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

#include "app/DisplayFonts.h"
#include "app/ElidedLabel.h"
#include "data/FileJob.h"
#include "app/MainTexts.h"
#include "app/MenuKeys.h"
#include "app/Resources.h"
#include "measure/Clock.h"
#include "surveyui/SurveyTexts.h"
#include "windows/WindowPlacement.h"

namespace lmr {

namespace {

// The survey's series beside the activity panel: the start of it, whole in its tool tip.
constexpr int kSurveySeriesWidth = 220;

}  // namespace

TFMain::TFMain(MeterSession& session, LiveSession& live, LoggerTable& logger, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      live_(live),
      logger_(logger) {
    InitResources();
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QString::fromUtf8(kMainCaption));
    // The installed theme icon, else the same drawing from the resources.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("lmr"), QIcon(QStringLiteral(":/icon.png"))));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("FormScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("FormContent"));
    scroll->setWidget(content);
    setCentralWidget(scroll);

    BuildClockStrip(content);

    BuildPages(content);
    // Escape stops a running download, as "Прервать" does.
    downloadEscape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    downloadEscape_->setEnabled(false);
    connect(downloadEscape_, &QShortcut::activated, this, [this] {
        if (Downloading()) ButtonZagruzitClick();
    });
    // The program's own folder (the application name is the window title the user sees).
    DataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/lmr/logger");
    PageControl->setCurrentIndex(1);
    BuildStatusBar();
    BuildMenu();
    BuildTimers();
    ConnectHandlers();
    ArrangeForm(0);
    SizeToForm(*scroll);

    ShowMessage = [this](const ExportMessage& m) { ShowExportMessage(m); };
    FormCreate();
}

TFMain::~TFMain() {
    StopFileJob();
}

void TFMain::BuildPages(QWidget* content) {
    PageControl = new QTabWidget(content);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl->addTab(TabSheet1, QString::fromUtf8(kLivePageCaption));
    PageControl->addTab(TabSheet3, QString::fromUtf8(kLoggerPageCaption));
    BuildLivePage();
    BuildLoggerPage();

    TabSet = new QTabBar(content);
    TabSet->setObjectName(QStringLiteral("TabSet"));
    TabSet->addTab(QString::fromUtf8(kTabCharts));
    TabSet->addTab(QString::fromUtf8(kTabData));
    TabSet->setShape(QTabBar::RoundedNorth);
    TabSet->setExpanding(false);
    TabSet->setUsesScrollButtons(false);
    QFont tabFont = TabSet->font();
    tabFont.setPixelSize(10);
    TabSet->setFont(tabFont);
    TabSet->setCurrentIndex(0);
    TabSet->raise();

    Button2 = new QPushButton(QString::fromUtf8(kClearCaption), content);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(8, 542, 65, 19);
    Button2->hide();
}

void TFMain::BuildStatusBar() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(kMainStatusHeight);
    StatusBar->setSizeGripEnabled(false);
    const int widths[3] = {55, 70, 50};
    for (int i = 0; i < 4; ++i) {
        // The activity panel shows the start of a long message; its tool tip holds it whole.
        QLabel* l = i < 3 ? new QLabel(StatusBar) : new ElidedLabel(StatusBar);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i < 3) {
            l->setFixedWidth(widths[i]);
            l->setAlignment(Qt::AlignCenter);
            StatusBar->addWidget(l);
        } else {
            l->setMinimumWidth(50);
            l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            StatusBar->addWidget(l, 1);
        }
        // Names of files and of the survey's items are shown as typed, never as markup.
        l->setTextFormat(Qt::PlainText);
        StatusPanels[static_cast<size_t>(i)] = l;
    }
    StatusSurvey = new ElidedLabel(StatusBar);
    StatusSurvey->setObjectName(QStringLiteral("StatusSurvey"));
    StatusSurvey->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusSurvey->setMaximumWidth(kSurveySeriesWidth);
    StatusBar->addPermanentWidget(StatusSurvey);
    StatusSurvey->hide();
    setStatusBar(StatusBar);
}

void TFMain::ConnectHandlers() {
    // F1 opens the help, from the main window or any of the program's windows.
    auto* help = new QShortcut(QKeySequence::HelpContents, this, this, [this] {
        if (FHelp_ != nullptr) ShowWithinScreenOf(FHelp_, this);
    });
    help->setContext(Qt::ApplicationShortcut);

    connect(TabSet, &QTabBar::currentChanged, this, &TFMain::TabSetChange);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
    connect(ButtonSave, &QPushButton::clicked, this, &TFMain::ButtonSaveClick);
    connect(Button1, &QPushButton::clicked, this, &TFMain::Button1Click);
    connect(ButtonReadMemo, &QPushButton::clicked, this, &TFMain::ButtonReadMemoClick);
    connect(ButtonStartStop, &QPushButton::clicked, this, &TFMain::ButtonStartStopClick);
    connect(Button2, &QPushButton::clicked, this, &TFMain::ButtonClearClick);
    connect(ButtonZagruzit, &QPushButton::clicked, this, &TFMain::ButtonZagruzitClick);
    connect(ComboBoxZ, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TFMain::ComboBoxZChange);
    connect(ChartValueBottomAxis, &QValueAxis::rangeChanged, this,
            [this] { ChartValueRangeChanged(); });
    connect(&live_, &LiveSession::rowsAdded, this, &TFMain::ShowLiveRows);
    connect(&live_, &LiveSession::cleared, this, &TFMain::ClearLiveView);
    connect(&logger_, &LoggerTable::rowsAdded, this, &TFMain::ShowLoggerRows);
    connect(&logger_, &LoggerTable::cleared, this, &TFMain::ClearLoggerRows);
    for (int i = 0; i < kLiveChartCount; ++i) {
        QChart* chart = LiveChart(i);
        auto* view = qobject_cast<ZoomChartView*>(chart->scene()->views().value(0));
        connect(BottomAxis(chart), &QValueAxis::rangeChanged, this,
                [this, i] { FillLiveChart(i); });
        if (view == nullptr) continue;
        connect(view, &ZoomChartView::viewMoved, this,
                [this, i] { LiveChartMovedByUser(i, false); });
        connect(view, &ZoomChartView::viewReset, this,
                [this, i] { LiveChartMovedByUser(i, true); });
    }
}

void TFMain::BuildClockStrip(QWidget* content) {
    PanelDataTime = new QFrame(content);
    PanelDataTime->setObjectName(QStringLiteral("PanelDataTime"));
    PanelDataTime->setFrameStyle(QFrame::Panel | QFrame::Raised);
    struct Spin {
        QSpinBox** member;
        const char* name;
        int left, width, min, max, design;
        const char* accessible;
    };
    const Spin spins[] = {
        {&CSpinEditChas, "CSpinEditChas", 3, 41, 0, 23, 16, "Час"},
        {&CSpinEditMin, "CSpinEditMin", 45, 41, 0, 59, 10, "Минута"},
        {&CSpinEditDen, "CSpinEditDen", 88, 41, 1, 31, 7, "День"},
        {&CSpinEditMes, "CSpinEditMes", 128, 41, 1, 12, 4, "Месяц"},
        {&CSpinEditGod, "CSpinEditGod", 168, 49, 2009, 2100, 2009, "Год"},
    };
    for (const Spin& s : spins) {
        auto* e = new QSpinBox(PanelDataTime);
        e->setObjectName(QString::fromLatin1(s.name));
        e->setGeometry(s.left, 3, s.width, 22);
        e->setRange(s.min, s.max);
        e->setValue(s.design);
        e->setAccessibleName(QString::fromUtf8(s.accessible));
        e->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        *s.member = e;
    }
    ButtonSave = new QPushButton(QString::fromUtf8(kSaveClockCaption), PanelDataTime);
    ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
    QFont small = ButtonSave->font();
    small.setPixelSize(10);
    ButtonSave->setFont(small);
    Button1 = new QPushButton(QString::fromUtf8(kCopyCaption), PanelDataTime);
    Button1->setObjectName(QStringLiteral("Button1"));

    StringGridM = new StringGrid(7, 10, 1, content);
    StringGridM->setObjectName(QStringLiteral("StringGridM"));
    StringGridM->setAccessibleName(QStringLiteral("Ячейки памяти"));

    ButtonReadMemo = new QPushButton(QString::fromUtf8(kReadMemoCaption), content);
    ButtonReadMemo->setObjectName(QStringLiteral("ButtonReadMemo"));
}

QValueAxis* TFMain::LeftAxis(QChart* chart) {
    const auto axes = chart->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

QValueAxis* TFMain::BottomAxis(QChart* chart) {
    const auto axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

void TFMain::BuildMenu() {
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    // Narrow item padding, so that all six commands fit the narrow window.
    MainMenu->setStyleSheet(QStringLiteral(
        "QMenuBar { spacing: 0px; padding: 0px; } QMenuBar::item { padding: 2px 3px; }"
        // The item the keyboard is on stands out, as the style draws it without a sheet.
        " QMenuBar::item:selected { background: palette(highlight); color: "
        "palette(highlighted-text); }"));
    QFont menuFont = MainMenu->font();
    menuFont.setPixelSize(11);
    MainMenu->setFont(menuFont);
    // Our own items get a mnemonic; the captions given with the menu stay as they are and
    // are reached by Alt or F10 and the arrows.
    enum Key { Given, Mnemonic };
    auto add = [this](const char* caption, const char* name, void (TFMain::*handler)(),
                      Key key = Given) {
        QAction* a = MainMenu->addAction(key == Mnemonic ? WithMnemonic(caption)
                                                         : QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    N1 = add(kMenuExport, "N1", &TFMain::N1Click);
    N5 = add(kMenuStatistics, "N5", &TFMain::N5Click);
    N6 = add(kMenuOptions, "N6", &TFMain::N6Click, Mnemonic);
    N10 = add(kMenuAssess, "N10", &TFMain::N10Click, Mnemonic);
    BuildFileMenu();
    MenuSurvey = MainMenu->addAction(QString::fromUtf8(kMenuSurveyKeyed));
    MenuSurvey->setObjectName(QStringLiteral("MenuSurvey"));
    connect(MenuSurvey, &QAction::triggered, this, &TFMain::MenuSurveyClick);
    N8 = add(kMenuAbout, "N8", &TFMain::N8Click);
    N7 = add(kMenuHelp, "N7", &TFMain::N7Click);
    N9 = add(kMenuExit, "N9", &TFMain::N9Click);
    setMenuBar(MainMenu);
    OpenMenuBarOnF10(MainMenu);
}

void TFMain::BuildFileMenu() {
    MenuFile = MainMenu->addMenu(WithMnemonic(kMenuFile));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    FileOpen = MenuFile->addAction(WithMnemonic(kMenuFileOpen));
    FileOpen->setShortcut(QKeySequence::Open);
    FileOpen->setObjectName(QStringLiteral("FileOpen"));
    connect(FileOpen, &QAction::triggered, this, [this] { FileOpenClick(); });
    FileSaveAs = MenuFile->addAction(WithMnemonic(kMenuFileSaveAs));
    FileSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAs->setObjectName(QStringLiteral("FileSaveAs"));
    connect(FileSaveAs, &QAction::triggered, this, [this] { FileSaveAsClick(); });
    MenuFile->addSeparator();
    FileClearLogger = MenuFile->addAction(QString::fromUtf8(kMenuFileClearLogger));
    FileClearLogger->setObjectName(QStringLiteral("FileClearLogger"));
    connect(FileClearLogger, &QAction::triggered, this, &TFMain::FileClearLoggerClick);
    BuildSurveyMenuItems();
}

void TFMain::BuildTimers() {
    struct T {
        QTimer** member;
        const char* name;
        int interval;
        bool enabled;
        void (TFMain::*handler)();
    };
    const T timers[] = {
        {&TimerLogo, "TimerLogo", 1000, true, &TFMain::TimerLogoTimer},
        {&TimerDataVremy, "TimerDataVremy", 60000, true, &TFMain::TimerDataVremyTimer},
    };
    for (const T& t : timers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(t.name));
        timer->setInterval(t.interval);
        connect(timer, &QTimer::timeout, this, t.handler);
        if (t.enabled) {
            timer->start();
        }
        *t.member = timer;
    }
    ConnectSession();
}

void TFMain::WriteGridHeaders() {
    for (int c = 0; c < 10; ++c) {
        StringGridD->SetCells(c, 0, QString::fromUtf8(kReadingHeaders[c]));
        StringGridL->SetCells(c, 0, QString::fromUtf8(kReadingHeaders[c]));
    }
    for (int c = 0; c < 7; ++c) {
        StringGridM->SetCells(c, 0, QString::fromUtf8(kMemoryHeaders[c]));
    }
    for (int r = 1; r <= 9; ++r) {
        StringGridM->SetCells(0, r, QString::number(r));
    }
}

void TFMain::FormCreate() {
    ChartPointsShown = 100;
    WriteGridHeaders();
    RefreshClockFields();
    session_.Start();
    readoutFace_ = InstallDisplayFonts(InstalledFontList(), RegisterFontFromResource);
    QFont digits(readoutFace_);
    digits.setPixelSize(24);
    digits.setBold(true);
    for (QLabel* l : valueLabels_) l->setFont(digits);
}

void TFMain::SetAuxWindows(QWidget* stat, QWidget* options, QWidget* logo, QWidget* help) {
    FStat_ = stat;
    FOptions_ = options;
    FLogo_ = logo;
    FHelp_ = help;
    for (QWidget* w : {stat, options, logo, help}) CloseOnEscape(w);
}

void TFMain::SetAssessWindow(TFAssess* assess) {
    FAssess_ = assess;
    CloseOnEscape(assess);
}

void TFMain::SetSurveyWindow(TFSurvey* survey) {
    FSurvey_ = survey;
    CloseOnEscape(survey);
    if (survey != nullptr) OpenMenuBarOnF10(survey->MenuBar);
}

void TFMain::CloseOnEscape(QWidget* w) {
    // Escape closes a secondary window, as in any dialog.
    if (w == nullptr) return;
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), w, w, &QWidget::hide);
    close->setContext(Qt::WindowShortcut);
}

void TFMain::SetPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= 4) return;
    QLabel* l = StatusPanels[static_cast<size_t>(panel)];
    l->setText(text);
    if (panel == 3) panel3_ = text.isEmpty() ? Activity::Empty : Activity::Result;
    // The activity panel cuts a long message at the window's edge; its tool tip holds it whole.
    if (panel == 3) l->setToolTip(text.trimmed().isEmpty() ? QString() : text);
}

void TFMain::ShowSurveySeries(const QString& text) {
    StatusSurvey->setText(text);
    StatusSurvey->setToolTip(text);
    StatusSurvey->setVisible(!text.isEmpty());
}

QString TFMain::PanelText(int panel) const {
    return panel >= 0 && panel < 4 ? StatusPanels[static_cast<size_t>(panel)]->text() : QString();
}

bool TFMain::LivePageShown() const {
    return PageControl->currentIndex() == 0;
}

void TFMain::Toggle(QWidget* w) {
    if (w == nullptr) {
        return;
    }
    if (w->isVisible()) {
        w->hide();
    } else {
        ShowWithinScreenOf(w, this);
    }
}

void TFMain::RestorePlace(const QByteArray& place, bool withSurvey) {
    if (!place.isEmpty() && restoreGeometry(place)) centred_ = true;
    surveyAtStart_ = withSurvey;
}

void TFMain::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!centred_) {
        centred_ = true;
        if (QScreen* s = screen()) {
            move(s->availableGeometry().center() - rect().center());
        }
    }
    if (surveyAtStart_ && FSurvey_ != nullptr) {
        surveyAtStart_ = false;
        ShowSurveyWindow();
    }
}

void TFMain::closeEvent(QCloseEvent* e) {
    e->accept();
    // The job running is cut short at its next byte and the worker joined; whatever it still
    // hands on comes to a window that knows it is closing.
    session_.Close();
    // A file being saved stays as it was; one being opened is not taken.
    StopFileJob();
    emit ClosingWindow();
    // The secondary windows must not keep the program alive.
    QCoreApplication::quit();
}

}  // namespace lmr
