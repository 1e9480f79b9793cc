#include "protocol/ProtocolPages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <array>

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

enum class Face { Body, Bold, Small, SmallBold, Title };

QFont FontOf(Face face) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    switch (face) {
        case Face::Body:
            f.setPointSizeF(9.5);
            break;
        case Face::Bold:
            f.setPointSizeF(9.5);
            f.setBold(true);
            break;
        case Face::Small:
            f.setPointSizeF(8);
            break;
        case Face::SmallBold:
            f.setPointSizeF(8);
            f.setBold(true);
            break;
        case Face::Title:
            f.setPointSizeF(13);
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

// Places blocks one under another and starts a new page where the next does not fit.
class Flow {
public:
    explicit Flow(QPaintDevice& device)
        : device_(device), mm_(device.logicalDpiY() / 25.4),
          body_(kLeft * mm_, kTop * mm_ + HeaderHeight(),
                device.width() - (kLeft + kRight) * mm_,
                device.height() - (kTop + kBottom) * mm_ - HeaderHeight()) {
        NewPage();
    }

    double Mm() const { return mm_; }
    std::vector<Page>& Pages() { return pages_; }

    double HeaderHeight() const {
        return QFontMetricsF(FontOf(Face::Small), &device_).height() + 3 * mm_;
    }

    void Space(double millimetres) {
        y_ += millimetres * mm_;
        if (y_ > body_.bottom()) NewPage();
    }

    void Paragraph(const QString& text, Face face, int align = Qt::AlignLeft) {
        const int flags = align | Qt::AlignTop | Qt::TextWordWrap;
        const double h = Height(text, face, body_.width(), flags);
        Fit(h);
        Add(Item::Text(QRectF(body_.left(), y_, body_.width(), h), text, face, flags));
        y_ += h;
    }

    // Label and value side by side, the value wrapping in its column.
    void Fields(const std::vector<ProtocolField>& fields) {
        const double labelWidth = 62 * mm_;
        const double valueWidth = body_.width() - labelWidth;
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        for (const ProtocolField& f : fields) {
            const QString label = f.label + QLatin1Char(':');
            const double h = std::max(Height(label, Face::Bold, labelWidth - mm_, flags),
                                      Height(f.value, Face::Body, valueWidth, flags)) +
                             0.6 * mm_;
            Fit(h);
            Add(Item::Text(QRectF(body_.left(), y_, labelWidth - mm_, h), label,
                 Face::Bold, flags));
            Add(Item::Text(QRectF(body_.left() + labelWidth, y_, valueWidth, h), f.value,
                 Face::Body, flags));
            y_ += h;
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

    // A line to sign on between the role and the name.
    void Signature(const ProtocolSignature& s) {
        const double h = Height(s.role, Face::Body, body_.width(), 0) + 5 * mm_;
        Fit(h);
        const double base = y_ + h - 1 * mm_;
        Add(Item::Text(QRectF(body_.left(), y_, 60 * mm_, h), s.role, Face::Body,
             Qt::AlignLeft | Qt::AlignBottom));
        Add(Item::Shape(Item::Kind::Line, QRectF(QPointF(body_.left() + 62 * mm_, base),
                                                 QPointF(body_.left() + 112 * mm_, base))));
        Add(Item::Text(QRectF(body_.left() + 116 * mm_, y_, body_.width() - 116 * mm_, h),
             s.name, Face::Body, Qt::AlignLeft | Qt::AlignBottom));
        y_ += h;
    }

    // Moves to a new page when a block of this height does not fit on this one.
    void Fit(double height) {
        if (y_ + height > body_.bottom() && y_ > body_.top()) NewPage();
    }

    void NewPage() {
        pages_.emplace_back();
        y_ = body_.top();
    }

private:
    double Height(const QString& text, Face face, double width, int flags) const {
        const QFontMetricsF fm(FontOf(face), &device_);
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

    void Add(Item item) { pages_.back().push_back(std::move(item)); }

    QPaintDevice& device_;
    double mm_;
    QRectF body_;
    double y_ = 0;
    std::vector<Page> pages_;
};

void LayOut(Flow& flow, const ProtocolContent& c) {
    flow.Paragraph(c.title, Face::Title, Qt::AlignHCenter);
    flow.Paragraph(c.number, Face::Title, Qt::AlignHCenter);
    flow.Space(4);
    flow.Fields(c.header);
    flow.Space(3);
    flow.Paragraph(QStringLiteral("Средство измерений"), Face::Bold);
    flow.Space(1);
    flow.Fields(c.instrument);
    for (const QString& w : c.warnings) flow.Paragraph(w, Face::Bold);
    flow.Space(3);
    flow.Paragraph(QStringLiteral("Условия проведения измерений"), Face::Bold);
    flow.Space(1);
    flow.Fields(c.conditions);
    flow.Space(4);

    flow.Paragraph(QStringLiteral("Результаты измерений"), Face::Bold);
    flow.Space(1);
    std::vector<TableRow> rows;
    for (const ProtocolResultGroup& g : c.results) {
        rows.push_back({{QStringLiteral("%1 (измерений: %2)").arg(g.title).arg(g.count)}, true});
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

    flow.Paragraph(QStringLiteral("Класс условий труда по рабочим местам"), Face::Bold);
    flow.Space(1);
    rows.clear();
    for (const ProtocolWorkplaceClass& w : c.classes) {
        rows.push_back({{w.number, w.name, w.category, w.conditionsClass, w.decidedBy}, false});
    }
    flow.Table(ClassHeads(), {0.06, 0.27, 0.19, 0.18, 0.30}, rows);
    flow.Space(4);

    flow.Paragraph(QStringLiteral("Заключение"), Face::Bold);
    flow.Space(1);
    for (const QString& line : c.conclusion) flow.Paragraph(line, Face::Body);
    flow.Space(4);
    flow.Paragraph(QStringLiteral("Нормативные документы"), Face::Bold);
    flow.Space(1);
    for (const QString& line : c.norms) flow.Paragraph(line, Face::Body);
    flow.Space(6);
    for (const ProtocolSignature& s : c.signatures) flow.Signature(s);

    if (!c.charts.empty()) {
        flow.NewPage();
        flow.Paragraph(QStringLiteral("Приложение. Графики по точкам измерений"), Face::Bold);
        flow.Space(2);
        for (const ProtocolChart& chart : c.charts) {
            flow.Chart(chart);
            flow.Space(5);
        }
    }
}

void PaintHeader(QPainter& p, QPaintDevice& device, double mm, const ProtocolContent& c,
                 int page, int pages) {
    p.setFont(FontOf(Face::Small));
    const QFontMetricsF fm(p.font(), &device);
    const QRectF line(kLeft * mm, kTop * mm, device.width() - (kLeft + kRight) * mm, fm.height());
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1 %2").arg(c.title, c.number));
    p.drawText(line, Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("Стр. %1 из %2").arg(page).arg(pages));
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * mm);
    p.setPen(pen);
    p.drawLine(QPointF(line.left(), line.bottom() + 1 * mm),
               QPointF(line.right(), line.bottom() + 1 * mm));
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

int PaintProtocol(QPagedPaintDevice& device, const ProtocolContent& content) {
    Flow flow(device);
    LayOut(flow, content);
    std::vector<Page>& pages = flow.Pages();
    if (pages.back().empty()) pages.pop_back();
    QPainter painter(&device);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0) device.newPage();
        PaintHeader(painter, device, flow.Mm(), content, i + 1, count);
        for (const Item& item : pages[std::size_t(i)]) PaintItem(painter, item, flow.Mm());
    }
    painter.end();
    return count;
}

}  // namespace lmr
