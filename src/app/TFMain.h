#pragma once

#include <QChart>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineSeries>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
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
#include <memory>
#include <optional>
#include <vector>

#include "app/AlarmTone.h"
#include "app/LivePage.h"
#include "app/ProtocolExport.h"
#include "app/StringGrid.h"
#include "app/ZoomChartView.h"
#include "core/ChartPoints.h"
#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "data/DataFile.h"
#include "export/Uxls.h"
#include "instrument/MemoryCells.h"
#include "link/Unitcomport.h"
#include "logger/LoggerRow.h"
#include "meter/Identify.h"
#include "meter/LiveExchange.h"
#include "meter/LoggerDownload.h"
#include "meter/MemoryCellsExchange.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"
#include "meter/session/MeterSession.h"
#include "surveyui/FormSurvey.h"
#include "windows/FormAssess.h"

namespace lmr {

class FileJob;

// The status bar's height, as the form has it.
inline constexpr int kMainStatusHeight = 19;

// The program's working window: the instrument clock strip, the memory-cell table, the status
// bar, the live and logger pages with their charts and tables, the menu and the timers. Its
// components are its own, each under an object name (tests find them by it); other code asks
// the window for what it does, not for its widgets.
class TFMain final : public QMainWindow {
    Q_OBJECT
public:
    // The meter's session and the measurement data are the process's own; the window hands
    // the session the user's commands and shows what it and the data say.
    TFMain(MeterSession& session, LiveSession& live, LoggerTable& logger,
           QWidget* parent = nullptr);
    ~TFMain() override;

    // The four secondary windows the menu shows and hides.
    void SetAuxWindows(QWidget* stat, QWidget* options, QWidget* logo, QWidget* help);
    // The assessment window: the menu shows and hides it, the protocol takes its sheet from it.
    void SetAssessWindow(TFAssess* assess);
    // The survey window: "Обследование" shows and hides it, "Файл" makes and opens surveys in it.
    void SetSurveyWindow(TFSurvey* survey);
    // The window's size and place (maximised or not) for the next start, and taken back: the
    // window then opens there, not in the middle of the screen. With the survey window shown at
    // the end, it comes back with the main window.
    [[nodiscard]] QByteArray KeptPlace() const { return saveGeometry(); }
    void RestorePlace(const QByteArray& place, bool withSurvey);

    // The page shown is the live one ("Текущие показания"), not the logger's.
    [[nodiscard]] bool LivePageShown() const;

    // Status bar: panel 0 port, 1 model, 2 measuring head, 3 activity.
    void SetPanelText(int panel, const QString& text);
    [[nodiscard]] QString PanelText(int panel) const;

    // The survey's live series on the status bar while it records (hidden when empty).
    void ShowSurveySeries(const QString& text);

    // --- The link ---
    [[nodiscard]] MeterSession& Session() const { return session_; }
    [[nodiscard]] Link& TheLink() const { return session_.TheLink(); }
    [[nodiscard]] PortSearch& Search() const { return session_.Search(); }
    // Runs every exchange with the meter, one job at a time.
    [[nodiscard]] MeterWorker& Meter() const { return session_.Worker(); }
    // The port every exchange opens (the one the search found).
    [[nodiscard]] int PortNumber() const { return session_.PortNumber(); }
    // True once the instrument has been identified. Before that no exchange
    // of the window may use the link: the search owns it.
    [[nodiscard]] bool Identified() const { return session_.Identified(); }
    // Says "Прибор не найден" on panel 3 and returns true while the
    // instrument has not been identified; every exchange handler asks first.
    [[nodiscard]] bool RefuseBeforeIdentification();
    // Set when the window is closing: the running job has been cut short.
    [[nodiscard]] bool Closing() const { return session_.Closing(); }

    // --- Live measurement ---
    // What sounds the alarm.
    void SetTone(Tone* tone) { tone_ = tone; }
    // The live readings of this run and the logger page's records, which the window shows.
    [[nodiscard]] const LiveSession& Live() const { return live_; }
    [[nodiscard]] const LoggerTable& Logger() const { return logger_; }

    // --- Protocol export ---
    // Where the protocol files go and how they are opened (tests point it elsewhere).
    ProtocolExport ExportSettings;
    // Shows a message box of the export (tests record them instead).
    MessageSink ShowMessage;

    // --- Own state ---
    int ChartPointsShown = 100;
    // What the options window's scale bars set: the logger chart's value axis, the live
    // charts' width in points (from the next reading).
    void SetLoggerAxisMax(double v) { ChartValueLeftAxis->setMax(v); }
    void SetLoggerAxisMin(double v) { ChartValueLeftAxis->setMin(v); }
    void SetChartPointsShown(int points) { ChartPointsShown = points; }

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
    void MenuSurveyClick();
    void TimerLogoTimer();

    // The session's ticks and commands, by the window's names.
    void TimerDetektTimer() { session_.DetectTick(); }

    void ButtonStartStopClick();
    void TimerIntervalTimer() { session_.TakeReading(); }
    void TimerPeriodTimer() { session_.PeriodTick(); }
    void TakeReading() { session_.TakeReading(); }
    void PublishReading(float rh, float tv, float tsf, int missedBefore = 0) {
        session_.PublishReading(rh, tv, tsf, missedBefore);
    }
    void ButtonClearClick();
    // Hands live chart chartIndex (in LiveChartRows() order) the readings in its bottom axis's
    // range.
    void FillLiveChart(int chartIndex);
    // The user zoomed or moved a live chart (it then stays put), or zoomed back out (reset: it
    // follows the newest readings again).
    void LiveChartMovedByUser(int chartIndex, bool reset);

    // Starts a download, or during one asks it to stop after the record in flight.
    void ButtonZagruzitClick();
    [[nodiscard]] bool Downloading() const { return session_.Downloading(); }
    void ComboBoxZChange();
    // The bottom label of logger point valueIndex: the time text of the record behind it.
    [[nodiscard]] QString ChartValueGetAxisLabel(int valueIndex) const;
    // Writes the labels of the points in the bottom axis's range (again after a zoom).
    void RelabelChartValue();
    // Merges the points of the rows shown since into the logger series; with hiddenToo false
    // the series not shown are left for SyncLoggerSeries.
    void FlushLoggerPoints(bool hiddenToo);
    void SyncLoggerSeries();
    // Series s shows its points in the bottom axis's range.
    void FillLoggerSeries(int s);
    // The bottom axis's range moved (the points or a zoom): the series and labels follow it.
    void ChartValueRangeChanged();

    // "Открыть…": a data file into the logger page as a download; "Сохранить как…": the page
    // shown into a data file. The paths are asked for unless given (tests give them).
    void FileOpenClick(const QString& path = {});
    void FileSaveAsClick(const QString& path = {});
    // A file being opened or saved (on a thread of its own; the window's file commands and
    // downloads wait for it).
    [[nodiscard]] bool FileBusy() const { return fileJob_ != nullptr; }
    // "Очистить таблицу логгера": the logger page starts empty again.
    void FileClearLoggerClick();
    // The data file the logger page's rows came from; empty after a download or a clearing.
    [[nodiscard]] const QString& LoggerFile() const { return loggerFile_; }
    // The file "Сохранить как…" writes, asked for; whether an existing file is to be replaced
    // (tests answer instead of the user).
    std::function<QString()> AskSavePath = [this] { return AskSaveDataPath(); };
    std::function<bool(const QString& path)> AskReplace = [this](const QString& path) {
        return AskReplaceDataFile(path);
    };
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
    // The window closes and ends the program: the other windows are still as the user left
    // them (the program's end closes them all next).
    void ClosingWindow();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // The window's components, under the names (and object names) the form gives them; tests
    // find them by those names.
    // Clock strip and memory cells
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
    // The survey's live series, shown while it records (hidden otherwise).
    QLabel* StatusSurvey;

    // Pages
    QTabWidget* PageControl;
    QWidget* TabSheet1;
    QWidget* TabSheet3;
    QTabBar* TabSet;
    QPushButton* Button2;

    // Live page: the charts (LiveChartRows() order), each quantity's curve and digits (by
    // Quantity); the panels, pictures and captions are the page's own, named as in its tables.
    std::array<QChart*, kLiveChartCount> liveCharts_{};
    std::array<QLineSeries*, kQuantityCount> liveSeries_{};
    std::array<QLabel*, kQuantityCount> valueLabels_{};
    QPushButton* ButtonStartStop;
    StringGrid* StringGridD;

    // Logger page.
    QComboBox* ComboBoxZ;
    QChart* ChartValue;
    ZoomChartView* ChartValueView;
    QValueAxis* ChartValueLeftAxis;
    QValueAxis* ChartValueBottomAxis;
    std::array<QLineSeries*, 10> LoggerSeries{};  // Series1 … Series10
    QPushButton* ButtonZagruzit;
    StringGrid* StringGridL;

    // Menu and timers
    QMenuBar* MainMenu;
    // "Файл": the data files of the logger and live pages.
    QMenu* MenuFile;
    QAction *FileOpen, *FileSaveAs, *FileClearLogger;
    // "Файл": the surveys; the top-level "Обследование".
    QAction *FileNewSurvey, *FileOpenSurvey;
    QMenu* MenuRecentSurveys;
    QAction* MenuSurvey;
    QAction *N1, *N5, *N6, *N10, *N8, *N7, *N9;
    // The session has the connection's and the live measurement's timers.
    QTimer* TimerLogo;
    QTimer* TimerDataVremy;

    [[nodiscard]] QLineSeries* LiveSeriesOf(Quantity q) const;
    [[nodiscard]] QLabel* ValueLabelOf(Quantity q) const;
    // The live chart of LiveChartRows()' row chartIndex.
    [[nodiscard]] QChart* LiveChart(int chartIndex) const;

    void BuildClockStrip(QWidget* content);
    void BuildPages(QWidget* content);
    void BuildStatusBar();
    void ConnectHandlers();
    // The start size and the largest one: the whole form.
    void SizeToForm(const QScrollArea& scroll);
    // The form's places: as designed, or, maximised on a screen narrower than the form, closer
    // together so that the whole of it is in view at 1024 × 600 without scrolling.
    // compactWidth: 0 as designed, else the width to fit.
    void ArrangeForm(int compactWidth);
    int compactWidth_ = 0;
    void BuildLivePage();
    void BuildLoggerPage();
    void BuildMenu();
    void BuildFileMenu();
    void BuildSurveyMenuItems();
    // Shows the survey window where it is not in view.
    void ShowSurveyWindow();
    QString AskSaveDataPath();
    // Runs work on the file job's thread with a progress window that can stop it; done gets
    // whether it was asked to stop, on the window's thread.
    void StartFileJob(const QString& text, std::function<void(const DataProgress&)> work,
                      std::function<void(bool stopped)> done);
    // Stops the file job and waits for its thread; its end is not taken.
    void StopFileJob();
    bool AskReplaceDataFile(const QString& path);
    void BuildTimers();
    void WriteGridHeaders();
    QChart* MakeLiveChart(double yMin, double yMax);
    QLineSeries* AddLiveSeries(QChart* chart, const char* name, QColor colour);
    QFrame* MakeValuePanel(const ValuePanelRow& row);
    void AddValuePair(QFrame* panel, const LiveQuantityRow& q);
    // The views of the measurement data: the live session's and the logger table's new rows
    // into the grids, the digits and the charts.
    void ShowLiveRows(int first, int count);
    void ClearLiveView();
    void ShowLoggerRows(int first, int count);
    // The logger table was cleared: so are its grid and its chart.
    void ClearLoggerRows();
    void Toggle(QWidget* w);
    static void CloseOnEscape(QWidget* w);
    void ShowExportMessage(const ExportMessage& m);
    // Rows of StringGridD that follow a gap, with the readings missed before them.
    QHash<int, int> liveGapRows_;
    // The session's news on the status bar, the start button and the digits.
    void ConnectSession();
    void ShowPortFound(int port);
    void ShowIdentified();
    void ShowPortLost();
    void ShowLiveMode(LiveMode mode);
    void ShowLiveNote(const LiveNote& note);
    void ShowLevelNote(const LevelNote& note);
    // Marks the digits of q as at its critical level (level: what the label's tool tip says),
    // or back to normal (level empty).
    void ShowLevel(Quantity q, const QString& level);
    void UpdateChartWindows();
    // Points a live chart draws at most; a wider view is thinned to its peaks.
    static constexpr int kLiveChartMaxPoints = 1000;
    std::array<bool, 6> liveFollowing_{true, true, true, true, true, true};
    // Hands fn to the window's thread (from the worker's: progress and ends of jobs).
    void Post(std::function<void()> fn);
    // A search note on panel 3; "still searching" (text) only where no result stands.
    void ShowSearchNote(const SearchNote& note);
    void ShowStillSearching(const QString& text);
    // Panel 3 at the end of a job.
    [[nodiscard]] QString JobEndText(JobKind job, MeterStatus status, int count) const;
    void ShowJobEnd(JobKind job, MeterStatus status, int count);
    void ShowDownloadProgress(int records, qint64 elapsedMs);
    void ShowDownloadEnd(const DownloadResult& result, const QString& fileError);
    void ShowMemoryCells(const MemoryReading& reading);

    MeterSession& session_;
    // What panel 3 holds: nothing yet, what the search or its tick said, or a result of a
    // command or a job (which "still searching" leaves for the user to read).
    enum class Activity { Empty, Search, Result };
    Activity panel3_ = Activity::Empty;
    FileJob* fileJob_ = nullptr;
    QProgressDialog* fileProgress_ = nullptr;
    QShortcut* downloadEscape_ = nullptr;
    LiveSession& live_;
    LoggerTable& logger_;
    MemoryCells cells_;  // what StringGridM shows and the clipboard gets
    Tone* tone_ = nullptr;
    // Every logger point, X (the address) ascending, with the logger table row behind it: a
    // second download's points sit among the first's by address, its rows after them. Series
    // s of the chart shows those of values s in the bottom axis's range, thinned.
    TenthsPoints<kLoggerSeries> loggerPoints_;
    // Points of rows shown but not yet among them.
    TenthsPoints<kLoggerSeries> pendingPoints_;
    QElapsedTimer sinceLoggerChart_;
    // Which of Series1...Series4 do not show their points yet.
    std::array<bool, 4> loggerSeriesBehind_{};
    QWidget* FStat_ = nullptr;
    QWidget* FOptions_ = nullptr;
    QWidget* FLogo_ = nullptr;
    QWidget* FHelp_ = nullptr;
    TFAssess* FAssess_ = nullptr;
    TFSurvey* FSurvey_ = nullptr;
    QString loggerFile_;
    int tabSetLeaving_ = 0;
    bool centred_ = false;
    bool surveyAtStart_ = false;
    QString readoutFace_;
};

}  // namespace lmr
