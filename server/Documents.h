#pragma once
// Writing documents: a header row sent again for a document that already
// exists replaces the document, its lines included, so a retry or a
// modification never leaves stale or doubled lines. The document procedures
// describe their tables once and write headers and lines through here.

#include <SQLiteCpp/Database.h>

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace hq {

struct DocumentTable {
    QString header;              // e.g. "F2100"
    QStringList headerKey;       // key columns of the header, company and store first,
                                 // e.g. PHCMCD, PHBUUT, PHMONTH, PHNUMB
    struct Lines {
        QString table;           // e.g. "F2101"
        QStringList key;         // the columns holding the header key, same order
    };
    QList<Lines> lines;
};

using RowValues = QList<QPair<QString, QVariant>>; // column -> value

// Deletes the document of `key` (lines first, then the header); returns
// whether a header existed.
bool deleteDocument(SQLite::Database &db, const DocumentTable &doc, const QVariantList &key);

// Writes a header: an existing document with the same key is deleted first;
// an empty company or store is refused.
// `values` must hold the key columns too.
void writeHeader(SQLite::Database &db, const DocumentTable &doc, const RowValues &values);

// Inserts one row into a table (a document line, usually).
void insertRow(SQLite::Database &db, const QString &table, const RowValues &values);

} // namespace hq
