#include "survey/SurveyDocument.h"

#include <algorithm>

namespace lmr {

namespace {

// An item the window names that is not there: nothing to say.
Outcome NotThere() {
    return Outcome::Failed(QString());
}

template <typename T>
void EraseId(std::vector<T>& items, qint64 id) {
    items.erase(std::remove_if(items.begin(), items.end(), [id](const T& t) { return t.id == id; }),
                items.end());
}

}  // namespace

SurveyDocument::SurveyDocument(std::unique_ptr<SurveyFile> file, Survey survey)
    : file_(std::move(file)), survey_(std::move(survey)) {}

std::unique_ptr<SurveyDocument> SurveyDocument::Create(const QString& path, const Survey& start,
                                                       Outcome* outcome) {
    std::unique_ptr<SurveyFile> file = SurveyFile::Create(path, outcome);
    if (!file) return nullptr;
    Valued<Survey> loaded = file->Load();  // a new survey: empty either way
    std::unique_ptr<SurveyDocument> doc(
        new SurveyDocument(std::move(file), loaded ? std::move(*loaded) : Survey{}));
    *outcome = doc->SetHeader(start.header);
    if (*outcome) *outcome = doc->SetInstrument(start.instrument);
    if (*outcome) *outcome = doc->SetLaboratory(start.laboratory);
    if (!*outcome) return nullptr;
    return doc;
}

std::unique_ptr<SurveyDocument> SurveyDocument::Open(const QString& path, Outcome* outcome) {
    std::unique_ptr<SurveyFile> file = SurveyFile::Open(path, outcome);
    if (!file) return nullptr;
    // A survey not read whole is not shown as open: the next change would write its blanks.
    Valued<Survey> loaded = file->Load();
    if (!loaded) {
        *outcome = loaded.outcome;
        return nullptr;
    }
    return std::unique_ptr<SurveyDocument>(
        new SurveyDocument(std::move(file), std::move(*loaded)));
}

Outcome SurveyDocument::SetHeader(const SurveyHeader& header) {
    Outcome r = file_->SetHeader(header);
    if (r) survey_.header = header;
    return r;
}

Outcome SurveyDocument::SetInstrument(const SurveyInstrument& instrument) {
    Outcome r = file_->SetInstrument(instrument);
    if (r) survey_.instrument = instrument;
    return r;
}

Outcome SurveyDocument::SetLaboratory(const SurveyLaboratory& laboratory) {
    Outcome r = file_->SetLaboratory(laboratory);
    if (r) survey_.laboratory = laboratory;
    return r;
}

Outcome SurveyDocument::AddStandardHeights(SurveyPoint& point, Posture posture) {
    for (const double metres : StandardHeights(posture)) {
        SurveyHeight height;
        height.metres = metres;
        const Valued<qint64> id = file_->AddHeight(point.id, height);
        if (!id) return id.outcome;
        height.id = *id;
        point.heights.push_back(height);
    }
    return Outcome::Ok();
}

Valued<qint64> SurveyDocument::AddWorkplace(const SurveyWorkplace& workplace,
                                            const QString& pointName) {
    SurveyWorkplace added = workplace;
    added.points.clear();
    const Valued<qint64> id = file_->AddWorkplace(added);
    if (!id) return id;
    added.id = *id;
    survey_.workplaces.push_back(added);
    // The workplace stands even when its point was not stored: the error is said.
    if (const Valued<qint64> point = AddPoint(*id, pointName); !point) return point.outcome;
    return id;
}

Outcome SurveyDocument::UpdateWorkplace(const SurveyWorkplace& workplace) {
    SurveyWorkplace* w = WorkplaceOf(workplace.id);
    if (w == nullptr) return NotThere();
    Outcome r = file_->UpdateWorkplace(workplace);
    if (!r) return r;
    const Posture was = w->posture;
    w->name = workplace.name;
    w->category = workplace.category;
    w->posture = workplace.posture;
    w->shiftHours = workplace.shiftHours;
    if (was != workplace.posture) r = FollowPosture(*w, was);
    return r;
}

Outcome SurveyDocument::FollowPosture(SurveyWorkplace& w, Posture was) {
    // A height still at the old posture's standard moves to the new one's (1.0 m sitting is
    // 1.5 m standing); one the user set stays.
    const std::vector<double> from = StandardHeights(was);
    const std::vector<double> to = StandardHeights(w.posture);
    for (SurveyPoint& p : w.points) {
        for (size_t i = 0; i < p.heights.size() && i < from.size() && i < to.size(); ++i) {
            SurveyHeight& h = p.heights[i];
            if (h.metres != from[i] || from[i] == to[i]) continue;
            SurveyHeight moved = h;
            moved.metres = to[i];
            Outcome r = file_->UpdateHeight(moved);
            if (!r) return r;
            h.metres = to[i];
        }
    }
    return Outcome::Ok();
}

Valued<qint64> SurveyDocument::AddPoint(qint64 workplaceId, const QString& name) {
    SurveyWorkplace* w = WorkplaceOf(workplaceId);
    if (w == nullptr) return NotThere();
    SurveyPoint point;
    point.name = name;
    const Valued<qint64> id = file_->AddPoint(workplaceId, point);
    if (!id) return id;
    point.id = *id;
    const Outcome heights = AddStandardHeights(point, w->posture);
    w->points.push_back(point);
    if (!heights) return heights;
    return id;
}

Outcome SurveyDocument::UpdatePoint(const SurveyPoint& point) {
    SurveyPoint* p = PointOf(point.id);
    if (p == nullptr) return NotThere();
    Outcome r = file_->UpdatePoint(point);
    if (r) p->name = point.name;
    return r;
}

Valued<qint64> SurveyDocument::AddHeight(qint64 pointId, double metres) {
    SurveyPoint* p = PointOf(pointId);
    if (p == nullptr) return NotThere();
    SurveyHeight height;
    height.metres = metres;
    const Valued<qint64> id = file_->AddHeight(pointId, height);
    if (!id) return id;
    height.id = *id;
    p->heights.push_back(height);
    return id;
}

Outcome SurveyDocument::UpdateHeight(const SurveyHeight& height) {
    SurveyHeight* h = HeightOf(height.id);
    if (h == nullptr) return NotThere();
    Outcome r = file_->UpdateHeight(height);
    if (!r) return r;
    h->metres = height.metres;
    h->airSpeed = height.airSpeed;
    return r;
}

Outcome SurveyDocument::Remove(SurveyLevel level, qint64 id) {
    Outcome r;
    switch (level) {
        case SurveyLevel::Workplace:
            r = file_->RemoveWorkplace(id);
            if (r) EraseId(survey_.workplaces, id);
            break;
        case SurveyLevel::Point:
            r = file_->RemovePoint(id);
            if (r) {
                for (SurveyWorkplace& w : survey_.workplaces) EraseId(w.points, id);
            }
            break;
        case SurveyLevel::Height:
            r = file_->RemoveHeight(id);
            if (r) {
                for (SurveyWorkplace& w : survey_.workplaces) {
                    for (SurveyPoint& p : w.points) EraseId(p.heights, id);
                }
            }
            break;
        case SurveyLevel::Measurement:
            r = file_->RemoveMeasurement(id);
            if (r) {
                for (SurveyWorkplace& w : survey_.workplaces) {
                    for (SurveyPoint& p : w.points) {
                        for (SurveyHeight& h : p.heights) EraseId(h.measurements, id);
                    }
                }
            }
            break;
    }
    return r;
}

Valued<qint64> SurveyDocument::AddMeasurement(qint64 heightId, SurveyMeasurement measurement) {
    SurveyHeight* h = HeightOf(heightId);
    if (h == nullptr) return NotThere();
    const Valued<qint64> id = file_->AddMeasurement(heightId, measurement);
    if (!id) return id;
    measurement.id = *id;
    h->measurements.push_back(std::move(measurement));
    return id;
}

Outcome SurveyDocument::AppendReading(qint64 measurementId, const Reading& reading) {
    SurveyMeasurement* m = MeasurementOf(measurementId);
    if (m == nullptr) return NotThere();
    Outcome r = file_->AppendReading(measurementId, reading);
    if (r) m->readings.push_back(reading);
    return r;
}

Outcome SurveyDocument::SetRecording(qint64 measurementId, bool recording) {
    SurveyMeasurement* m = MeasurementOf(measurementId);
    if (m == nullptr) return NotThere();
    Outcome r = file_->SetRecording(measurementId, recording);
    if (r) m->recording = recording;
    return r;
}

Outcome SurveyDocument::MoveMeasurement(qint64 measurementId, qint64 heightId) {
    const Place from = Find(SurveyLevel::Measurement, measurementId);
    SurveyHeight* to = HeightOf(heightId);
    if (from.measurement == nullptr || to == nullptr) return NotThere();
    if (from.height == to) return Outcome::Ok();
    Outcome r = file_->MoveMeasurement(measurementId, heightId);
    if (!r) return r;
    auto& source = const_cast<SurveyHeight*>(from.height)->measurements;
    const auto it = std::find_if(source.begin(), source.end(),
                                 [measurementId](const SurveyMeasurement& m) { return m.id == measurementId; });
    SurveyMeasurement moved = std::move(*it);
    source.erase(it);
    // In the order the file reads them back: by id.
    const auto at = std::find_if(to->measurements.begin(), to->measurements.end(),
                                 [measurementId](const SurveyMeasurement& m) { return m.id > measurementId; });
    to->measurements.insert(at, std::move(moved));
    return r;
}

SurveyDocument::Place SurveyDocument::Find(SurveyLevel level, qint64 id) const {
    for (const SurveyWorkplace& w : survey_.workplaces) {
        if (level == SurveyLevel::Workplace) {
            if (w.id == id) return {&w};
            continue;
        }
        for (const SurveyPoint& p : w.points) {
            if (level == SurveyLevel::Point) {
                if (p.id == id) return {&w, &p};
                continue;
            }
            for (const SurveyHeight& h : p.heights) {
                if (level == SurveyLevel::Height) {
                    if (h.id == id) return {&w, &p, &h};
                    continue;
                }
                for (const SurveyMeasurement& m : h.measurements) {
                    if (m.id == id) return {&w, &p, &h, &m};
                }
            }
        }
    }
    return {};
}

// The survey is ours to change: Find gives pointers into it.
SurveyWorkplace* SurveyDocument::WorkplaceOf(qint64 id) {
    return const_cast<SurveyWorkplace*>(Find(SurveyLevel::Workplace, id).workplace);
}
SurveyPoint* SurveyDocument::PointOf(qint64 id) {
    return const_cast<SurveyPoint*>(Find(SurveyLevel::Point, id).point);
}
SurveyHeight* SurveyDocument::HeightOf(qint64 id) {
    return const_cast<SurveyHeight*>(Find(SurveyLevel::Height, id).height);
}
SurveyMeasurement* SurveyDocument::MeasurementOf(qint64 id) {
    return const_cast<SurveyMeasurement*>(Find(SurveyLevel::Measurement, id).measurement);
}

}  // namespace lmr
