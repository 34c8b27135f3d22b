#include "Components/MirelComp/MirelPaint.h"

#include "platform/dataset/NumberText.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace mirel {

void drawPolyline(QPainter &p, QPoint start, const std::vector<Segment> &segments)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPoint cur = start;
    for (const Segment &s : segments) {
        const int dx = (s.to.x() > cur.x()) - (s.to.x() < cur.x());
        const int dy = (s.to.y() > cur.y()) - (s.to.y() < cur.y());
        QPolygon pts;
        QPoint q = cur;
        while (q != s.to) {
            pts << q;
            // Axis-parallel or 45-degree segments: step both axes until each
            // reaches its end coordinate.
            if (q.x() != s.to.x())
                q.rx() += dx;
            if (q.y() != s.to.y())
                q.ry() += dy;
        }
        if (!pts.isEmpty()) {
            p.setPen(QPen(s.color, 1));
            p.drawPoints(pts);
        }
        cur = s.to;
    }
    p.restore();
}

void drawBevel(QPainter &p, int w, int h, const QColor &light, const QColor &shadow)
{
    if (w <= 0 || h <= 0)
        return;
    drawPolyline(p, QPoint(0, h - 1), {
        {{0, 0}, light}, {{w - 1, 0}, light}, {{w - 2, 1}, light}, {{1, 1}, light},
        {{1, h - 2}, light}, {{2, h - 2}, light},
        {{w - 2, h - 2}, shadow}, {{w - 2, 1}, shadow}, {{w - 1, 0}, shadow},
        {{w - 1, h - 1}, shadow}, {{0, h - 1}, shadow},
    });
}

QString formatWhole(double amount)
{
    return FormatWholeNumber(std::llround(amount));
}

QString normalizeBreaks(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void drawCaption(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                 int w, int h, int margin, QPoint shift)
{
    if (text.isEmpty())
        return;
    const QString t = normalizeBreaks(text);
    QFontMetrics fm(font);
    const QRect measured = fm.boundingRect(QRect(0, 0, std::max(0, w - 2 * margin), 0),
                                           Qt::AlignLeft | Qt::AlignTop, t);
    const int tw = measured.width();
    const int th = measured.height();
    QRect r(0, 0, tw, th);
    r.translate((w - tw) / 2 + shift.x(), (h - th) / 2 + shift.y());
    p.save();
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignHCenter | Qt::AlignTop, t);
    p.restore();
}

} // namespace mirel
