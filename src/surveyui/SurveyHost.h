#pragma once

#include <QString>

#include "core/LiveSession.h"
#include "core/LoggerTable.h"

namespace lmr {

// What the survey window takes from the main window: the meter as identified, its live
// measurement and the logger page. The main window implements it.
class SurveyHost {
public:
    virtual ~SurveyHost() = default;
    [[nodiscard]] virtual bool Identified() const = 0;
    // The status bar's captions of the identified model and head; empty when not known.
    [[nodiscard]] virtual QString ModelName() const = 0;
    [[nodiscard]] virtual QString HeadName() const = 0;
    [[nodiscard]] virtual bool LiveRunning() const = 0;
    // As "Старт" and "Стоп" on the live page do.
    virtual void StartLive() = 0;
    virtual void StopLive() = 0;
    [[nodiscard]] virtual const LiveSession& Live() const = 0;
    [[nodiscard]] virtual const LoggerTable& Logger() const = 0;
    // The data file the logger page's rows were opened from; empty after a download or none.
    [[nodiscard]] virtual QString LoggerFile() const = 0;
    // What the survey records now, shown whichever window is in front; empty: nothing.
    virtual void ShowSurveySeries(const QString& text) = 0;
};

}  // namespace lmr
