#include "windows/AssessSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>

#include "survey/SurveySettings.h"
#include "windows/FormAssess.h"

namespace lmr {

namespace {

constexpr const char* kCategory = "assess/category";
constexpr const char* kWorkLevel = "assess/workLevel";
constexpr const char* kRate = "assess/metabolicWatts";
constexpr const char* kSeason = "assess/season";
constexpr const char* kAirSpeed = "assess/airSpeed";
constexpr const char* kIrradiatedShare = "assess/irradiatedShare";

QString Key(const char* key) { return QString::fromLatin1(key); }

// An index kept by an older or foreign settings file may be out of the box's range.
void RestoreIndex(QComboBox* box, const QSettings& settings, const char* key) {
    bool ok = false;
    const int i = settings.value(Key(key)).toInt(&ok);
    if (ok && i >= 0 && i < box->count()) box->setCurrentIndex(i);
}

}  // namespace

void KeepAssessInputs(TFAssess& w, QSettings& settings) {
    // In this order: a category sets its own work level, which a kept one then overrides.
    RestoreIndex(w.ComboBoxCategory, settings, kCategory);
    RestoreIndex(w.ComboBoxWorkLevel, settings, kWorkLevel);
    if (settings.contains(Key(kRate)) && w.SpinBoxM->isEnabled()) {
        w.SpinBoxM->setValue(settings.value(Key(kRate)).toInt());
    }
    RestoreIndex(w.ComboBoxSeason, settings, kSeason);
    w.EditAirSpeed->setText(settings.value(Key(kAirSpeed)).toString());
    RestoreIndex(w.ComboBoxIrradiatedShare, settings, kIrradiatedShare);

    QSettings* s = &settings;
    QObject::connect(w.ComboBoxCategory, qOverload<int>(&QComboBox::currentIndexChanged), &w,
                     [s](int i) { s->setValue(Key(kCategory), i); });
    QObject::connect(w.ComboBoxWorkLevel, qOverload<int>(&QComboBox::currentIndexChanged), &w,
                     [s](int i) { s->setValue(Key(kWorkLevel), i); });
    QObject::connect(w.SpinBoxM, qOverload<int>(&QSpinBox::valueChanged), &w, [s, &w](int v) {
        // Only a rate typed: a preset's rate comes with its level.
        if (w.SpinBoxM->isEnabled()) s->setValue(Key(kRate), v);
    });
    QObject::connect(w.ComboBoxSeason, qOverload<int>(&QComboBox::currentIndexChanged), &w,
                     [s](int i) { s->setValue(Key(kSeason), i); });
    QObject::connect(w.EditAirSpeed, &QLineEdit::textChanged, &w,
                     [s](const QString& t) { s->setValue(Key(kAirSpeed), t); });
    QObject::connect(w.ComboBoxIrradiatedShare, qOverload<int>(&QComboBox::currentIndexChanged), &w,
                     [s](int i) { s->setValue(Key(kIrradiatedShare), i); });
    // The limits are typed in the survey window; read as they are when the window judges.
    w.LimitsSource = [s] { return KeptInstrumentLimits(*s); };
}

}  // namespace lmr
