#include "protocol/ProtocolWorkbook.h"

#include <QStringList>
#include <algorithm>
#include <vector>

#include "data/WholeFile.h"
#include "export/Uxls.h"
#include "export/WorkbookWriter.h"
#include "protocol/ProtocolWriteError.h"

namespace lmr {

namespace {

constexpr std::uint32_t kHeadFill = 0xDDDDDD;
// Widths in characters: the columns fill A4 landscape at the sheet's own face, so nothing is
// shrunk to fit and long names wrap instead of being cut.
constexpr int kColumns = 13;
const std::vector<double> kWidths = {16, 10, 7, 13, 20, 7, 7, 7, 9, 10, 7, 20, 20};
const std::vector<double> kEndWidths = {6, 32, 24, 26, 42};
constexpr double kLinePoints = 15;  // a row of one line of the sheet's face

// The lines a text wraps to in a column this many characters wide: words laid greedily, a
// little fewer characters to a line than the width, as the face a spreadsheet falls back to
// is wider than its own.
int LinesOf(const QString& text, double width) {
    const int room = std::max(1, int(width * 0.9));
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        int used = 0;
        ++lines;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int need = used == 0 ? int(word.size()) : used + 1 + int(word.size());
            if (need <= room || used == 0) {
                used = need;
                while (used > room) {  // a word longer than the line breaks where it must
                    ++lines;
                    used -= room;
                }
            } else {
                ++lines;
                used = int(word.size());
            }
        }
    }
    return lines;
}

class SheetCursor {
public:
    SheetCursor(SheetModel& sheet, const std::vector<double>& widths)
        : sheet_(sheet), widths_(widths), columns_(int(widths.size())) {
        for (int c = 1; c <= columns_; ++c) sheet_.setColumnWidth(c, widths_[std::size_t(c - 1)]);
    }

    int Row() const { return row_; }
    void Skip() { ++row_; }
    void Text(int column, const QString& text) { SetTextCell(sheet_, row_, column, text); }
    void Number(int column, const std::optional<double>& value) {
        if (value) sheet_.setValue(row_, column, {CellValue::Kind::Number, *value, {}});
    }
    // A text across the columns from the one given to the last, wrapped; the row as high as its
    // lines, as a spreadsheet leaves a merged cell's row one line high.
    void Wide(int column, const QString& text) {
        Text(column, text);
        const CellRect rect{row_, column, row_, columns_};
        sheet_.merge(rect);
        sheet_.wrap(rect);
        double width = 0;
        for (int c = column; c <= columns_; ++c) width += widths_[std::size_t(c - 1)];
        Fit(row_, LinesOf(text, width));
    }
    void Line(const QString& text) {
        Wide(1, text);
        ++row_;
    }
    void Fields(const std::vector<ProtocolField>& fields) {
        for (const ProtocolField& f : fields) {
            Text(1, f.label);
            sheet_.wrap({row_, 1, row_, 1});
            Wide(2, f.value);
            Fit(row_, LinesOf(f.label, widths_.front()));
            ++row_;
        }
    }
    // A head row, shaded; the table's rows follow it.
    void Heads(const std::vector<QString>& heads) {
        for (std::size_t c = 0; c < heads.size(); ++c) Text(int(c) + 1, heads[c]);
        sheet_.fill({row_, 1, row_, int(heads.size())}, kHeadFill);
        ++row_;
    }
    // The table's cells bordered and wrapped, each row as high as its longest cell.
    void Table(int top, int columns) {
        if (row_ <= top) return;
        sheet_.drawBorders({top, 1, row_ - 1, columns});
        sheet_.wrap({top, 1, row_ - 1, columns});
        for (int r = top; r < row_; ++r) {
            for (int c = 1; c <= columns; ++c) {
                const CellValue* v = sheet_.value(r, c);
                if (v != nullptr && v->kind == CellValue::Kind::Text) {
                    Fit(r, LinesOf(v->text, widths_[std::size_t(c - 1)]));
                }
            }
        }
    }

private:
    // A spreadsheet keeps a row one line high unless told: the row grows to its lines.
    void Fit(int row, int lines) {
        if (lines <= 1) return;
        const auto it = sheet_.rowHeights().find(row);
        const double was = it == sheet_.rowHeights().end() ? 0 : it->second;
        sheet_.setRowHeight(row, std::max(was, lines * kLinePoints));
    }

    SheetModel& sheet_;
    const std::vector<double>& widths_;
    int columns_;
    int row_ = 1;
};

// A4 landscape, one page wide, the table's head row on every page and the page's number in
// the footer.
void SetPage(SheetModel& sheet, const ProtocolContent& c, int headRow) {
    PageSetup& page = sheet.pageSetup();
    page.paperA4 = true;
    page.landscape = true;
    page.fitWide = 1;
    page.titleFirst = page.titleLast = headRow;
    page.centerHeader = QStringLiteral("%1 %2").arg(c.title, c.number);
    page.centerFooter = QStringLiteral("Стр. &P из &N");
}

}  // namespace

WorkbookModel ProtocolWorkbook(const ProtocolContent& c) {
    WorkbookModel book;
    // The results on one sheet, the classes and the conclusion on the next: each sheet's
    // print titles repeat its own table's head, never above another table.
    SheetModel& sheet = book.sheets.emplace_back(QStringLiteral("Протокол"));
    SheetCursor at(sheet, kWidths);
    for (const QString& line : c.laboratory) at.Line(line);
    at.Line(QStringLiteral("%1 %2").arg(c.title, c.number));
    sheet.setLargeFont({at.Row() - 1, 1, at.Row() - 1, 1}, 14);
    sheet.setRowHeight(at.Row() - 1, 2 * kLinePoints);
    at.Skip();
    at.Fields(c.header);
    at.Fields(c.instrument);
    for (const QString& w : c.warnings) at.Line(w);
    at.Fields(c.conditions);
    at.Skip();

    at.Line(QStringLiteral("Результаты измерений"));
    const int resultsTop = at.Row();
    at.Heads({QStringLiteral("Рабочее место"), QStringLiteral("Точка"), QStringLiteral("Высота, м"),
              QStringLiteral("Время измерений"), QStringLiteral("Показатель"),
              QStringLiteral("Среднее"), QStringLiteral("Мин."), QStringLiteral("Макс."),
              QStringLiteral("U (k = 2)"), QStringLiteral("Допустимо"), QStringLiteral("Норма"), ResultHeads()[4],
              ResultHeads()[5]});
    for (const ProtocolResultGroup& g : c.results) {
        const auto place = [&] {
            at.Text(1, g.workplace);
            at.Text(2, g.point);
            at.Number(3, g.metres);
        };
        // A height left unmeasured takes one row.
        if (g.count == 0) {
            place();
            at.Text(5, QStringLiteral("не измерялась"));
            at.Skip();
            continue;
        }
        for (const ProtocolResultRow& r : g.rows) {
            place();
            at.Text(4, g.times);
            at.Text(5, r.quantity);
            if (r.mean) {
                at.Number(6, r.mean);
                at.Number(7, r.min);
                at.Number(8, r.max);
            } else {
                at.Text(6, r.measured);
            }
            at.Text(9, r.uncertainty);
            at.Text(10, r.permissible);
            at.Text(11, r.norm);
            at.Text(12, r.compliance);
            at.Text(13, r.verdict);
            if (r.mean) sheet.setDecimals({at.Row(), 6, at.Row(), 8}, r.decimals);
            at.Skip();
        }
    }
    // Figures as the protocol gives them (heights and most figures in tenths, an air speed in
    // hundredths); the cells keep their numbers.
    if (at.Row() > resultsTop + 1) sheet.setDecimals({resultsTop + 1, 3, at.Row() - 1, 3}, 1);
    at.Table(resultsTop, kColumns);
    at.Line(QStringLiteral("Среднее — средневзвешенное по времени; по нему определяется класс."));
    SetPage(sheet, c, resultsTop);

    SheetModel& end = book.sheets.emplace_back(QStringLiteral("Заключение"));
    SheetCursor to(end, kEndWidths);
    to.Line(QStringLiteral("Класс условий труда по рабочим местам"));
    const int classesTop = to.Row();
    to.Heads(ClassHeads());
    for (const ProtocolWorkplaceClass& w : c.classes) {
        to.Text(1, w.number);
        to.Text(2, w.name);
        to.Text(3, w.category);
        to.Text(4, w.conditionsClass);
        to.Text(5, w.decidedBy);
        to.Skip();
    }
    to.Table(classesTop, int(kEndWidths.size()));
    to.Skip();

    to.Line(QStringLiteral("Заключение"));
    for (const QString& line : c.conclusion) to.Line(line);
    to.Skip();
    to.Line(QStringLiteral("Нормативные документы"));
    for (const QString& line : c.norms) to.Line(line);
    to.Skip();
    for (const QString& line : c.statements) to.Line(line);
    to.Skip();
    for (const ProtocolSignature& s : c.signatures) {
        to.Text(2, s.role);
        to.Text(3, QStringLiteral("____________________"));
        to.Text(4, s.name);
        to.Skip();
    }
    SetPage(end, c, classesTop);
    return book;
}

Outcome WriteProtocolWorkbook(const ProtocolContent& content, const QString& path,
                              const DataProgress& progress) {
    const WorkbookModel book = ProtocolWorkbook(content);
    if (progress && !progress(0, 1)) {
        return Outcome::Failed(ProtocolWriteError(path, QString::fromUtf8(kProtocolStopped)));
    }
    // Put in place only when whole: a failure leaves any earlier file at path.
    const Outcome written = WriteWholeFile(
        path, [&](const QString& temporary) { return WriteWorkbookFile(book, temporary); });
    return written ? written : Outcome::Failed(ProtocolWriteError(path, written.text));
}

}  // namespace lmr
