// Job orders (F3310 / F3311): writing a job order header by header and line
// by line, deleting one, the job orders of a store between two days, the
// lines of one job order, and the production forecast of the received orders
// due on one day. Job orders move no stock; what they order counts against
// the forecast of their production day. The insert and delete name their
// parameters without the A_ prefix (JHCMCD, JDQTY, GUBUN).

#include "Dispatcher.h"
#include "Documents.h"
#include "Access.h"
#include "StockView.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3310_WORKENTRY");
const QString kDelete = QStringLiteral("GP_DELETE_F3310_WORKENTRY");
const QString kNoNumber = QStringLiteral("작업지시 번호가 없습니다.");

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

DocumentKey jobOrderKey(const Call &call, const char *prefix)
{
    return requireDocumentKey(call, QLatin1String(prefix), kNoNumber, QString());
}

// A header sent again replaces the job order with its lines: a retried
// registration or a job order saved again never leaves stale lines.
void writeJobOrderHeader(Call &call)
{
    const DocumentKey k = jobOrderKey(call, "JH");
    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    writeHeader(call.db, docs::jobOrder(),
                {
                    {QStringLiteral("JHCMCD"), k.cmcd},
                    {QStringLiteral("JHBUUT"), k.buut},
                    {QStringLiteral("JHMONTH"), k.month},
                    {QStringLiteral("JHNUMB"), k.numb},
                    {QStringLiteral("JHYEAR"), text("JHYEAR")},
                    {QStringLiteral("JHDATE"), text("JHDATE")},
                    {QStringLiteral("JHSEDATE"), text("JHSEDATE")},
                    {QStringLiteral("JHNYDT"), text("JHNYDT")},
                    {QStringLiteral("JHLINB"), text("JHLINB")},
                    {QStringLiteral("JHADNB"), text("JHADNB")},
                    {QStringLiteral("JHSTTM"), text("JHSTTM")},
                    {QStringLiteral("JHEDTM"), text("JHEDTM")},
                    {QStringLiteral("JHBIGO"), text("JHBIGO")},
                    {QStringLiteral("JHWORK"), text("JHWORK")},
                    {QStringLiteral("JHPGID"), text("JHPGID")},
                    {QStringLiteral("JHLADT"), nowText()},
                });
}

// One line of an existing job order; a line sent again under the same
// sequence replaces the earlier one.
void writeJobOrderLine(Call &call)
{
    const DocumentKey k = jobOrderKey(call, "JD");
    const qint64 seq = call.integer(QStringLiteral("JDSEQ"));
    if (seq <= 0)
        throw CallError(QStringLiteral("작업지시 순번이 없습니다."));
    const QString item = trimmed(call, "JDITNB");
    if (item.isEmpty())
        throw CallError(QStringLiteral("품목이 지정되지 않았습니다."));
    if (!documentExists(call.db, docs::jobOrder(), k))
        throw CallError(QStringLiteral("작업지시 내역이 없습니다: %1").arg(numberText(k.month, k.numb)));

    Prepared del(call.db, "DELETE FROM F3311 WHERE JDCMCD = ?1 AND JDBUUT = ?2 AND JDMONTH = ?3 AND JDNUMB = ?4"
                          " AND JDSEQ = ?5");
    const QVariantList key = k.values();
    for (int i = 0; i < key.size(); ++i)
        bindValue(*del, i + 1, key[i]);
    del->bind(5, static_cast<int64_t>(seq));
    del->exec();

    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    auto integer = [&](const char *name) { return QVariant(call.integer(QString::fromLatin1(name))); };
    auto number = [&](const char *name) { return QVariant(call.number(QString::fromLatin1(name))); };
    insertRow(call.db, QStringLiteral("F3311"),
              {
                  {QStringLiteral("JDCMCD"), k.cmcd},
                  {QStringLiteral("JDBUUT"), k.buut},
                  {QStringLiteral("JDMONTH"), k.month},
                  {QStringLiteral("JDNUMB"), k.numb},
                  {QStringLiteral("JDSEQ"), seq},
                  {QStringLiteral("JDITNB"), item},
                  {QStringLiteral("JDBAR"), text("JDBAR")},
                  {QStringLiteral("JDRFID"), text("JDRFID")},
                  {QStringLiteral("JDLINB"), text("JDLINB")},
                  {QStringLiteral("JDUNIT"), text("JDUNIT")},
                  {QStringLiteral("JDQTY"), number("JDQTY")},
                  {QStringLiteral("JDUPRC"), integer("JDUPRC")},
                  {QStringLiteral("JDAMT"), integer("JDAMT")},
                  {QStringLiteral("JDBDAN"), text("JDBDAN")},
                  {QStringLiteral("JDMDAN"), text("JDMDAN")},
                  {QStringLiteral("JDLDAN"), text("JDLDAN")},
                  {QStringLiteral("JDMQTY"), number("JDMQTY")},
                  {QStringLiteral("JDSQTY"), number("JDSQTY")},
                  {QStringLiteral("JDMCAL"), number("JDMCAL")},
                  {QStringLiteral("JDLQTY"), number("JDLQTY")},
                  {QStringLiteral("JDSJSY"), text("JDSJSY")},
                  {QStringLiteral("JDSTTM"), text("JDSTTM")},
                  {QStringLiteral("JDEDTM"), text("JDEDTM")},
                  {QStringLiteral("JDBIGO"), text("JDBIGO")},
                  {QStringLiteral("JDSUMONTH"), text("JDSUMONTH")},
                  {QStringLiteral("JDSUNUMB"), integer("JDSUNUMB")},
                  {QStringLiteral("JDSUSEQ"), integer("JDSUSEQ")},
                  {QStringLiteral("JDWORK"), text("JDWORK")},
                  {QStringLiteral("JDPGID"), text("JDPGID")},
                  {QStringLiteral("JDLADT"), nowText()},
              });
}

// GUBUN 1 writes the header, 2 one line.
void insertJobOrder(Call &call)
{
    switch (call.integer(QStringLiteral("GUBUN"))) {
    case 1: writeJobOrderHeader(call); return;
    case 2: writeJobOrderLine(call); return;
    default: throw CallError(QStringLiteral("올바른 구분이 아닙니다: %1").arg(call.text(QStringLiteral("GUBUN"))));
    }
}

// Deletes a job order with its lines. The call names no worker: the audit
// row records the signed-in user who sent it.
void deleteJobOrder(Call &call)
{
    const DocumentKey k = jobOrderKey(call, "JH");
    if (!deleteDocument(call.db, docs::jobOrder(), k.values()))
        throw CallError(QStringLiteral("삭제할 작업지시 내역이 없습니다."));
    const QString user = call.caller && call.caller->user ? call.caller->user->number : QString();
    audit(call, kDelete, k.text(), user, QString());
}

// A stored day "yyyymmdd" as the answer's date-time column; the server's
// empty date, 1900-01-01, for none.
QString dayOrEmpty(const QString &column)
{
    return QStringLiteral("CASE WHEN %1 = '' THEN '19000101' ELSE %1 END").arg(column);
}

// The factor that brings a quantity in `unit` to the item's base unit: the
// item's pack factor (stored `mcal`, else the item's IMMCAL) for its pack
// unit, 1 for any other unit. `item` is the alias of the item's F0200 row.
QString baseFactor(const QString &unit, const QString &mcal, const QString &item)
{
    return QStringLiteral("(CASE WHEN %1 <> '' AND %1 = %3.IMMDAN AND %1 <> %3.IMLDAN"
                          " THEN COALESCE(NULLIF(%2, 0), NULLIF(%3.IMMCAL, 0), 1) ELSE 1 END)")
        .arg(unit, mcal, item);
}

// The job orders of the store dated within [A_STDT, A_EDDT] (an empty bound
// is open), by day and number. The person responsible is JHADNB, or the user
// who wrote the job order when it names none.
void selectJobOrders(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT ") + dayOrEmpty(QStringLiteral("h.JHDATE")) + QStringLiteral(", ")
        + dayOrEmpty(QStringLiteral("h.JHSEDATE")) + QStringLiteral(", ") + dayOrEmpty(QStringLiteral("h.JHNYDT"))
        + QStringLiteral(", ")
        + partnerNameSql(QStringLiteral("h.JHCMCD"), QStringLiteral("h.JHBUUT"),
                         QStringLiteral("COALESCE(NULLIF(h.JHADNB, ''), h.JHWORK)"))
        + QStringLiteral(", ") + numberTextSql(QStringLiteral("h.JHMONTH"), QStringLiteral("h.JHNUMB"))
        + QStringLiteral(", h.JHMONTH, h.JHNUMB, h.JHYEAR"
                         " FROM F3310 h WHERE h.JHCMCD = ?1 AND h.JHBUUT = ?2"
                         " AND (?3 = '' OR h.JHDATE >= ?3) AND (?4 = '' OR h.JHDATE <= ?4)"
                         " ORDER BY h.JHDATE, h.JHMONTH, h.JHNUMB");
    call.open({DT("JHDATE"), DT("JHSEDATE"), DT("JHNYDT"), T("phADNB_name", 50), T("bunho", 12), T("JHMONTH", 6),
               I("JHNUMB"), T("JHYEAR", 4)},
              sql.toUtf8().constData(), {"A_CMCD", "A_BUUT", "A_STDT", "A_EDDT"});
}

// The lines of one job order in line order, with the item's name and its
// type code IMITTY.
void selectJobOrderLines(Call &call)
{
    call.open({I("JDSEQ"), T("JDITNB", 6), T("imname", 50), T("JDMDAN", 3), F("JDMCAL"), T("JDLDAN", 3),
               T("JDUNIT", 3), F("JDQTY"), T("IMITTY", 1)},
              "SELECT d.JDSEQ, d.JDITNB, COALESCE(i.IMNAME, ''), d.JDMDAN, d.JDMCAL, d.JDLDAN, d.JDUNIT, d.JDQTY,"
              " COALESCE(i.IMITTY, '')"
              " FROM F3311 d"
              " LEFT JOIN F0200 i ON i.IMCMCD = d.JDCMCD AND i.IMBUUT = d.JDBUUT AND i.IMITNB = d.JDITNB"
              " WHERE d.JDCMCD = ?1 AND d.JDBUUT = ?2 AND d.JDMONTH = ?3 AND d.JDNUMB = ?4 ORDER BY d.JDSEQ",
              [&](SQLite::Statement &st) { bindDocumentKey(st, call); });
}

// What to produce for the received orders of the store due on @a_DATE (not
// force-closed): one row per product or semi-product that may be produced
// (IMSDFL), by item code.
//   ODUNIT   the unit the item was ordered in most often (on a tie the
//            lowest), ODQTY the ordered quantities in that unit;
//   need     what is left to release of those orders, in base units;
//   current_qty  the item's stock today;
//   product_qty  what job orders produced on that day already order, in
//            base units;
//   forcast_qty  max(0, need + proper stock IMJJGO - current_qty - product_qty).
// ODLDAN is the item's base unit, in which the four figures are counted.
void selectProductionForecast(Call &call)
{
    const QString orderFactor = QStringLiteral(
        "(CASE WHEN d.ODUNIT <> '' AND d.ODUNIT = d.ODMDAN AND d.ODUNIT <> d.ODLDAN AND d.ODMCAL > 0"
        " THEN d.ODMCAL ELSE 1 END)");
    const QString sql =
        QStringLiteral("WITH ")
        + stockOnDayCte(QStringLiteral("stock"), QStringLiteral("?1"), QStringLiteral("?2"),
                        QStringLiteral("strftime('%Y%m%d', 'now', 'localtime')"))
        + QStringLiteral(
              ", lines AS (SELECT d.ODITNB AS itnb, d.ODUNIT AS unit, d.ODQTY * %1 AS ordered,"
              " s.remainder * %1 AS need"
              " FROM F2401 d"
              " JOIN F2400 h ON h.OHCMCD = d.ODCMCD AND h.OHBUUT = d.ODBUUT AND h.OHMONTH = d.ODMONTH"
              " AND h.OHNUMB = d.ODNUMB"
              " JOIN V_SO_LINE_STATE s ON s.cmcd = d.ODCMCD AND s.buut = d.ODBUUT AND s.month = d.ODMONTH"
              " AND s.numb = d.ODNUMB AND s.seq = d.ODSEQ"
              " JOIN F0200 i ON i.IMCMCD = d.ODCMCD AND i.IMBUUT = d.ODBUUT AND i.IMITNB = d.ODITNB"
              " WHERE d.ODCMCD = ?1 AND d.ODBUUT = ?2 AND h.OHNYDT = ?3 AND NOT h.OHEDFL"
              " AND i.IMITTY IN ('1', '3') AND i.IMSDFL),"
              " units AS (SELECT itnb, unit, COUNT(*) AS n FROM lines GROUP BY itnb, unit),"
              " usual AS (SELECT u.itnb, u.unit FROM units u WHERE NOT EXISTS (SELECT 1 FROM units v"
              " WHERE v.itnb = u.itnb AND (v.n > u.n OR (v.n = u.n AND v.unit < u.unit)))),"
              " items AS (SELECT itnb, SUM(ordered) AS ordered, SUM(need) AS need FROM lines GROUP BY itnb),"
              " planned AS (SELECT jd.JDITNB AS itnb, SUM(jd.JDQTY * %2) AS qty FROM F3311 jd"
              " JOIN F3310 jh ON jh.JHCMCD = jd.JDCMCD AND jh.JHBUUT = jd.JDBUUT AND jh.JHMONTH = jd.JDMONTH"
              " AND jh.JHNUMB = jd.JDNUMB"
              " LEFT JOIN F0200 j ON j.IMCMCD = jd.JDCMCD AND j.IMBUUT = jd.JDBUUT AND j.IMITNB = jd.JDITNB"
              " WHERE jh.JHCMCD = ?1 AND jh.JHBUUT = ?2 AND jh.JHSEDATE = ?3 GROUP BY jd.JDITNB)"
              " SELECT t.itnb, i.IMNAME, i.IMMDAN, i.IMMCAL, i.IMLDAN, u.unit, ROUND(t.ordered / %3, 4), %4,"
              " i.IMJEGO, ROUND(COALESCE(st.qty, 0), 4),"
              " ROUND(MAX(0, t.need + i.IMJEGO - COALESCE(st.qty, 0) - COALESCE(p.qty, 0)), 4),"
              " ROUND(COALESCE(p.qty, 0), 4)"
              " FROM items t"
              " JOIN usual u ON u.itnb = t.itnb"
              " JOIN F0200 i ON i.IMCMCD = ?1 AND i.IMBUUT = ?2 AND i.IMITNB = t.itnb"
              " LEFT JOIN stock st ON st.itnb = t.itnb"
              " LEFT JOIN planned p ON p.itnb = t.itnb"
              " ORDER BY t.itnb")
              .arg(orderFactor, baseFactor(QStringLiteral("jd.JDUNIT"), QStringLiteral("jd.JDMCAL"), QStringLiteral("j")),
                   baseFactor(QStringLiteral("u.unit"), QStringLiteral("0"), QStringLiteral("i")),
                   dayText(QStringLiteral("?3")));
    call.open({T("ODITNB", 6), T("IMNAME", 50), T("ODMDAN", 3), F("ODMCAL"), T("ODLDAN", 3), T("ODUNIT", 3),
               F("ODQTY"), T("ohnydt", 10), F("IMJJGO"), F("current_qty"), F("forcast_qty"), F("product_qty")},
              sql.toUtf8().constData(), {"a_cmcd", "a_buut", "a_DATE"});
}

} // namespace

void registerJobOrderProcedures(Registry &registry)
{
    registry.add(kInsert, true, insertJobOrder);
    registry.add(kDelete, true, deleteJobOrder);
    registry.add(QStringLiteral("GP_SELECT_F3310_WORKENTRY"), false, selectJobOrders);
    registry.add(QStringLiteral("GP_SELECT_F3311_WORKENTRY"), false, selectJobOrderLines);
    registry.add(QStringLiteral("GP_SELECT_F2401_WORKENTRY"), false, selectProductionForecast);
}

} // namespace hq
