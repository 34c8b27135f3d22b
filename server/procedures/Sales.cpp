// Received (sales) orders F2400 / F2401: the orders of a store with their
// release state, and the lines of one order with what is left to release.
// The state comes from the views V_SO_STATE and V_SO_LINE_STATE (release
// lines that resolve to an order line count against it).

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// The received orders of the store. a_adnb narrows to one customer code,
// a_name to customers whose name contains it; a_gubun1 "2" keeps the open
// orders only (not force-closed, something left to release); the day range
// a_stdt..a_eddt (an empty bound is open) is on the order day, or with
// a_gubun2 "2" on the delivery day. By that day, then month and number.
void selectReceivedOrders(Call &call)
{
    const QString customer =
        partnerNameSql(QStringLiteral("h.OHCMCD"), QStringLiteral("h.OHBUUT"), QStringLiteral("h.OHADNB"));
    const QString number = numberTextSql(QStringLiteral("h.OHMONTH"), QStringLiteral("h.OHNUMB"));
    const QString sql =
        QStringLiteral("SELECT * FROM (SELECT ") + dayText(QStringLiteral("h.OHNYDT")) + QStringLiteral(", ")
        + dayText(QStringLiteral("h.OHDATE")) + QStringLiteral(", ") + customer
        + QStringLiteral(" AS pname, h.OHADNB, h.OHMONTH, h.OHNUMB, ") + number
        + QStringLiteral(", COALESCE(NULLIF(h.OHTXGU, ''), ")
        + partnerSql(QStringLiteral("p.ABTXGU"), QStringLiteral("h.OHCMCD"), QStringLiteral("h.OHBUUT"),
                     QStringLiteral("h.OHADNB"))
        + QStringLiteral("), s.status, ") + number
        + QStringLiteral(
            ", CASE WHEN ?8 = '2' THEN h.OHNYDT ELSE h.OHDATE END AS day"
            " FROM F2400 h JOIN V_SO_STATE s ON s.cmcd = h.OHCMCD AND s.buut = h.OHBUUT AND s.month = h.OHMONTH"
            " AND s.numb = h.OHNUMB"
            " WHERE h.OHCMCD = ?1 AND h.OHBUUT = ?2 AND (?3 = '' OR h.OHADNB = ?3) AND (?5 <> '2' OR s.open))"
            " WHERE (?6 = '' OR day >= ?6) AND (?7 = '' OR day <= ?7)"
            " AND (?4 = '' OR instr(lower(pname), lower(?4)) > 0)"
            " ORDER BY day, OHMONTH, OHNUMB");
    call.open({T("OHNYDT2", 10), T("OHDATE2", 10), T("oHADNB_name", 50), T("OHADNB", 8), T("OHMONTH", 6),
               I("OHNUMB"), T("bunho", 12), T("oxtxgu", 1), T("OHedfl", 10), T("bunho2", 12), T("day", 8)},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "a_cmcd"));
                  bindText(st, 2, trimmed(call, "a_buut"));
                  bindText(st, 3, trimmed(call, "a_adnb"));
                  bindText(st, 4, trimmed(call, "a_name"));
                  bindText(st, 5, trimmed(call, "a_gubun1"));
                  bindText(st, 6, trimmed(call, "a_stdt"));
                  bindText(st, 7, trimmed(call, "a_eddt"));
                  bindText(st, 8, trimmed(call, "a_gubun2"));
              });
}

// The lines of one received order in line order: the item, units, price and
// amount, what was released and what is left (sujan_qty, the quantity a
// release proposes), the line status and the slip texts (this order's number,
// the orderer's purchase-order number behind a hand-over, this store's and
// the customer's names).
void selectReceivedOrderLines(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT d.ODSEQ, d.ODITNB, COALESCE(i.IMNAME, ''), d.ODUNIT, d.ODMDAN, d.ODLDAN, d.ODBDAN,"
                       " COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = d.ODCMCD AND c.CDGUCD = '001'"
                       " AND c.CDSSCD = i.IMITTY), ''), d.ODNUMB, d.ODMCAL, s.remainder, COALESCE(i.IMSTAN, ''),"
                       " d.ODUPRC, d.ODQTY, d.ODAMT, s.status, s.released, ")
        + numberTextSql(QStringLiteral("h.OHMONTH"), QStringLiteral("h.OHNUMB"))
        + QStringLiteral(", CASE WHEN h.OHBANUMB IS NULL OR h.OHBAMONTH IS NULL THEN '' ELSE ")
        + numberTextSql(QStringLiteral("h.OHBAMONTH"), QStringLiteral("h.OHBANUMB")) + QStringLiteral(" END, ")
        + partnerNameSql(QStringLiteral("h.OHCMCD"), QStringLiteral("h.OHBUUT"), QStringLiteral("h.OHBUUT"))
        + QStringLiteral(", ")
        + partnerNameSql(QStringLiteral("h.OHCMCD"), QStringLiteral("h.OHBUUT"), QStringLiteral("h.OHADNB"))
        + QStringLiteral(
            " FROM F2401 d"
            " JOIN F2400 h ON h.OHCMCD = d.ODCMCD AND h.OHBUUT = d.ODBUUT AND h.OHMONTH = d.ODMONTH AND h.OHNUMB = d.ODNUMB"
            " JOIN V_SO_LINE_STATE s ON s.cmcd = d.ODCMCD AND s.buut = d.ODBUUT AND s.month = d.ODMONTH"
            " AND s.numb = d.ODNUMB AND s.seq = d.ODSEQ"
            " LEFT JOIN F0200 i ON i.IMCMCD = d.ODCMCD AND i.IMBUUT = d.ODBUUT AND i.IMITNB = d.ODITNB"
            " WHERE d.ODCMCD = ?1 AND d.ODBUUT = ?2 AND d.ODMONTH = ?3 AND d.ODNUMB = ?4 ORDER BY d.ODSEQ");
    call.open({I("ODSEQ"), T("ODITNB", 6), T("IMNAME", 50), T("ODUNIT", 3), T("ODMDAN", 3), T("ODLDAN", 3),
               T("ODBDAN", 3), T("imitty_name", 10), I("ODNUMB"), F("ODMCAL"), F("sujan_qty"), T("size", 20),
               I("ODUPRC"), F("ODQTY"), I("ODAMT"), T("gubun", 10), F("chulgo_qty"), T("suju_bunho", 12),
               T("balju_bunho", 12), T("suju_name", 50), T("balju_name", 50)},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) { bindDocumentKey(st, call); });
}

} // namespace

void registerSalesProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F2400_POPUPSALES"), false, selectReceivedOrders);
    registry.add(QStringLiteral("GP_SELECT_F2401_POPUPSALES"), false, selectReceivedOrderLines);
}

} // namespace hq
