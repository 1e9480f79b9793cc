#include "protocol/ProtocolWorkbook.h"

#include "export/Uxls.h"
#include "export/WorkbookWriter.h"
#include "protocol/ProtocolWriteError.h"

namespace lmr {

namespace {

constexpr std::uint32_t kHeadFill = 0xDDDDDD;
constexpr int kColumns = 12;
constexpr double kWidths[kColumns] = {28, 16, 9, 34, 10, 10, 10, 12, 14, 9, 36, 48};

class SheetCursor {
public:
    explicit SheetCursor(SheetModel& sheet) : sheet_(sheet) {}

    int Row() const { return row_; }
    void Skip() { ++row_; }
    void Text(int column, const QString& text) { SetTextCell(sheet_, row_, column, text); }
    void Number(int column, const std::optional<double>& value) {
        if (value) sheet_.setValue(row_, column, {CellValue::Kind::Number, *value, {}});
    }
    void Line(const QString& text) {
        Text(1, text);
        ++row_;
    }
    void Fields(const std::vector<ProtocolField>& fields) {
        for (const ProtocolField& f : fields) {
            Text(1, f.label);
            Text(2, f.value);
            ++row_;
        }
    }
    // A head row, shaded; the table's rows follow it.
    void Heads(const std::vector<QString>& heads) {
        for (std::size_t c = 0; c < heads.size(); ++c) Text(int(c) + 1, heads[c]);
        sheet_.fill({row_, 1, row_, int(heads.size())}, kHeadFill);
        ++row_;
    }
    void Borders(int top, int columns) {
        if (row_ > top) sheet_.drawBorders({top, 1, row_ - 1, columns});
    }

private:
    SheetModel& sheet_;
    int row_ = 1;
};

}  // namespace

WorkbookModel ProtocolWorkbook(const ProtocolContent& c) {
    WorkbookModel book;
    SheetModel& sheet = book.sheets.emplace_back(QStringLiteral("Протокол"));
    for (int col = 0; col < kColumns; ++col) sheet.setColumnWidth(col + 1, kWidths[col]);
    SheetCursor at(sheet);
    at.Line(QStringLiteral("%1 %2").arg(c.title, c.number));
    sheet.setLargeFont({1, 1, 1, 1}, 14);
    at.Skip();
    at.Fields(c.header);
    at.Fields(c.instrument);
    for (const QString& w : c.warnings) at.Line(w);
    at.Fields(c.conditions);
    at.Skip();

    at.Line(QStringLiteral("Результаты измерений"));
    const int resultsTop = at.Row();
    at.Heads({QStringLiteral("Рабочее место"), QStringLiteral("Точка"),
              QStringLiteral("Высота, м"), QStringLiteral("Показатель"),
              QStringLiteral("Среднее"), QStringLiteral("Мин."), QStringLiteral("Макс."),
              QStringLiteral("U (k = 2)"), QStringLiteral("Допустимо"), QStringLiteral("Норма"), ResultHeads()[4],
              ResultHeads()[5]});
    for (const ProtocolResultGroup& g : c.results) {
        for (const ProtocolResultRow& r : g.rows) {
            at.Text(1, g.workplace);
            at.Text(2, g.point);
            at.Number(3, g.metres);
            at.Text(4, r.quantity);
            if (r.mean) {
                at.Number(5, r.mean);
                at.Number(6, r.min);
                at.Number(7, r.max);
            } else {
                at.Text(5, r.measured);
            }
            at.Text(8, r.uncertainty);
            at.Text(9, r.permissible);
            at.Text(10, r.norm);
            at.Text(11, r.compliance);
            at.Text(12, r.verdict);
            at.Skip();
        }
    }
    at.Borders(resultsTop, kColumns);
    at.Line(QStringLiteral("Среднее — средневзвешенное по времени; по нему определяется класс."));
    at.Skip();

    at.Line(QStringLiteral("Класс условий труда по рабочим местам"));
    const int classesTop = at.Row();
    at.Heads(ClassHeads());
    for (const ProtocolWorkplaceClass& w : c.classes) {
        at.Text(1, w.number);
        at.Text(2, w.name);
        at.Text(3, w.category);
        at.Text(4, w.conditionsClass);
        at.Text(5, w.decidedBy);
        at.Skip();
    }
    at.Borders(classesTop, int(ClassHeads().size()));
    at.Skip();

    at.Line(QStringLiteral("Заключение"));
    for (const QString& line : c.conclusion) at.Line(line);
    at.Skip();
    at.Line(QStringLiteral("Нормативные документы"));
    for (const QString& line : c.norms) at.Line(line);
    at.Skip();
    for (const ProtocolSignature& s : c.signatures) {
        at.Text(1, s.role);
        at.Text(2, QStringLiteral("____________"));
        at.Text(4, s.name);
        at.Skip();
    }

    PageSetup& page = sheet.pageSetup();
    page.paperA4 = true;
    page.landscape = true;
    page.fitWide = 1;
    page.titleFirst = page.titleLast = resultsTop;
    page.centerHeader = QStringLiteral("%1 %2").arg(c.title, c.number);
    return book;
}

QString WriteProtocolWorkbook(const ProtocolContent& content, const QString& path) {
    const QString error = WriteWorkbookFile(ProtocolWorkbook(content), path);
    return error.isEmpty() ? QString() : ProtocolWriteError(path, error);
}

}  // namespace lmr
