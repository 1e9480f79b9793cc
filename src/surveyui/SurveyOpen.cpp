// The survey window's file: a new survey, an existing one, the recent ones.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

#include "data/WholeFile.h"
#include "survey/SurveyTexts.h"
#include "survey/FileNames.h"
#include "surveyui/FormSurvey.h"
#include "survey/SurveySettings.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr const char* kWindowKey = "windows/survey";
constexpr const char* kShownKey = "windows/surveyShown";
constexpr const char* kItemKey = "windows/surveyItem";

// A new survey's file gets the suffix when the name given has none.
QString WithSuffix(const QString& path) {
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + QString::fromLatin1(kSurveySuffix);
}

}  // namespace

void TFSurvey::NewSurvey(const QString& chosen) {
    Survey start = settings_ != nullptr ? KeptSurveyFields(*settings_) : Survey{};
    const QString path =
        !chosen.isEmpty()
            ? chosen
            : AskPath(QString::fromUtf8(kNewSurveyCaption), QString::fromUtf8(kSurveyFilter),
                      QString::fromLatin1(kSurveySuffix),
                      ProposedFileName(QString::fromUtf8(kSurveyTitle), start.header.organisation,
                                       QDate::currentDate()));
    if (path.isEmpty()) return;
    start.header.protocolDate = QDate::currentDate();
    if (start.header.method.isEmpty()) start.header.method = QString::fromUtf8(kDefaultSurveyMethod);
    if (host_.Identified()) {
        start.instrument.model = host_.ModelName();
        start.instrument.head = host_.HeadName();
    }
    // The survey open here is not replaced from under itself; it is closed by another first.
    if (doc_ && SameFileOnDisk(WithSuffix(path), doc_->Path())) {
        Say(QString::fromUtf8(kSurveyCannotCreate)
                .arg(QDir::toNativeSeparators(WithSuffix(path)), QString::fromUtf8(kSurveyOpenHere)));
        return;
    }
    Outcome result;
    std::unique_ptr<SurveyDocument> doc = SurveyDocument::Create(WithSuffix(path), start, &result);
    if (!doc) {
        SayFailure(result);
        return;
    }
    TakeDocument(std::move(doc), QString::fromUtf8(kSurveyCreated));
}

void TFSurvey::OpenSurvey(const QString& chosen) {
    const QString path =
        !chosen.isEmpty() ? chosen
                          : AskPath(QString::fromUtf8(kOpenSurveyCaption),
                                    QString::fromUtf8(kSurveyFilter), QString(), QString());
    if (path.isEmpty()) return;
    Outcome result;
    std::unique_ptr<SurveyDocument> doc = SurveyDocument::Open(path, &result);
    if (!doc) {
        SayFailure(result);
        return;
    }
    TakeDocument(std::move(doc), QString::fromUtf8(kSurveyOpened));
}

void TFSurvey::ReopenLast() {
    if (settings_ == nullptr) return;
    const QStringList recent = RecentSurveys(*settings_);
    if (recent.isEmpty() || !QFileInfo::exists(recent.first())) return;
    OpenSurvey(recent.first());
}

void TFSurvey::KeepWindow() const {
    if (settings_ == nullptr) return;
    settings_->setValue(QString::fromLatin1(kWindowKey), saveGeometry());
    settings_->setValue(QString::fromLatin1(kShownKey), isVisible());
    const auto selected = Selected();
    settings_->setValue(QString::fromLatin1(kItemKey),
                        selected ? QStringLiteral("%1:%2")
                                       .arg(static_cast<int>(selected->first))
                                       .arg(selected->second)
                                 : QString());
}

bool TFSurvey::RestoreWindow() {
    if (settings_ == nullptr) return false;
    const QByteArray place = settings_->value(QString::fromLatin1(kWindowKey)).toByteArray();
    if (!place.isEmpty()) restoreGeometry(place);
    const QStringList item = settings_->value(QString::fromLatin1(kItemKey)).toString().split(':');
    if (doc_ && item.size() == 2) {
        bool levelRead = false;
        bool idRead = false;
        const int level = item[0].toInt(&levelRead);
        const qint64 id = item[1].toLongLong(&idRead);
        if (levelRead && idRead && level >= 0 && level <= static_cast<int>(SurveyLevel::Height)) {
            Select(static_cast<SurveyLevel>(level), id);
        }
    }
    return settings_->value(QString::fromLatin1(kShownKey), false).toBool();
}

void TFSurvey::FillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList recent = settings_ != nullptr ? RecentSurveys(*settings_) : QStringList();
    if (recent.isEmpty()) {
        menu->addAction(QString::fromUtf8(kNoRecentSurveys))->setEnabled(false);
        return;
    }
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // "&1 name.lmrs": the digit chooses it; the whole path is in the status tip.
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setStatusTip(QDir::toNativeSeparators(path));
        a->setToolTip(QDir::toNativeSeparators(path));
        connect(a, &QAction::triggered, this, [this, path] { OpenSurvey(path); });
    }
}

void TFSurvey::TakeDocument(std::unique_ptr<SurveyDocument> doc, const QString& said) {
    WritePending();
    if (Recording()) StopRecording();
    doc_ = std::move(doc);
    if (settings_ != nullptr) RememberSurvey(*settings_, doc_->Path());
    const QStringList cut = EndCutSeries();
    ShowSurveyFields();
    FillTree();
    if (TreeSurvey->topLevelItemCount() > 0) {
        TreeSurvey->setCurrentItem(TreeSurvey->topLevelItem(0));
    }
    ShowItem();
    EnableAll();
    setWindowTitle(QString::fromUtf8(kSurveyTitle) + QStringLiteral(" — ") +
                   QFileInfo(doc_->Path()).fileName());
    Say((QStringList{said.arg(QDir::toNativeSeparators(doc_->Path()))} + cut).join(QLatin1Char('\n')));
}

QStringList TFSurvey::EndCutSeries() {
    std::vector<std::pair<qint64, QString>> cut;
    for (const SurveyWorkplace& w : doc_->Data().workplaces) {
        for (const SurveyPoint& p : w.points) {
            for (const SurveyHeight& h : p.heights) {
                for (const SurveyMeasurement& m : h.measurements) {
                    if (!m.recording) continue;
                    const QString first =
                        m.readings.empty()
                            ? QString()
                            : m.readings.front().when.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
                    cut.emplace_back(m.id, QString::fromUtf8(kSeriesCut)
                                               .arg(PlaceText({&w, &p, &h}), first)
                                               .arg(m.readings.size()));
                }
            }
        }
    }
    QStringList said;
    for (const auto& [id, text] : cut) {
        said << text;
        // Said once: the series is ended now, with what it kept.
        const Outcome r = doc_->SetRecording(id, false);
        if (!r) said << r.text;
    }
    return said;
}

void TFSurvey::SayFailure(const Outcome& r) {
    Say(r.text);
}

void TFSurvey::Check(const Outcome& r) {
    if (r) return;
    SayFailure(r);
    // What the file did not take is not shown as if it had.
    ShowSurveyFields();
    FillTree();
    ShowItem();
}

void TFSurvey::EnableAll() {
    const bool open = doc_ != nullptr;
    for (QWidget* w : {static_cast<QWidget*>(TreeSurvey), static_cast<QWidget*>(Pages),
                       static_cast<QWidget*>(ButtonAddWorkplace),
                       static_cast<QWidget*>(ButtonLive), static_cast<QWidget*>(ButtonTakeSpan),
                       static_cast<QWidget*>(ButtonProtocolPdf),
                       static_cast<QWidget*>(ButtonProtocolXlsx),
                       static_cast<QWidget*>(ButtonPrint)}) {
        w->setEnabled(open);
    }
    const auto selected = Selected();
    ButtonAddPoint->setEnabled(open && selected.has_value());
    ButtonAddHeight->setEnabled(open && selected && selected->first != SurveyLevel::Workplace);
    ButtonRemove->setEnabled(open && selected.has_value());
}

}  // namespace lmr
