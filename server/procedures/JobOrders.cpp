// Job orders (F3310 / F3311): the job orders of a store between two days,
// the lines of one job order, and the production forecast of the received
// orders due on one day. Job orders move no stock; what they order counts
// against the forecast of their production day.

#include "Dispatcher.h"
#include "Documents.h"
#include "StockView.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

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
    registry.add(QStringLiteral("GP_SELECT_F3310_WORKENTRY"), false, selectJobOrders);
    registry.add(QStringLiteral("GP_SELECT_F3311_WORKENTRY"), false, selectJobOrderLines);
    registry.add(QStringLiteral("GP_SELECT_F2401_WORKENTRY"), false, selectProductionForecast);
}

} // namespace hq
