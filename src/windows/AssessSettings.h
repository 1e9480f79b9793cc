#pragma once

#include "assess/Uncertainty.h"

class QSettings;

namespace lmr {

// The instrument's limits of error as the survey keeps them for the next one; the assessment
// window reads them too, so both give the same uncertainties.
[[nodiscard]] InstrumentLimits KeptInstrumentLimits(const QSettings& settings);
void KeepInstrumentLimits(QSettings& settings, const InstrumentLimits& limits);

class TFAssess;

// The assessment window's inputs the user set (category of work, WBGT work level and rate,
// period of the year, air speed, irradiated share) are kept in settings as they change, and set again from
// them now. A period of the year never picked is not kept: it follows the readings.
void KeepAssessInputs(TFAssess& window, QSettings& settings);

}  // namespace lmr
