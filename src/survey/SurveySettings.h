#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include "assess/Uncertainty.h"
#include "survey/Survey.h"

namespace lmr {

// What a survey leaves for the next one: the organisation, the operators, the laboratory, the
// instrument and its verification; a new survey starts with them.
[[nodiscard]] Survey KeptSurveyFields(const QSettings& settings);
void KeepSurveyFields(QSettings& settings, const Survey& survey);

// The instrument's limits of error as the survey keeps them for the next one; the assessment
// window reads them too, so both give the same uncertainties.
[[nodiscard]] InstrumentLimits KeptInstrumentLimits(const QSettings& settings);
void KeepInstrumentLimits(QSettings& settings, const InstrumentLimits& limits);

// The surveys opened last, the latest first; the first is the one reopened at start.
[[nodiscard]] QStringList RecentSurveys(const QSettings& settings);
void RememberSurvey(QSettings& settings, const QString& path);

}  // namespace lmr
