#pragma once

#include <QString>
#include <vector>

#include "survey/Survey.h"

namespace lmr {

// Readings of one measurement that the protocol cannot take as they are: taken before the
// instrument's verification, after it lapsed, or on a day outside the survey's days. Counts of
// readings; one reading may count in more than one.
struct ReadingsOutside {
    int beforeVerification = 0;
    int afterValidity = 0;
    int outsideDays = 0;

    [[nodiscard]] bool Any() const {
        return beforeVerification > 0 || afterValidity > 0 || outsideDays > 0;
    }
};

// The survey's days: a day alone stands for both ends; with neither, no day is outside.
[[nodiscard]] ReadingsOutside CheckReadings(const SurveyMeasurement& m, const SurveyHeader& h,
                                            const SurveyInstrument& i);

// What is wrong with them, in one sentence without its subject: "3 показания сняты до
// поверки прибора (15.03.2026)". Empty when nothing is.
[[nodiscard]] QString ReadingsOutsideText(const ReadingsOutside& o, const SurveyHeader& h,
                                          const SurveyInstrument& i);

// What to warn of before the protocol is written, one line each: measurements with readings
// outside the verification or the survey's days, and heights not measured.
[[nodiscard]] std::vector<QString> ProtocolCautions(const Survey& survey);

}  // namespace lmr
