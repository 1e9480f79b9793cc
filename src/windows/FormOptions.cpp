#include "windows/FormOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "measure/NumberText.h"
#include "measure/TimeWindow.h"
#include "windows/TimeMaskEdit.h"
#include "windows/WindowPlacement.h"

namespace lmr {

namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 445;
const QColor kInvalidBack(0xFF, 0xC8, 0xC8);

QSlider* TrackBar(QWidget* parent, const char* name, int min, int max, int start, int tick) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(min, max);
    bar->setValue(start);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(tick);
    bar->setPageStep(tick);
    return bar;
}

QLineEdit* LimitEdit(QWidget* parent, const char* name, const QString& accessible) {
    auto* edit = new QLineEdit(QStringLiteral("0.0"), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessible);
    return edit;
}

}  // namespace

TFOptions::TFOptions(QWidget* parent) : QWidget(parent, FixedWindowFlags()) {
    setWindowTitle(QStringLiteral("Настройки"));
    PlaceFixedWindow(this, kClientWidth, kClientHeight);
    BuildLevels();
    BuildScale();
    BuildInterval();
    BuildTimer();

    ButtonClose = new QPushButton(QStringLiteral("Закрыть"), this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    ButtonClose->setGeometry(0, kClientHeight - 25, kClientWidth, 25);

    connect(TrackBarYMax, &QSlider::valueChanged, this, &TFOptions::TrackBarYMaxChange);
    connect(TrackBarYMin, &QSlider::valueChanged, this, &TFOptions::TrackBarYMinChange);
    connect(TrackBarXKol, &QSlider::valueChanged, this, &TFOptions::TrackBarXKolChange);
    connect(TrackBarInterv, &QSlider::valueChanged, this, &TFOptions::TrackBarIntervChange);
    connect(ButtonClose, &QPushButton::clicked, this, &TFOptions::ButtonCloseClick);
    ConnectSettings();
    TakeSettings();
}

void TFOptions::ConnectSettings() {
    for (QCheckBox* box : {CheckBoxT, CheckBoxRH, CheckBoxV, CheckBoxBeep, CheckBoxTimer}) {
        connect(box, &QCheckBox::toggled, this, &TFOptions::TakeSettings);
    }
    for (QLineEdit* e : {EditTmin, EditTmax, EditRHmin, EditRHmax, EditVmin, EditVmax,
                         static_cast<QLineEdit*>(MaskEditTimeN),
                         static_cast<QLineEdit*>(MaskEditTimeK)}) {
        connect(e, &QLineEdit::textChanged, this, &TFOptions::TakeSettings);
    }
    connect(TrackBarInterv, &QSlider::valueChanged, this, &TFOptions::TakeSettings);
}

void TFOptions::EnableLevels() {
    for (QCheckBox* box : {CheckBoxT, CheckBoxRH, CheckBoxV}) box->setEnabled(true);
}

void TFOptions::TakeSettings() {
    // The number written in an edit is the limit; text that is no number is no limit.
    const auto limit = [this](QLineEdit* edit) -> std::optional<LimitValue> {
        const std::optional<double> v = ParseDecimal(edit->text());
        SetEditInvalid(edit, !v);
        if (!v) return std::nullopt;
        return LimitValue{*v, edit->text().trimmed()};
    };
    const auto time = [this](TimeMaskEdit* edit) {
        const WindowTime t = ParseWindowTime(edit->TimeText());
        SetEditInvalid(edit, t.state == WindowTimeState::Invalid);
        return t.time;
    };
    MeasurementSettings s;
    s.intervalMs = TrackBarInterv->value() * 1000;
    const struct {
        AlarmChannel c;
        QCheckBox* box;
        QLineEdit* max;
        QLineEdit* min;
    } rows[] = {{AlarmChannel::Tv, CheckBoxT, EditTmax, EditTmin},
                {AlarmChannel::Rh, CheckBoxRH, EditRHmax, EditRHmin},
                {AlarmChannel::Tsf, CheckBoxV, EditVmax, EditVmin}};
    for (const auto& r : rows) {
        s.Limits(r.c) = {r.box->isChecked(), limit(r.max), limit(r.min)};
    }
    s.beep = CheckBoxBeep->isChecked();
    s.timed = CheckBoxTimer->isChecked();
    s.start = time(MaskEditTimeN);
    s.end = time(MaskEditTimeK);
    settings_ = s;
    emit SettingsChanged(settings_);
}

void TFOptions::BuildLevels() {
    GroupBoxLevels = new QGroupBox(QStringLiteral("Критические уровни"), this);
    GroupBoxLevels->setObjectName(QStringLiteral("GroupBoxLevels"));
    GroupBoxLevels->setGeometry(4, 2, 290, 130);
    auto* titleMin = new QLabel(QStringLiteral("min"), GroupBoxLevels);
    titleMin->setGeometry(100, 17, 80, 16);
    titleMin->setAlignment(Qt::AlignCenter);
    auto* titleMax = new QLabel(QStringLiteral("max"), GroupBoxLevels);
    titleMax->setGeometry(190, 17, 80, 16);
    titleMax->setAlignment(Qt::AlignCenter);

    const auto row = [this](QCheckBox*& box, QLineEdit*& min, QLineEdit*& max, const char* names[3],
                            const QString& caption, int y) {
        box = new QCheckBox(caption, GroupBoxLevels);
        box->setObjectName(QString::fromLatin1(names[0]));
        box->setGeometry(10, y, 84, 22);
        min = LimitEdit(GroupBoxLevels, names[1], caption + QStringLiteral(" min"));
        min->setGeometry(100, y, 80, 22);
        max = LimitEdit(GroupBoxLevels, names[2], caption + QStringLiteral(" max"));
        max->setGeometry(190, y, 80, 22);
    };
    const char* t[3] = {"CheckBoxT", "EditTmin", "EditTmax"};
    const char* rh[3] = {"CheckBoxRH", "EditRHmin", "EditRHmax"};
    const char* v[3] = {"CheckBoxV", "EditVmin", "EditVmax"};
    row(CheckBoxT, EditTmin, EditTmax, t, QStringLiteral("tв."), 34);
    row(CheckBoxRH, EditRHmin, EditRHmax, rh, QStringLiteral("RH"), 59);
    row(CheckBoxV, EditVmin, EditVmax, v, QStringLiteral("tш."), 84);

    CheckBoxBeep = new QCheckBox(QStringLiteral("звуковая индикация"), GroupBoxLevels);
    CheckBoxBeep->setObjectName(QStringLiteral("CheckBoxBeep"));
    CheckBoxBeep->setGeometry(10, 106, 200, 22);
}

void TFOptions::BuildScale() {
    GroupBoxScale = new QGroupBox(QStringLiteral("Масштаб"), this);
    GroupBoxScale->setObjectName(QStringLiteral("GroupBoxScale"));
    GroupBoxScale->setGeometry(4, 134, 290, 108);
    auto* rowY = new QLabel(QStringLiteral("Y"), GroupBoxScale);
    rowY->setGeometry(8, 38, 14, 18);
    auto* rowX = new QLabel(QStringLiteral("X"), GroupBoxScale);
    rowX->setGeometry(8, 80, 14, 18);

    TrackBarYMax = TrackBar(GroupBoxScale, "TrackBarYMax", 1, 100, 100, 2);
    TrackBarYMax->setGeometry(24, 16, 190, 28);
    StaticTextYMax = new QLabel(QStringLiteral("Max 100"), GroupBoxScale);
    StaticTextYMax->setObjectName(QStringLiteral("StaticTextYMax"));
    StaticTextYMax->setGeometry(220, 20, 64, 18);
    TrackBarYMin = TrackBar(GroupBoxScale, "TrackBarYMin", 0, 99, 0, 2);
    TrackBarYMin->setGeometry(24, 46, 190, 28);
    StaticTextYMin = new QLabel(QStringLiteral("Min 0"), GroupBoxScale);
    StaticTextYMin->setObjectName(QStringLiteral("StaticTextYMin"));
    StaticTextYMin->setGeometry(220, 50, 64, 18);
    TrackBarXKol = TrackBar(GroupBoxScale, "TrackBarXKol", 100, 500, 100, 10);
    TrackBarXKol->setGeometry(24, 76, 190, 28);
    StaticTextXKol = new QLabel(QStringLiteral("Kol 100"), GroupBoxScale);
    StaticTextXKol->setObjectName(QStringLiteral("StaticTextXKol"));
    StaticTextXKol->setGeometry(220, 80, 64, 18);
    TrackBarYMax->setAccessibleName(QStringLiteral("Y max"));
    TrackBarYMin->setAccessibleName(QStringLiteral("Y min"));
    TrackBarXKol->setAccessibleName(QStringLiteral("X"));
}

void TFOptions::BuildInterval() {
    GroupBoxInterval = new QGroupBox(QStringLiteral("Интервал"), this);
    GroupBoxInterval->setObjectName(QStringLiteral("GroupBoxInterval"));
    GroupBoxInterval->setGeometry(4, 244, 290, 78);
    TrackBarInterv = TrackBar(GroupBoxInterval, "TrackBarInterv", 3, 600, 3, 9);
    TrackBarInterv->setGeometry(8, 16, 274, 28);
    auto* low = new QLabel(QStringLiteral("3"), GroupBoxInterval);
    low->setGeometry(10, 43, 30, 14);
    auto* high = new QLabel(QStringLiteral("600"), GroupBoxInterval);
    high->setGeometry(240, 43, 40, 14);
    high->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelInterv = new QLabel(QStringLiteral("Интервал измерений, 3 сек."), GroupBoxInterval);
    LabelInterv->setObjectName(QStringLiteral("LabelInterv"));
    LabelInterv->setGeometry(8, 58, 274, 16);
    LabelInterv->setAlignment(Qt::AlignCenter);
    TrackBarInterv->setAccessibleName(QStringLiteral("Интервал измерений"));
}

void TFOptions::BuildTimer() {
    GroupBoxTimer = new QGroupBox(QStringLiteral("Таймер"), this);
    GroupBoxTimer->setObjectName(QStringLiteral("GroupBoxTimer"));
    GroupBoxTimer->setGeometry(4, 324, 290, 92);
    CheckBoxTimer = new QCheckBox(QStringLiteral("Вкл./Выкл."), GroupBoxTimer);
    CheckBoxTimer->setObjectName(QStringLiteral("CheckBoxTimer"));
    CheckBoxTimer->setGeometry(10, 18, 200, 22);

    const auto time = [this](const QString& caption, const char* name, int y) {
        auto* label = new QLabel(caption, GroupBoxTimer);
        label->setGeometry(10, y + 2, 160, 18);
        auto* edit = new TimeMaskEdit(GroupBoxTimer);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(caption);
        edit->setGeometry(190, y, 60, 22);
        label->setBuddy(edit);
        return edit;
    };
    MaskEditTimeN = time(QStringLiteral("Начало измерений"), "MaskEditTimeN", 42);
    MaskEditTimeK = time(QStringLiteral("Конец измерений"), "MaskEditTimeK", 66);
}

void TFOptions::SetEditInvalid(QLineEdit* edit, bool invalid) {
    if (edit == nullptr) return;
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     invalid ? kInvalidBack : this->palette().color(QPalette::Base));
    edit->setPalette(palette);
    const bool isTime = edit == MaskEditTimeN || edit == MaskEditTimeK;
    edit->setToolTip(!invalid ? QString()
                     : isTime ? QStringLiteral("Нет такого времени")
                              : QStringLiteral("Не число"));
    edit->setAccessibleDescription(edit->toolTip());
}

// The two scale bars keep the maximum at least one above the minimum by pushing the moved
// bar back a step; setting the position runs the handler again for the new position.
void TFOptions::TrackBarYMaxChange() {
    const int position = TrackBarYMax->value();
    if (position <= TrackBarYMin->value()) {
        TrackBarYMax->setValue(position + 1);
        return;
    }
    emit ValueAxisMaxChanged(position);
    StaticTextYMax->setText(QStringLiteral("Max ") + QString::number(position));
}

void TFOptions::TrackBarYMinChange() {
    const int position = TrackBarYMin->value();
    if (TrackBarYMax->value() <= position) {
        TrackBarYMin->setValue(position - 1);
        return;
    }
    emit ValueAxisMinChanged(position);
    StaticTextYMin->setText(QStringLiteral("Min ") + QString::number(position));
}

void TFOptions::TrackBarXKolChange() {
    const int position = TrackBarXKol->value();
    emit PointsShownChanged(position);
    StaticTextXKol->setText(QString::number(position));
}

// The moved label is written with Latin "cek." while its start text has the Cyrillic "сек.";
// both read the same on screen.
void TFOptions::TrackBarIntervChange() {
    const int position = TrackBarInterv->value();
    emit IntervalChanged(position * 1000);
    LabelInterv->setText(QStringLiteral("Интервал измерений, ") + QString::number(position) +
                         QStringLiteral(" cek."));
}

void TFOptions::ButtonCloseClick() {
    close();
}

}  // namespace lmr
