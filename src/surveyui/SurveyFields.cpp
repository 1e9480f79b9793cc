// The survey window's fields: shown from the survey, written back to its file as edited.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>

#include "measure/NumberText.h"
#include "surveyui/DateField.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveySettings.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr double kMaxAirSpeed = 50;  // m/s; more is a typing slip
constexpr double kOutdoorRange = 80;  // °C either way; more is a typing slip
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
                         EditSerial, EditCertificate}) {
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
    connect(ComboSeason, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        if (!showing_) WriteHeader();
    });
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
    EditOutdoor->setText(OptionalText(h.outdoorTemperature));
    LabelOutdoorNote->hide();
    const SurveyInstrument& i = s.instrument;
    EditModel->setText(i.model);
    EditHead->setText(i.head);
    EditSerial->setText(i.serialNumber);
    EditCertificate->setText(i.certificateNumber);
    ShowDate(DateCertificate, i.certificateDate);
    ShowDate(DateValidUntil, i.validUntil);
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
    h.season = ComboSeason->currentIndex() == 1 ? Season::Warm : Season::Cold;
    if (const auto outdoor = ReadOptional(EditOutdoor, LabelOutdoorNote, -kOutdoorRange,
                                          kOutdoorRange, kOutdoorUnread)) {
        h.outdoorTemperature = *outdoor;
    }
    const SurveyHeader& was = doc_->Data().header;
    if (h.organisation == was.organisation && h.address == was.address &&
        h.customer == was.customer && h.purpose == was.purpose &&
        h.protocolNumber == was.protocolNumber && h.protocolDate == was.protocolDate &&
        h.firstDate == was.firstDate && h.lastDate == was.lastDate &&
        h.operators == was.operators && h.season == was.season &&
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
    const SurveyInstrument& was = doc_->Data().instrument;
    if (i.model == was.model && i.head == was.head && i.serialNumber == was.serialNumber &&
        i.certificateNumber == was.certificateNumber && i.certificateDate == was.certificateDate &&
        i.validUntil == was.validUntil) {
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
    h.metres = SpinHeight->value();
    if (const auto speed = ReadOptional(EditAirSpeed, LabelAirSpeedNote, 0, kMaxAirSpeed,
                                        kAirSpeedUnread)) {
        h.airSpeed = *speed;
    }
    if (h.metres == place.height->metres && h.airSpeed == place.height->airSpeed) return;
    Check(doc_->UpdateHeight(h));
    RefreshTree();
    ShowResults();
}

}  // namespace lmr
