// Painting of prepared pages to any paint device: the preview, a printer, a
// PDF file. The painter is scaled so that one layout pixel is 1/96 inch.

#include "platform/report/Report.h"

#include <QFontDatabase>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <limits>
#include <stdexcept>

namespace report {

namespace {

// The Windows families of the forms are not installed here: monospaced
// ("...체") families go to NanumGothicCoding, the others to NanumGothic, so
// Hangul always has an outline font that the PDF can embed as text.
QString resolveFamily(const QString &family)
{
    static QHash<QString, QString> cache;
    if (auto it = cache.constFind(family); it != cache.constEnd())
        return *it;
    QString resolved = family;
    if (!QFontDatabase::hasFamily(family))
        resolved = family.endsWith(u'체') ? QStringLiteral("NanumGothicCoding")
                                          : QStringLiteral("NanumGothic");
    cache.insert(family, resolved);
    return resolved;
}

QFont toFont(const FontSpec &spec)
{
    QFont font(resolveFamily(spec.family));
    font.setPixelSize(qMax(1, spec.pixelSize));
    font.setBold(spec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Draws text word by word at the positions the whole line would give them.
// Blanks are left as gaps: the Nanum fonts map their blank glyph to a control
// character, which would put that character instead of a blank into the
// PDF's text; from gaps, text extraction restores the blanks. Words wholly
// outside [minX, maxX] are left out, so cut text is not in the PDF either.
void drawWords(QPainter &p, const QFontMetricsF &fm, QPointF baseline, const QString &text,
               double minX, double maxX)
{
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < text.size() && !text[j].isSpace())
            ++j;
        const double x = baseline.x() + (i > 0 ? fm.horizontalAdvance(text.left(i)) : 0.0);
        if (x >= maxX)
            break;
        const QString word = text.mid(i, j - i);
        if (x + fm.horizontalAdvance(word) > minX)
            p.drawText(QPointF(x, baseline.y()), word);
        i = j;
    }
}

void paintOp(QPainter &p, const DrawOp &op)
{
    switch (op.kind) {
    case DrawOp::Text: {
        p.setFont(toFont(op.font));
        p.setPen(ColorFromRef(op.font.color));
        const QFontMetricsF fm = QFontMetricsF(p.font(), p.device());
        // An item of no height gets the height of one line of its font.
        QRectF r = op.rect;
        if (r.height() <= 0)
            r.setHeight(fm.height());
        const double width = fm.horizontalAdvance(op.text);
        double x = r.left();
        if (op.align == Alignment::Right)
            x = r.right() - width;
        else if (op.align == Alignment::Center)
            x = r.left() + (r.width() - width) / 2;
        if (op.clip) {
            p.save();
            p.setClipRect(r, Qt::IntersectClip);
        }
        const double inf = std::numeric_limits<double>::infinity();
        drawWords(p, fm, QPointF(x, r.top() + fm.ascent()), op.text,
                  op.clip ? r.left() : -inf, op.clip ? r.right() : inf);
        if (op.clip)
            p.restore();
        break;
    }
    case DrawOp::Line:
        p.setPen(QPen(Qt::black, op.penWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(op.rect.topLeft(), op.rect.bottomRight());
        break;
    case DrawOp::Rect:
        p.setPen(QPen(Qt::black, op.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(op.rect);
        break;
    case DrawOp::Check: {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(op.rect);
        if (op.checked) {
            const QRectF r = op.rect.adjusted(2, 2, -2, -2);
            p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const QPointF pts[3] = {{r.left(), r.center().y()},
                                    {r.left() + r.width() * 0.4, r.bottom()},
                                    {r.right(), r.top()}};
            p.drawPolyline(pts, 3);
        }
        break;
    }
    }
}

QPageLayout pageLayout(const Report &report)
{
    return QPageLayout(QPageSize(QPageSize::A4), report.orientation(), QMarginsF(0, 0, 0, 0));
}

} // namespace

void Report::paintPage(QPainter &painter, int index) const
{
    if (index < 0 || index >= pageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const DrawOp &op : m_pages[size_t(index)])
        paintOp(painter, op);
    painter.restore();
}

namespace {

// Paints pages from..to (0-based) on a paged device whose pages are A4.
template <class Device>
void paintPages(const Report &report, Device &device, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("cannot start painting the report");
    const double scale = device.resolution() / LayoutDpi;
    for (int i = from; i <= to; ++i) {
        if (i > from)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        report.paintPage(painter, i);
        painter.restore();
    }
    if (!painter.end())
        throw std::runtime_error("cannot finish the report output");
}

} // namespace

void Report::exportPdf(const QString &fileName)
{
    if (!m_prepared)
        prepare();
    QPdfWriter writer(fileName);
    writer.setPageLayout(pageLayout(*this));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("RALD"));
    writer.setTitle(objectName());
    paintPages(*this, writer, 0, pageCount() - 1);
}

void Report::print(QPrinter &printer, int fromPage, int toPage)
{
    if (!m_prepared)
        prepare();
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(*this));
    const int first = fromPage > 0 ? fromPage - 1 : 0;
    const int last = toPage > 0 ? qMin(toPage, pageCount()) - 1 : pageCount() - 1;
    if (first > last)
        return;
    paintPages(*this, printer, first, last);
}

} // namespace report
