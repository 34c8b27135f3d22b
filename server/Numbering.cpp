#include "Numbering.h"

#include "Call.h"
#include "Sql.h"

#include <SQLiteCpp/Statement.h>

#include <limits>

namespace hq {

namespace {

struct KindTable {
    int kind;
    const char *table, *company, *store, *month, *number;
};

// Header tables of the numbered documents; a table that does not exist yet in
// the store is skipped.
const KindTable kKinds[] = {
    {10, "F2100", "PHCMCD", "PHBUUT", "PHMONTH", "PHNUMB"},
    {11, "F3100", "WHCMCD", "WHBUUT", "WHMONTH", "WHNUMB"},
    {12, "F2400", "OHCMCD", "OHBUUT", "OHMONTH", "OHNUMB"},
    {13, "F3200", "DHCMCD", "DHBUUT", "DHMONTH", "DHNUMB"},
    {14, "F3310", "JHCMCD", "JHBUUT", "JHMONTH", "JHNUMB"},
    {15, "F3300", "RHCMCD", "RHBUUT", "RHMONTH", "RHNUMB"},
};

const KindTable *kindTable(int kind)
{
    for (const KindTable &k : kKinds)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

bool tableExists(SQLite::Database &db, const char *table)
{
    Prepared st(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    st->bind(1, table);
    return st->executeStep();
}

} // namespace

bool isDocumentKind(int kind)
{
    return kindTable(kind) != nullptr;
}

bool isValidMonth(const QString &month)
{
    if (month.size() != 6)
        return false;
    for (QChar c : month)
        if (c < u'0' || c > u'9')
            return false;
    const int year = month.left(4).toInt();
    const int mon = month.mid(4).toInt();
    return year >= 1900 && mon >= 1 && mon <= 12;
}

int documentKindOf(const QString &headerTable)
{
    for (const KindTable &k : kKinds)
        if (headerTable.compare(QLatin1String(k.table), Qt::CaseInsensitive) == 0)
            return k.kind;
    return 0;
}

qint64 lastNumber(SQLite::Database &db, const QString &company, const QString &store, qint64 kind,
                  const QString &month)
{
    const KindTable *k = kind == qint64(int(kind)) ? kindTable(int(kind)) : nullptr;
    if (!k)
        return 0;
    qint64 last = 0;
    {
        Prepared st(db, "SELECT NBLAST FROM SYS_NUMBER WHERE NBCMCD = ?1 AND NBBUUT = ?2 "
                        "AND NBGUBUN = ?3 AND NBMONTH = ?4");
        bindText(*st, 1, company);
        bindText(*st, 2, store);
        st->bind(3, static_cast<int64_t>(kind));
        bindText(*st, 4, month);
        if (st->executeStep())
            last = st->getColumn(0).getInt64();
    }
    if (tableExists(db, k->table)) {
        const std::string sql = std::string("SELECT COALESCE(MAX(") + k->number + "), 0) FROM " + k->table
                                + " WHERE " + k->company + " = ?1 AND " + k->store + " = ?2 AND " + k->month
                                + " = ?3";
        Prepared st(db, sql);
        bindText(*st, 1, company);
        bindText(*st, 2, store);
        bindText(*st, 3, month);
        if (st->executeStep())
            last = std::max<qint64>(last, st->getColumn(0).getInt64());
    }
    return last;
}

qint64 drawNumber(SQLite::Database &db, const QString &company, const QString &store, qint64 kind,
                  const QString &month)
{
    if (company.trimmed().isEmpty() || store.trimmed().isEmpty())
        throw CallError(QStringLiteral("company and store are required"));
    const KindTable *k = kind == qint64(int(kind)) ? kindTable(int(kind)) : nullptr;
    if (!k)
        throw CallError(QStringLiteral("unknown document kind %1").arg(kind),
                        QStringLiteral("unknown document kind"));
    if (!isValidMonth(month))
        throw CallError(QStringLiteral("invalid month \"%1\"").arg(month), QStringLiteral("invalid month"));

    const qint64 last = lastNumber(db, company, store, kind, month);
    // A header's number is always one drawn, so numbers stay small; a store
    // written before that rule may still hold the largest integer.
    if (last >= std::numeric_limits<qint64>::max())
        throw CallError(QStringLiteral("no number is left for kind %1 in %2").arg(kind).arg(month));
    const qint64 next = last + 1;
    Prepared up(db, "INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST) "
                    "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) "
                    "DO UPDATE SET NBLAST = excluded.NBLAST");
    bindText(*up, 1, company);
    bindText(*up, 2, store);
    up->bind(3, static_cast<int64_t>(kind));
    bindText(*up, 4, month);
    up->bind(5, static_cast<int64_t>(next));
    up->exec();
    return next;
}

} // namespace hq
