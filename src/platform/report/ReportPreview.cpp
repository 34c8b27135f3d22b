#include "platform/report/ReportPreview.h"

#include "platform/report/Report.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <exception>

namespace report {

// Paints one page of the report, scaled to fit the widget, on a grey desk.
class PageView : public QWidget
{
public:
    PageView(Report &report, QWidget *parent) : QWidget(parent), m_report(report)
    {
        setObjectName(QStringLiteral("pageView"));
        setMinimumSize(200, 200);
    }
    void setPage(int index)
    {
        m_index = index;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const QSizeF page = m_report.pageSize();
        const double margin = 8;
        const double scale = qMin((width() - 2 * margin) / page.width(),
                                  (height() - 2 * margin) / page.height());
        if (scale <= 0)
            return;
        const QSizeF shown = page * scale;
        const QPointF topLeft((width() - shown.width()) / 2, (height() - shown.height()) / 2);
        p.fillRect(QRectF(topLeft + QPointF(3, 3), shown), QColor(64, 64, 64));
        p.fillRect(QRectF(topLeft, shown), Qt::white);
        p.translate(topLeft);
        p.scale(scale, scale);
        m_report.paintPage(p, m_index);
    }

private:
    Report &m_report;
    int m_index = 0;
};

PreviewDialog::PreviewDialog(Report &report, QWidget *parent)
    : QDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("미리보기"));
    setModal(true);

    m_view = new PageView(report, this);
    m_first = new QPushButton(QStringLiteral("처음"), this);
    m_prior = new QPushButton(QStringLiteral("이전"), this);
    m_next = new QPushButton(QStringLiteral("다음"), this);
    m_last = new QPushButton(QStringLiteral("마지막"), this);
    m_pageLabel = new QLabel(this);
    auto *print = new QPushButton(QStringLiteral("인쇄"), this);
    auto *close = new QPushButton(QStringLiteral("닫기"), this);
    m_first->setObjectName(QStringLiteral("btnFirst"));
    m_prior->setObjectName(QStringLiteral("btnPrior"));
    m_next->setObjectName(QStringLiteral("btnNext"));
    m_last->setObjectName(QStringLiteral("btnLast"));
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    print->setObjectName(QStringLiteral("btnPrint"));
    close->setObjectName(QStringLiteral("btnClose"));

    auto *bar = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_first), static_cast<QWidget *>(m_prior),
                       static_cast<QWidget *>(m_pageLabel), static_cast<QWidget *>(m_next),
                       static_cast<QWidget *>(m_last)}) {
        w->setMinimumHeight(48);
        bar->addWidget(w);
    }
    bar->addStretch();
    for (QPushButton *b : {print, close}) {
        b->setMinimumSize(110, 48);
        bar->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_view, 1);
    layout->addLayout(bar);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_prior, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(m_report.pageCount() - 1); });
    connect(print, &QPushButton::clicked, this, &PreviewDialog::printReport);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    resize(1000, 740);
    showPage(0);
}

void PreviewDialog::showPage(int index)
{
    m_page = qBound(0, index, qMax(0, m_report.pageCount() - 1));
    m_view->setPage(m_page);
    updateControls();
}

void PreviewDialog::updateControls()
{
    const int count = m_report.pageCount();
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(m_page + 1).arg(count));
    m_first->setEnabled(m_page > 0);
    m_prior->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
}

void PreviewDialog::printReport()
{
    try {
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            // No printer installed: save the pages as a PDF file instead.
            const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            const QString name = QFileDialog::getSaveFileName(
                this, QStringLiteral("PDF 파일로 저장"),
                QDir(dir).filePath((m_report.objectName().isEmpty() ? QStringLiteral("report")
                                                                    : m_report.objectName())
                                   + QStringLiteral(".pdf")),
                QStringLiteral("PDF (*.pdf)"));
            if (!name.isEmpty())
                m_report.exportPdf(name);
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        if (!m_report.printerName().isEmpty())
            printer.setPrinterName(m_report.printerName());
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, m_report.pageCount());
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const bool range = printer.printRange() == QPrinter::PageRange;
        m_report.print(printer, range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
    } catch (const std::exception &e) {
        QMessageBox::warning(this, windowTitle(), QString::fromLocal8Bit(e.what()));
    }
}

namespace {
QString &chosenPrinter()
{
    static QString name;
    return name;
}
} // namespace

QString ApplicationPrinterName()
{
    if (!chosenPrinter().isEmpty())
        return chosenPrinter();
    return QPrinterInfo::defaultPrinterName();
}

void SetApplicationPrinterName(const QString &name)
{
    chosenPrinter() = name;
}

void showPreviewWindow(Report &report)
{
    PreviewDialog dialog(report, QApplication::activeModalWidget());
    dialog.exec();
}

} // namespace report
