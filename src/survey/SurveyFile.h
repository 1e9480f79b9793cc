#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "measure/Outcome.h"
#include "survey/Survey.h"

namespace lmr {

// One survey kept in one SQLite file (.lmrs). Every change is its own transaction, written at
// once: a program killed at any moment loses at most the change in flight. A file of a newer
// schema, a foreign or a damaged file is refused and left as it was.
class SurveyFile {
public:
    ~SurveyFile();
    SurveyFile(const SurveyFile&) = delete;
    SurveyFile& operator=(const SurveyFile&) = delete;

    // A new, empty survey at path (an existing file there is replaced).
    [[nodiscard]] static std::unique_ptr<SurveyFile> Create(const QString& path,
                                                            Outcome* outcome);
    // Opens the survey for changing, after it has been read whole and found sound.
    [[nodiscard]] static std::unique_ptr<SurveyFile> Open(const QString& path,
                                                          Outcome* outcome);
    // The whole survey at path, read without writing anything in or beside it (a file of mode
    // 444, in a folder or on a file system that may only be read, reads as well).
    [[nodiscard]] static Survey Read(const QString& path, Outcome* outcome);

    [[nodiscard]] QString Path() const;
    // The whole survey as stored, every reading included; none from a file that cannot be read
    // whole (a damaged page, a value no program of ours writes).
    [[nodiscard]] Valued<Survey> Load() const;

    [[nodiscard]] Outcome SetHeader(const SurveyHeader& header);
    [[nodiscard]] Outcome SetLaboratory(const SurveyLaboratory& laboratory);
    [[nodiscard]] Outcome SetInstrument(const SurveyInstrument& instrument);

    // Adds take the item's fields (not its children, not its id) and give back the new id.
    [[nodiscard]] Valued<qint64> AddWorkplace(const SurveyWorkplace& workplace);
    [[nodiscard]] Outcome UpdateWorkplace(const SurveyWorkplace& workplace);
    [[nodiscard]] Outcome RemoveWorkplace(qint64 workplaceId);
    [[nodiscard]] Valued<qint64> AddPoint(qint64 workplaceId, const SurveyPoint& point);
    [[nodiscard]] Outcome UpdatePoint(const SurveyPoint& point);
    [[nodiscard]] Outcome RemovePoint(qint64 pointId);
    [[nodiscard]] Valued<qint64> AddHeight(qint64 pointId, const SurveyHeight& height);
    [[nodiscard]] Outcome UpdateHeight(const SurveyHeight& height);
    [[nodiscard]] Outcome RemoveHeight(qint64 heightId);

    // A measurement with the readings it has (a span: all of them; a live series: none yet).
    [[nodiscard]] Valued<qint64> AddMeasurement(qint64 heightId,
                                                       const SurveyMeasurement& measurement);
    // One reading of a live series, stored at once.
    [[nodiscard]] Outcome AppendReading(qint64 measurementId, const Reading& reading);
    [[nodiscard]] Outcome RemoveMeasurement(qint64 measurementId);
    // A live series is stored as recording until it ends; one still so at opening was cut off.
    [[nodiscard]] Outcome SetRecording(qint64 measurementId, bool recording);
    // To another height, with its readings.
    [[nodiscard]] Outcome MoveMeasurement(qint64 measurementId, qint64 heightId);

    struct Impl;

private:
    explicit SurveyFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace lmr
