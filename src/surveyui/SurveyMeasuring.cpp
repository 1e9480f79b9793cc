// The survey window's measuring: a live series for a height, and a span of the logger page.
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "measure/NumberText.h"
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
            const std::optional<qint64> id = doc_->AddMeasurement(liveHeight_, m);
            if (!id) {
                const QString error = doc_->LastError();
                StopRecording();
                Say(error);
                return;
            }
            liveMeasurement_ = *id;
        }
        const SurveyFileResult stored = doc_->AppendReading(liveMeasurement_, r);
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
    if (liveStartedHere_ && host_.LiveRunning()) host_.StopLive();
    timerLiveWatch_->stop();
    liveHeight_ = 0;
    liveMeasurement_ = 0;
    liveStartedHere_ = false;
    ButtonLive->setText(QString::fromUtf8(kStartLive));
    Say(QString::fromUtf8(kLiveStopped).arg(stored));
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
    Say(QString::fromUtf8(kLiveStarted)
            .arg(live.point->name, HeightText(*live.height),
                 QString::number(m != nullptr ? m->readings.size() : 0)));
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
    const std::optional<TimeSpan> span = AskSpan(*whole);
    if (!span) return;
    WritePending();
    SurveyMeasurement m =
        SpanMeasurement(host_.Logger(), *span, QFileInfo(host_.LoggerFile()).fileName());
    if (m.readings.empty()) {
        Say(QString::fromUtf8(kSpanNone));
        return;
    }
    const int count = static_cast<int>(m.readings.size());
    const QString height = HeightText(*place.height);
    const qint64 heightId = place.height->id;
    const std::optional<qint64> id = doc_->AddMeasurement(heightId, std::move(m));
    if (!id) {
        Say(doc_->LastError());
        return;
    }
    RefreshTree();
    ShowResults();
    Say(QString::fromUtf8(kSpanTaken).arg(count).arg(height));
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
