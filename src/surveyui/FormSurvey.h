#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "data/FileJob.h"
#include "protocol/ProtocolContent.h"
#include "survey/LoggerSpan.h"
#include "survey/SurveyDocument.h"
#include "surveyui/SurveyHost.h"

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QSettings;
class QTabWidget;
class QTableWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace lmr {

class DateField;

// The survey window: the tree of workplaces, points and heights; the survey's and the
// instrument's fields; the selected item's fields, its measurements, their figures and the
// assessment; live measurement and logger spans for a height; the protocol. Every edit goes to
// the survey file at once.
class TFSurvey : public QWidget {
    Q_OBJECT
public:
    // The host and the settings must outlive the window; settings may be null (nothing kept).
    TFSurvey(SurveyHost& host, QSettings* settings, QWidget* parent = nullptr);
    ~TFSurvey() override;

    // --- The survey ---
    // A new survey (at path, or asked for), an existing one, the recent ones.
    void NewSurvey(const QString& path = {});
    void OpenSurvey(const QString& path = {});
    // The survey opened last time, opened again without showing the window.
    void ReopenLast();
    // Fills menu with the recent surveys, each opening its file (the menu's triggered says
    // one was chosen).
    void FillRecentMenu(QMenu* menu);
    [[nodiscard]] const SurveyDocument* Document() const { return doc_.get(); }
    // The window's size and place, whether it is shown and the item chosen, kept in the
    // settings for the next start; taken back (after ReopenLast), true when it was shown.
    void KeepWindow() const;
    [[nodiscard]] bool RestoreWindow();

    // --- The window's own menu: the survey's file and its protocol ---
    QMenuBar* MenuBar;
    QMenu* MenuSurveyFile;
    QMenu* MenuRecent;

    // --- The tree ---
    QTreeWidget* TreeSurvey;
    QPushButton* ButtonAddWorkplace;
    QPushButton* ButtonAddPoint;
    QPushButton* ButtonAddHeight;
    QPushButton* ButtonRemove;
    void ButtonAddWorkplaceClick();
    void ButtonAddPointClick();
    void ButtonAddHeightClick();
    void ButtonRemoveClick();
    // Selects the item of that level and id in the tree.
    void Select(SurveyLevel level, qint64 id);

    QTabWidget* Pages;
    // --- The survey's and the instrument's fields ---
    QLineEdit *EditOrganisation, *EditAddress, *EditCustomer, *EditPurpose, *EditProtocolNumber;
    DateField *DateProtocol, *DateFirst, *DateLast;
    QLineEdit* EditOperators;
    QComboBox* ComboSeason;
    QComboBox* ComboKind;
    QLineEdit* EditOutdoor;
    QLabel* LabelOutdoorNote;
    QLineEdit *EditModel, *EditHead, *EditSerial, *EditCertificate;
    DateField *DateCertificate, *DateValidUntil;
    QLineEdit *EditErrorAir, *EditErrorRh, *EditErrorGlobe, *EditErrorSpeed, *EditErrorSpeedPercent;
    QLabel* LabelErrorNote;
    QPushButton* ButtonFromMeter;
    void ButtonFromMeterClick();
    QLineEdit *EditTypeName, *EditRegisterNumber, *EditRanges;
    // The laboratory that issues the protocol, and the method it measures by.
    QLineEdit *EditLabName, *EditLabAddress, *EditLabAccreditation, *EditLabHead, *EditLabCompiler;
    QLineEdit* EditMethod;

    // --- The selected item ---
    QLabel* LabelChoose;
    QGroupBox* GroupWorkplace;
    QLineEdit* EditWorkplaceName;
    QComboBox* ComboCategory;
    QComboBox* ComboPosture;
    QDoubleSpinBox* SpinShiftHours;
    QGroupBox* GroupPoint;
    QLineEdit* EditPointName;
    QGroupBox* GroupHeight;
    QDoubleSpinBox* SpinHeight;
    QLineEdit* EditAirSpeed;
    QLabel* LabelAirSpeedNote;
    QComboBox* ComboIrradiatedShare;
    QTableWidget* TableMeasurements;
    QPushButton* ButtonRemoveMeasurement;
    QPushButton* ButtonMoveMeasurement;
    QTableWidget* TableFigures;
    QLabel* LabelVerdict;
    void ButtonRemoveMeasurementClick();
    // The chosen measurement (the first without a choice) to a height asked for.
    void ButtonMoveMeasurementClick();

    // --- Measuring and the protocol ---
    QPushButton* ButtonLive;
    QPushButton* ButtonTakeSpan;
    QPushButton* ButtonProtocolPdf;
    QPushButton* ButtonProtocolXlsx;
    QPushButton* ButtonPrint;
    QLabel* LabelStatus;
    // Starts a live measurement of the selected height, or stops the one running.
    void ButtonLiveClick();
    [[nodiscard]] bool Recording() const { return liveHeight_ != 0; }
    void ButtonTakeSpanClick();
    // The protocol of the survey into a file (at path, or asked for), or to the printer.
    void ButtonProtocolPdfClick(const QString& path = {});
    void ButtonProtocolXlsxClick(const QString& path = {});
    void ButtonPrintClick();
    // A protocol is being written on a thread of its own; the window goes on answering.
    [[nodiscard]] bool WritingProtocol() const { return protocolJob_ != nullptr; }

    // Text typed but not yet written goes to the file now (it goes by itself shortly after
    // the typing stops, and when the field is left).
    void WritePending();

    // What the window asks the user; tests answer instead.
    // A file to open (suffix empty) or to write (with suffix given to a name typed without, and
    // the name proposed).
    std::function<QString(const QString& caption, const QString& filter, const QString& suffix,
                          const QString& proposed)>
        AskPath;
    std::function<std::optional<TimeSpan>(const TimeSpan& whole)> AskSpan;
    std::function<bool(const QString& question)> AskConfirm;
    // What the protocol is written with in spite of it; it is written all the same.
    std::function<void(const QString& text)> ShowWarning;
    // The height to move a measurement to, from the heights given (id and place); none: kept.
    std::function<std::optional<qint64>(const QString& what,
                                        const std::vector<std::pair<qint64, QString>>& heights)>
        AskHeight;
    // Whether readings that may not belong to a height go into it all the same.
    std::function<bool(const QString& question)> AskMixing;

protected:
    void hideEvent(QHideEvent* e) override;

private:
    void MarkReadingsOutside(QTreeWidgetItem* item, const SurveyHeight& h);
    // Tells what the survey's protocol will say is doubtful or missing, before it is written.
    void WarnOfCautions();
    void BuildMenu();
    QWidget* BuildTree();
    QWidget* BuildSurveyPage();
    QGroupBox* BuildHeaderGroup();
    QGroupBox* BuildInstrumentGroup();
    QGroupBox* BuildLaboratoryGroup();
    void ShowLaboratoryFields(const Survey& s);
    void WriteLaboratory();
    QWidget* BuildItemPage();
    QWidget* BuildButtons();
    void ConnectFields();
    void ConnectItemFields();

    void TakeDocument(std::unique_ptr<SurveyDocument> doc, const QString& said);
    // Live series a killed program left recording are ended; what to say of each.
    [[nodiscard]] QStringList EndCutSeries();
    void Say(const QString& text);
    // A failed write: the file's reason, and the window shows the file's survey again.
    void SayFailure(const Outcome& r);
    // A live series, measured now, widens the survey's days; a logger span never does: the
    // logger may hold anything it kept, and its readings outside the days are marked instead.
    void FollowMeasurementDates(const SurveyMeasurement& m);
    void Check(const Outcome& r);
    void EnableAll();

    // The tree anew from the survey (after items came or went), or its texts and classes again.
    void FillTree();
    void RefreshTree();
    [[nodiscard]] std::optional<std::pair<SurveyLevel, qint64>> Selected() const;
    [[nodiscard]] SurveyDocument::Place SelectedPlace() const;
    void ShowSurveyFields();
    // The selected item's fields and results; its results alone (after readings came).
    void ShowItem();
    void ShowResults();
    void ShowMeasurements(const SurveyDocument::Place& place);
    void ShowFigures(const SurveyDocument::Place& place);
    void ShowVerdict(const SurveyDocument::Place& place);
    // The measurement chosen in the table, the first without a choice; 0 without any.
    [[nodiscard]] qint64 ChosenMeasurement() const;

    void WriteHeader();
    void WriteInstrument();
    void WriteWorkplace();
    void WritePoint();
    void WriteHeight();
    void FieldEdited();

    void WriteProtocol(const QString& chosen, const char* filter, const char* suffix,
                       Outcome (*write)(const ProtocolContent&, const QString&,
                                        const DataProgress&));
    void TakeLiveRows(int first, int count);
    void StopRecording();
    void WatchLive();
    void SayRecording();
    // "«Пульт», «Точка 1», высота 1 м"; empty without a height.
    [[nodiscard]] static QString PlaceText(const SurveyDocument::Place& place);
    // Whether readings go into the height: asked when SpanDoubts has doubts about them.
    [[nodiscard]] bool ConfirmMixing(const std::vector<Reading>& readings, qint64 heightId);

    SurveyHost& host_;
    QSettings* settings_;
    std::unique_ptr<SurveyDocument> doc_;
    QTimer* timerWrite_ = nullptr;
    bool pending_ = false;
    bool showing_ = false;  // fields are being filled from the survey, not edited
    // The live measurement: the height it is for, its measurement once the first reading came,
    // the live session's rows before it, and whether the window started the main window's.
    qint64 liveHeight_ = 0;
    qint64 liveMeasurement_ = 0;
    int liveRowsBefore_ = 0;
    bool liveStartedHere_ = false;
    // The main window's measurement may end without us (its Стоп, its period, a meter gone):
    // the series ends with it, so a later start's readings never join it.
    QTimer* timerLiveWatch_ = nullptr;
    bool liveSeenRunning_ = false;
    int liveWatchTicks_ = 0;
    QString folder_;  // where the file dialogs start
    // The protocol being written; closing the window stops it at its next page.
    FileJob* protocolJob_ = nullptr;
    QString writingPath_;  // its file, as shown
};

}  // namespace lmr
