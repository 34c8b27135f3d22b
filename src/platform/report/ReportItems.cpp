#include "platform/report/ReportItems.h"

#include "platform/report/Report.h"
#include "platform/os/Clock.h"

namespace report {

QColor ColorFromRef(quint32 ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

void FreezeFrame(const Frame &frame, const QRectF &r, Page &page)
{
    const auto line = [&](QPointF a, QPointF b) {
        DrawOp op;
        op.kind = DrawOp::Line;
        op.rect = QRectF(a, b);
        op.penWidth = frame.penWidth;
        page.push_back(op);
    };
    if (frame.top)
        line(r.topLeft(), r.topRight());
    if (frame.bottom)
        line(r.bottomLeft(), r.bottomRight());
    if (frame.left)
        line(r.topLeft(), r.bottomLeft());
    if (frame.right)
        line(r.topRight(), r.bottomRight());
}

// --- Item -------------------------------------------------------------------

Item::Item(Band *band, const QString &name, const QRect &rect)
    : QObject(band), m_report(band ? band->report() : nullptr), m_rect(rect)
{
    setObjectName(name);
    if (m_report)
        m_report->addComponent(this);
}

Item::~Item()
{
    if (m_report)
        m_report->removeComponent(this);
}

Band *Item::band() const
{
    return static_cast<Band *>(parent());
}

void Item::freeze(QPointF origin, Page &page) const
{
    if (!m_visible)
        return;
    const QRectF r = QRectF(m_rect).translated(origin);
    freezeContent(r, page);
    FreezeFrame(m_frame, r, page);
}

// --- Text items ----------------------------------------------------------------

TextItem::TextItem(Band *band, const QString &name, const QRect &rect)
    : Item(band, name, rect)
{
    if (Report *r = report())
        m_font = r->font();
}

void TextItem::freezeContent(const QRectF &rect, Page &page) const
{
    const QString t = text();
    if (t.isEmpty())
        return;
    DrawOp op;
    op.kind = DrawOp::Text;
    op.rect = rect;
    op.text = t;
    op.font = m_font;
    op.align = m_align;
    op.clip = m_clip;
    page.push_back(std::move(op));
}

Label::Label(Band *band, const QString &name, const QRect &rect, const QString &caption)
    : TextItem(band, name, rect), m_caption(caption)
{
}

DataText::DataText(Band *band, const QString &name, const QRect &rect, DataSet *dataSet,
                   const QString &fieldName, const QString &format)
    : TextItem(band, name, rect), m_dataSet(dataSet), m_field(fieldName), m_format(format)
{
}

SysData::SysData(Band *band, const QString &name, const QRect &rect, Kind kind)
    : TextItem(band, name, rect), m_kind(kind)
{
}

QString SysData::text() const
{
    const Report *r = report();
    const QDateTime t = r ? r->printDateTime() : os::Now();
    return t.toString(m_kind == Date ? QStringLiteral("yyyy-MM-dd")
                                     : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

CheckBox::CheckBox(Band *band, const QString &name, const QRect &rect, DataSet *dataSet,
                   const QString &fieldName, const QString &caption)
    : TextItem(band, name, rect), m_dataSet(dataSet), m_field(fieldName), m_caption(caption)
{
}

void CheckBox::freezeContent(const QRectF &rect, Page &page) const
{
    // The box is a square of the font's size at the left, the caption after it.
    const double side = qMin<double>(font().pixelSize, rect.height() > 0 ? rect.height() : font().pixelSize);
    DrawOp box;
    box.kind = DrawOp::Check;
    box.rect = QRectF(rect.left(), rect.top() + qMax(0.0, (rect.height() - side) / 2), side, side);
    box.checked = isChecked();
    page.push_back(box);
    if (!m_caption.isEmpty()) {
        const double gap = side + 4;
        TextItem::freezeContent(rect.adjusted(gap, 0, 0, 0), page);
    }
}

// --- Shapes -------------------------------------------------------------------

Shape::Shape(Band *band, const QString &name, const QRect &rect, Kind kind, int penWidth)
    : Item(band, name, rect), m_kind(kind), m_penWidth(penWidth)
{
}

void Shape::freezeContent(const QRectF &r, Page &page) const
{
    DrawOp op;
    op.penWidth = m_penWidth;
    switch (m_kind) {
    case HorizontalLine: {
        const double y = r.top() + r.height() / 2;
        op.kind = DrawOp::Line;
        op.rect = QRectF(QPointF(r.left(), y), QPointF(r.right(), y));
        break;
    }
    case VerticalLine: {
        const double x = r.left() + r.width() / 2;
        op.kind = DrawOp::Line;
        op.rect = QRectF(QPointF(x, r.top()), QPointF(x, r.bottom()));
        break;
    }
    case Rectangle:
        op.kind = DrawOp::Rect;
        op.rect = r;
        break;
    }
    page.push_back(op);
}

} // namespace report
