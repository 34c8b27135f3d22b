#pragma once
// Small helpers between SQLite statements and wire values.

#include "platform/remote/wire/WireCodec.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <initializer_list>

namespace hq {

struct Col {
    QString name;
    wire::Type type = wire::Type::String;
    int size = 0;
};
using Cols = QList<Col>;

// Column shorthands for answer declarations.
inline Col T(const char *name, int size = 0) { return {QString::fromLatin1(name), wire::Type::String, size}; }
inline Col I(const char *name) { return {QString::fromLatin1(name), wire::Type::Integer, 0}; }
inline Col F(const char *name) { return {QString::fromLatin1(name), wire::Type::Float, 0}; }
inline Col C(const char *name) { return {QString::fromLatin1(name), wire::Type::Currency, 0}; }
inline Col B(const char *name) { return {QString::fromLatin1(name), wire::Type::Boolean, 0}; }
inline Col DT(const char *name) { return {QString::fromLatin1(name), wire::Type::DateTime, 0}; }

// Binds a wire value: null, integer, float or text (texts keep U+0000).
void bindValue(SQLite::Statement &st, int index, const QVariant &value);
void bindText(SQLite::Statement &st, int index, const QString &text);

// Reads column `index` of the current row as a value of `type`. Currency
// columns hold won (integer or real) and become ten-thousandths; date-time
// columns hold "yyyy-mm-dd hh:nn:ss" (or "yyyymmdd") texts.
QVariant readColumn(SQLite::Statement &st, int index, wire::Type type);

// Runs a prepared (and bound) statement and builds an answer of the given
// columns from its result columns, in order. An empty result keeps the columns.
wire::Answer queryAnswer(SQLite::Statement &st, const Cols &cols);

// The wire type of a declared SQLite column type (TEXT, INTEGER, REAL,
// CURRENCY, BOOLEAN, DATETIME).
wire::Type typeOfDeclared(const QString &declared);

// A stored date-time text of a value (QDateTime or text).
QString storedDateTime(const QDateTime &value);

QString nowText(); // the server's local time as stored in xxLADT columns

std::string u8(const QString &text); // UTF-8 with every character kept

} // namespace hq
