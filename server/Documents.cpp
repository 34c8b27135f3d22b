#include "Documents.h"

#include "Call.h"
#include "Numbering.h"
#include "Sql.h"

#include <QRegularExpression>

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

// Table and column names come from code, never from a request; checked anyway
// because they are pasted into the statement.
const QString &identifier(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!re.match(name).hasMatch())
        throw CallError(QStringLiteral("bad identifier \"%1\"").arg(name));
    return name;
}

QString whereKey(const QStringList &columns)
{
    QStringList parts;
    for (int i = 0; i < columns.size(); ++i)
        parts << identifier(columns[i]) + QStringLiteral(" = ?%1").arg(i + 1);
    return parts.join(QStringLiteral(" AND "));
}

int deleteWhere(SQLite::Database &db, const QString &table, const QStringList &columns, const QVariantList &key)
{
    if (columns.size() != key.size())
        throw CallError(QStringLiteral("document key of %1 has %2 values for %3 columns")
                            .arg(table)
                            .arg(key.size())
                            .arg(columns.size()));
    Prepared st(db, u8(QStringLiteral("DELETE FROM %1 WHERE %2").arg(identifier(table), whereKey(columns))));
    for (int i = 0; i < key.size(); ++i)
        bindValue(*st, i + 1, key[i]);
    return st->exec();
}

} // namespace

namespace docs {

namespace {

DocumentTable describe(const char *header, const char *lines, const char *h, const char *l)
{
    // Header columns are <h>CMCD, <h>BUUT, <h>MONTH, <h>NUMB; lines carry the same with their prefix.
    auto key = [](const char *p) {
        const QString prefix = QString::fromLatin1(p);
        return QStringList{prefix + QStringLiteral("CMCD"), prefix + QStringLiteral("BUUT"),
                           prefix + QStringLiteral("MONTH"), prefix + QStringLiteral("NUMB")};
    };
    return DocumentTable{QString::fromLatin1(header), key(h), {{QString::fromLatin1(lines), key(l)}}};
}

} // namespace

// Positions in the table of described().
enum { PurchaseOrder, ReceivedOrder, Receipt, Release, Production, JobOrder };

static const DocumentTable &described(int which)
{
    static const DocumentTable all[] = {describe("F2100", "F2101", "PH", "PD"), describe("F2400", "F2401", "OH", "OD"),
                                        describe("F3100", "F3101", "WH", "WD"), describe("F3200", "F3201", "DH", "DD"),
                                        describe("F3300", "F3301", "RH", "RD"), describe("F3310", "F3311", "JH", "JD")};
    return all[which];
}

const DocumentTable &purchaseOrder() { return described(PurchaseOrder); }
const DocumentTable &receivedOrder() { return described(ReceivedOrder); }
const DocumentTable &receipt() { return described(Receipt); }
const DocumentTable &release() { return described(Release); }
const DocumentTable &production() { return described(Production); }
const DocumentTable &jobOrder() { return described(JobOrder); }

} // namespace docs

QString numberText(const QString &month, qint64 number)
{
    return month + QLatin1Char('-') + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

QString numberTextSql(const QString &monthColumn, const QString &numberColumn)
{
    return QStringLiteral("(%1 || '-' || printf('%05d', %2))").arg(monthColumn, numberColumn);
}

QString dayText(const QString &column)
{
    return QStringLiteral("CASE WHEN length(%1) = 8 THEN substr(%1, 1, 4) || '-' || substr(%1, 5, 2) || '-'"
                          " || substr(%1, 7, 2) ELSE %1 END")
        .arg(column);
}

QString itemTypeNameSql(const QString &typeCode)
{
    return QStringLiteral("CASE %1 WHEN '1' THEN '제품' WHEN '2' THEN '상품' WHEN '3' THEN '반제품'"
                          " WHEN '5' THEN '원재료' WHEN '6' THEN '부재료' ELSE '' END")
        .arg(typeCode);
}

QString DocumentKey::text() const { return QStringLiteral("%1/%2/%3").arg(cmcd, buut, numberText(month, numb)); }

DocumentKey requireDocumentKey(const Call &call, const QString &p, const QString &noNumber)
{
    const auto name = [&p](const char *column) { return QStringLiteral("A_") + p + QLatin1String(column); };
    DocumentKey k;
    k.cmcd = call.text(name("CMCD")).trimmed();
    k.buut = call.text(name("BUUT")).trimmed();
    k.month = call.text(name("MONTH")).trimmed();
    k.numb = call.integer(name("NUMB"));
    if (k.cmcd.isEmpty() || k.buut.isEmpty())
        throw CallError(QStringLiteral("company and store are required"));
    if (!isValidMonth(k.month))
        throw CallError(QStringLiteral("올바른 월이 아닙니다: %1").arg(k.month));
    if (k.numb <= 0)
        throw CallError(noNumber);
    return k;
}

bool documentExists(SQLite::Database &db, const DocumentTable &doc, const DocumentKey &key)
{
    Prepared st(db, u8(QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(identifier(doc.header), whereKey(doc.headerKey))));
    const QVariantList values = key.values();
    for (int i = 0; i < values.size(); ++i)
        bindValue(*st, i + 1, values[i]);
    return st->executeStep();
}

bool deleteDocument(SQLite::Database &db, const DocumentTable &doc, const QVariantList &key)
{
    for (const DocumentTable::Lines &l : doc.lines)
        deleteWhere(db, l.table, l.key, key);
    return deleteWhere(db, doc.header, doc.headerKey, key) > 0;
}

void writeHeader(SQLite::Database &db, const DocumentTable &doc, const RowValues &values)
{
    QVariantList key;
    for (const QString &k : doc.headerKey) {
        bool found = false;
        for (const auto &v : values) {
            if (v.first.compare(k, Qt::CaseInsensitive) == 0) {
                key << v.second;
                found = true;
                break;
            }
        }
        if (!found)
            throw CallError(QStringLiteral("header of %1 without key column %2").arg(doc.header, k));
    }
    // The first two key columns are the company and the store: a document
    // of nobody's would be numbered and found by no one.
    for (int i = 0; i < 2 && i < key.size(); ++i)
        if (key[i].isNull() || key[i].toString().trimmed().isEmpty())
            throw CallError(QStringLiteral("company and store are required"));
    deleteDocument(db, doc, key);
    insertRow(db, doc.header, values);
}

void insertRow(SQLite::Database &db, const QString &table, const RowValues &values)
{
    QStringList cols, marks;
    for (int i = 0; i < values.size(); ++i) {
        cols << identifier(values[i].first);
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    Prepared st(db, u8(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(identifier(table), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))));
    for (int i = 0; i < values.size(); ++i)
        bindValue(*st, i + 1, values[i].second);
    st->exec();
}

std::optional<LineReference> resolveLineReference(SQLite::Database &db, const DocumentTable &doc,
                                                  const QString &company, const QString &store,
                                                  const QString &month, qint64 number, qint64 seq,
                                                  const QString &item)
{
    if (number <= 0 || doc.lines.isEmpty())
        return std::nullopt;
    // Line columns are <p>CMCD, <p>BUUT, <p>MONTH, <p>NUMB, <p>SEQ, <p>ITNB.
    const DocumentTable::Lines &lines = doc.lines.first();
    const QString p = lines.key.value(0).chopped(4);
    const QString m = identifier(p + QStringLiteral("MONTH")), n = identifier(p + QStringLiteral("NUMB"));
    const QString s = identifier(p + QStringLiteral("SEQ")), i = identifier(p + QStringLiteral("ITNB"));
    Prepared st(db, u8(QStringLiteral("SELECT %2, %3, %4 FROM %1"
                                      " WHERE %6 = ?1 AND %7 = ?2 AND %3 = ?4 AND %5 = ?6 AND %2 <= ?3"
                                      " ORDER BY (%2 = ?3 AND %4 = ?5) DESC, %2 DESC, (%4 = ?5) DESC, %4 LIMIT 1")
                           .arg(identifier(lines.table), m, n, s, i, identifier(lines.key.value(0)),
                                identifier(lines.key.value(1)))));
    bindText(*st, 1, company);
    bindText(*st, 2, store);
    bindText(*st, 3, month);
    st->bind(4, static_cast<int64_t>(number));
    st->bind(5, static_cast<int64_t>(seq));
    bindText(*st, 6, item);
    if (!st->executeStep())
        return std::nullopt;
    return LineReference{QString::fromStdString(st->getColumn(0).getString()), st->getColumn(1).getInt64(),
                         st->getColumn(2).getInt64()};
}

void bindDocumentKey(SQLite::Statement &st, const Call &call)
{
    bindText(st, 1, call.text(QStringLiteral("A_CMCD")).trimmed());
    bindText(st, 2, call.text(QStringLiteral("A_BUUT")).trimmed());
    bindText(st, 3, call.text(QStringLiteral("A_MONTH")).trimmed());
    st.bind(4, static_cast<int64_t>(call.integer(QStringLiteral("A_NUMB"))));
}

void audit(Call &call, const QString &procedure, const QString &key, const QString &work, const QString &pgid)
{
    Prepared st(call.db, "INSERT INTO SYS_AUDIT (AUTIME, AUPROC, AUKEY, AUWORK, AUPGID)"
                         " VALUES (?1, ?2, ?3, ?4, ?5)");
    bindText(*st, 1, nowText());
    bindText(*st, 2, procedure);
    bindText(*st, 3, key);
    bindText(*st, 4, work);
    bindText(*st, 5, pgid);
    st->exec();
}

void audit(Call &call, const char *procedure, const QString &key)
{
    audit(call, QString::fromUtf8(procedure), key, call.text(QStringLiteral("WORK")), call.text(QStringLiteral("PGID")));
}

QString partnerSql(const QString &what, const QString &cmcd, const QString &buut, const QString &adnb)
{
    return QStringLiteral(
               "COALESCE((SELECT %4 FROM F0100 p"
               " WHERE p.ABCMCD = %1 AND ((length(%3) <= 4 AND p.ABBUUT = %3 AND p.ABADNB = '00000000')"
               " OR (length(%3) > 4 AND p.ABADNB = %3 AND p.ABBUUT = %2))), '')")
        .arg(cmcd, buut, adnb, what);
}

QString partnerNameSql(const QString &cmcd, const QString &buut, const QString &adnb)
{
    return partnerSql(QStringLiteral("CASE WHEN p.ABSNAM = '' THEN p.ABNAME ELSE p.ABSNAM END"), cmcd, buut, adnb);
}

} // namespace hq
