#pragma once

#include <QWidget>

#include "measure/MeasurementSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace lmr {

class TimeMaskEdit;

// The options window. It keeps the live measurement's settings as typed values, taken from its
// controls as the user edits them (a limit or time that does not read is marked at once and
// counts as none); the scale bars tell the main window at once through their signals.
class TFOptions : public QWidget {
    Q_OBJECT
public:
    explicit TFOptions(QWidget* parent = nullptr);

    // Marks a limit or time edit as one whose text the live logic cannot use.
    void SetEditInvalid(QLineEdit* edit, bool invalid);
    // The identified model measures live: its critical-level boxes may be ticked.
    void EnableLevels();
    // The live measurement's settings as the controls now say.
    [[nodiscard]] const MeasurementSettings& Settings() const { return settings_; }

    void TrackBarYMaxChange();
    void TrackBarYMinChange();
    void TrackBarXKolChange();
    void TrackBarIntervChange();
    void ButtonCloseClick();

signals:
    // Maximum and minimum of the logger chart's value axis.
    void ValueAxisMaxChanged(double value);
    void ValueAxisMinChanged(double value);
    // How many of the newest points the live charts show.
    void PointsShownChanged(int points);
    // Interval of the live reading timer.
    void IntervalChanged(int ms);
    // A control of the live measurement changed: the settings it makes.
    void SettingsChanged(const MeasurementSettings& settings);

private:
    // The window's components, each under its own name as object name (tests find them by it).
    QGroupBox* GroupBoxLevels;
    QCheckBox* CheckBoxT;
    QLineEdit* EditTmin;
    QLineEdit* EditTmax;
    QCheckBox* CheckBoxRH;
    QLineEdit* EditRHmin;
    QLineEdit* EditRHmax;
    QCheckBox* CheckBoxV;
    QLineEdit* EditVmin;
    QLineEdit* EditVmax;
    QCheckBox* CheckBoxBeep;

    QGroupBox* GroupBoxScale;
    QSlider* TrackBarYMax;
    QLabel* StaticTextYMax;
    QSlider* TrackBarYMin;
    QLabel* StaticTextYMin;
    QSlider* TrackBarXKol;
    QLabel* StaticTextXKol;

    QGroupBox* GroupBoxInterval;
    QSlider* TrackBarInterv;
    QLabel* LabelInterv;

    QGroupBox* GroupBoxTimer;
    QCheckBox* CheckBoxTimer;
    TimeMaskEdit* MaskEditTimeN;
    TimeMaskEdit* MaskEditTimeK;

    QPushButton* ButtonClose;

    void BuildLevels();
    void BuildScale();
    void BuildInterval();
    void BuildTimer();
    void ConnectSettings();
    // The controls into settings_, marking what does not read.
    void TakeSettings();
    MeasurementSettings settings_;
};

}  // namespace lmr
