#pragma once

#include <QString>
#include <memory>

#include "survey/Survey.h"
#include "survey/SurveyFile.h"

namespace lmr {

// What an id names: each level has ids of its own.
enum class SurveyLevel { Workplace, Point, Height, Measurement };

// The survey the window edits: the survey as its file holds it, and the file under it. Every
// change goes to the file first; only what the file took is changed here, so what the window
// shows is always what a reopening would show.
class SurveyDocument {
public:
    // A new survey at path with the fields given (the ones kept from the last survey).
    [[nodiscard]] static std::unique_ptr<SurveyDocument> Create(const QString& path,
                                                                const Survey& start,
                                                                Outcome* outcome);
    [[nodiscard]] static std::unique_ptr<SurveyDocument> Open(const QString& path,
                                                              Outcome* outcome);

    [[nodiscard]] const Survey& Data() const { return survey_; }
    [[nodiscard]] QString Path() const { return file_->Path(); }

    [[nodiscard]] Outcome SetHeader(const SurveyHeader& header);
    [[nodiscard]] Outcome SetInstrument(const SurveyInstrument& instrument);
    [[nodiscard]] Outcome SetLaboratory(const SurveyLaboratory& laboratory);

    // A new workplace with one point at the posture's standard heights; its id, or none.
    [[nodiscard]] Valued<qint64> AddWorkplace(const SurveyWorkplace& workplace,
                                                     const QString& pointName);
    // A new posture moves the heights still at the old one's standard heights to its own.
    [[nodiscard]] Outcome UpdateWorkplace(const SurveyWorkplace& workplace);
    // A new point at the workplace's standard heights.
    [[nodiscard]] Valued<qint64> AddPoint(qint64 workplaceId, const QString& name);
    [[nodiscard]] Outcome UpdatePoint(const SurveyPoint& point);
    [[nodiscard]] Valued<qint64> AddHeight(qint64 pointId, double metres);
    [[nodiscard]] Outcome UpdateHeight(const SurveyHeight& height);
    // A workplace, point, height or measurement with everything under it.
    [[nodiscard]] Outcome Remove(SurveyLevel level, qint64 id);

    // A measurement with its readings (none yet for a live series).
    [[nodiscard]] Valued<qint64> AddMeasurement(qint64 heightId,
                                                       SurveyMeasurement measurement);
    [[nodiscard]] Outcome AppendReading(qint64 measurementId, const Reading& reading);
    // A live series ended (false) or still recording (true).
    [[nodiscard]] Outcome SetRecording(qint64 measurementId, bool recording);
    // A measurement with its readings under another height.
    [[nodiscard]] Outcome MoveMeasurement(qint64 measurementId, qint64 heightId);

    // Where an item is in the survey: the item and the levels above it; null below it and
    // when there is no such item.
    struct Place {
        const SurveyWorkplace* workplace = nullptr;
        const SurveyPoint* point = nullptr;
        const SurveyHeight* height = nullptr;
        const SurveyMeasurement* measurement = nullptr;
    };
    [[nodiscard]] Place Find(SurveyLevel level, qint64 id) const;

private:
    SurveyDocument(std::unique_ptr<SurveyFile> file, Survey survey);
    // The point's standard heights for the posture, stored, as far as they were.
    [[nodiscard]] Outcome AddStandardHeights(SurveyPoint& point, Posture posture);
    [[nodiscard]] Outcome FollowPosture(SurveyWorkplace& workplace, Posture was);
    [[nodiscard]] SurveyWorkplace* WorkplaceOf(qint64 id);
    [[nodiscard]] SurveyPoint* PointOf(qint64 id);
    [[nodiscard]] SurveyHeight* HeightOf(qint64 id);
    [[nodiscard]] SurveyMeasurement* MeasurementOf(qint64 id);

    std::unique_ptr<SurveyFile> file_;
    Survey survey_;
};

}  // namespace lmr
