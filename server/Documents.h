#pragma once
// Writing documents: a header row sent again for a document that already
// exists replaces the document, its lines included, so a retry or a
// modification never leaves stale or doubled lines. The document procedures
// describe their tables once and write headers and lines through here.

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace hq {

class Call;

struct DocumentTable {
    QString header;              // e.g. "F2100"
    QStringList headerKey;       // key columns of the header, company and store first,
                                 // e.g. PHCMCD, PHBUUT, PHMONTH, PHNUMB
    struct Lines {
        QString table;           // e.g. "F2101"
        QStringList key;         // the columns holding the header key, same order
    };
    QList<Lines> lines;
    QString missingNumber;       // the refusal of a header whose number was never drawn
};

using RowValues = QList<QPair<QString, QVariant>>; // column -> value

// The store documents, each described once: header table and key, line
// tables and the columns holding the header key. Every insert procedure of a
// document writes its header with writeHeader(doc, ...) so that a header sent
// again replaces the document with its lines.
namespace docs {
const DocumentTable &purchaseOrder(); // F2100 / F2101
const DocumentTable &receivedOrder(); // F2400 / F2401
const DocumentTable &receipt();       // F3100 / F3101
const DocumentTable &release();       // F3200 / F3201
const DocumentTable &production();    // F3300 / F3301
const DocumentTable &jobOrder();      // F3310 / F3311
// The line table of one of the documents above by its name; null for other tables.
const DocumentTable::Lines *linesNamed(const QString &table);
} // namespace docs

// The number text of a document, month + "-" + number in five digits:
// ("202406", 12) -> "202406-00012"; a number above 99999 keeps all its digits.
QString numberText(const QString &month, qint64 number);
// The same as an SQL expression over two columns (or expressions) of a query:
// numberTextSql("PHMONTH", "PHNUMB") -> "(PHMONTH || '-' || printf('%05d', PHNUMB))".
QString numberTextSql(const QString &monthColumn, const QString &numberColumn);

// A stored "yyyymmdd" column shown as "yyyy-mm-dd" (an SQL expression); any
// other text stays as it is.
QString dayText(const QString &column);

// SQL expression for the name the screens show and filter for an item-type
// code (a column or expression): 1 제품, 2 상품, 3 반제품, 5 원재료, 6 부재료,
// '' for any other. The names are fixed, so that a company's code table
// cannot rename what the screens match.
QString itemTypeNameSql(const QString &typeCode);

// SQL expressions for the name of an item's production major category
// (F0060, GKDJGU "3") and middle category (F0061) of a store by their ids;
// '' when unknown.
QString productionMajorNameSql(const QString &cmcd, const QString &buut, const QString &gkid);
QString productionMiddleNameSql(const QString &cmcd, const QString &buut, const QString &gkid, const QString &mkid);

// The key of one document as an insert or delete call sends it, in
// parameters named after the row's column prefix: A_<p>CMCD, A_<p>BUUT,
// A_<p>MONTH, A_<p>NUMB (texts trimmed).
struct DocumentKey {
    QString cmcd, buut, month;
    qint64 numb = 0;
    QVariantList values() const { return {cmcd, buut, month, numb}; }
    // "9999/9999/203001-00007", as the audit rows name a document.
    QString text() const;
};

// Reads the key of prefix `p` ("DH", "RD", ...) and refuses an empty company
// or store, a month that is no "yyyymm" and a number below 1 (`noNumber` is
// that refusal's message). `namePrefix` comes before the prefix in the
// parameters' names (empty for procedures that name them JHCMCD, ...).
DocumentKey requireDocumentKey(const Call &call, const QString &p, const QString &noNumber,
                               const QString &namePrefix = QStringLiteral("A_"));

// Whether the header of the document of `key` exists.
bool documentExists(SQLite::Database &db, const DocumentTable &doc, const DocumentKey &key);

// Deletes the document of `key` (lines first, then the header); returns
// whether a header existed.
bool deleteDocument(SQLite::Database &db, const DocumentTable &doc, const QVariantList &key);

// What a terminal sends is held to the store's rules while one of these
// lives on the thread: the dispatcher opens one around every call a terminal
// sent (see writeHeader and insertRow). Calls the server makes itself (its
// tests, tools) are not held to them.
class TerminalCall {
public:
    TerminalCall();
    ~TerminalCall();
    TerminalCall(const TerminalCall &) = delete;
    TerminalCall &operator=(const TerminalCall &) = delete;
    static bool active();
};

// Writes a header: an existing document with the same key is deleted first;
// an empty company or store is refused. In a terminal's call a number that
// was never drawn for the kind and month (below 1 or above the highest
// drawn) is refused with the document's `missingNumber` text, and the values
// are checked as insertRow() checks them. `values` must hold the key columns too.
void writeHeader(SQLite::Database &db, const DocumentTable &doc, const RowValues &values);

// Inserts one row into a table (a document line, usually). In a terminal's
// call, values the store cannot hold are refused before anything is written: a day (xxDATE) that is
// no "yyyymmdd" day, a year (xxYEAR) that is no year, a number that is not
// finite or above 10^12 in size, and on a document line an item (xxITNB) the
// line's store does not have. Empty days and years pass.
void insertRow(SQLite::Database &db, const QString &table, const RowValues &values);

// A line of a document that a line of another document names (a receipt line
// its purchase-order line, a release line its received-order line).
struct LineReference {
    QString month;
    qint64 number = 0;
    qint64 seq = 0;
};

// The line of `doc` (its first line table) of company and store that a line
// for `item` names by month, number and sequence: the line named when it holds
// the item; else, of the documents with that number whose month is the latest
// up to the sent one and that hold the item, the line of the sent sequence,
// else their first line of the item. None for a number of 0 or less, or when
// no document of that number holds the item.
std::optional<LineReference> resolveLineReference(SQLite::Database &db, const DocumentTable &doc,
                                                  const QString &company, const QString &store,
                                                  const QString &month, qint64 number, qint64 seq,
                                                  const QString &item);

// The partners of a document (its header's <p>ADNB) and of the order that one
// of its lines names, when they differ: a line tied to another partner's order
// would lower what is left of that order under a document booked to someone
// else. None when they agree or when the document or the order is missing.
// `docFilter` narrows the document's header further (SQL over "h.").
struct PartnerMismatch {
    QString docCode, docName, orderCode, orderName;
};
std::optional<PartnerMismatch> partnerMismatch(SQLite::Database &db, const DocumentTable &doc, const DocumentKey &key,
                                               const DocumentTable &order, const LineReference &line,
                                               const QString &docFilter = {});

// Binds the document key of a lines query, ?1..?4, from the parameters
// A_CMCD, A_BUUT, A_MONTH (trimmed) and A_NUMB.
void bindDocumentKey(SQLite::Statement &st, const Call &call);

// Records a deletion in SYS_AUDIT: the procedure, the deleted key as text and
// the call's WORK and PGID, at the server's time.
void audit(Call &call, const char *procedure, const QString &key);
// The same with the WORK and PGID values given (procedures whose parameters
// carry a table prefix, e.g. A_DHWORK).
void audit(Call &call, const QString &procedure, const QString &key, const QString &work, const QString &pgid);

// SQL expression for the short name (else the full name) of a partner of a
// store's document: a business unit by its 4-character code, a supplier or
// customer of the store by its 8-character code; '' when unknown.
QString partnerNameSql(const QString &cmcd, const QString &buut, const QString &adnb);
// The same lookup for another expression over the partner row `p`, e.g. "p.ABTXGU".
QString partnerSql(const QString &what, const QString &cmcd, const QString &buut, const QString &adnb);

} // namespace hq
