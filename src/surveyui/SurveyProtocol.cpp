// The survey window's protocol: written as PDF or as a workbook, or printed.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <memory>

#include "protocol/ProtocolChecks.h"
#include "data/WholeFile.h"
#include "protocol/ProtocolPdf.h"
#include "surveyui/ProtocolPrint.h"
#include "protocol/ProtocolWorkbook.h"
#include "protocol/ProtocolWriteError.h"
#include "survey/FileNames.h"
#include "surveyui/FormSurvey.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

void TFSurvey::ButtonProtocolPdfClick(const QString& path) {
    WriteProtocol(path, kPdfFilter, "pdf", &WriteProtocolPdf);
}

void TFSurvey::ButtonProtocolXlsxClick(const QString& path) {
    WriteProtocol(path, kXlsxFilter, "xlsx", &WriteProtocolWorkbook);
}

void TFSurvey::WarnOfCautions() {
    const std::vector<QString> cautions = ProtocolCautions(doc_->Data());
    if (cautions.empty()) return;
    QStringList lines{QString::fromUtf8(kProtocolCautions)};
    for (const QString& c : cautions) lines << c;
    ShowWarning(lines.join(QLatin1Char('\n')));
}

void TFSurvey::ButtonPrintClick() {
    if (!doc_) return;
    WritePending();
    WarnOfCautions();
    PrintProtocol(BuildProtocol(doc_->Data()), this);
}

void TFSurvey::WriteProtocol(const QString& chosen, const char* filter, const char* suffix,
                             Outcome (*write)(const ProtocolContent&, const QString&,
                                              const DataProgress&)) {
    if (!doc_) return;
    if (protocolJob_ != nullptr) {
        Say(QString::fromUtf8(kProtocolWriting).arg(writingPath_));
        return;
    }
    WritePending();
    const SurveyHeader& h = doc_->Data().header;
    const QString what =
        (QString::fromUtf8(kProtocolFileName) + QLatin1Char(' ') + h.protocolNumber).trimmed();
    const QString path =
        !chosen.isEmpty()
            ? chosen
            : AskPath(QString::fromUtf8(kProtocolCaption), QString::fromUtf8(filter),
                      QString::fromLatin1(suffix),
                      ProposedFileName(what, h.organisation,
                                       h.protocolDate.isValid() ? h.protocolDate
                                                                : QDate::currentDate()));
    if (path.isEmpty()) return;
    // A protocol written over the survey's own file (under any name: a link) would lose the
    // survey.
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(doc_->Path()).absoluteFilePath() ||
        SameFileOnDisk(path, doc_->Path())) {
        Say(ProtocolWriteError(path, QString::fromUtf8(kProtocolOverSurvey)));
        return;
    }
    WarnOfCautions();
    // Painted on a thread of its own: a protocol of many pages must not freeze the window, and
    // closing the program stops it at its next page.
    auto content = std::make_shared<const ProtocolContent>(BuildProtocol(doc_->Data()));
    auto written = std::make_shared<Outcome>();
    writingPath_ = QDir::toNativeSeparators(path);
    protocolJob_ = new FileJob(
        [content, written, path, write](const DataProgress& progress) {
            *written = write(*content, path, progress);
        },
        this);
    connect(protocolJob_, &FileJob::finished, this, [this, written] {
        protocolJob_->deleteLater();
        protocolJob_ = nullptr;
        Say(*written ? QString::fromUtf8(kProtocolWritten).arg(writingPath_) : written->text);
    });
    Say(QString::fromUtf8(kProtocolWriting).arg(writingPath_));
    protocolJob_->Start();
}

}  // namespace lmr
