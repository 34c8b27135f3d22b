#include "Documents.h"

#include "Call.h"
#include "Numbering.h"
#include "Sql.h"

#include <QRegularExpression>

#include <SQLiteCpp/Statement.h>

#include <QDate>

#include <algorithm>
#include <cmath>

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

DocumentTable describe(const char *header, const char *lines, const char *h, const char *l, const char *missingNumber)
{
    // Header columns are <h>CMCD, <h>BUUT, <h>MONTH, <h>NUMB; lines carry the same with their prefix.
    auto key = [](const char *p) {
        const QString prefix = QString::fromLatin1(p);
        return QStringList{prefix + QStringLiteral("CMCD"), prefix + QStringLiteral("BUUT"),
                           prefix + QStringLiteral("MONTH"), prefix + QStringLiteral("NUMB")};
    };
    return DocumentTable{QString::fromLatin1(header), key(h), {{QString::fromLatin1(lines), key(l)}},
                         QString::fromUtf8(missingNumber)};
}

} // namespace

// Positions in the table of described().
enum { PurchaseOrder, ReceivedOrder, Receipt, Release, Production, JobOrder };

static const DocumentTable &described(int which)
{
    // The refusals of a number never drawn are the ones each document gives a missing number.
    static const DocumentTable all[] = {describe("F2100", "F2101", "PH", "PD", "발주 번호가 없습니다."),
                                        describe("F2400", "F2401", "OH", "OD", "수주 번호가 없습니다."),
                                        describe("F3100", "F3101", "WH", "WD", "receipt number must be positive"),
                                        describe("F3200", "F3201", "DH", "DD", "출고 번호가 없습니다."),
                                        describe("F3300", "F3301", "RH", "RD", "생산 번호가 없습니다."),
                                        describe("F3310", "F3311", "JH", "JD", "작업지시 번호가 없습니다.")};
    return all[which];
}

const DocumentTable &purchaseOrder() { return described(PurchaseOrder); }
const DocumentTable &receivedOrder() { return described(ReceivedOrder); }
const DocumentTable &receipt() { return described(Receipt); }
const DocumentTable &release() { return described(Release); }
const DocumentTable &production() { return described(Production); }
const DocumentTable &jobOrder() { return described(JobOrder); }

// The line table of a described document by its name; null for other tables.
const DocumentTable::Lines *linesNamed(const QString &table)
{
    for (int which = PurchaseOrder; which <= JobOrder; ++which)
        for (const DocumentTable::Lines &l : described(which).lines)
            if (l.table.compare(table, Qt::CaseInsensitive) == 0)
                return &l;
    return nullptr;
}

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

QString productionMajorNameSql(const QString &cmcd, const QString &buut, const QString &gkid)
{
    return QStringLiteral("COALESCE((SELECT g.GKNAME FROM F0060 g WHERE g.GKCMCD = %1 AND g.GKBUUT = %2"
                          " AND g.GKDJGU = '3' AND g.GKGKID = %3 ORDER BY g.GKITTY LIMIT 1), '')")
        .arg(cmcd, buut, gkid);
}

QString productionMiddleNameSql(const QString &cmcd, const QString &buut, const QString &gkid, const QString &mkid)
{
    return QStringLiteral("COALESCE((SELECT m.MKNAME FROM F0061 m WHERE m.MKCMCD = %1 AND m.MKBUUT = %2"
                          " AND m.MKDJGU = '3' AND m.MKGKID = %3 AND m.MKMKID = %4 ORDER BY m.MKITTY LIMIT 1), '')")
        .arg(cmcd, buut, gkid, mkid);
}

namespace {

thread_local int t_terminalCalls = 0;

constexpr double kLargestValue = 1e12;

bool isDay(const QString &text)
{
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    const QDate d(text.left(4).toInt(), text.mid(4, 2).toInt(), text.right(2).toInt());
    return d.isValid() && d.year() >= 1900;
}

bool isYear(const QString &text)
{
    return text.size() == 4 && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })
           && text.toInt() >= 1900;
}

// xxDATE, xxYEAR: the column's kind after a two-letter table prefix.
bool isColumn(const QString &column, const char *kind)
{
    return column.size() == 6 && column.mid(2).compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
}

QVariant valueOf(const RowValues &values, const QString &column)
{
    for (const auto &v : values)
        if (v.first.compare(column, Qt::CaseInsensitive) == 0)
            return v.second;
    return {};
}

void checkValues(SQLite::Database &db, const QString &table, const RowValues &values)
{
    if (!TerminalCall::active())
        return;
    for (const auto &[column, value] : values) {
        if (!value.isValid() || value.isNull())
            continue;
        const int type = value.typeId();
        if (type == QMetaType::Double || type == QMetaType::Float) {
            const double d = value.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > kLargestValue)
                throw CallError(QStringLiteral("값이 범위를 벗어났습니다: %1").arg(column));
        } else if (type == QMetaType::LongLong || type == QMetaType::Int) {
            const qint64 n = value.toLongLong();
            if (n > qint64(kLargestValue) || n < -qint64(kLargestValue))
                throw CallError(QStringLiteral("값이 범위를 벗어났습니다: %1").arg(column));
        } else if (type == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                continue;
            if (isColumn(column, "DATE") && !isDay(text))
                throw CallError(QStringLiteral("올바른 날짜가 아닙니다: %1").arg(text),
                                QStringLiteral("invalid day in %1").arg(column));
            if (isColumn(column, "YEAR") && !isYear(text))
                throw CallError(QStringLiteral("올바른 연도가 아닙니다: %1").arg(text),
                                QStringLiteral("invalid year in %1").arg(column));
        }
    }
    // A document line names an item of its own store.
    const DocumentTable::Lines *lines = docs::linesNamed(table);
    if (!lines || lines->key.size() < 2)
        return;
    const QString itemColumn = lines->key.value(0).chopped(4) + QStringLiteral("ITNB");
    const QVariant item = valueOf(values, itemColumn);
    if (!item.isValid() || item.isNull())
        return;
    Prepared st(db, "SELECT 1 FROM F0200 WHERE IMCMCD = ?1 AND IMBUUT = ?2 AND IMITNB = ?3");
    bindText(*st, 1, valueOf(values, lines->key.value(0)).toString());
    bindText(*st, 2, valueOf(values, lines->key.value(1)).toString());
    bindText(*st, 3, item.toString());
    if (!st->executeStep())
        throw CallError(QStringLiteral("매장에 없는 품목입니다: %1").arg(item.toString()),
                        QStringLiteral("unknown item"));
}

} // namespace

TerminalCall::TerminalCall() { ++t_terminalCalls; }
TerminalCall::~TerminalCall() { --t_terminalCalls; }
bool TerminalCall::active() { return t_terminalCalls > 0; }

QString DocumentKey::text() const { return QStringLiteral("%1/%2/%3").arg(cmcd, buut, numberText(month, numb)); }

DocumentKey requireDocumentKey(const Call &call, const QString &p, const QString &noNumber, const QString &namePrefix)
{
    const auto name = [&](const char *column) { return namePrefix + p + QLatin1String(column); };
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
    // Only a number drawn for the kind and month: a number past the highest
    // drawn would move every later draw (up to the end of the integers).
    if (const int kind = documentKindOf(doc.header); kind != 0 && key.size() == 4 && TerminalCall::active()) {
        const qint64 number = key[3].toLongLong();
        if (number < 1 || number > lastNumber(db, key[0].toString(), key[1].toString(), kind, key[2].toString()))
            throw CallError(doc.missingNumber);
    }
    checkValues(db, doc.header, values);
    deleteDocument(db, doc, key);
    insertRow(db, doc.header, values);
}

void insertRow(SQLite::Database &db, const QString &table, const RowValues &values)
{
    checkValues(db, table, values);
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

std::optional<PartnerMismatch> partnerMismatch(SQLite::Database &db, const DocumentTable &doc, const DocumentKey &key,
                                               const DocumentTable &order, const LineReference &line,
                                               const QString &docFilter)
{
    // Header columns are <p>CMCD, <p>BUUT, <p>MONTH, <p>NUMB and the partner <p>ADNB.
    const QString d = doc.headerKey.value(0).chopped(4), o = order.headerKey.value(0).chopped(4);
    const auto col = [](const QString &alias, const QString &prefix, const char *name) {
        return alias + QStringLiteral(".") + identifier(prefix + QString::fromLatin1(name));
    };
    const auto h = [&](const char *name) { return col(QStringLiteral("h"), d, name); };
    const auto r = [&](const char *name) { return col(QStringLiteral("o"), o, name); };
    QString sql = QStringLiteral("SELECT ") + h("ADNB") + QStringLiteral(", ") + r("ADNB") + QStringLiteral(", ")
                  + partnerNameSql(h("CMCD"), h("BUUT"), h("ADNB")) + QStringLiteral(", ")
                  + partnerNameSql(r("CMCD"), r("BUUT"), r("ADNB"))
                  + QStringLiteral(" FROM %1 h JOIN %2 o").arg(identifier(doc.header), identifier(order.header))
                  + QStringLiteral(" ON %1 = %2 AND %3 = %4 AND %5 = ?5 AND %6 = ?6")
                        .arg(r("CMCD"), h("CMCD"), r("BUUT"), h("BUUT"), r("MONTH"), r("NUMB"))
                  + QStringLiteral(" WHERE %1 = ?1 AND %2 = ?2 AND %3 = ?3 AND %4 = ?4")
                        .arg(h("CMCD"), h("BUUT"), h("MONTH"), h("NUMB"));
    if (!docFilter.isEmpty())
        sql += QStringLiteral(" AND ") + docFilter;
    Prepared st(db, u8(sql));
    bindText(*st, 1, key.cmcd);
    bindText(*st, 2, key.buut);
    bindText(*st, 3, key.month);
    st->bind(4, static_cast<int64_t>(key.numb));
    bindText(*st, 5, line.month);
    st->bind(6, static_cast<int64_t>(line.number));
    if (!st->executeStep())
        return std::nullopt;
    const auto text = [&](int column) { return QString::fromStdString(st->getColumn(column).getString()).trimmed(); };
    if (text(0) == text(1))
        return std::nullopt;
    return PartnerMismatch{text(0), text(2), text(1), text(3)};
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
