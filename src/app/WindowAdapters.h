#pragma once

#include "core/LiveSession.h"
#include "core/LoggerTable.h"
#include "surveyui/SurveyHost.h"
#include "windows/AssessSource.h"
#include "windows/StatisticsSource.h"

namespace lmr {

// The statistics window counts the live session's tв, RH and tсф.
class LiveStatistics final : public StatisticsSource {
public:
    explicit LiveStatistics(const LiveSession& live) : live_(live) {}
    std::vector<double> Values(int item) const override;

private:
    const LiveSession& live_;
};

// The assessment window reads the live session and the logger table as a download or a loaded
// file left them.
class MainAssessSource final : public AssessSource {
public:
    MainAssessSource(const LiveSession& live, const LoggerTable& logger)
        : live_(live), logger_(logger) {}
    std::vector<AssessReading> Readings(AssessSourceKind kind) const override;
    qint64 Revision(AssessSourceKind kind) const override;

private:
    std::vector<AssessReading> LiveReadings() const;
    std::vector<AssessReading> LoggerReadings() const;
    const LiveSession& live_;
    const LoggerTable& logger_;
};

class TFMain;

// The survey window takes the meter, the live measurement and the logger page of the main
// window.
class MainSurveyHost final : public SurveyHost {
public:
    explicit MainSurveyHost(TFMain& m) : m_(m) {}
    bool Identified() const override;
    QString ModelName() const override;
    QString HeadName() const override;
    bool LiveRunning() const override;
    void StartLive() override;
    void StopLive() override;
    const LiveSession& Live() const override;
    const LoggerTable& Logger() const override;
    QString LoggerFile() const override;
    void ShowSurveySeries(const QString& text) override;

private:
    TFMain& m_;
};

}  // namespace lmr
