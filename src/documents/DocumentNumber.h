#pragma once
// The number of the document being saved. Every save of the store documents
// and of production asks this holder for the number of (document kind, month
// of the document's date, owner) instead of drawing one itself:
//
//   DocumentNumber number(*CDS_MAXNUMBER);        // the screen's GP_SELECT_MAXNUMBER data set
//   const qint64 n = number.numberFor(10, month, supplier);   // may throw
//   ... header and lines under n ...
//   number.completed();                            // only once every call succeeded
//
// The first ask draws a number with GP_SELECT_MAXNUMBER (A_GUBUN = kind,
// A_CMCD / A_BUUT = the terminal's company and store, A_MONTH = month) and
// holds it with its kind, month and owner. A later ask for the same three
// gives the held number again; any other three draw anew. completed() forgets
// the number. A save that failed on the way keeps it, so its retry resends
// the same document key and the server's header-replaces rule leaves one
// document instead of two. The owner is optional (the pattern order passes the
// supplier, so a retry for another supplier does not overwrite the failed one).

#include <QString>
#include <QtGlobal>

class ClientDataSet;

class DocumentNumber {
public:
    // query: a client data set on GP_SELECT_MAXNUMBER (provider and command
    // text set by its screen); it must outlive this holder.
    explicit DocumentNumber(ClientDataSet &query) : m_query(query) {}

    // The held number when kind, month and owner match it, else a fresh draw
    // (which replaces the held one). A failed draw throws and holds nothing new.
    qint64 numberFor(int kind, const QString &month, const QString &owner = QString());

    // The save completed: the next ask draws anew.
    void completed();

    bool holds() const { return m_number > 0; }
    qint64 held() const { return m_number; } // 0 when none

private:
    ClientDataSet &m_query;
    int m_kind = 0;
    QString m_month;
    QString m_owner;
    qint64 m_number = 0;
};
