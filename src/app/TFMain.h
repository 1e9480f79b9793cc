#pragma once

#include <QChart>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLineSeries>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QValueAxis>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/MeasurementOptions.h"
#include "app/StringGrid.h"
#include "app/ZoomChartView.h"
#include "export/Uxls.h"
#include "export/WorkbookApplication.h"
#include "link/RCPThread.h"
#include "link/Unitcomport.h"
#include "logger/LoggerRow.h"
#include "measure/AlarmTone.h"
#include "measure/LiveRecord.h"
#include "windows/FormAssess.h"

namespace lmr {

// The program's working window: the instrument clock strip, the memory-cell
// table, the status bar, the live and logger pages with their charts and
// tables, the menu and the timers. Components are public members under the
// names the rest of the program (and its tests) know them by.
class TFMain final : public QMainWindow {
    Q_OBJECT
public:
    // The link and the search are the process's own; the window uses them.
    TFMain(Link& link, SearchThread& search, QWidget* parent = nullptr);
    ~TFMain() override;

    // The four secondary windows the menu shows and hides.
    void SetAuxWindows(QWidget* stat, QWidget* options, QWidget* logo, QWidget* help);
    // The assessment window: the menu shows and hides it, the protocol takes its sheet from it.
    void SetAssessWindow(TFAssess* assess);

    // Status bar: panel 0 port, 1 model, 2 measuring head, 3 activity.
    void SetPanelText(int panel, const QString& text);
    [[nodiscard]] QString PanelText(int panel) const;

    // --- Clock strip and memory cells ---
    QFrame* PanelDataTime;
    QSpinBox* CSpinEditChas;
    QSpinBox* CSpinEditMin;
    QSpinBox* CSpinEditDen;
    QSpinBox* CSpinEditMes;
    QSpinBox* CSpinEditGod;
    QPushButton* ButtonSave;
    QPushButton* Button1;
    StringGrid* StringGridM;
    QPushButton* ButtonReadMemo;
    QStatusBar* StatusBar;
    std::array<QLabel*, 4> StatusPanels{};

    // --- Pages ---
    QTabWidget* PageControl;
    QWidget* TabSheet1;
    QWidget* TabSheet3;
    QTabBar* TabSet;
    QPushButton* Button2;

    // Live page: chart panels with their pictures and charts.
    QFrame *Panel1, *Panel2, *Panel3, *Panel4, *Panel5, *Panel6;
    QLabel *Image1, *Image2, *Image3, *Image4, *Image5, *Image6;
    QChart *Chart1, *Chart2, *Chart3, *Chart4, *Chart5, *Chart6;
    ZoomChartView *ChartView1, *ChartView2, *ChartView3, *ChartView4, *ChartView5, *ChartView6;
    QLineSeries *LineSeries1, *LineSeries2, *LineSeries3, *LineSeries4, *LineSeries5;
    QLineSeries *Series11, *Series12, *Series13, *Series14;
    // Value panels, caption labels and value labels.
    QFrame *Panel7, *Panel8, *Panel9, *Panel10, *Panel11, *Panel12;
    QLabel *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20;
    QLabel *Label21, *Label22, *Label23, *Label25, *Label26, *Label27, *Label28, *Label29, *Label30;
    QPushButton* ButtonStartStop;
    StringGrid* StringGridD;

    // Logger page.
    QComboBox* ComboBoxZ;
    QChart* ChartValue;
    ZoomChartView* ChartValueView;
    QValueAxis* ChartValueLeftAxis;
    QValueAxis* ChartValueBottomAxis;
    std::array<QLineSeries*, 10> LoggerSeries{};  // Series1 … Series10
    QLineSeries *Series1, *Series2, *Series3, *Series4;
    QPushButton* ButtonZagruzit;
    StringGrid* StringGridL;

    // --- Menu and timers ---
    QMenuBar* MainMenu;
    // "Файл": the data files of the logger and live pages.
    QMenu* MenuFile;
    QAction *FileOpen, *FileSaveAs;
    QAction *N1, *N5, *N6, *N10, *N8, *N7, *N9;
    QTimer* TimerDetekt;
    QTimer* TimerInterval;
    QTimer* TimerPeriod;
    QTimer* TimerLogo;
    QTimer* TimerDataVremy;

    // --- The link ---
    [[nodiscard]] Link& TheLink() const { return link_; }
    [[nodiscard]] SearchThread& Search() const { return search_; }
    // The port every exchange opens (the one the search found).
    [[nodiscard]] int PortNumber() const { return search_.PortNumber(); }
    // True once the instrument has been identified. Before that no exchange
    // of the window may use the link: the search owns it.
    [[nodiscard]] bool Identified() const { return identified_; }
    // Says "Прибор не найден" on panel 3 and returns true while the
    // instrument has not been identified; every exchange handler asks first.
    [[nodiscard]] bool RefuseBeforeIdentification();
    // Set when the window is closing: running exchanges end at once.
    [[nodiscard]] bool Closing() const { return closing_; }
    // Hands a function to the window's thread; an exchange's thread shows texts with it.
    using PostToWindow = std::function<void(std::function<void()>)>;
    // Runs an exchange on a thread of its own while the window goes on painting and taking
    // input (so "Выход" and the close button work at once); returns when it has ended. When the
    // program quits meanwhile, the exchange is cut short and joined first. work touches no
    // widget: what it shows goes through post, which drops what is still queued at the end.
    void RunExchange(const std::function<void(const PostToWindow& post)>& work);
    [[nodiscard]] bool ExchangeRunning() const { return exchangesRunning_ > 0; }

    // --- Live measurement ---
    // Where live measurement reads its settings, and what sounds the alarm.
    void SetMeasurementOptions(MeasurementOptions* options) { options_ = options; }
    void SetTone(Tone* tone) { tone_ = tone; }
    // Every live reading since the last Clear: what the charts, the
    // statistics and the protocol read.
    [[nodiscard]] LiveRecord& Record() { return record_; }
    [[nodiscard]] const LiveRecord& Record() const { return record_; }
    [[nodiscard]] QLineSeries* LiveSeriesOf(Quantity q) const;
    [[nodiscard]] QLabel* ValueLabelOf(Quantity q) const;
    [[nodiscard]] QChart* LiveChartNamed(const char* name) const;

    // --- Protocol export ---
    // The spreadsheet application and worksheet of the latest export; the
    // next export attaches to the application.
    ExcelRefs Excel;
    // Where the protocol files go and how they are opened (tests point it elsewhere).
    WorkbookSettings ExportSettings;
    // Shows a message box of the export (tests record them instead).
    MessageSink ShowMessage;

    // --- Own state ---
    std::uint8_t InstrumentCode = 0;
    std::uint8_t HeadCode = 0;
    int ChartPointsShown = 100;

    // The left and bottom axes of a live chart.
    [[nodiscard]] static QValueAxis* LeftAxis(QChart* chart);
    [[nodiscard]] static QValueAxis* BottomAxis(QChart* chart);

    // --- Handlers ---
    void FormCreate();
    void FormResize() {}
    void TabSetChange(int newTab);
    void PageControlChange();
    void RefreshClockFields();

    void N1Click();
    void N5Click();
    void N6Click();
    void N10Click();
    void N7Click();
    void N8Click();
    void N9Click();
    void TimerLogoTimer();

    void TimerDetektTimer();

    void ButtonStartStopClick();
    void TimerIntervalTimer();
    void TimerPeriodTimer();
    void TakeReading();
    // Shows one reading's three channels and what derives from them: labels,
    // grid row, chart points, the critical-level checks and the chart windows.
    void PublishReading(float rh, float tv, float tsf);
    void ButtonClearClick();
    // Hands live chart chartIndex (in LiveCharts() order) the readings in its bottom axis's range.
    void FillLiveChart(int chartIndex);
    // The user zoomed or moved a live chart (it then stays put), or zoomed back out (reset: it
    // follows the newest readings again).
    void LiveChartMovedByUser(int chartIndex, bool reset);

    // Starts a download, or during one asks it to stop after the record in flight.
    void ButtonZagruzitClick();
    [[nodiscard]] bool Downloading() const { return downloading_; }
    void ComboBoxZChange();
    // The bottom label of logger point valueIndex: the time text of the record behind it.
    [[nodiscard]] QString ChartValueGetAxisLabel(int valueIndex) const;
    // Writes the labels of the points in the bottom axis's range (again after a zoom).
    void RelabelChartValue();
    // Points of downloaded records not yet in the logger series, with their grid rows.
    struct PendingPoints {
        std::array<LoggerPoint, 4> points;
        int gridRow;
    };
    // Merges the points into the logger series; during a download (hiddenToo false) the series
    // not shown are left for SyncLoggerSeries.
    void AddLoggerPoints(std::vector<PendingPoints>& pending, bool hiddenToo = true);
    // A record's grid row, now; its points join the pending ones.
    void AppendLoggerRow(const LoggerRow& row, std::vector<PendingPoints>& pending);
    void SyncLoggerSeries();

    // "Открыть…": a data file into the logger page as a download; "Сохранить как…": the page
    // shown into a data file. The paths are asked for unless given (tests give them).
    void FileOpenClick(const QString& path = {});
    void FileSaveAsClick(const QString& path = {});
    // Where every download is written as it arrives (tests point it elsewhere).
    QString DataFolder;

    void ButtonReadMemoClick();
    void Button1Click();
    void ButtonSaveClick();
    void TimerDataVremyTimer();

signals:
    // The identified model allows live measurement (the options window
    // enables its critical-level boxes).
    void MeasurementEnabled();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void BuildClockStrip(QWidget* content);
    void BuildLivePage();
    void BuildLoggerPage();
    void BuildMenu();
    void BuildFileMenu();
    void BuildTimers();
    void WriteGridHeaders();
    QChart* MakeLiveChart(QFrame* panel, QLabel*& image, ZoomChartView*& view, double yMin,
                          double yMax);
    QLineSeries* AddLiveSeries(QChart* chart, const char* name, QColor colour);
    QFrame* MakeValuePanel(int left, int top, QLabel*& caption1, const char* text1, QLabel*& value1,
                           QLabel** caption2 = nullptr, const char* text2 = nullptr,
                           QLabel** value2 = nullptr);
    void Toggle(QWidget* w);
    static void CloseOnEscape(QWidget* w);
    void ShowExportMessage(const ExportMessage& m);
    void StopLive();
    void PublishLabelAndCell(Quantity q, double value, bool absent = false);
    void AddChartPoint(Quantity q, double value, bool absent = false);
    QString readingTime_;  // the time of day of the reading being published
    void Publish(Quantity q, double value);
    void CheckLevel(AlarmChannel c, float value);
    // Marks the digits of q as at its critical level (level: what the label's tool tip says),
    // or back to normal (level empty).
    void ShowLevel(Quantity q, const QString& level);
    void UpdateChartWindows();
    // Points a live chart draws at most; a wider view is thinned to its peaks.
    static constexpr int kLiveChartMaxPoints = 1000;
    std::array<bool, 6> liveFollowing_{true, true, true, true, true, true};
    // When the armed timed mode last looked at the clock.
    QDateTime periodCheckedAt_;
    [[nodiscard]] bool ProbeOnly(const char* name);

    Link& link_;
    SearchThread& search_;
    bool identified_ = false;
    bool closing_ = false;
    int exchangesRunning_ = 0;
    bool downloading_ = false;
    bool identifying_ = false;
    std::atomic<bool> downloadStop_{false};
    QShortcut* downloadEscape_ = nullptr;
    // Behind each logger grid row (row 1 first) and each live reading: what a data file holds.
    std::vector<LoggerRecord> loggerRecords_;
    std::vector<QDateTime> liveTimes_;
    LiveRecord record_;
    MeasurementOptions* options_ = nullptr;
    Tone* tone_ = nullptr;
    // StringGridL row of the record behind each logger point, by point index: a second
    // download's points sit among the first's by address, its rows after them.
    std::vector<int> loggerPointRows_;
    // Every logger point by series, and which of Series1...Series4 do not hold theirs yet.
    std::array<QList<QPointF>, 4> loggerPoints_;
    std::array<bool, 4> loggerSeriesBehind_{};
    bool relabelling_ = false;
    QWidget* FStat_ = nullptr;
    QWidget* FOptions_ = nullptr;
    QWidget* FLogo_ = nullptr;
    QWidget* FHelp_ = nullptr;
    TFAssess* FAssess_ = nullptr;
    int tabSetLeaving_ = 0;
    bool centred_ = false;
    QString readoutFace_;
};

}  // namespace lmr
