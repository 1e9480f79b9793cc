#include "export/WorkbookWriter.h"

#include <xlsxwriter.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>

#include "export/ShortestNumbers.h"

namespace lmr {

namespace {

// Formats over this many rows are column formats (such as the centring of
// A1:J65536); giving every blank cell of them a format would bloat the file.
constexpr int kColumnFormatRows = 65536;

// The most a cell and a page header hold (characters, as the format counts them).
constexpr int kCellLimit = 32767;
constexpr int kHeaderLimit = LXW_HEADER_FOOTER_MAX;
const QString kCutMark = QStringLiteral("…");

// The text cut to at most limit UTF-16 units (so as many characters or fewer), the mark
// included, never inside a surrogate pair.
QString Cut(const QString& text, int limit) {
    if (text.size() <= limit) return text;
    int keep = limit - int(kCutMark.size());
    if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;
    return text.left(keep) + kCutMark;
}

// The library reports some failures on standard error by itself, in English; the user gets
// ours instead. Held while the library works.
class QuietLibrary {
public:
    QuietLibrary() : saved_(stderr), null_(std::fopen("/dev/null", "w")) {
        if (null_ != nullptr) stderr = null_;
    }
    ~QuietLibrary() {
        stderr = saved_;
        if (null_ != nullptr) std::fclose(null_);
    }
    QuietLibrary(const QuietLibrary&) = delete;
    QuietLibrary& operator=(const QuietLibrary&) = delete;

private:
    FILE* saved_;
    FILE* null_;
};

// Why the workbook was not written, in Russian; error is errno after the failure.
QString WorkbookError(lxw_error err, int error) {
    switch (err) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return QStringLiteral("не хватает памяти");
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
            if (error == ENOSPC) return QStringLiteral("на диске нет места");
            if (error == EDQUOT) return QStringLiteral("превышена дисковая квота");
            if (error == EACCES || error == EPERM) return QStringLiteral("нет прав доступа");
            return QStringLiteral("ошибка записи файла на диск");
        default:
            return QStringLiteral("книга не составлена (ошибка %1 библиотеки libxlsxwriter)")
                .arg(int(err));
    }
}

lxw_format* MakeFormat(lxw_workbook* book, const CellStyle& style) {
    lxw_format* format = workbook_add_format(book);
    if (style.fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, static_cast<lxw_color_t>(*style.fill));
    }
    if (style.align == HorizontalAlign::Center) format_set_align(format, LXW_ALIGN_CENTER);
    if (style.bordered) format_set_border(format, LXW_BORDER_THIN);
    if (style.wrap) {
        format_set_text_wrap(format);
        format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    }
    if (style.decimals >= 0) {
        const QByteArray code =
            style.decimals == 0 ? QByteArray("0") : "0." + QByteArray(style.decimals, '0');
        format_set_num_format(format, code.constData());
    }
    if (style.largeFont > 0) {
        format_set_bold(format);
        format_set_font_size(format, style.largeFont);
    }
    return format;
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* book) : book_(book) {}
    lxw_format* get(const CellStyle& style) {
        if (style.isPlain()) return nullptr;
        auto it = formats_.find(style);
        if (it == formats_.end()) it = formats_.emplace(style, MakeFormat(book_, style)).first;
        return it->second;
    }

private:
    lxw_workbook* book_;
    std::map<CellStyle, lxw_format*> formats_;
};

// The style a column carries for cells nobody wrote: only the wide formats count.
CellStyle ColumnStyle(const SheetModel& sheet, int column) {
    CellStyle style;
    for (const RangeFormat& f : sheet.formats()) {
        if (f.rect.rows() >= kColumnFormatRows && f.rect.left <= column && column <= f.rect.right) {
            f.applyTo(style);
        }
    }
    return style;
}

lxw_error WriteColumns(lxw_worksheet* ws, const SheetModel& sheet, FormatCache& formats) {
    std::set<int> columns;
    for (const auto& [column, width] : sheet.widths()) columns.insert(column);
    for (const RangeFormat& f : sheet.formats()) {
        if (f.rect.rows() < kColumnFormatRows) continue;
        for (int c = f.rect.left; c <= f.rect.right; ++c) columns.insert(c);
    }
    for (int column : columns) {
        const auto width = sheet.widths().find(column);
        const double w = width == sheet.widths().end() ? LXW_DEF_COL_WIDTH : width->second;
        const auto col = static_cast<lxw_col_t>(column - 1);
        const lxw_error err =
            worksheet_set_column(ws, col, col, w, formats.get(ColumnStyle(sheet, column)));
        if (err != LXW_NO_ERROR) return err;
    }
    return LXW_NO_ERROR;
}

// Every written cell, plus every blank cell that a narrow format shows on
// (the fill and the borders of K2 and of empty grid cells).
std::set<std::pair<int, int>> CellsToWrite(const SheetModel& sheet) {
    std::set<std::pair<int, int>> cells;
    for (const auto& entry : sheet.cells()) cells.insert(entry.first);
    for (const RangeFormat& f : sheet.formats()) {
        if (f.rect.rows() >= kColumnFormatRows) continue;
        for (int r = f.rect.top; r <= f.rect.bottom; ++r) {
            for (int c = f.rect.left; c <= f.rect.right; ++c) cells.emplace(r, c);
        }
    }
    return cells;
}

lxw_error WriteCells(lxw_worksheet* ws, const SheetModel& sheet, FormatCache& formats) {
    for (const auto& [row, column] : CellsToWrite(sheet)) {
        const auto r = static_cast<lxw_row_t>(row - 1);
        const auto c = static_cast<lxw_col_t>(column - 1);
        lxw_format* format = formats.get(sheet.styleAt(row, column));
        const CellValue* value = sheet.value(row, column);
        lxw_error err = LXW_NO_ERROR;
        if (value == nullptr) {
            err = worksheet_write_blank(ws, r, c, format);
        } else if (value->kind == CellValue::Kind::Number) {
            err = worksheet_write_number(ws, r, c, value->number, format);
        } else {
            err = worksheet_write_string(ws, r, c, Cut(value->text, kCellLimit).toUtf8().constData(),
                                         format);
        }
        if (err != LXW_NO_ERROR) return err;
    }
    return LXW_NO_ERROR;
}

lxw_error WriteMerges(lxw_worksheet* ws, const SheetModel& sheet, FormatCache& formats) {
    for (const auto& [row, points] : sheet.rowHeights()) {
        const lxw_error err =
            worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), points, nullptr);
        if (err != LXW_NO_ERROR) return err;
    }
    for (const CellRect& r : sheet.merges()) {
        const CellValue* v = sheet.value(r.top, r.left);
        const QByteArray text =
            v != nullptr && v->kind == CellValue::Kind::Text ? v->text.toUtf8() : QByteArray();
        const lxw_error err = worksheet_merge_range(
            ws, static_cast<lxw_row_t>(r.top - 1), static_cast<lxw_col_t>(r.left - 1),
            static_cast<lxw_row_t>(r.bottom - 1), static_cast<lxw_col_t>(r.right - 1),
            text.constData(), formats.get(sheet.styleAt(r.top, r.left)));
        if (err != LXW_NO_ERROR) return err;
    }
    return LXW_NO_ERROR;
}

// The page header's codes start with "&": a literal one is doubled. A text too long for a
// header is cut, with the mark.
QByteArray HeaderText(const QString& text) {
    const QString code = QStringLiteral("&C");
    const auto escaped = [](QString t) { return t.replace(QLatin1Char('&'), QLatin1String("&&")); };
    QString header = code + escaped(text);
    for (int keep = std::min(int(text.size()), kHeaderLimit); header.size() > kHeaderLimit; --keep) {
        if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;
        header = code + escaped(text.left(keep - 1)) + kCutMark;
    }
    return header.toUtf8();
}

lxw_error WritePageSetup(lxw_worksheet* ws, const PageSetup& p) {
    if (p.landscape) worksheet_set_landscape(ws);
    if (p.paperA4) worksheet_set_paper(ws, 9);  // the format's code of A4
    if (p.fitWide > 0 || p.fitTall > 0) {
        worksheet_fit_to_pages(ws, static_cast<std::uint16_t>(p.fitWide),
                               static_cast<std::uint16_t>(p.fitTall));
    }
    if (p.titleFirst > 0) {
        const lxw_error err = worksheet_repeat_rows(ws, static_cast<lxw_row_t>(p.titleFirst - 1),
                                                    static_cast<lxw_row_t>(p.titleLast - 1));
        if (err != LXW_NO_ERROR) return err;
    }
    if (!p.centerHeader.isEmpty()) {
        const lxw_error err = worksheet_set_header(ws, HeaderText(p.centerHeader).constData());
        if (err != LXW_NO_ERROR) return err;
    }
    // The footer's codes are the caller's: "&P" stands for the page.
    if (!p.centerFooter.isEmpty()) {
        return worksheet_set_footer(ws,
                                    (QStringLiteral("&C") + p.centerFooter).toUtf8().constData());
    }
    return LXW_NO_ERROR;
}

}  // namespace

Outcome WriteWorkbookFile(const WorkbookModel& workbook, const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    const QuietLibrary quiet;
    lxw_workbook* book = workbook_new(file.constData());
    if (book == nullptr) return Outcome::Failed(WorkbookError(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    FormatCache formats(book);
    lxw_error err = LXW_NO_ERROR;
    for (const SheetModel& sheet : workbook.sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name().toUtf8().constData());
        if (ws == nullptr) {
            err = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            break;
        }
        err = WriteColumns(ws, sheet, formats);
        if (err == LXW_NO_ERROR) err = WriteCells(ws, sheet, formats);
        if (err == LXW_NO_ERROR) err = WriteMerges(ws, sheet, formats);
        if (err == LXW_NO_ERROR) err = WritePageSetup(ws, sheet.pageSetup());
        if (err != LXW_NO_ERROR) break;
    }
    // Closing writes the file and frees the workbook, also after an error.
    errno = 0;
    const lxw_error closed = workbook_close(book);
    const int error = errno;
    if (err == LXW_NO_ERROR) err = closed;
    if (err != LXW_NO_ERROR) {
        QFile::remove(path);
        return Outcome::Failed(WorkbookError(err, error));
    }
    const Outcome shortened = ShortenWorkbookNumbers(path);
    if (!shortened) QFile::remove(path);
    return shortened;
}

}  // namespace lmr
