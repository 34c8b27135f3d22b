#include "platform/report/Report.h"

#include "platform/os/Clock.h"

#include <QPageSize>

#include <utility>

namespace report {

// --- Band ---------------------------------------------------------------------

Band::Band(Report *report, BandType type, int height, const QString &name)
    : QObject(report), m_type(type), m_height(height)
{
    setObjectName(name);
}

Report *Band::report() const
{
    return static_cast<Report *>(parent());
}

QList<Item *> Band::items() const
{
    QList<Item *> list;
    for (QObject *child : children())
        if (auto *item = qobject_cast<Item *>(child))
            list.append(item);
    return list;
}

Label *Band::addLabel(const QString &name, const QRect &rect, const QString &caption, Alignment align)
{
    auto *label = new Label(this, name, rect, caption);
    label->setAlignment(align);
    return label;
}

DataText *Band::addDataText(const QString &name, const QRect &rect, DataSet *dataSet,
                            const QString &field, const QString &format, Alignment align)
{
    auto *text = new DataText(this, name, rect, dataSet, field, format);
    text->setAlignment(align);
    return text;
}

Shape *Band::addShape(const QString &name, const QRect &rect, Shape::Kind kind, int penWidth)
{
    return new Shape(this, name, rect, kind, penWidth);
}

// --- Report -------------------------------------------------------------------

Report::Report(QObject *parent) : QObject(parent)
{
}

Report::~Report()
{
    // Items unregister from m_components when they go, so the bands must go
    // while this object is still whole.
    const QObjectList bands = children();
    for (QObject *child : bands)
        if (qobject_cast<Band *>(child))
            delete child;
}

Band *Report::addBand(BandType type, int height, const QString &name)
{
    return new Band(this, type, height, name);
}

Band *Report::band(BandType type) const
{
    for (QObject *child : children())
        if (auto *b = qobject_cast<Band *>(child); b && b->type() == type)
            return b;
    return nullptr;
}

Item *Report::component(const QString &name) const
{
    for (Item *item : m_components)
        if (item->objectName() == name)
            return item;
    return nullptr;
}

QSizeF Report::pageSize() const
{
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QSizeF px(mm.width() / 25.4 * LayoutDpi, mm.height() / 25.4 * LayoutDpi);
    return m_orientation == QPageLayout::Portrait ? px : px.transposed();
}

double Report::bandWidth() const
{
    return pageSize().width() - m_margins.left() - m_margins.right();
}

double Report::footerTop() const
{
    const Band *footer = band(BandType::PageFooter);
    const double bottom = pageSize().height() - m_margins.bottom();
    return footer && footer->isEnabled() ? bottom - footer->height() : bottom;
}

int Report::prepare()
{
    m_pages.clear();
    m_prepared = false;
    m_pageNumber = 0;
    m_printTime = m_clock ? m_clock() : os::Now(); // the application's clock, set from the server
    if (m_beforePrint)
        m_beforePrint(*this);

    startPage();
    runDetails();
    if (Band *summary = band(BandType::Summary))
        placeBand(summary, true);
    finishPage();

    m_prepared = true;
    return pageCount();
}

void Report::startPage()
{
    m_pages.emplace_back();
    ++m_pageNumber;
    m_y = m_margins.top();
    m_pageHasBody = false;
    if (Band *header = band(BandType::PageHeader))
        placeBand(header, false);
    if (m_pageNumber == 1)
        if (Band *title = band(BandType::Title))
            placeBand(title, true);
    if (Band *columns = band(BandType::ColumnHeader))
        placeBand(columns, false);
}

void Report::finishPage()
{
    Band *footer = band(BandType::PageFooter);
    if (!footer || !footer->isEnabled())
        return;
    m_y = footerTop();
    placeBand(footer, false);
}

// Places one instance of a band at the current line. A body band (title,
// detail, summary) that does not fit above the footer goes to a new page,
// unless the page holds no body band yet: a band taller than a page is then
// printed cut rather than pushing empty pages forever.
void Report::placeBand(Band *band, bool body)
{
    if (!band->isEnabled())
        return;
    bool print = true;
    if (band->beforePrint())
        band->beforePrint()(*band, print);
    if (!print)
        return;
    if (body && m_pageHasBody && m_y + band->height() > footerTop()) {
        finishPage();
        startPage();
    }
    const QPointF origin(m_margins.left(), m_y);
    Page &page = m_pages.back();
    FreezeFrame(band->frame(), QRectF(origin, QSizeF(bandWidth(), band->height())), page);
    for (Item *item : band->items())
        item->freeze(origin, page);
    m_y += band->height();
    if (body)
        m_pageHasBody = true;
}

// --- Preview sink ---------------------------------------------------------------

namespace {
PreviewSink &sinkSlot()
{
    static PreviewSink sink;
    return sink;
}
} // namespace

PreviewSink SetPreviewSink(PreviewSink sink)
{
    return std::exchange(sinkSlot(), std::move(sink));
}

void showPreviewWindow(Report &report); // ReportPreview.cpp

void Report::preview()
{
    if (m_printerName.isEmpty())
        m_printerName = ApplicationPrinterName();
    prepare();
    if (const PreviewSink &sink = sinkSlot())
        sink(*this);
    else
        showPreviewWindow(*this);
}

} // namespace report
