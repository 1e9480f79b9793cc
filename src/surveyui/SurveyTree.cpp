// The survey window's tree: workplaces, their points and their heights, each with its class;
// adding and removing them.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include "assess/AssessTexts.h"
#include "measure/NumberText.h"
#include "protocol/ProtocolChecks.h"
#include "survey/SurveyAssessment.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;

QTreeWidgetItem* MakeItem(SurveyLevel level, qint64 id) {
    auto* item = new QTreeWidgetItem;
    item->setData(0, kLevelRole, static_cast<int>(level));
    item->setData(0, kIdRole, id);
    return item;
}

QString ClassOrNothing(const std::optional<ConditionsClass>& c) {
    return c ? ClassText(*c) : QString();
}

// The next free "Точка N" or "Рабочее место N" after those there are.
template <typename T>
QString NextName(const char* pattern, const std::vector<T>& items) {
    return QString::fromUtf8(pattern).arg(items.size() + 1);
}

}  // namespace

void TFSurvey::FillTree() {
    const auto selected = Selected();
    const QSignalBlocker quiet(TreeSurvey);
    TreeSurvey->clear();
    if (doc_) {
        for (const SurveyWorkplace& w : doc_->Data().workplaces) {
            QTreeWidgetItem* wi = MakeItem(SurveyLevel::Workplace, w.id);
            TreeSurvey->addTopLevelItem(wi);
            for (const SurveyPoint& p : w.points) {
                QTreeWidgetItem* pi = MakeItem(SurveyLevel::Point, p.id);
                wi->addChild(pi);
                for (const SurveyHeight& h : p.heights) pi->addChild(MakeItem(SurveyLevel::Height, h.id));
            }
        }
    }
    TreeSurvey->expandAll();
    RefreshTree();
    if (selected) Select(selected->first, selected->second);
}

void TFSurvey::RefreshTree() {
    if (!doc_) return;
    const Survey& s = doc_->Data();
    for (int wi = 0; wi < TreeSurvey->topLevelItemCount(); ++wi) {
        QTreeWidgetItem* witem = TreeSurvey->topLevelItem(wi);
        const SurveyWorkplace& w = s.workplaces[static_cast<size_t>(wi)];
        const WorkplaceVerdict wv = AssessWorkplace(s.header, w);
        witem->setText(0, w.name);
        // A long name is cut in the tree; its tool tip holds it whole.
        witem->setToolTip(0, w.name);
        witem->setText(1, ClassOrNothing(wv.conditionsClass));
        for (int pi = 0; pi < witem->childCount(); ++pi) {
            QTreeWidgetItem* pitem = witem->child(pi);
            const SurveyPoint& p = w.points[static_cast<size_t>(pi)];
            const PointVerdict& pv = wv.points[static_cast<size_t>(pi)];
            pitem->setText(0, p.name);
            pitem->setToolTip(0, p.name);
            pitem->setText(1, ClassOrNothing(pv.conditionsClass));
            for (int hi = 0; hi < pitem->childCount(); ++hi) {
                QTreeWidgetItem* hitem = pitem->child(hi);
                const SurveyHeight& h = p.heights[static_cast<size_t>(hi)];
                const QString height = QString::fromUtf8(kHeightText).arg(NumberText(h.metres));
                hitem->setText(0, h.id == liveHeight_
                                      ? QString::fromUtf8(kTreeRecording).arg(height)
                                      : height);
                hitem->setToolTip(0, hitem->text(0));
                hitem->setText(
                    1, ClassOrNothing(pv.heights[static_cast<size_t>(hi)].assessment.conditionsClass));
                MarkReadingsOutside(hitem, h);
            }
        }
    }
}

// A height whose readings fall outside the verification or the survey's days: a warning mark,
// and what is wrong in its tool tip (and for a screen reader, in its description).
void TFSurvey::MarkReadingsOutside(QTreeWidgetItem* item, const SurveyHeight& h) {
    const Survey& s = doc_->Data();
    QStringList lines;
    for (const SurveyMeasurement& m : h.measurements) {
        const QString text =
            ReadingsOutsideText(CheckReadings(m, s.header, s.instrument), s.header, s.instrument);
        if (!text.isEmpty()) lines << text;
    }
    const QString tip = lines.join(QLatin1Char('\n'));
    item->setIcon(0, tip.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setToolTip(0, tip);
    item->setData(0, Qt::AccessibleDescriptionRole, tip);
}

std::optional<std::pair<SurveyLevel, qint64>> TFSurvey::Selected() const {
    const QTreeWidgetItem* item = TreeSurvey->currentItem();
    if (item == nullptr) return std::nullopt;
    return std::make_pair(static_cast<SurveyLevel>(item->data(0, kLevelRole).toInt()),
                          item->data(0, kIdRole).toLongLong());
}

SurveyDocument::Place TFSurvey::SelectedPlace() const {
    const auto selected = Selected();
    if (!selected || !doc_) return {};
    return doc_->Find(selected->first, selected->second);
}

void TFSurvey::Select(SurveyLevel level, qint64 id) {
    for (QTreeWidgetItemIterator it(TreeSurvey); *it != nullptr; ++it) {
        if ((*it)->data(0, kLevelRole).toInt() == static_cast<int>(level) &&
            (*it)->data(0, kIdRole).toLongLong() == id) {
            TreeSurvey->setCurrentItem(*it);
            return;
        }
    }
}

void TFSurvey::ButtonAddWorkplaceClick() {
    if (!doc_) return;
    WritePending();
    SurveyWorkplace w;
    w.name = NextName(kNewWorkplaceName, doc_->Data().workplaces);
    const Valued<qint64> id = doc_->AddWorkplace(w, NextName(kNewPointName, w.points));
    FillTree();
    if (!id) {
        SayFailure(id.outcome);
        return;
    }
    Select(SurveyLevel::Workplace, *id);
    EditWorkplaceName->setFocus();
    EditWorkplaceName->selectAll();
}

void TFSurvey::ButtonAddPointClick() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.workplace == nullptr) return;
    WritePending();
    const Valued<qint64> id =
        doc_->AddPoint(place.workplace->id, NextName(kNewPointName, place.workplace->points));
    FillTree();
    if (!id) {
        SayFailure(id.outcome);
        return;
    }
    Select(SurveyLevel::Point, *id);
    EditPointName->setFocus();
    EditPointName->selectAll();
}

void TFSurvey::ButtonAddHeightClick() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.point == nullptr) return;
    WritePending();
    // A height above the highest there is, which the user then sets.
    double metres = 0.1;
    for (const SurveyHeight& h : place.point->heights) metres = std::max(metres, h.metres + 0.5);
    const Valued<qint64> id = doc_->AddHeight(place.point->id, metres);
    FillTree();
    if (!id) {
        SayFailure(id.outcome);
        return;
    }
    Select(SurveyLevel::Height, *id);
    SpinHeight->setFocus();
    SpinHeight->selectAll();
}

void TFSurvey::ButtonRemoveClick() {
    const auto selected = Selected();
    if (!selected || !doc_) return;
    WritePending();
    const QTreeWidgetItem* item = TreeSurvey->currentItem();
    const QString name = item->text(0);
    if (!AskConfirm(QString::fromUtf8(kRemoveQuestion).arg(name))) return;
    // A live measurement of what goes stops first.
    if (Recording()) {
        const SurveyDocument::Place live = doc_->Find(SurveyLevel::Height, liveHeight_);
        const bool inside = (selected->first == SurveyLevel::Workplace &&
                             live.workplace->id == selected->second) ||
                            (selected->first == SurveyLevel::Point && live.point->id == selected->second) ||
                            (selected->first == SurveyLevel::Height && liveHeight_ == selected->second);
        if (inside) StopRecording();
    }
    QTreeWidgetItem* next = TreeSurvey->itemAbove(item);
    const auto nextKey =
        next != nullptr ? std::optional<std::pair<int, qint64>>(
                              {next->data(0, kLevelRole).toInt(), next->data(0, kIdRole).toLongLong()})
                        : std::nullopt;
    const Outcome r = doc_->Remove(selected->first, selected->second);
    {
        const QSignalBlocker quiet(TreeSurvey);
        TreeSurvey->setCurrentItem(nullptr);
    }
    FillTree();
    if (nextKey) Select(static_cast<SurveyLevel>(nextKey->first), nextKey->second);
    ShowItem();
    EnableAll();
    if (!r) {
        SayFailure(r);
        return;
    }
    Say(QString::fromUtf8(kRemovedItem).arg(name));
}

void TFSurvey::ShowItem() {
    const SurveyDocument::Place place = SelectedPlace();
    const bool was = showing_;
    showing_ = true;
    LabelChoose->setVisible(place.workplace == nullptr);
    GroupWorkplace->setVisible(place.workplace != nullptr);
    GroupPoint->setVisible(place.point != nullptr);
    GroupHeight->setVisible(place.height != nullptr);
    if (const SurveyWorkplace* w = place.workplace) {
        EditWorkplaceName->setText(w->name);
        ComboCategory->setCurrentIndex(ComboCategory->findData(static_cast<int>(w->category)));
        ComboPosture->setCurrentIndex(w->posture == Posture::Standing ? 1 : 0);
        SpinShiftHours->setValue(w->shiftHours);
    }
    if (const SurveyPoint* p = place.point) EditPointName->setText(p->name);
    if (const SurveyHeight* h = place.height) {
        SpinHeight->setValue(h->metres);
        EditAirSpeed->setText(h->airSpeed ? NumberText(*h->airSpeed) : QString());
        LabelAirSpeedNote->hide();
        ComboIrradiatedShare->setCurrentIndex(static_cast<int>(h->irradiatedShare));
    }
    showing_ = was;
    ShowResults();
    EnableAll();
}

void TFSurvey::ShowResults() {
    const SurveyDocument::Place place = SelectedPlace();
    ShowMeasurements(place);
    ShowFigures(place);
    ShowVerdict(place);
}

}  // namespace lmr
