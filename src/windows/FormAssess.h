#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "assess/AssessTexts.h"
#include "assess/Assessment.h"
#include "windows/AssessSource.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace lmr {

// The assessment window: the source and the time span, the period of the year, the category of
// work, the air speed measured apart, the WBGT work level and acclimatisation; the figures, each
// factor's class, the microclimate's class and the WBGT verdict, recomputed whenever an input or
// the readings change; and the place of measurement for the protocol.
class TFAssess : public QWidget {
    Q_OBJECT
public:
    explicit TFAssess(QWidget* parent = nullptr);
    ~TFAssess() override;

    // The readings to judge; the source must outlive the window (nullptr: none).
    void SetSource(const AssessSource* source);

    QComboBox* ComboBoxSource;
    QCheckBox* CheckBoxPeriod;
    QDateTimeEdit* DateTimeEditFrom;
    QDateTimeEdit* DateTimeEditTo;
    QComboBox* ComboBoxSeason;
    QLabel* LabelSeasonNote;
    QComboBox* ComboBoxCategory;
    QLineEdit* EditAirSpeed;  // m/s; empty: not measured
    QLabel* LabelAirSpeedNote;
    QComboBox* ComboBoxIrradiatedShare;  // in the order of kIrradianceByShare
    QComboBox* ComboBoxWorkLevel;  // the presets, then a rate typed into SpinBoxM
    QSpinBox* SpinBoxM;
    QCheckBox* CheckBoxAcclimatised;
    QLabel* LabelClass;
    QLabel* LabelFactor;
    QLabel* LabelWbgt;
    QTableWidget* TableFigures;
    QTableWidget* TableResults;
    std::array<QLineEdit*, kPlaceFieldCount> EditPlace{};
    QTimer* TimerRefresh;
    // The instrument's limits of error the survey keeps (none set: no uncertainty given).
    std::function<InstrumentLimits()> LimitsSource;

    // Reads the source again and shows every figure.
    void Recompute();
    // Recomputes when the readings changed since the last time.
    void TimerRefreshTimer();

    [[nodiscard]] AssessSourceKind SelectedSource() const;
    [[nodiscard]] AssessInputs Inputs() const;
    // The assessment as shown.
    [[nodiscard]] const Assessment& Current() const { return current_; }

    // The readings of kind judged with this window's inputs (its period only when kind is the
    // source chosen): what the protocol's sheet "Оценка" says of them.
    [[nodiscard]] JudgedAssessment Judged(AssessSourceKind kind) const;
    // The place of measurement as the user typed it.
    [[nodiscard]] std::array<QString, kPlaceFieldCount> Place() const;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    QGroupBox* BuildInputs();
    QLabel* BuildVerdict();
    QGroupBox* BuildPlace();
    void ConnectInputs();
    struct Judgement {
        JudgedAssessment judged;
        bool periodRefused = false;  // it ends before it starts: nothing is judged
    };
    [[nodiscard]] Judgement Judge(AssessSourceKind kind, std::vector<AssessReading> readings) const;
    [[nodiscard]] std::vector<AssessReading> ReadingsOf(AssessSourceKind kind) const;
    void ShowAssessment(const Assessment& a);
    void FollowDataPeriod(const std::vector<AssessReading>& readings);
    void FollowFirstReadingSeason(const std::vector<AssessReading>& readings);
    void CategoryChange();
    void WorkLevelChange();
    void AirSpeedChange();

    const AssessSource* source_ = nullptr;
    Assessment current_;
    qint64 seenRevision_ = -1;
    AssessSourceKind seenKind_ = AssessSourceKind::Live;
    bool placed_ = false;
    bool seasonPicked_ = false;     // the user chose the period of the year
    bool workLevelPicked_ = false;  // the user chose a WBGT work level
    std::optional<double> airSpeed_;
};

}  // namespace lmr
