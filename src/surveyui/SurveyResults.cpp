// The survey window's results of the selected point: its measurements, the figures of each
// height and the class of the point and of its workplace.
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "assess/AssessTexts.h"
#include "measure/NumberText.h"
#include "protocol/ProtocolChecks.h"
#include "survey/SurveyAssessment.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyWidgets.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr int kIdRole = Qt::UserRole;

QString KindText(ReadingOrigin origin) {
    switch (origin) {
        case ReadingOrigin::Live:
            return QString::fromUtf8(kKindLive);
        case ReadingOrigin::Download:
            return QString::fromUtf8(kKindDownload);
        case ReadingOrigin::DataFile:
            return QString::fromUtf8(kKindDataFile);
    }
    return {};
}

QString MomentText(const QDateTime& when) {
    return when.isValid() ? when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : QString();
}

// "22,4 (21,9–23,0)": the mean by time with the lowest and the highest, as judged and as the
// protocol writes them.
QString FigureText(const QuantityFigures& f) {
    const QLocale locale;
    return QStringLiteral("%1 (%2–%3)").arg(FixedTenthText(f.weightedMean, locale),
                                            FixedTenthText(f.min, locale),
                                            FixedTenthText(f.max, locale));
}

void SetRow(QTableWidget* table, int row, const QStringList& cells, qint64 id = 0) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setData(kIdRole, id);
        table->setItem(row, c, item);
    }
}

// Why a point or workplace without a class has none: the first reason a height gives.
QString NoClassText(const std::vector<HeightVerdict>& heights) {
    for (const HeightVerdict& h : heights) {
        if (h.assessment.count > 0) return VerdictText(h.assessment);
    }
    return QString::fromUtf8(kNoClass);
}

}  // namespace

void TFSurvey::ShowMeasurements(const SurveyDocument::Place& place) {
    TableMeasurements->setRowCount(0);
    ButtonRemoveMeasurement->setEnabled(false);
    ButtonMoveMeasurement->setEnabled(false);
    TableMeasurements->parentWidget()->setVisible(place.point != nullptr);
    if (place.point == nullptr) return;
    int row = 0;
    for (const SurveyHeight& h : place.point->heights) {
        for (const SurveyMeasurement& m : h.measurements) {
            TableMeasurements->setRowCount(row + 1);
            const QDateTime first = m.readings.empty() ? QDateTime() : m.readings.front().when;
            const QDateTime last = m.readings.empty() ? QDateTime() : m.readings.back().when;
            SetRow(TableMeasurements, row,
                   {NumberText(h.metres), KindText(m.origin), MomentText(first), MomentText(last),
                    QString::number(m.readings.size()), m.source},
                   m.id);
            // Readings outside the verification or the survey's days: marked on the row.
            const Survey& s = doc_->Data();
            const QString outside = ReadingsOutsideText(CheckReadings(m, s.header, s.instrument),
                                                        s.header, s.instrument);
            if (!outside.isEmpty()) {
                QTableWidgetItem* kind = TableMeasurements->item(row, 1);
                kind->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
                for (int c = 0; c < TableMeasurements->columnCount(); ++c) {
                    TableMeasurements->item(row, c)->setToolTip(outside);
                }
                kind->setData(Qt::AccessibleDescriptionRole, outside);
            }
            ++row;
        }
    }
    ButtonRemoveMeasurement->setEnabled(row > 0);
    ButtonMoveMeasurement->setEnabled(row > 0);
    FitRows(TableMeasurements);
}

void TFSurvey::ShowFigures(const SurveyDocument::Place& place) {
    TableFigures->setRowCount(0);
    TableFigures->parentWidget()->setVisible(place.workplace != nullptr);
    TableFigures->setVisible(place.point != nullptr);
    if (place.point == nullptr) return;
    const PointVerdict pv = AssessPoint(doc_->Data().header, *place.workplace, *place.point);
    TableFigures->setRowCount(static_cast<int>(pv.heights.size()));
    for (size_t i = 0; i < pv.heights.size(); ++i) {
        const Assessment& a = pv.heights[i].assessment;
        const SurveyHeight& h = place.point->heights[i];
        const QString speed = h.airSpeed ? NumberText(*h.airSpeed) : QString::fromUtf8(kAirSpeedNotMeasured);
        // The class beside the height: on a narrow screen the figures scroll, the class stays.
        QStringList cells{NumberText(h.metres),
                          a.conditionsClass ? ClassText(*a.conditionsClass)
                                            : (a.count > 0 ? VerdictText(a) : QString())};
        if (a.count > 0) {
            cells << FigureText(a.air) << FigureText(a.rh) << FigureText(a.globe) << FigureText(a.ths)
                  << FigureText(a.wbgt);
        } else {
            cells << QString() << QString() << QString() << QString() << QString();
        }
        cells << speed << QString::number(a.count);
        SetRow(TableFigures, static_cast<int>(i), cells);
    }
    FitRows(TableFigures);
}

void TFSurvey::ShowVerdict(const SurveyDocument::Place& place) {
    if (place.workplace == nullptr) {
        LabelVerdict->clear();
        return;
    }
    const WorkplaceVerdict wv = AssessWorkplace(doc_->Data().header, *place.workplace);
    QStringList lines;
    for (size_t i = 0; i < wv.points.size() && place.point != nullptr; ++i) {
        const PointVerdict& pv = wv.points[i];
        if (pv.pointId != place.point->id) continue;
        lines << (pv.conditionsClass
                      ? QString::fromUtf8(kPointVerdict)
                            .arg(ClassText(*pv.conditionsClass),
                                 NumberText(pv.heights[static_cast<size_t>(pv.decidingHeight)].metres),
                                 FactorName(pv.decidingFactor))
                      : NoClassText(pv.heights));
    }
    if (wv.conditionsClass) {
        const PointVerdict& pv = wv.points[static_cast<size_t>(wv.decidingPoint)];
        const SurveyPoint& p = place.workplace->points[static_cast<size_t>(wv.decidingPoint)];
        lines << QString::fromUtf8(kWorkplaceVerdict)
                     .arg(ClassText(*wv.conditionsClass), p.name,
                          NumberText(pv.heights[static_cast<size_t>(pv.decidingHeight)].metres),
                          FactorName(wv.decidingFactor));
    } else {
        std::vector<HeightVerdict> heights;
        for (const PointVerdict& pv : wv.points) {
            heights.insert(heights.end(), pv.heights.begin(), pv.heights.end());
        }
        lines << NoClassText(heights);
    }
    LabelVerdict->setText(lines.join(QLatin1Char('\n')));
}

qint64 TFSurvey::ChosenMeasurement() const {
    const QTableWidgetItem* item = TableMeasurements->currentItem();
    if (item == nullptr) item = TableMeasurements->item(0, 0);
    return item != nullptr ? item->data(kIdRole).toLongLong() : 0;
}

void TFSurvey::ButtonMoveMeasurementClick() {
    if (!doc_) return;
    const qint64 id = ChosenMeasurement();
    const SurveyDocument::Place from = doc_->Find(SurveyLevel::Measurement, id);
    if (from.measurement == nullptr) {
        Say(QString::fromUtf8(kChooseMeasurement));
        return;
    }
    WritePending();
    const QString what = QStringLiteral("%1, %2").arg(KindText(from.measurement->origin),
                                                      PlaceText(from));
    std::vector<std::pair<qint64, QString>> heights;
    for (const SurveyWorkplace& w : doc_->Data().workplaces) {
        for (const SurveyPoint& p : w.points) {
            for (const SurveyHeight& h : p.heights) {
                if (h.id != from.height->id) heights.emplace_back(h.id, PlaceText({&w, &p, &h}));
            }
        }
    }
    if (heights.empty()) {
        Say(QString::fromUtf8(kMoveNowhere));
        return;
    }
    const std::optional<qint64> to = AskHeight(what, heights);
    if (!to) return;
    const std::vector<Reading> readings = from.measurement->readings;
    if (!ConfirmMixing(readings, *to)) return;
    const Outcome r = doc_->MoveMeasurement(id, *to);
    Check(r);
    if (!r) return;
    if (id == liveMeasurement_) liveHeight_ = *to;
    RefreshTree();
    ShowResults();
    Say(QString::fromUtf8(kMoved).arg(what, PlaceText(doc_->Find(SurveyLevel::Height, *to))));
}

void TFSurvey::ButtonRemoveMeasurementClick() {
    if (!doc_) return;
    const qint64 id = ChosenMeasurement();
    const SurveyDocument::Place place = doc_->Find(SurveyLevel::Measurement, id);
    if (place.measurement == nullptr) return;
    const SurveyMeasurement& m = *place.measurement;
    const QString kind = KindText(m.origin);
    const QString height = QString::fromUtf8(kHeightInText).arg(NumberText(place.height->metres));
    const QString span =
        m.readings.empty() ? QString()
                           : QStringLiteral("%1 – %2").arg(MomentText(m.readings.front().when),
                                                           MomentText(m.readings.back().when));
    if (!AskConfirm(QString::fromUtf8(kRemoveMeasurementQuestion)
                        .arg(kind, height, span)
                        .arg(m.readings.size()))) {
        return;
    }
    if (id == liveMeasurement_) StopRecording();
    const Outcome r = doc_->Remove(SurveyLevel::Measurement, id);
    Check(r);
    RefreshTree();
    ShowResults();
    if (r) Say(QString::fromUtf8(kRemovedMeasurement).arg(kind, height, span));
}

}  // namespace lmr
