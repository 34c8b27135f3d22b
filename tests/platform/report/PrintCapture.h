#pragma once
// Captures every report preview of a test while it lives, instead of the
// preview window: the prepared pages, the report as PDF, and its text read
// back from the PDF (PdfPages, one entry per page).

#include "TestApp.h"

#include "platform/report/Report.h"

#include <QStringList>
#include <QTemporaryDir>

#include <vector>

class PrintCapture {
public:
    PrintCapture()
    {
        m_old = report::SetPreviewSink([this](report::Report &r) {
            ++prints;
            pages = r.pages();
            pdf = m_dir.filePath(QStringLiteral("print%1.pdf").arg(prints));
            r.exportPdf(pdf);
            text = PdfPages(pdf);
        });
    }
    ~PrintCapture() { report::SetPreviewSink(m_old); }
    PrintCapture(const PrintCapture &) = delete;
    PrintCapture &operator=(const PrintCapture &) = delete;

    int prints = 0;
    std::vector<report::Page> pages;
    QString pdf;
    QStringList text;

    // The PDF line holding `what`, blanks squeezed.
    QString lineWith(const QString &what) const
    {
        for (const QString &page : text)
            for (const QString &line : page.split(u'\n'))
                if (line.contains(what))
                    return line.simplified();
        return {};
    }

private:
    QTemporaryDir m_dir;
    report::PreviewSink m_old;
};
