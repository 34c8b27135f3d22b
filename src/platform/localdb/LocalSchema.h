#pragma once
// The three tables of the terminal's local database (restaurant-table orders
// written by the table-order program, their memos and the place names) and
// the statements that create them when they are missing.

#include <QString>
#include <QStringList>
#include <vector>

enum class LocalColumnKind {
    Text,      // TEXT, declared length in `size`
    SmallInt,  // 16-bit integer
    Integer,   // 32-bit integer
    Float,     // double
    Decimal,   // fixed point with four decimals (Currency in memory)
    Boolean,   // 0 / 1
    DateTime,  // "yyyy-MM-dd HH:mm:ss.zzz", local time
};

struct LocalColumn {
    const char *name;
    LocalColumnKind kind;
    int size;     // texts: declared length; 0 otherwise
    bool stored;  // false: a display-only field of the data set, no column
};

struct LocalTableSchema {
    const char *name;
    std::vector<LocalColumn> columns;

    const LocalColumn *find(const QString &column) const; // case-insensitive
    QStringList storedColumnNames() const;
    QString createStatement() const;                       // CREATE TABLE IF NOT EXISTS ...
};

const LocalTableSchema &TBLDTLSchema();
const LocalTableSchema &TBLMMOSchema();
const LocalTableSchema &TBLCNFSchema();

// The schema of a table by name (case-insensitive); nullptr when unknown.
const LocalTableSchema *FindLocalSchema(const QString &tableName);
// The three tables, in creation order.
std::vector<const LocalTableSchema *> LocalSchemas();
