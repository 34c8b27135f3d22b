#pragma once
// A QApplication for the whole test program (fonts, PDF writer, dialogs;
// TestApp.cpp), and helpers that read a PDF back as text (PdfText.cpp, also
// for test programs that run on an application object of their own).

#include <QString>
#include <QStringList>

// Text of a PDF file as `pdftotext -layout` gives it, one entry per page.
QStringList PdfPages(const QString &pdfFile);

// Whether a page of pdftotext output holds the page label "Page  : n/total".
// Text extraction rebuilds blanks from the gaps between words, so the two
// blanks after "Page" may come back as one.
bool HasPageLabel(const QString &pageText, int page, int total);
