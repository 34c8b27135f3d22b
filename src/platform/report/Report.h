#pragma once
// A banded A4 report over a data set.
//
// Bands print in this order: the page header on every page, the title once on
// the first page, the column header on every page, one detail band per row of
// the report's data set from its first row, the summary once after the last
// detail, and the page footer at the bottom of every page. Each band's
// before-print callback runs for every instance of the band, just before its
// items are frozen onto the page, and may skip that instance.
//
// prepare() runs the whole report and keeps its pages (so the page count is
// known before anything is shown); the page images are then painted to a
// preview, a printer or a PDF file. Layout units are 96-dpi pixels.

#include "platform/report/ReportItems.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class DataSet;

namespace report {

enum class BandType { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

class Band : public QObject
{
    Q_OBJECT
public:
    // printBand starts true; clearing it skips this instance of the band.
    using BeforePrint = std::function<void(Band &band, bool &printBand)>;

    Band(Report *report, BandType type, int height, const QString &name = {});

    Report *report() const;
    BandType type() const { return m_type; }
    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    Frame &frame() { return m_frame; }
    const Frame &frame() const { return m_frame; }

    void setBeforePrint(BeforePrint callback) { m_beforePrint = std::move(callback); }
    const BeforePrint &beforePrint() const { return m_beforePrint; }

    // Items of this band in creation order.
    QList<Item *> items() const;

    // Shorthands that create items on this band.
    Label *addLabel(const QString &name, const QRect &rect, const QString &caption = {},
                    Alignment align = Alignment::Left);
    DataText *addDataText(const QString &name, const QRect &rect, DataSet *dataSet,
                          const QString &field, const QString &format = {},
                          Alignment align = Alignment::Left);
    Shape *addShape(const QString &name, const QRect &rect, Shape::Kind kind, int penWidth = 1);

private:
    BandType m_type;
    int m_height;
    bool m_enabled = true;
    Frame m_frame;
    BeforePrint m_beforePrint;
};

class Report : public QObject
{
    Q_OBJECT
public:
    using BeforePrint = std::function<void(Report &report)>;
    using Clock = std::function<QDateTime()>;

    explicit Report(QObject *parent = nullptr);
    ~Report() override;

    // Bands; one of each type is used (the first added).
    Band *addBand(BandType type, int height, const QString &name = {});
    Band *band(BandType type) const;

    // All items of all bands, in creation order.
    const QList<Item *> &components() const { return m_components; }
    // The item of that name (case-sensitive), or nullptr.
    Item *component(const QString &name) const;
    Label *label(const QString &name) const { return qobject_cast<Label *>(component(name)); }

    // Font given to text items when they are created.
    const FontSpec &font() const { return m_font; }
    void setFont(const FontSpec &font) { m_font = font; }

    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    // Page margins in layout pixels (left, top, right, bottom).
    QMarginsF margins() const { return m_margins; }
    void setMargins(const QMarginsF &margins) { m_margins = margins; }
    // A4 in layout pixels, turned by the orientation.
    QSizeF pageSize() const;
    // Width of a band: the page between the left and right margins.
    double bandWidth() const;

    DataSet *dataSet() const { return m_dataSet; }
    void setDataSet(DataSet *dataSet) { m_dataSet = dataSet; }

    // Runs at the start of every run (prepare and preview), before any band.
    void setBeforePrint(BeforePrint callback) { m_beforePrint = std::move(callback); }

    // Time source of the printing date; the application clock (os::Now) by default.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    QDateTime printDateTime() const { return m_printTime; }

    // The printer the report goes to; empty means the application's printer
    // (ApplicationPrinterName), looked up when the report is previewed.
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString &name) { m_printerName = name; }

    // Runs the report and keeps its pages; returns the page count.
    int prepare();
    bool isPrepared() const { return m_prepared; }
    int pageCount() const { return int(m_pages.size()); }
    // The page being laid out (1 first) during a run; after it, the last page.
    int pageNumber() const { return m_pageNumber; }
    const std::vector<Page> &pages() const { return m_pages; }

    // Paints a prepared page; the painter's units are layout pixels.
    void paintPage(QPainter &painter, int index) const;
    // Writes the prepared pages (prepare() first if needed) to a PDF file;
    // throws std::runtime_error when the file cannot be written.
    void exportPdf(const QString &fileName);
    // Prints prepared pages from..to (1-based, both included; 0 = all).
    void print(QPrinter &printer, int fromPage = 0, int toPage = 0);

    // Runs the report again and shows it in the modal preview (or hands it to
    // the installed preview sink); returns when the preview is closed.
    void preview();

private:
    friend class Item;
    void addComponent(Item *item) { m_components.append(item); }
    void removeComponent(Item *item) { m_components.removeOne(item); }

    void startPage();
    void finishPage();
    void placeBand(Band *band, bool body);
    double footerTop() const;
    void runDetails();

    QList<Item *> m_components;
    FontSpec m_font;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins{38, 38, 38, 38};
    DataSet *m_dataSet = nullptr;
    BeforePrint m_beforePrint;
    Clock m_clock;
    QDateTime m_printTime;
    QString m_printerName;

    std::vector<Page> m_pages;
    bool m_prepared = false;
    int m_pageNumber = 0;
    double m_y = 0;
    bool m_pageHasBody = false;
};

// The preview can be replaced, e.g. by tests that render to PDF instead of
// opening a window. The sink receives the report after its preview run.
using PreviewSink = std::function<void(Report &report)>;
// Installs a sink (an empty one restores the window); returns the previous.
PreviewSink SetPreviewSink(PreviewSink sink);

// The printer currently selected for the application: the one chosen with
// SetApplicationPrinterName, else the system's default printer; empty when
// neither is there. A report without a printer name of its own goes to it.
QString ApplicationPrinterName();
// Chooses the application's printer (the A4 printer set-up); empty goes back
// to the system's default. Main thread.
void SetApplicationPrinterName(const QString &name);

// Layout pixels per inch.
constexpr double LayoutDpi = 96.0;

} // namespace report
