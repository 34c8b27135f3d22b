#include "TestApp.h"

#include <QProcess>
#include <QRegularExpression>

QStringList PdfPages(const QString &pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool HasPageLabel(const QString &pageText, int page, int total)
{
    return pageText.contains(
        QRegularExpression(QStringLiteral("Page {1,2}: %1/%2\\b").arg(page).arg(total)));
}
