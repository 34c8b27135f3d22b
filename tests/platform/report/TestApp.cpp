#include "TestApp.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class AppEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qApp) {
            static int argc = 1;
            static char name[] = "test_report";
            static char *argv[] = {name, nullptr};
            m_app = new QApplication(argc, argv);
        }
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication *m_app = nullptr;
};

[[maybe_unused]] auto *const environment =
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

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
