// The survey window's measuring: a live series for a height, and a span of the logger page.
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "measure/NumberText.h"
#include "surveyui/DateField.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

QString HeightText(const SurveyHeight& h) {
    return QString::fromUtf8(kHeightInText).arg(NumberText(h.metres));
}

}  // namespace

void TFSurvey::ButtonLiveClick() {
    if (Recording()) {
        StopRecording();
        return;
    }
    const SurveyDocument::Place place = SelectedPlace();
    if (place.height == nullptr) {
        Say(QString::fromUtf8(kChooseHeight));
        return;
    }
    if (!host_.Identified()) {
        Say(QString::fromUtf8(kLiveNotFound));
        return;
    }
    WritePending();
    liveHeight_ = place.height->id;
    liveMeasurement_ = 0;
    liveRowsBefore_ = host_.Live().Count();
    liveStartedHere_ = !host_.LiveRunning();
    if (liveStartedHere_) host_.StartLive();
    liveSeenRunning_ = host_.LiveRunning();
    liveWatchTicks_ = 0;
    timerLiveWatch_->start();
    ButtonLive->setText(QString::fromUtf8(kStopLive));
    RefreshTree();
    SayRecording();
}

void TFSurvey::TakeLiveRows(int first, int count) {
    if (!Recording() || !doc_) return;
    liveSeenRunning_ = true;
    for (int i = std::max(first, liveRowsBefore_); i < first + count; ++i) {
        const Reading& r = host_.Live().At(i);
        // The measurement is made with its first reading: a start the meter did not answer
        // leaves no empty series behind.
        if (liveMeasurement_ == 0) {
            SurveyMeasurement m;
            m.origin = ReadingOrigin::Live;
            // Marked until it ends: a program killed meanwhile leaves it marked.
            m.recording = true;
            const Valued<qint64> id = doc_->AddMeasurement(liveHeight_, m);
            if (!id) {
                StopRecording();
                Say(id.outcome.text);
                return;
            }
            liveMeasurement_ = *id;
        }
        const Outcome stored = doc_->AppendReading(liveMeasurement_, r);
        if (!stored) {
            StopRecording();
            SayFailure(stored);
            return;
        }
    }
    liveRowsBefore_ = first + count;
    if (const SurveyDocument::Place p = doc_->Find(SurveyLevel::Measurement, liveMeasurement_);
        p.measurement != nullptr) {
        FollowMeasurementDates(*p.measurement);
    }
    RefreshTree();
    ShowResults();
    SayRecording();
}

void TFSurvey::StopRecording() {
    int stored = 0;
    if (doc_ && liveMeasurement_ != 0) {
        if (const SurveyMeasurement* m = doc_->Find(SurveyLevel::Measurement, liveMeasurement_).measurement) {
            stored = static_cast<int>(m->readings.size());
        }
    }
    Outcome ended;
    if (doc_ && liveMeasurement_ != 0) ended = doc_->SetRecording(liveMeasurement_, false);
    if (liveStartedHere_ && host_.LiveRunning()) host_.StopLive();
    timerLiveWatch_->stop();
    liveHeight_ = 0;
    liveMeasurement_ = 0;
    liveStartedHere_ = false;
    ButtonLive->setText(QString::fromUtf8(kStartLive));
    host_.ShowSurveySeries(QString());
    RefreshTree();
    Say(QString::fromUtf8(kLiveStopped).arg(stored));
    if (!ended) SayFailure(ended);
}

void TFSurvey::WatchLive() {
    if (!Recording()) return;
    if (host_.LiveRunning()) {
        liveSeenRunning_ = true;
        return;
    }
    // A start waits for the meter's answer to its probe; one never answered ends the series.
    ++liveWatchTicks_;
    if (liveSeenRunning_ || liveWatchTicks_ * kLiveWatchMs >= kLiveStartWaitMs) {
        liveStartedHere_ = false;
        StopRecording();
    }
}

void TFSurvey::SayRecording() {
    const SurveyDocument::Place live = doc_->Find(SurveyLevel::Height, liveHeight_);
    if (live.height == nullptr) return;
    const SurveyMeasurement* m = doc_->Find(SurveyLevel::Measurement, liveMeasurement_).measurement;
    const QString stored = QString::number(m != nullptr ? m->readings.size() : 0);
    Say(QString::fromUtf8(kLiveStarted).arg(live.point->name, HeightText(*live.height), stored));
    host_.ShowSurveySeries(
        QString::fromUtf8(kSeriesShort).arg(live.point->name, HeightText(*live.height), stored));
}

void TFSurvey::ButtonTakeSpanClick() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.height == nullptr) {
        Say(QString::fromUtf8(kChooseHeight));
        return;
    }
    const std::optional<TimeSpan> whole = WholeSpan(host_.Logger());
    if (!whole) {
        Say(QString::fromUtf8(kSpanEmpty));
        return;
    }
    const qint64 heightId = place.height->id;
    const std::optional<TimeSpan> span = AskSpan(*whole);
    if (!span) return;
    WritePending();
    SurveyMeasurement m =
        SpanMeasurement(host_.Logger(), *span, QFileInfo(host_.LoggerFile()).fileName());
    if (m.readings.empty()) {
        Say(QString::fromUtf8(kSpanNone));
        return;
    }
    if (!ConfirmMixing(m.readings, heightId)) {
        Say(QString::fromUtf8(kSpanNotTaken));
        return;
    }
    const int count = static_cast<int>(m.readings.size());
    const QString height = HeightText(*doc_->Find(SurveyLevel::Height, heightId).height);
    const Valued<qint64> id = doc_->AddMeasurement(heightId, std::move(m));
    if (!id) {
        Say(id.outcome.text);
        return;
    }
    RefreshTree();
    ShowResults();
    Say(QString::fromUtf8(kSpanTaken).arg(count).arg(height));
}

QString TFSurvey::PlaceText(const SurveyDocument::Place& place) {
    if (place.height == nullptr) return {};
    return QString::fromUtf8(kPlaceText)
        .arg(place.workplace->name, place.point->name, HeightText(*place.height));
}

bool TFSurvey::ConfirmMixing(const std::vector<Reading>& readings, qint64 heightId) {
    const SurveyDocument::Place place = doc_->Find(SurveyLevel::Height, heightId);
    if (place.height == nullptr) return false;
    const Survey& s = doc_->Data();
    const std::vector<SpanDoubt> doubts = SpanDoubts(readings, *place.height, s.header, s.instrument);
    if (doubts.empty()) return true;
    const std::optional<TimeSpan> span = ReadingsSpan(readings);
    const auto day = [](const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); };
    const QString first = span ? day(span->from.date()) : QString();
    const QString last = span ? day(span->to.date()) : QString();
    QStringList lines{QString::fromUtf8(kMixQuestion).arg(PlaceText(place)), QString()};
    for (const SpanDoubt d : doubts) {
        switch (d) {
            case SpanDoubt::HeightMeasured: {
                size_t held = 0;
                for (const SurveyMeasurement& m : place.height->measurements) held += m.readings.size();
                lines << QString::fromUtf8(kDoubtMeasured).arg(held);
                break;
            }
            case SpanDoubt::BeforeSurvey:
                lines << QString::fromUtf8(kDoubtBeforeSurvey).arg(first, day(s.header.firstDate));
                break;
            case SpanDoubt::AfterSurvey:
                lines << QString::fromUtf8(kDoubtAfterSurvey).arg(last, day(s.header.lastDate));
                break;
            case SpanDoubt::BeforeVerification:
                lines << QString::fromUtf8(kDoubtBeforeVerification)
                             .arg(first, day(s.instrument.certificateDate));
                break;
            case SpanDoubt::AfterValidity:
                lines << QString::fromUtf8(kDoubtAfterValidity)
                             .arg(last, day(s.instrument.validUntil));
                break;
        }
    }
    return AskMixing(lines.join(QLatin1Char('\n')));
}

void TFSurvey::FollowMeasurementDates(const SurveyMeasurement& m) {
    if (m.readings.empty() || m.origin != ReadingOrigin::Live) return;
    SurveyHeader h = doc_->Data().header;
    const QDate first = m.readings.front().when.date();
    const QDate last = m.readings.back().when.date();
    const SurveyHeader was = h;
    if (!h.firstDate.isValid() || first < h.firstDate) h.firstDate = first;
    if (!h.lastDate.isValid() || last > h.lastDate) h.lastDate = last;
    if (h.firstDate == was.firstDate && h.lastDate == was.lastDate) return;
    Check(doc_->SetHeader(h));
    const bool quiet = showing_;
    showing_ = true;
    DateFirst->setDate(doc_->Data().header.firstDate);
    DateLast->setDate(doc_->Data().header.lastDate);
    showing_ = quiet;
}

}  // namespace lmr
