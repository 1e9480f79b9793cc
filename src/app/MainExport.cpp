// The measurement protocol from the main window: the live readings or the logger page's
// records, whichever page is shown.
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "assess/AssessTexts.h"
#include "export/AssessmentSheet.h"
#include "export/ExportTexts.h"
#include "logger/LoggerRow.h"
#include "logger/LoggerRecord.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// Sheet columns 2 … 10 and the quantities they hold.
constexpr Quantity kSheetColumns[] = {Quantity::Ths, Quantity::Wbgt, Quantity::Rh,
                                      Quantity::Tv,  Quantity::Tsf,  Quantity::Tvt,
                                      Quantity::Ttr, Quantity::Trad, Quantity::W};

// The protocol's values, as the pages show them.
class MainProtocolSource final : public ProtocolSource {
public:
    MainProtocolSource(const TFMain& m, const LiveSession& live, const LoggerTable& logger)
        : m_(m), live_(live), logger_(logger), counted_(logger.CountedRows()) {}
    bool LivePage() const override { return m_.LivePageShown(); }
    int LiveCount(int) const override { return live_.Count(); }
    QString LiveTime(int t) const override { return TimeOfDayText(live_.At(t).when); }
    std::optional<double> LiveNumber(int column, int t) const override {
        return LiveValue(live_.At(t), kSheetColumns[std::clamp(column, 2, 10) - 2]);
    }
    // The logger page's records, each counted once.
    int LoggerCount() const override { return static_cast<int>(counted_.size()); }
    QString LoggerTime(int r) const override { return LoggerTimeText(Entry(r).record); }
    std::optional<double> LoggerNumber(int column, int r) const override {
        const LoggerEntry& e = Entry(r);
        return LoggerCellNumber(column - 1, e.record, e.reading.derived);
    }

private:
    const LoggerEntry& Entry(int r) const { return logger_.At(counted_[static_cast<size_t>(r)]); }

    const TFMain& m_;
    const LiveSession& live_;
    const LoggerTable& logger_;
    const std::vector<int> counted_;
};

}  // namespace

void TFMain::N1Click() {
    WorkbookSettings settings;
    settings.documentsDir = ExportSettings.documentsDir;
    const MainProtocolSource source(*this, live_, logger_);
    if (FAssess_ != nullptr) {
        // The assessment of the same readings as the first sheet, with the window's inputs.
        const AssessSourceKind kind =
            source.LivePage() ? AssessSourceKind::Live : AssessSourceKind::Logger;
        const AssessmentSheetContent content =
            AssessmentSheetOf(FAssess_->Judged(kind), FAssess_->Place());
        settings.addSheets = [content](WorkbookModel& book) {
            WriteAssessmentSheet(book, content);
        };
    }
    const Valued<QString> written = ExportProtocol(source, settings);
    if (!written) {
        if (ShowMessage) {
            ShowMessage({ErrorCaption(), written.outcome.text, ExportMessage::Icon::Error});
        }
        return;
    }
    SetPanelText(3, ProtocolSavedText(*written));
    // Handed to the desktop's program for it; none found only warns, the file stays.
    const bool opened = ExportSettings.open
                            ? ExportSettings.open(*written)
                            : QDesktopServices::openUrl(QUrl::fromLocalFile(*written));
    if (!opened && ShowMessage) {
        ShowMessage({NotOpenedCaption(), NotOpenedText(*written), ExportMessage::Icon::Warning});
    }
}

void TFMain::ShowExportMessage(const ExportMessage& m) {
    if (m.icon == ExportMessage::Icon::Error) {
        QMessageBox::critical(this, m.caption, m.text);
    } else {
        QMessageBox::warning(this, m.caption, m.text);
    }
}

}  // namespace lmr
