#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace lmr {

class TimeMaskEdit;

// The options window. Its controls are the only store of the operator's
// settings: the four track bars tell the main window at once through the
// signals, everything else is read from the controls when it is needed.
class TFOptions : public QWidget {
    Q_OBJECT
public:
    explicit TFOptions(QWidget* parent = nullptr);

    // Marks a limit or time edit as one whose text the live logic cannot use.
    void SetEditInvalid(QLineEdit* edit, bool invalid);

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

private:
    void BuildLevels();
    void BuildScale();
    void BuildInterval();
    void BuildTimer();
};

}  // namespace lmr
