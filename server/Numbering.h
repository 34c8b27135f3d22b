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

// Refuses an empty company or store, an unknown kind and an invalid month.
qint64 drawNumber(SQLite::Database &db, const QString &company, const QString &store, qint64 kind,
                  const QString &month);

} // namespace hq
