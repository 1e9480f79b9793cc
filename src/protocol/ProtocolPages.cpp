#include "protocol/ProtocolPages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <algorithm>
#include <array>
#include <optional>

#include "protocol/ProtocolChartPainter.h"

namespace lmr {

namespace {

// The page's margins, mm: the left one leaves room for a binding.
constexpr double kLeft = 25;
constexpr double kRight = 12;
constexpr double kTop = 12;
constexpr double kBottom = 14;
constexpr double kPad = 1.0;         // inside a table cell
constexpr double kChartHeight = 72;  // a chart with its legend and axes
constexpr double kMm = kProtocolDpi / 25.4;
// A4 in the layout's units.
constexpr double kPageWidth = 210 * kMm;
constexpr double kPageHeight = 297 * kMm;

enum class Face { Body, Bold, Small, SmallBold, Title };

// Sizes in the layout's pixels, not points: a point size would be turned into pixels by each
// device's own resolution, and the text would then be measured and wrapped differently on a PDF
// writer and on a printer. At 720 dpi a point is 10 pixels.
QFont FontOf(Face face) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    constexpr int kPixelsPerPoint = kProtocolDpi / 72;
    switch (face) {
        case Face::Body:
            f.setPixelSize(95 * kPixelsPerPoint / 10);
            break;
        case Face::Bold:
            f.setPixelSize(95 * kPixelsPerPoint / 10);
            f.setBold(true);
            break;
        case Face::Small:
            f.setPixelSize(8 * kPixelsPerPoint);
            break;
        case Face::SmallBold:
            f.setPixelSize(8 * kPixelsPerPoint);
            f.setBold(true);
            break;
        case Face::Title:
            f.setPixelSize(13 * kPixelsPerPoint);
            f.setBold(true);
            break;
    }
    return f;
}

struct Item {
    enum class Kind { Text, Fill, Frame, Line, Chart };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;
    Face face = Face::Body;
    int flags = Qt::AlignLeft | Qt::AlignTop;
    const ProtocolChart* chart = nullptr;

    static Item Text(const QRectF& rect, const QString& text, Face face, int flags) {
        return {Kind::Text, rect, text, face, flags, nullptr};
    }
    static Item Shape(Kind kind, const QRectF& rect) {
        return {kind, rect, {}, Face::Body, 0, nullptr};
    }
    static Item ChartIn(const QRectF& rect, const ProtocolChart& chart) {
        return {Kind::Chart, rect, {}, Face::Small, 0, &chart};
    }
};

using Page = std::vector<Item>;

struct TableRow {
    std::vector<QString> cells;
    bool group = false;  // one cell across the table, a title for the rows under it
};

// Places blocks one under another on A4 pages in the layout's units and starts a new page where
// the next does not fit. Whatever device the pages are painted on, they are laid out here alike.
class Flow {
public:
    Flow()
        : body_(kLeft * mm_, kTop * mm_ + HeaderHeight(), kPageWidth - (kLeft + kRight) * mm_,
                kPageHeight - (kTop + kBottom) * mm_ - HeaderHeight()) {
        NewPage();
    }

    double Mm() const { return mm_; }
    std::vector<Page>& Pages() { return pages_; }

    static double HeaderHeight() { return QFontMetricsF(FontOf(Face::Small)).height() + 3 * kMm; }

    // A heading stays with the block under it: when that block starts a new page, the heading
    // goes with it.
    void Heading(const QString& text) {
        Fit(Height(text, Face::Bold, body_.width(), 0) + 12 * mm_);
        const std::size_t from = pages_.back().size();
        const double top = y_;
        Paragraph(text, Face::Bold);
        y_ += 1 * mm_;
        keep_ = Keep{pages_.size(), from, top};
    }

    // Where the next item goes; what is placed from there on can be kept with the block after it.
    struct Mark {
        std::size_t page;
        std::size_t from;
        double top;
    };
    Mark Here() const { return {pages_.size(), pages_.back().size(), y_}; }
    // What was placed since the mark moves to the next page with the next block, when that
    // block does not fit on this one, as a heading does.
    void KeepSince(const Mark& m) {
        if (m.page == pages_.size()) keep_ = Keep{m.page, m.from, m.top};
    }

    void Space(double millimetres) {
        y_ += millimetres * mm_;
        if (y_ > body_.bottom()) NewPage();
    }

    void Paragraph(const QString& text, Face face, int align = Qt::AlignLeft) {
        const int flags = align | Qt::AlignTop | Qt::TextWordWrap;
        const std::vector<QString> pieces = PagePieces(text, face, body_.width(), flags);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) NewPage();
            const double h = Height(pieces[i], face, body_.width(), flags);
            Fit(h);
            Add(Item::Text(QRectF(body_.left(), y_, body_.width(), h), pieces[i], face, flags));
            y_ += h;
        }
    }

    // Label and value side by side, the value wrapping in its column.
    void Fields(const std::vector<ProtocolField>& fields) {
        const double labelWidth = 62 * mm_;
        const double valueWidth = body_.width() - labelWidth;
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        for (const ProtocolField& f : fields) {
            const QString label = f.label + QLatin1Char(':');
            const std::vector<QString> pieces = PagePieces(f.value, Face::Body, valueWidth, flags);
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (i > 0) NewPage();
                const double h = std::max(Height(label, Face::Bold, labelWidth - mm_, flags),
                                          Height(pieces[i], Face::Body, valueWidth, flags)) +
                                 0.6 * mm_;
                Fit(h);
                if (i == 0) {
                    Add(Item::Text(QRectF(body_.left(), y_, labelWidth - mm_, h), label,
                                   Face::Bold, flags));
                }
                Add(Item::Text(QRectF(body_.left() + labelWidth, y_, valueWidth, h), pieces[i],
                               Face::Body, flags));
                y_ += h;
            }
        }
    }

    // A bordered table; the head row is repeated on every page it runs onto, and a group's
    // title is never left alone at the foot of a page.
    void Table(const std::vector<QString>& heads, const std::vector<double>& shares,
               const std::vector<TableRow>& rows) {
        std::vector<double> widths;
        for (const double s : shares) widths.push_back(s * body_.width());
        const TableRow head{heads, false};
        const double headHeight = RowHeight(head, widths, Face::SmallBold);
        Fit(headHeight + RowHeight(rows.empty() ? head : rows.front(), widths, Face::Small));
        PlaceRow(head, widths, Face::SmallBold, headHeight, true);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const double h = RowHeight(rows[i], widths, Face::Small);
            // A group starts on a new page when it would fit there whole but not here.
            double needed = h;
            if (rows[i].group) {
                double whole = h;
                for (std::size_t k = i + 1; k < rows.size() && !rows[k].group; ++k) {
                    whole += RowHeight(rows[k], widths, Face::Small);
                }
                const double next = i + 1 < rows.size() ? RowHeight(rows[i + 1], widths, Face::Small) : 0;
                needed = whole + headHeight <= body_.height() ? whole : h + next;
            }
            if (y_ + needed > body_.bottom()) {
                NewPage();
                PlaceRow(head, widths, Face::SmallBold, headHeight, true);
            }
            PlaceRow(rows[i], widths, Face::Small, h, rows[i].group);
        }
    }

    void Chart(const ProtocolChart& chart) {
        const double titleHeight =
            Height(chart.title, Face::Bold, body_.width(), Qt::TextWordWrap) + 1 * mm_;
        Fit(titleHeight + kChartHeight * mm_);
        Paragraph(chart.title, Face::Bold);
        y_ += 1 * mm_;
        Add(Item::ChartIn(QRectF(body_.left(), y_, body_.width(), kChartHeight * mm_), chart));
        y_ += kChartHeight * mm_;
    }

    // The lines to sign on, all on one page.
    void Signatures(const std::vector<ProtocolSignature>& all) {
        double total = 0;
        for (const ProtocolSignature& s : all) total += SignatureHeight(s);
        Fit(total);
        for (const ProtocolSignature& s : all) Signature(s);
    }

private:
    double SignatureHeight(const ProtocolSignature& s) const {
        return Height(s.role, Face::Body, body_.width(), 0) + 5 * mm_;
    }

    // A line to sign on between the role and the name.
    void Signature(const ProtocolSignature& s) {
        const double h = SignatureHeight(s);
        const double base = y_ + h - 1 * mm_;
        Add(Item::Text(QRectF(body_.left(), y_, 60 * mm_, h), s.role, Face::Body,
             Qt::AlignLeft | Qt::AlignBottom));
        Add(Item::Shape(Item::Kind::Line, QRectF(QPointF(body_.left() + 62 * mm_, base),
                                                 QPointF(body_.left() + 112 * mm_, base))));
        Add(Item::Text(QRectF(body_.left() + 116 * mm_, y_, body_.width() - 116 * mm_, h),
             s.name, Face::Body, Qt::AlignLeft | Qt::AlignBottom));
        y_ += h;
    }

public:
    // Moves to a new page when a block of this height does not fit on this one.
    void Fit(double height) {
        if (y_ + height > body_.bottom() && y_ > body_.top()) NewPage();
    }

    void NewPage() {
        const std::optional<Keep> keep = keep_;
        const double end = y_;
        keep_.reset();
        pages_.emplace_back();
        y_ = body_.top();
        if (!keep || keep->page != pages_.size() - 1 || keep->top <= body_.top()) return;
        Page& was = pages_[pages_.size() - 2];
        const double shift = body_.top() - keep->top;
        for (std::size_t i = keep->from; i < was.size(); ++i) {
            was[i].rect.translate(0, shift);
            pages_.back().push_back(std::move(was[i]));
        }
        was.erase(was.begin() + std::ptrdiff_t(keep->from), was.end());
        y_ = body_.top() + (end - keep->top);
    }

private:
    struct Keep {
        std::size_t page;  // its count of pages when the heading was placed
        std::size_t from;  // the heading's first item on that page
        double top;
    };
    // A text taller than a page, in pieces: the first fills what is left of this page (a whole
    // page when little is), each next one a whole page; broken after a space where one is near.
    // A text that fits a page is one piece, placed as a block.
    std::vector<QString> PagePieces(QString text, Face face, double width, int flags) {
        const double full = body_.height() - mm_;
        if (Height(text, face, width, flags) <= full) return {text};
        std::vector<QString> pieces;
        double room = body_.bottom() - y_ - mm_;
        if (room < full / 4) room = full;
        while (Height(text, face, width, flags) > room) {
            // The longest start that fits: found by halving, then moved back to a space.
            int fits = 1;
            int over = int(text.size());
            while (over - fits > 1) {
                const int mid = fits + (over - fits) / 2;
                (Height(text.left(mid), face, width, flags) <= room ? fits : over) = mid;
            }
            const int space = int(text.lastIndexOf(QLatin1Char(' '), fits - 1));
            const int cut = space > fits / 2 ? space + 1 : fits;
            pieces.push_back(text.left(cut));
            text = text.mid(cut);
            room = full;
        }
        pieces.push_back(text);
        return pieces;
    }

    double Height(const QString& text, Face face, double width, int flags) const {
        const QFontMetricsF fm(FontOf(face));
        if (text.isEmpty()) return fm.height();
        return fm.boundingRect(QRectF(0, 0, width, 1e9), flags | Qt::TextWordWrap, text).height();
    }

    double RowHeight(const TableRow& row, const std::vector<double>& widths, Face face) const {
        const Face f = row.group ? Face::SmallBold : face;
        if (row.group) return Height(row.cells.front(), f, body_.width() - 2 * kPad * mm_, 0) +
                              2 * kPad * mm_;
        double h = 0;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            h = std::max(h, Height(row.cells[c], f, widths[c] - 2 * kPad * mm_, 0));
        }
        return h + 2 * kPad * mm_;
    }

    void PlaceRow(const TableRow& row, const std::vector<double>& widths, Face face, double h,
                  bool shaded) {
        const Face f = row.group ? Face::SmallBold : face;
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        if (shaded) Add(Item::Shape(Item::Kind::Fill, QRectF(body_.left(), y_, body_.width(), h)));
        if (row.group) {
            const QRectF cell(body_.left(), y_, body_.width(), h);
            Add(Item::Shape(Item::Kind::Frame, cell));
            Add(Item::Text(cell.adjusted(kPad * mm_, kPad * mm_, -kPad * mm_, 0),
                 row.cells.front(), f, flags));
        } else {
            double x = body_.left();
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                const QRectF cell(x, y_, widths[c], h);
                Add(Item::Shape(Item::Kind::Frame, cell));
                Add(Item::Text(cell.adjusted(kPad * mm_, kPad * mm_, -kPad * mm_, 0),
                     row.cells[c], f, flags));
                x += widths[c];
            }
        }
        y_ += h;
    }

    void Add(Item item) {
        keep_.reset();
        pages_.back().push_back(std::move(item));
    }

    const double mm_ = kMm;
    QRectF body_;
    double y_ = 0;
    std::optional<Keep> keep_;
    std::vector<Page> pages_;
};

void LayOut(Flow& flow, const ProtocolContent& c) {
    for (const QString& line : c.laboratory) flow.Paragraph(line, Face::Body, Qt::AlignHCenter);
    if (!c.laboratory.empty()) flow.Space(4);
    flow.Paragraph(c.title, Face::Title, Qt::AlignHCenter);
    flow.Paragraph(c.number, Face::Title, Qt::AlignHCenter);
    flow.Space(4);
    flow.Fields(c.header);
    flow.Space(3);
    flow.Heading(QStringLiteral("Средство измерений"));
    flow.Fields(c.instrument);
    for (const QString& w : c.warnings) flow.Paragraph(w, Face::Bold);
    flow.Space(3);
    flow.Heading(QStringLiteral("Условия проведения измерений"));
    flow.Fields(c.conditions);
    flow.Space(4);

    flow.Heading(QStringLiteral("Результаты измерений"));
    std::vector<TableRow> rows;
    for (const ProtocolResultGroup& g : c.results) {
        // A height left unmeasured takes one line, not a block of empty rows.
        if (g.count == 0) {
            rows.push_back({{QStringLiteral("%1: не измерялась").arg(g.title)}, true});
            continue;
        }
        QString title = g.title;
        if (!g.times.isEmpty()) title += QStringLiteral(", %1").arg(g.times);
        rows.push_back({{QStringLiteral("%1 (измерений: %2)").arg(title, QString::number(g.count))}, true});
        for (const ProtocolResultRow& r : g.rows) {
            rows.push_back(
                {{r.quantity, r.measured, r.permissible, r.norm, r.compliance, r.verdict}, false});
        }
    }
    flow.Table(ResultHeads(), {0.20, 0.19, 0.12, 0.08, 0.18, 0.23}, rows);
    flow.Paragraph(QStringLiteral("Среднее — средневзвешенное по времени; по нему определяется "
                                  "класс."),
                   Face::Small);
    flow.Space(4);

    flow.Heading(QStringLiteral("Класс условий труда по рабочим местам"));
    rows.clear();
    for (const ProtocolWorkplaceClass& w : c.classes) {
        rows.push_back({{w.number, w.name, w.category, w.conditionsClass, w.decidedBy}, false});
    }
    flow.Table(ClassHeads(), {0.06, 0.27, 0.19, 0.18, 0.30}, rows);
    flow.Space(4);

    flow.Heading(QStringLiteral("Заключение"));
    for (const QString& line : c.conclusion) flow.Paragraph(line, Face::Body);
    flow.Space(4);
    flow.Heading(QStringLiteral("Нормативные документы"));
    for (const QString& line : c.norms) flow.Paragraph(line, Face::Body);
    flow.Space(4);
    // The statements and the signatures under them are never parted by a page.
    const Flow::Mark statements = flow.Here();
    for (const QString& line : c.statements) flow.Paragraph(line, Face::Body);
    flow.Space(6);
    flow.KeepSince(statements);
    flow.Signatures(c.signatures);

    if (!c.charts.empty()) {
        flow.NewPage();
        flow.Heading(QStringLiteral("Приложение. Графики по точкам измерений"));
        flow.Space(1);
        for (const ProtocolChart& chart : c.charts) {
            flow.Chart(chart);
            flow.Space(5);
        }
    }
}

void PaintHeader(QPainter& p, const ProtocolContent& c, int page, int pages) {
    p.setFont(FontOf(Face::Small));
    const QFontMetricsF fm(p.font());
    const QRectF line(kLeft * kMm, kTop * kMm, kPageWidth - (kLeft + kRight) * kMm, fm.height());
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1 %2").arg(c.title, c.number));
    p.drawText(line, Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("Стр. %1 из %2").arg(page).arg(pages));
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * kMm);
    p.setPen(pen);
    p.drawLine(QPointF(line.left(), line.bottom() + 1 * kMm),
               QPointF(line.right(), line.bottom() + 1 * kMm));
}

void PaintItem(QPainter& p, const Item& item, double mm) {
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * mm);
    switch (item.kind) {
        case Item::Kind::Text:
            p.setPen(Qt::black);
            p.setFont(FontOf(item.face));
            p.drawText(item.rect, item.flags, item.text);
            break;
        case Item::Kind::Fill:
            p.fillRect(item.rect, QColor(0xee, 0xee, 0xee));
            break;
        case Item::Kind::Frame:
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(item.rect);
            break;
        case Item::Kind::Line:
            p.setPen(pen);
            p.drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        case Item::Kind::Chart:
            p.setFont(FontOf(Face::Small));
            PaintProtocolChart(p, item.rect, *item.chart, mm);
            break;
    }
}

}  // namespace

void SetProtocolPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

int PaintProtocol(QPagedPaintDevice& device, const ProtocolContent& content,
                  const DataProgress& progress) {
    Flow flow;
    LayOut(flow, content);
    std::vector<Page>& pages = flow.Pages();
    if (pages.back().empty()) pages.pop_back();
    QPainter painter(&device);
    // The A4 page of the layout onto the device's page, whatever its resolution; a paper of
    // another size chosen in a print dialog gets the same page, scaled to fit.
    const double scale = std::min(device.width() / kPageWidth, device.height() / kPageHeight);
    painter.scale(scale, scale);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i, count)) {
            painter.end();
            return 0;
        }
        if (i > 0) device.newPage();
        PaintHeader(painter, content, i + 1, count);
        for (const Item& item : pages[std::size_t(i)]) PaintItem(painter, item, flow.Mm());
    }
    painter.end();
    return count;
}

}  // namespace lmr
