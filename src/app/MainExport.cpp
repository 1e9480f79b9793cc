// The measurement protocol from the main window: the live record or the
// logger grid, whichever page is shown.
#include <QMessageBox>

#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "export/AssessmentSheet.h"
#include "export/ExportTexts.h"
#include "measure/NumberText.h"

namespace lmr {

namespace {

// Sheet columns 2 … 10 and the quantities they hold.
constexpr Quantity kSheetColumns[] = {Quantity::Ths, Quantity::Wbgt, Quantity::Rh,
                                      Quantity::Tv,  Quantity::Tsf,  Quantity::Tvt,
                                      Quantity::Ttr, Quantity::Trad, Quantity::W};

class MainProtocolSource final : public ProtocolSource {
public:
    explicit MainProtocolSource(const TFMain& m) : m_(m) {}
    bool LivePage() const override { return m_.PageControl->currentIndex() == 0; }
    int LiveCount(int column) const override { return Series(column).Count(); }
    QString LiveTime(int t) const override { return Series(1).At(t).label; }
    QString LiveValueText(int column, int t) const override {
        const LivePoint& p = Series(column).At(t);
        return p.absent ? QString::fromLatin1(kAbsentText) : NumberText(p.y);
    }
    int LoggerRowCount() const override { return m_.StringGridL->RowCount(); }
    QString LoggerCell(int col, int row) const override { return m_.StringGridL->Cells(col, row); }

private:
    const LiveSeries& Series(int column) const {
        // Column 1 (time) reads the X labels of the ТНС series, as column 2 does its values.
        const int i = std::clamp(column, 2, 10) - 2;
        return m_.Record().Series(kSheetColumns[i]);
    }
    const TFMain& m_;
};

}  // namespace

void TFMain::N1Click() {
    WorkbookSettings settings = ExportSettings;
    settings.saved = [this](const QString& path) { SetPanelText(3, ProtocolSavedText(path)); };
    settings.showMessage = ShowMessage;
    const MainProtocolSource source(*this);
    ExportServices services{WorkbookApplication::Factory(settings), ShowMessage};
    if (FAssess_ != nullptr) {
        // The assessment of the same readings as the first sheet, with the window's inputs.
        const AssessSourceKind kind =
            source.LivePage() ? AssessSourceKind::Live : AssessSourceKind::Logger;
        AssessmentSheetContent content;
        for (const AssessLine& line : FAssess_->SheetLines(kind)) {
            content.rows.emplace_back(line.label, line.value);
        }
        content.pageHeader = FAssess_->MeasurementDateText(kind);
        content.conditionsClass = FAssess_->SheetClass(kind);
        services.addSheets = [content](const Automation& app) {
            WriteAssessmentSheet(app, content);
        };
    }
    (void)ExportProtocol(Excel, source, services);
}

void TFMain::ShowExportMessage(const ExportMessage& m) {
    if (m.icon == ExportMessage::Icon::Error) {
        QMessageBox::critical(this, m.caption, m.text);
    } else {
        QMessageBox::warning(this, m.caption, m.text);
    }
}

}  // namespace lmr
