// The survey window's fields: shown from the survey, written back to its file as edited.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>

#include "measure/NumberText.h"
#include "survey/SurveyLimits.h"
#include "surveyui/DateField.h"
#include "surveyui/FormSurvey.h"
#include "survey/SurveySettings.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

// More is a typing slip.
constexpr double kMaxAirSpeed = kSurveyMaxAirSpeed;
constexpr double kOutdoorRange = kSurveyOutdoorRange;
QDate DateOf(const DateField* e) { return e->date(); }
void ShowDate(DateField* e, const QDate& d) { e->setDate(d); }

QString OptionalText(const std::optional<double>& v) {
    return v ? NumberText(*v) : QString();
}

// A number typed in a field that may stay empty: the value, none for an empty field, or
// nothing when it cannot be read (the note says so, the value written stays).
std::optional<std::optional<double>> ReadOptional(QLineEdit* edit, QLabel* note, double lowest,
                                                  double highest, const char* unread) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        note->hide();
        return std::optional<double>();
    }
    const std::optional<double> v = ParseDecimal(text);
    if (!v || *v < lowest || *v > highest) {
        note->setText(QString::fromUtf8(unread).arg(text));
        note->show();
        return std::nullopt;
    }
    note->hide();
    return v;
}

}  // namespace

void TFSurvey::ConnectFields() {
    for (QLineEdit* e : {EditOrganisation, EditAddress, EditCustomer, EditPurpose,
                         EditProtocolNumber, EditOperators, EditOutdoor, EditModel, EditHead,
                         EditSerial, EditCertificate, EditTypeName, EditRegisterNumber,
                         EditRanges, EditErrorAir, EditErrorRh, EditErrorGlobe, EditErrorSpeed,
                         EditErrorSpeedPercent}) {
        connect(e, &QLineEdit::textEdited, this, &TFSurvey::FieldEdited);
        connect(e, &QLineEdit::editingFinished, this, &TFSurvey::WritePending);
    }
    for (DateField* d : {DateProtocol, DateFirst, DateLast}) {
        connect(d, &DateField::dateChanged, this, [this] {
            if (!showing_) WriteHeader();
        });
    }
    for (DateField* d : {DateCertificate, DateValidUntil}) {
        connect(d, &DateField::dateChanged, this, [this] {
            if (!showing_) WriteInstrument();
        });
    }
    for (DateField* d : {DateProtocol, DateFirst, DateLast, DateCertificate, DateValidUntil}) {
        connect(d, &DateField::unread, this,
                [this](const QString& text) { Say(QString::fromUtf8(kDateUnread).arg(text)); });
    }
    for (QComboBox* c : {ComboSeason, ComboKind}) {
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            if (!showing_) WriteHeader();
        });
    }
}

void TFSurvey::ConnectItemFields() {
    for (QLineEdit* e : {EditWorkplaceName, EditPointName, EditAirSpeed}) {
        connect(e, &QLineEdit::textEdited, this, &TFSurvey::FieldEdited);
        connect(e, &QLineEdit::editingFinished, this, &TFSurvey::WritePending);
    }
    for (QComboBox* c : {ComboCategory, ComboPosture}) {
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            if (!showing_) WriteWorkplace();
        });
    }
    connect(SpinShiftHours, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        if (!showing_) WriteWorkplace();
    });
    connect(SpinHeight, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        if (!showing_) WriteHeight();
    });
    connect(ComboIrradiatedShare, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        if (!showing_) WriteHeight();
    });
}

void TFSurvey::FieldEdited() {
    pending_ = true;
    timerWrite_->start();
}

void TFSurvey::WritePending() {
    timerWrite_->stop();
    if (!pending_ || !doc_) return;
    pending_ = false;
    WriteHeader();
    WriteLaboratory();
    WriteInstrument();
    WriteWorkplace();
    WritePoint();
    WriteHeight();
}

void TFSurvey::ShowSurveyFields() {
    const bool was = showing_;
    showing_ = true;
    const Survey empty;
    const Survey& s = doc_ ? doc_->Data() : empty;
    const SurveyHeader& h = s.header;
    EditOrganisation->setText(h.organisation);
    EditAddress->setText(h.address);
    EditCustomer->setText(h.customer);
    EditPurpose->setText(h.purpose);
    EditProtocolNumber->setText(h.protocolNumber);
    ShowDate(DateProtocol, h.protocolDate);
    ShowDate(DateFirst, h.firstDate);
    ShowDate(DateLast, h.lastDate);
    EditOperators->setText(h.operators);
    ComboSeason->setCurrentIndex(h.season == Season::Warm ? 1 : 0);
    ComboKind->setCurrentIndex(h.kind == SurveyKind::SpecialAssessment ? 1 : 0);
    EditOutdoor->setText(OptionalText(h.outdoorTemperature));
    LabelOutdoorNote->hide();
    const SurveyInstrument& i = s.instrument;
    EditModel->setText(i.model);
    EditHead->setText(i.head);
    EditTypeName->setText(i.typeName);
    EditRegisterNumber->setText(i.registerNumber);
    EditRanges->setText(i.ranges);
    ShowLaboratoryFields(s);
    EditSerial->setText(i.serialNumber);
    EditCertificate->setText(i.certificateNumber);
    ShowDate(DateCertificate, i.certificateDate);
    ShowDate(DateValidUntil, i.validUntil);
    EditErrorAir->setText(OptionalText(i.errorAir));
    EditErrorRh->setText(OptionalText(i.errorRh));
    EditErrorGlobe->setText(OptionalText(i.errorGlobe));
    EditErrorSpeed->setText(OptionalText(i.errorAirSpeed));
    EditErrorSpeedPercent->setText(OptionalText(i.errorAirSpeedPercent));
    LabelErrorNote->hide();
    showing_ = was;
}

void TFSurvey::WriteHeader() {
    if (!doc_) return;
    SurveyHeader h = doc_->Data().header;
    h.organisation = EditOrganisation->text();
    h.address = EditAddress->text();
    h.customer = EditCustomer->text();
    h.purpose = EditPurpose->text();
    h.protocolNumber = EditProtocolNumber->text();
    h.protocolDate = DateOf(DateProtocol);
    h.firstDate = DateOf(DateFirst);
    h.lastDate = DateOf(DateLast);
    h.operators = EditOperators->text();
    h.method = EditMethod->text();
    h.season = ComboSeason->currentIndex() == 1 ? Season::Warm : Season::Cold;
    h.kind = ComboKind->currentIndex() == 1 ? SurveyKind::SpecialAssessment
                                            : SurveyKind::ProductionControl;
    if (const auto outdoor = ReadOptional(EditOutdoor, LabelOutdoorNote, -kOutdoorRange,
                                          kOutdoorRange, kOutdoorUnread)) {
        h.outdoorTemperature = *outdoor;
    }
    const SurveyHeader& was = doc_->Data().header;
    if (h.organisation == was.organisation && h.address == was.address &&
        h.customer == was.customer && h.purpose == was.purpose &&
        h.protocolNumber == was.protocolNumber && h.protocolDate == was.protocolDate &&
        h.firstDate == was.firstDate && h.lastDate == was.lastDate &&
        h.operators == was.operators && h.method == was.method && h.season == was.season &&
        h.kind == was.kind &&
        h.outdoorTemperature == was.outdoorTemperature) {
        return;
    }
    const bool seasonChanged = h.season != was.season;
    Check(doc_->SetHeader(h));
    if (settings_ != nullptr) KeepSurveyFields(*settings_, doc_->Data());
    // The period of the year sets the norms of every class.
    if (seasonChanged) {
        RefreshTree();
        ShowResults();
    }
}

void TFSurvey::WriteInstrument() {
    if (!doc_) return;
    // What the window has no field for stays as the file holds it.
    SurveyInstrument i = doc_->Data().instrument;
    i.model = EditModel->text();
    i.head = EditHead->text();
    i.serialNumber = EditSerial->text();
    i.certificateNumber = EditCertificate->text();
    i.certificateDate = DateOf(DateCertificate);
    i.validUntil = DateOf(DateValidUntil);
    i.typeName = EditTypeName->text();
    i.registerNumber = EditRegisterNumber->text();
    i.ranges = EditRanges->text();
    // A limit that cannot be read keeps the one written; the note names the text.
    LabelErrorNote->hide();
    // The greatest each takes is what the file may hold.
    const struct {
        QLineEdit* edit;
        std::optional<double> SurveyInstrument::*field;
        double max;
    } limits[] = {
        {EditErrorAir, &SurveyInstrument::errorAir, kSurveyMaxTemperatureError},
        {EditErrorRh, &SurveyInstrument::errorRh, kSurveyMaxPercentError},
        {EditErrorGlobe, &SurveyInstrument::errorGlobe, kSurveyMaxTemperatureError},
        {EditErrorSpeed, &SurveyInstrument::errorAirSpeed, kSurveyMaxAirSpeed},
        {EditErrorSpeedPercent, &SurveyInstrument::errorAirSpeedPercent, kSurveyMaxPercentError},
    };
    bool unread = false;
    for (const auto& [edit, field, max] : limits) {
        const auto v = ReadOptional(edit, LabelErrorNote, 0, max, kErrorUnread);
        if (v) {
            i.*field = *v;
        } else {
            unread = true;
        }
        if (unread) LabelErrorNote->show();  // a later field read well must not hide the note
    }
    const SurveyInstrument& was = doc_->Data().instrument;
    if (i.typeName == was.typeName && i.registerNumber == was.registerNumber &&
        i.ranges == was.ranges && i.model == was.model && i.head == was.head &&
        i.serialNumber == was.serialNumber &&
        i.certificateNumber == was.certificateNumber && i.certificateDate == was.certificateDate &&
        i.validUntil == was.validUntil && i.errorAir == was.errorAir && i.errorRh == was.errorRh &&
        i.errorGlobe == was.errorGlobe && i.errorAirSpeed == was.errorAirSpeed &&
        i.errorAirSpeedPercent == was.errorAirSpeedPercent) {
        return;
    }
    Check(doc_->SetInstrument(i));
    if (settings_ != nullptr) KeepSurveyFields(*settings_, doc_->Data());
}

void TFSurvey::ButtonFromMeterClick() {
    if (!host_.Identified()) {
        Say(QString::fromUtf8(kLiveNotFound));
        return;
    }
    EditModel->setText(host_.ModelName());
    EditHead->setText(host_.HeadName());
    WriteInstrument();
}

void TFSurvey::WriteWorkplace() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.workplace == nullptr) return;
    SurveyWorkplace w = *place.workplace;
    w.name = EditWorkplaceName->text();
    w.category = static_cast<WorkCategory>(ComboCategory->currentData().toInt());
    w.posture = ComboPosture->currentIndex() == 1 ? Posture::Standing : Posture::Sitting;
    w.shiftHours = SpinShiftHours->value();
    const SurveyWorkplace& was = *place.workplace;
    if (w.name == was.name && w.category == was.category && w.posture == was.posture &&
        w.shiftHours == was.shiftHours) {
        return;
    }
    // The category sets the norms, the posture may move heights.
    const bool judged = w.category != was.category || w.posture != was.posture;
    Check(doc_->UpdateWorkplace(w));
    RefreshTree();
    if (judged) ShowItem();
}

void TFSurvey::WritePoint() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.point == nullptr) return;
    SurveyPoint p = *place.point;
    p.name = EditPointName->text();
    if (p.name == place.point->name) return;
    Check(doc_->UpdatePoint(p));
    RefreshTree();
}

void TFSurvey::WriteHeight() {
    const SurveyDocument::Place place = SelectedPlace();
    if (place.height == nullptr) return;
    SurveyHeight h = *place.height;
    // The field shows the stored height rounded to its decimals: unless the user changed it, the
    // stored value stays as it was.
    if (SpinHeight->value() != SpinHeight->valueFromText(SpinHeight->textFromValue(h.metres))) {
        h.metres = SpinHeight->value();
    }
    if (const auto speed = ReadOptional(EditAirSpeed, LabelAirSpeedNote, 0, kMaxAirSpeed,
                                        kAirSpeedUnread)) {
        h.airSpeed = *speed;
    }
    h.irradiatedShare = static_cast<IrradiatedShare>(std::max(0, ComboIrradiatedShare->currentIndex()));
    if (h.metres == place.height->metres && h.airSpeed == place.height->airSpeed &&
        h.irradiatedShare == place.height->irradiatedShare) {
        return;
    }
    Check(doc_->UpdateHeight(h));
    RefreshTree();
    ShowResults();
}

}  // namespace lmr
