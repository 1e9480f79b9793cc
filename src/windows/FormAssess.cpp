#include "windows/FormAssess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include "measure/NumberText.h"

namespace lmr {

namespace {

constexpr double kMaxAirSpeed = 50;  // m/s; more is a typing slip

// The class's colour: 1 and 2 green, 3.1 … 3.4 yellow to red, 4 dark red; text that reads on it.
struct ClassColours {
    QColor back;
    QColor text;
};
ClassColours ColoursOf(ConditionsClass c) {
    switch (c) {
        case ConditionsClass::C1:
            return {QColor(0x2e, 0xb8, 0x5c), Qt::black};
        case ConditionsClass::C2:
            return {QColor(0x8b, 0xc3, 0x4a), Qt::black};
        case ConditionsClass::C31:
            return {QColor(0xff, 0xee, 0x58), Qt::black};
        case ConditionsClass::C32:
            return {QColor(0xff, 0xc1, 0x07), Qt::black};
        case ConditionsClass::C33:
            return {QColor(0xff, 0x8f, 0x00), Qt::black};
        case ConditionsClass::C34:
            return {QColor(0xe5, 0x39, 0x35), Qt::white};
        case ConditionsClass::C4:
            return {QColor(0x8b, 0x00, 0x00), Qt::white};
    }
    return {Qt::white, Qt::black};
}

QDateTime WallDateTime(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

void SetItem(QTableWidget* t, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = t->item(row, column)) {
        item->setText(text);
    } else {
        t->setItem(row, column, new QTableWidgetItem(text));
    }
}

}  // namespace

TFAssess::~TFAssess() = default;

void TFAssess::SetSource(const AssessSource* source) {
    source_ = source;
    Recompute();
}

AssessSourceKind TFAssess::SelectedSource() const {
    return ComboBoxSource->currentIndex() == 1 ? AssessSourceKind::Logger : AssessSourceKind::Live;
}

AssessInputs TFAssess::Inputs() const {
    AssessInputs in;
    in.category = static_cast<WorkCategory>(std::max(0, ComboBoxCategory->currentIndex()));
    in.season = ComboBoxSeason->currentIndex() == 1 ? Season::Warm : Season::Cold;
    in.airSpeed = airSpeed_;
    in.metabolicWatts = SpinBoxM->value();
    in.acclimatised = CheckBoxAcclimatised->isChecked();
    const int share = ComboBoxIrradiatedShare->currentIndex();
    if (share >= 0 && share < kIrradiatedShareCount) {
        in.permissibleIrradiance = kIrradianceByShare[share];
    }
    if (LimitsSource) in.limits = LimitsSource();
    return in;
}

void TFAssess::CategoryChange() {
    // The WBGT work level follows the category until the user picks one.
    if (!workLevelPicked_) {
        const double watts = CategoryWorkLevelWatts(Inputs().category);
        const auto& levels = WbgtWorkLevels();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (levels[i].watts != watts) continue;
            const QSignalBlocker quiet(ComboBoxWorkLevel);
            ComboBoxWorkLevel->setCurrentIndex(static_cast<int>(i));
        }
    }
    WorkLevelChange();
}

void TFAssess::AirSpeedChange() {
    const QString text = EditAirSpeed->text().trimmed();
    const std::optional<double> v = ParseDecimal(text);
    const bool valid = text.isEmpty() || (v && *v >= 0 && *v <= kMaxAirSpeed);
    airSpeed_ = valid && !text.isEmpty() ? v : std::nullopt;
    if (!valid) {
        LabelAirSpeedNote->setText(
            QStringLiteral("«%1» не прочитано как скорость: введите число в м/с, например 0,2. "
                           "Пока скорость не учтена.")
                .arg(text));
    } else if (airSpeed_) {
        LabelAirSpeedNote->setText(QStringLiteral("Учитывается в классе."));
    } else {
        LabelAirSpeedNote->setText(QString::fromUtf8(kAirSpeedAssumption) + QLatin1Char('.'));
    }
    Recompute();
}

void TFAssess::FollowFirstReadingSeason(const std::vector<AssessReading>& readings) {
    if (seasonPicked_ || readings.empty()) return;
    qint64 first = readings.front().seconds;
    for (const AssessReading& r : readings) first = std::min(first, r.seconds);
    const QSignalBlocker quiet(ComboBoxSeason);
    ComboBoxSeason->setCurrentIndex(DefaultSeason(first) == Season::Warm ? 1 : 0);
}

void TFAssess::WorkLevelChange() {
    const int i = ComboBoxWorkLevel->currentIndex();
    const bool preset = i >= 0 && i < static_cast<int>(WbgtWorkLevels().size());
    SpinBoxM->setEnabled(!preset);
    if (preset) {
        const QSignalBlocker quiet(SpinBoxM);
        SpinBoxM->setValue(static_cast<int>(WbgtWorkLevels()[static_cast<std::size_t>(i)].watts));
    }
    Recompute();
}

std::vector<AssessReading> TFAssess::ReadingsOf(AssessSourceKind kind) const {
    return source_ != nullptr ? source_->Readings(kind) : std::vector<AssessReading>{};
}

TFAssess::Judgement TFAssess::Judge(AssessSourceKind kind,
                                    std::vector<AssessReading> readings) const {
    Judgement j;
    QString period = QStringLiteral("все измерения");
    if (kind == SelectedSource() && CheckBoxPeriod->isChecked()) {
        const qint64 from = DateTimeEditFrom->dateTime().toSecsSinceEpoch();
        const qint64 to = DateTimeEditTo->dateTime().toSecsSinceEpoch();
        j.periodRefused = to < from;
        readings =
            j.periodRefused ? std::vector<AssessReading>{} : ReadingsBetween(readings, from, to);
        period = QString::fromUtf8(j.periodRefused ? "не принят: конец %2 раньше начала %1"
                                                   : "с %1 по %2")
                     .arg(WallTimeText(from), WallTimeText(to));
    }
    const AssessInputs inputs = Inputs();
    j.judged = {Assess(std::move(readings), inputs), inputs,
                QString::fromUtf8(kind == AssessSourceKind::Logger ? kSourceLogger : kSourceLive),
                period};
    return j;
}

void TFAssess::FollowDataPeriod(const std::vector<AssessReading>& readings) {
    // While no period is chosen the period fields show the data's own, ready to be narrowed.
    if (CheckBoxPeriod->isChecked()) return;
    bool any = false;
    qint64 first = 0;
    qint64 last = 0;
    for (const AssessReading& r : readings) {
        if (!r.valid) continue;  // no time of its own
        first = any ? std::min(first, r.seconds) : r.seconds;
        last = any ? std::max(last, r.seconds) : r.seconds;
        any = true;
    }
    if (!any) return;
    const QSignalBlocker a(DateTimeEditFrom);
    const QSignalBlocker b(DateTimeEditTo);
    DateTimeEditFrom->setDateTime(WallDateTime(first));
    DateTimeEditTo->setDateTime(WallDateTime(last));
}

void TFAssess::Recompute() {
    const AssessSourceKind kind = SelectedSource();
    seenKind_ = kind;
    seenRevision_ = source_ != nullptr ? source_->Revision(kind) : 0;
    std::vector<AssessReading> readings = ReadingsOf(kind);
    FollowDataPeriod(readings);
    FollowFirstReadingSeason(readings);
    const Judgement j = Judge(kind, std::move(readings));
    current_ = j.judged.assessment;
    ShowAssessment(current_);
    if (j.periodRefused) LabelClass->setText(QStringLiteral("Период ") + j.judged.spanName);
    const std::vector<AssessLine> lines = AssessLines(j.judged);
    TableResults->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        SetItem(TableResults, r, 0, lines[static_cast<std::size_t>(r)].label);
        SetItem(TableResults, r, 1, lines[static_cast<std::size_t>(r)].value);
    }
    TableResults->resizeRowsToContents();
}

void TFAssess::ShowAssessment(const Assessment& a) {
    LabelClass->setText(VerdictText(a));
    QPalette p = palette();
    if (a.conditionsClass) {
        const ClassColours c = ColoursOf(*a.conditionsClass);
        p.setColor(QPalette::Window, c.back);
        p.setColor(QPalette::WindowText, c.text);
    }
    LabelClass->setPalette(p);
    // The class's text goes small when it is a sentence rather than a class.
    QFont f = LabelClass->font();
    f.setPointSizeF(font().pointSizeF() * (a.conditionsClass ? 1.8 : 1.1));
    LabelClass->setFont(f);
    LabelFactor->setText(DecidingFactorText(a));
    LabelWbgt->setText(
        a.count > 0
            ? QStringLiteral("%1 (предел %2 °C).").arg(WbgtVerdictText(a), TenthText(a.wbgtLimit))
            : QString());
    const QuantityFigures* rows[4] = {&a.air, &a.rh, &a.ths, &a.wbgt};
    for (int r = 0; r < 4; ++r) {
        const QuantityFigures& q = *rows[r];
        const double values[4] = {q.mean, q.min, q.max, q.weightedMean};
        for (int c = 0; c < 4; ++c) {
            SetItem(TableFigures, r, c, a.count > 0 ? TenthText(values[c]) : QString());
        }
    }
}

void TFAssess::TimerRefreshTimer() {
    if (source_ == nullptr) return;
    const AssessSourceKind kind = SelectedSource();
    if (kind != seenKind_ || source_->Revision(kind) != seenRevision_) Recompute();
}

JudgedAssessment TFAssess::Judged(AssessSourceKind kind) const {
    return Judge(kind, ReadingsOf(kind)).judged;
}

std::array<QString, kPlaceFieldCount> TFAssess::Place() const {
    std::array<QString, kPlaceFieldCount> place;
    for (std::size_t i = 0; i < place.size(); ++i) place[i] = EditPlace[i]->text();
    return place;
}

void TFAssess::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The first time in the middle of the screen, as the other windows come up; then where the
    // user left it.
    if (!placed_) {
        placed_ = true;
        if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    }
    Recompute();
    TimerRefresh->start();
}

void TFAssess::hideEvent(QHideEvent* e) {
    TimerRefresh->stop();
    QWidget::hideEvent(e);
}

}  // namespace lmr
