#pragma once
// Document numbers: per company, store, document kind and month. A draw takes
// max(last number drawn, highest number on file) + 1 and records it, so numbers
// are never reused; gaps are allowed. Call it inside a BEGIN IMMEDIATE
// transaction so that two concurrent draws queue.

#include <SQLiteCpp/Database.h>

#include <QString>

namespace hq {

bool isDocumentKind(int kind);
bool isValidMonth(const QString &month); // "yyyymm"
// The kind numbered in a header table ("F2100" -> 10); 0 for other tables.
int documentKindOf(const QString &headerTable);

// The highest number drawn for the kind and month, or on file when higher;
// 0 when none. A header's number lies between 1 and it.
qint64 lastNumber(SQLite::Database &db, const QString &company, const QString &store, qint64 kind,
                  const QString &month);

// Refuses an empty company or store, an unknown kind and an invalid month.
qint64 drawNumber(SQLite::Database &db, const QString &company, const QString &store, qint64 kind,
                  const QString &month);

} // namespace hq
