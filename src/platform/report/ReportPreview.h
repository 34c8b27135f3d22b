#pragma once
// The modal preview of a prepared report: one page at a time, zoomed to fit
// the window, with page buttons, print and close. Printing goes to the
// application's printer through the print dialog (printer choice and page
// range); with no printer installed the pages are saved as a PDF file.

#include <QDialog>

class QLabel;
class QPushButton;

namespace report {

class Report;
class PageView;

class PreviewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreviewDialog(Report &report, QWidget *parent = nullptr);

    int currentPage() const { return m_page; }   // 0-based
    void showPage(int index);

private:
    void printReport();
    void updateControls();

    Report &m_report;
    int m_page = 0;
    PageView *m_view;
    QLabel *m_pageLabel;
    QPushButton *m_first, *m_prior, *m_next, *m_last;
};

} // namespace report
