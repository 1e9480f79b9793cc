#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "survey/Survey.h"

namespace lmr {

// How an operation on a survey file ended; the text names the file and the reason in Russian.
struct SurveyFileResult {
    bool ok = true;
    QString error;
    explicit operator bool() const { return ok; }
};

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
                                                            SurveyFileResult* result);
    [[nodiscard]] static std::unique_ptr<SurveyFile> Open(const QString& path,
                                                          SurveyFileResult* result);

    [[nodiscard]] QString Path() const;
    // The whole survey as stored, every reading included. A file that cannot be read whole
    // (a damaged page, a value no program of ours writes) gives an empty survey, and result
    // and LastError() say why.
    [[nodiscard]] Survey Load(SurveyFileResult* result = nullptr) const;

    [[nodiscard]] SurveyFileResult SetHeader(const SurveyHeader& header);
    [[nodiscard]] SurveyFileResult SetLaboratory(const SurveyLaboratory& laboratory);
    [[nodiscard]] SurveyFileResult SetInstrument(const SurveyInstrument& instrument);

    // Adds take the item's fields (not its children, not its id) and give back the new id.
    [[nodiscard]] std::optional<qint64> AddWorkplace(const SurveyWorkplace& workplace);
    [[nodiscard]] SurveyFileResult UpdateWorkplace(const SurveyWorkplace& workplace);
    [[nodiscard]] SurveyFileResult RemoveWorkplace(qint64 workplaceId);
    [[nodiscard]] std::optional<qint64> AddPoint(qint64 workplaceId, const SurveyPoint& point);
    [[nodiscard]] SurveyFileResult UpdatePoint(const SurveyPoint& point);
    [[nodiscard]] SurveyFileResult RemovePoint(qint64 pointId);
    [[nodiscard]] std::optional<qint64> AddHeight(qint64 pointId, const SurveyHeight& height);
    [[nodiscard]] SurveyFileResult UpdateHeight(const SurveyHeight& height);
    [[nodiscard]] SurveyFileResult RemoveHeight(qint64 heightId);

    // A measurement with the readings it has (a span: all of them; a live series: none yet).
    [[nodiscard]] std::optional<qint64> AddMeasurement(qint64 heightId,
                                                       const SurveyMeasurement& measurement);
    // One reading of a live series, stored at once.
    [[nodiscard]] SurveyFileResult AppendReading(qint64 measurementId, const Reading& reading);
    [[nodiscard]] SurveyFileResult RemoveMeasurement(qint64 measurementId);
    // A live series is stored as recording until it ends; one still so at opening was cut off.
    [[nodiscard]] SurveyFileResult SetRecording(qint64 measurementId, bool recording);
    // To another height, with its readings.
    [[nodiscard]] SurveyFileResult MoveMeasurement(qint64 measurementId, qint64 heightId);

    // The text of the last failure, for the status line.
    [[nodiscard]] QString LastError() const;

private:
    struct Impl;
    explicit SurveyFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace lmr
