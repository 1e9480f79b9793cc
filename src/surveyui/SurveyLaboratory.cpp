// The survey window's laboratory and method: shown from the survey, written back as edited,
// kept for the next survey.
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>

#include "surveyui/FormSurvey.h"
#include "survey/SurveySettings.h"
#include "surveyui/SurveyTexts.h"
#include "surveyui/SurveyWidgets.h"

namespace lmr {

QGroupBox* TFSurvey::BuildLaboratoryGroup() {
    auto* group = new QGroupBox(QString::fromUtf8(kLaboratoryGroup));
    group->setObjectName(QStringLiteral("GroupLaboratory"));
    auto* form = new QFormLayout(group);
    const auto edit = [group](const char* name) { return MakeEdit(group, name); };
    EditLabName = edit("EditLabName");
    EditLabAddress = edit("EditLabAddress");
    EditLabAccreditation = edit("EditLabAccreditation");
    EditLabHead = edit("EditLabHead");
    EditLabCompiler = edit("EditLabCompiler");
    EditMethod = edit("EditMethod");
    form->addRow(QString::fromUtf8(kLabName), EditLabName);
    form->addRow(QString::fromUtf8(kLabAddress), EditLabAddress);
    form->addRow(QString::fromUtf8(kLabAccreditation), EditLabAccreditation);
    form->addRow(QString::fromUtf8(kLabHead), EditLabHead);
    form->addRow(QString::fromUtf8(kLabCompiler), EditLabCompiler);
    form->addRow(QString::fromUtf8(kMethod), EditMethod);
    for (QLineEdit* e : {EditLabName, EditLabAddress, EditLabAccreditation, EditLabHead,
                         EditLabCompiler, EditMethod}) {
        connect(e, &QLineEdit::textEdited, this, &TFSurvey::FieldEdited);
        connect(e, &QLineEdit::editingFinished, this, &TFSurvey::WritePending);
    }
    return group;
}

void TFSurvey::ShowLaboratoryFields(const Survey& s) {
    EditLabName->setText(s.laboratory.name);
    EditLabAddress->setText(s.laboratory.address);
    EditLabAccreditation->setText(s.laboratory.accreditation);
    EditLabHead->setText(s.laboratory.head);
    EditLabCompiler->setText(s.laboratory.compiler);
    EditMethod->setText(s.header.method);
}

void TFSurvey::WriteLaboratory() {
    if (!doc_) return;
    SurveyLaboratory l;
    l.name = EditLabName->text();
    l.address = EditLabAddress->text();
    l.accreditation = EditLabAccreditation->text();
    l.head = EditLabHead->text();
    l.compiler = EditLabCompiler->text();
    const SurveyLaboratory& was = doc_->Data().laboratory;
    if (l.name == was.name && l.address == was.address && l.accreditation == was.accreditation &&
        l.head == was.head && l.compiler == was.compiler) {
        return;
    }
    Check(doc_->SetLaboratory(l));
    if (settings_ != nullptr) KeepSurveyFields(*settings_, doc_->Data());
}

}  // namespace lmr
