// The survey page of the survey window: the survey's header, the laboratory and the instrument.
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "assess/AssessTexts.h"
#include "survey/SurveyLimits.h"
#include "surveyui/DateField.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyTexts.h"
#include "surveyui/SurveyWidgets.h"

namespace lmr {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

QWidget* TFSurvey::BuildSurveyPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildHeaderGroup());
    layout->addWidget(BuildLaboratoryGroup());
    layout->addWidget(BuildInstrumentGroup());
    layout->addStretch(1);
    return page;
}

QGroupBox* TFSurvey::BuildHeaderGroup() {
    auto* group = new QGroupBox(Text(kHeaderGroup));
    auto* form = new QFormLayout(group);
    EditOrganisation = MakeEdit(group, "EditOrganisation");
    EditAddress = MakeEdit(group, "EditAddress");
    EditCustomer = MakeEdit(group, "EditCustomer");
    EditPurpose = MakeEdit(group, "EditPurpose");
    EditPurpose->setMaxLength(kSurveyPurposeLimit);
    EditProtocolNumber = MakeEdit(group, "EditProtocolNumber");
    DateProtocol = MakeDate(group, "DateProtocol");
    DateFirst = MakeDate(group, "DateFirst");
    DateLast = MakeDate(group, "DateLast");
    EditOperators = MakeEdit(group, "EditOperators");
    ComboSeason = new QComboBox(group);
    ComboSeason->setObjectName(QStringLiteral("ComboSeason"));
    ComboSeason->addItems({SeasonText(Season::Cold), SeasonText(Season::Warm)});
    ComboKind = new QComboBox(group);
    ComboKind->setObjectName(QStringLiteral("ComboKind"));
    ComboKind->addItems({Text(kKinds[0]), Text(kKinds[1])});
    EditOutdoor = MakeEdit(group, "EditOutdoor");
    EditOutdoor->setPlaceholderText(Text(kNotGiven));
    LabelOutdoorNote = new QLabel(group);
    LabelOutdoorNote->setObjectName(QStringLiteral("LabelOutdoorNote"));
    LabelOutdoorNote->setWordWrap(true);
    LabelOutdoorNote->hide();

    form->addRow(Text(kOrganisation), EditOrganisation);
    form->addRow(Text(kAddress), EditAddress);
    form->addRow(Text(kCustomer), EditCustomer);
    form->addRow(Text(kPurpose), EditPurpose);
    form->addRow(Text(kProtocolNumber), EditProtocolNumber);
    form->addRow(Text(kProtocolDate), DateProtocol);
    auto* dates = new QHBoxLayout;
    dates->addWidget(DateFirst);
    auto* toLabel = new QLabel(Text(kLastDate), group);
    toLabel->setBuddy(DateLast);
    dates->addWidget(toLabel);
    dates->addWidget(DateLast);
    dates->addStretch(1);
    form->addRow(Text(kFirstDate), dates);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(dates))) label->setBuddy(DateFirst);
    form->addRow(Text(kOperators), EditOperators);
    form->addRow(Text(kSeason), ComboSeason);
    form->addRow(Text(kKind), ComboKind);
    form->addRow(Text(kOutdoor), EditOutdoor);
    form->addRow(LabelOutdoorNote);
    return group;
}

QGroupBox* TFSurvey::BuildInstrumentGroup() {
    auto* group = new QGroupBox(Text(kInstrumentGroup));
    auto* form = new QFormLayout(group);
    // Made in the order they stand, which Tab follows.
    EditModel = MakeEdit(group, "EditModel");
    ButtonFromMeter = MakeButton(group, kFromMeter, "ButtonFromMeter");
    EditHead = MakeEdit(group, "EditHead");
    EditTypeName = MakeEdit(group, "EditTypeName");
    EditRegisterNumber = MakeEdit(group, "EditRegisterNumber");
    EditRanges = MakeEdit(group, "EditRanges");
    EditSerial = MakeEdit(group, "EditSerial");
    EditCertificate = MakeEdit(group, "EditCertificate");
    DateCertificate = MakeDate(group, "DateCertificate");
    DateValidUntil = MakeDate(group, "DateValidUntil");
    EditErrorAir = MakeEdit(group, "EditErrorAir");
    EditErrorRh = MakeEdit(group, "EditErrorRh");
    EditErrorGlobe = MakeEdit(group, "EditErrorGlobe");
    EditErrorSpeed = MakeEdit(group, "EditErrorSpeed");
    EditErrorSpeedPercent = MakeEdit(group, "EditErrorSpeedPercent");
    for (QLineEdit* e : {EditErrorAir, EditErrorRh, EditErrorGlobe, EditErrorSpeed,
                         EditErrorSpeedPercent}) {
        e->setPlaceholderText(Text(kNotGiven));
    }
    LabelErrorNote = new QLabel(group);
    LabelErrorNote->setObjectName(QStringLiteral("LabelErrorNote"));
    LabelErrorNote->setWordWrap(true);
    LabelErrorNote->hide();
    connect(ButtonFromMeter, &QPushButton::clicked, this, &TFSurvey::ButtonFromMeterClick);
    auto* model = new QHBoxLayout;
    model->addWidget(EditModel, 1);
    model->addWidget(ButtonFromMeter);
    form->addRow(Text(kModel), model);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(model))) label->setBuddy(EditModel);
    form->addRow(Text(kHead), EditHead);
    form->addRow(Text(kTypeName), EditTypeName);
    form->addRow(Text(kRegisterNumber), EditRegisterNumber);
    form->addRow(Text(kRanges), EditRanges);
    form->addRow(Text(kSerial), EditSerial);
    form->addRow(Text(kCertificate), EditCertificate);
    form->addRow(Text(kCertificateDate), DateCertificate);
    form->addRow(Text(kValidUntil), DateValidUntil);
    form->addRow(Text(kErrorAir), EditErrorAir);
    form->addRow(Text(kErrorRh), EditErrorRh);
    form->addRow(Text(kErrorGlobe), EditErrorGlobe);
    form->addRow(Text(kErrorSpeed), EditErrorSpeed);
    form->addRow(Text(kErrorSpeedPercent), EditErrorSpeedPercent);
    form->addRow(LabelErrorNote);
    return group;
}

}  // namespace lmr
