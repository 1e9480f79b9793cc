// The measurement protocol from the main window: the live readings or the logger page's
// records, whichever page is shown.
#include <QMessageBox>

#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "assess/AssessTexts.h"
#include "export/AssessmentSheet.h"
#include "export/ExportTexts.h"
#include "logger/LoggerRow.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// Sheet columns 2 … 10 and the quantities they hold.
constexpr Quantity kSheetColumns[] = {Quantity::Ths, Quantity::Wbgt, Quantity::Rh,
                                      Quantity::Tv,  Quantity::Tsf,  Quantity::Tvt,
                                      Quantity::Ttr, Quantity::Trad, Quantity::W};

// The protocol's texts, made from the measurement data as the pages show them.
class MainProtocolSource final : public ProtocolSource {
public:
    MainProtocolSource(const TFMain& m, const LiveSession& live, const LoggerTable& logger)
        : m_(m), live_(live), logger_(logger), counted_(logger.CountedRows()) {}
    bool LivePage() const override { return m_.LivePageShown(); }
    int LiveCount(int) const override { return live_.Count(); }
    QString LiveTime(int t) const override { return TimeOfDayText(live_.At(t).when); }
    QString LiveValueText(int column, int t) const override {
        const auto value = LiveValue(live_.At(t), kSheetColumns[std::clamp(column, 2, 10) - 2]);
        return value ? NumberText(*value) : QString::fromLatin1(kAbsentText);
    }
    // The logger page's grid: its header row, a row per record counted once, its empty last
    // row.
    int LoggerRowCount() const override { return static_cast<int>(counted_.size()) + 2; }
    QString LoggerCell(int col, int row) const override {
        if (row < 1 || row > static_cast<int>(counted_.size()) || col < 0 ||
            col >= kLoggerColumns) {
            return {};
        }
        // The sheet is written column by column: each record's texts are made once.
        if (rows_.empty()) {
            rows_.reserve(counted_.size());
            for (const int i : counted_)
                rows_.push_back(
                    MakeLoggerRow(0, logger_.At(i).record, logger_.At(i).reading.derived).cells);
        }
        return rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(col)];
    }

private:
    const TFMain& m_;
    const LiveSession& live_;
    const LoggerTable& logger_;
    const std::vector<int> counted_;
    mutable std::vector<std::array<QString, kLoggerColumns>> rows_;
};

}  // namespace

void TFMain::N1Click() {
    WorkbookSettings settings = ExportSettings;
    settings.saved = [this](const QString& path) { SetPanelText(3, ProtocolSavedText(path)); };
    settings.showMessage = ShowMessage;
    const MainProtocolSource source(*this, live_, logger_);
    if (FAssess_ != nullptr) {
        // The assessment of the same readings as the first sheet, with the window's inputs.
        const AssessSourceKind kind =
            source.LivePage() ? AssessSourceKind::Live : AssessSourceKind::Logger;
        AssessmentSheetContent content;
        for (const AssessLine& line : FAssess_->SheetLines(kind)) {
            content.rows.emplace_back(line.label, line.value);
        }
        content.typedRows = kPlaceFieldCount;  // SheetLines begins with the place
        content.pageHeader = FAssess_->MeasurementDateText(kind);
        content.conditionsClass = FAssess_->SheetClass(kind);
        settings.addSheets = [content, locale = settings.locale](WorkbookModel& book) {
            WriteAssessmentSheet(book, content, locale);
        };
    }
    (void)ExportProtocol(source, settings);
}

void TFMain::ShowExportMessage(const ExportMessage& m) {
    if (m.icon == ExportMessage::Icon::Error) {
        QMessageBox::critical(this, m.caption, m.text);
    } else {
        QMessageBox::warning(this, m.caption, m.text);
    }
}

}  // namespace lmr
