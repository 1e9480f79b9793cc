#pragma once

class QSettings;

namespace lmr {

class TFAssess;

// The assessment window's inputs the user set (category of work, WBGT work level and rate,
// period of the year, air speed, irradiated share) are kept in settings as they change, and set again from
// them now. A period of the year never picked is not kept: it follows the readings.
void KeepAssessInputs(TFAssess& window, QSettings& settings);

}  // namespace lmr
