// Purchase orders placed by a store: the picker's list of one day, the lines
// of one order with their receipt state, the order headers for print, receipt
// and history, and the deletion of an order with its hand-over.

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

// A stored "yyyymmdd" as a date column: an empty day reads 1900-01-01.
QString dayDate(const QString &column)
{
    return QStringLiteral("CASE WHEN %1 = '' THEN '19000101' ELSE %1 END").arg(column);
}

// The orders of a store placed on one day, by number; orders gathered from
// several patterns (pattern number 999) are named "복합패턴".
void selectDayOrders(Call &call)
{
    const Cols cols = {DT("phdate"),  T("AHNAME", 50), T("absnam", 50), T("PHMONTH", 6),
                       I("PHNUMB"),   T("PHADNB", 8),  T("PHtxgu", 1),  I("PHADNUMB")};
    const QString sql =
        QStringLiteral("SELECT ") + dayDate(QStringLiteral("h.PHDATE"))
        + QStringLiteral(", CASE WHEN h.PHADNUMB = 999 THEN '복합패턴' ELSE COALESCE((SELECT a.AHNAME FROM F2110 a"
                         " WHERE a.AHCMCD = h.PHCMCD AND a.AHBUUT = h.PHBUUT AND a.AHNUMB = h.PHADNUMB), '') END, ")
        + partnerNameSql(QStringLiteral("h.PHCMCD"), QStringLiteral("h.PHBUUT"), QStringLiteral("h.PHADNB"))
        + QStringLiteral(", h.PHMONTH, h.PHNUMB, h.PHADNB, h.PHTXGU, h.PHADNUMB FROM F2100 h"
                         " WHERE h.PHCMCD = ?1 AND h.PHBUUT = ?2 AND h.PHDATE = ?3 ORDER BY h.PHNUMB, h.PHMONTH");
    call.open(cols, sql.toUtf8().constData(), {"COMPCODE", "STORECODE", "orderdate"});
}

// The lines of one order in sequence order, with the item, the receipt state
// and the texts the order slip prints.
void selectOrderLines(Call &call)
{
    const Cols cols = {I("PDNUMB"),   I("PDSEQ"),    T("PDITNB", 6),      T("IMNAME", 50),     T("size", 20),
                       F("PDQTY"),    T("PDUNIT", 3), I("PDUPRC"),        I("PDAMT"),          I("pdgamt"),
                       I("pdtax"),    T("PDBDAN", 3), T("PDMDAN", 3),     T("PDLDAN", 3),      F("PDMCAL"),
                       F("PDMQTY"),   F("PDSQTY"),    T("imitty_name", 10), T("gubun", 10),    T("suju_name", 50),
                       T("balju_bunho", 12), T("ibgo_bunho", 12), T("balju_name", 50)};
    const QString sql =
        QStringLiteral("SELECT d.PDNUMB, d.PDSEQ, d.PDITNB, COALESCE(i.IMNAME, ''), COALESCE(i.IMSTAN, ''), d.PDQTY,"
                       " d.PDUNIT, d.PDUPRC, d.PDAMT, d.PDGAMT, d.PDTAX, d.PDBDAN, d.PDMDAN, d.PDLDAN, d.PDMCAL,"
                       " d.PDMQTY, d.PDSQTY, COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = d.PDCMCD"
                       " AND c.CDGUCD = '001' AND c.CDSSCD = i.IMITTY), ''), s.status, ")
        + partnerNameSql(QStringLiteral("h.PHCMCD"), QStringLiteral("h.PHBUUT"), QStringLiteral("h.PHADNB"))
        + QStringLiteral(", ") + numberTextSql(QStringLiteral("d.PDMONTH"), QStringLiteral("d.PDNUMB"))
        + QStringLiteral(", s.lastreceipt, ")
        + partnerNameSql(QStringLiteral("h.PHCMCD"), QStringLiteral("h.PHBUUT"), QStringLiteral("h.PHBUUT"))
        + QStringLiteral(
            " FROM F2101 d"
            " JOIN F2100 h ON h.PHCMCD = d.PDCMCD AND h.PHBUUT = d.PDBUUT AND h.PHMONTH = d.PDMONTH AND h.PHNUMB = d.PDNUMB"
            " JOIN V_PO_LINE_STATE s ON s.cmcd = d.PDCMCD AND s.buut = d.PDBUUT AND s.month = d.PDMONTH"
            " AND s.numb = d.PDNUMB AND s.seq = d.PDSEQ"
            " LEFT JOIN F0200 i ON i.IMCMCD = d.PDCMCD AND i.IMBUUT = d.PDBUUT AND i.IMITNB = d.PDITNB"
            " WHERE d.PDCMCD = ?1 AND d.PDBUUT = ?2 AND d.PDMONTH = ?3 AND d.PDNUMB = ?4 ORDER BY d.PDSEQ");
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) {
        bindText(st, 1, call.text(QStringLiteral("A_CMCD")));
        bindText(st, 2, call.text(QStringLiteral("A_BUUT")));
        bindText(st, 3, call.text(QStringLiteral("A_MONTH")).trimmed());
        st.bind(4, static_cast<int64_t>(call.integer(QStringLiteral("A_NUMB"))));
    });
}

// Order headers: one order (a_numb > 0, under a_month), else the orders of a
// date range on the order day (a_gubun2 "1") or the delivery day ("2"), all
// of them (a_gubun1 "1") or those not yet received in full ("2"), filtered by
// the supplier's name.
void selectOrderHeaders(Call &call)
{
    const Cols cols = {T("bunho", 12),      T("bunho2", 12),   T("PHMONTH", 6),    I("PHNUMB"),
                       T("PHADNB", 8),      T("PHADNB_name", 50), T("PHtxgu", 1),  DT("PHNYDT"),
                       T("PHNYDT2", 10),    T("PHDATE2", 10),  T("PHedfl", 10),    T("PHtxguName", 10),
                       DT("PHdate"),        T("tel", 20),      T("fax", 20),       T("phbada", 30),
                       T("sano", 10),       T("buut_name", 50), T("addr", 100),    T("bucd", 30),
                       T("item", 30),       T("bal_tel", 20),  T("bal_fax", 20),   T("Phseme_name", 20),
                       T("Phnpjs", 50),     T("Phbigo", 100)};
    const QString number = numberTextSql(QStringLiteral("h.PHMONTH"), QStringLiteral("h.PHNUMB"));
    const QString partner =
        QStringLiteral("(SELECT %1 FROM F0100 p WHERE p.ABCMCD = h.PHCMCD AND ((length(h.PHADNB) <= 4"
                       " AND p.ABBUUT = h.PHADNB AND p.ABADNB = '00000000') OR (length(h.PHADNB) > 4"
                       " AND p.ABADNB = h.PHADNB AND p.ABBUUT = h.PHBUUT)))");
    const QString store = QStringLiteral("(SELECT %1 FROM F0100 u WHERE u.ABCMCD = h.PHCMCD AND u.ABBUUT = h.PHBUUT"
                                         " AND u.ABADNB = '00000000')");
    const auto of = [](const QString &q, const char *col) {
        return QStringLiteral("COALESCE(") + q.arg(QString::fromLatin1(col)) + QStringLiteral(", '')");
    };
    const QString sql =
        QStringLiteral("SELECT ") + number + QStringLiteral(", ") + number
        + QStringLiteral(", h.PHMONTH, h.PHNUMB, h.PHADNB, ") + of(partner, "p.ABNAME")
        + QStringLiteral(", h.PHTXGU, ") + dayDate(QStringLiteral("h.PHNYDT")) + QStringLiteral(", ")
        + dayText(QStringLiteral("h.PHNYDT")) + QStringLiteral(", ") + dayText(QStringLiteral("h.PHDATE"))
        + QStringLiteral(", s.status, COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = h.PHCMCD"
                         " AND c.CDGUCD = '010' AND c.CDSSCD = h.PHTXGU), '기타'), ")
        + dayDate(QStringLiteral("h.PHDATE")) + QStringLiteral(", ") + of(partner, "p.ABTELN") + QStringLiteral(", ")
        + of(partner, "p.ABFAXN") + QStringLiteral(", h.PHBADA, ")
        + of(store, "replace(u.ABSANO, '-', '')") + QStringLiteral(", ") + of(store, "u.ABNAME")
        + QStringLiteral(", ") + of(store, "u.ABADDR") + QStringLiteral(", ") + of(store, "u.ABUPTE")
        + QStringLiteral(", ") + of(store, "u.ABJONG") + QStringLiteral(", ") + of(store, "u.ABTELN")
        + QStringLiteral(", ") + of(store, "u.ABFAXN")
        + QStringLiteral(", COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = h.PHCMCD AND c.CDGUCD = '050'"
                         " AND c.CDSSCD = h.PHSEME), ''), h.PHNPJS, h.PHBIGO"
                         " FROM F2100 h JOIN V_PO_STATE s ON s.cmcd = h.PHCMCD AND s.buut = h.PHBUUT"
                         " AND s.month = h.PHMONTH AND s.numb = h.PHNUMB"
                         " WHERE h.PHCMCD = ?1 AND h.PHBUUT = ?2 AND (CASE WHEN ?8 > 0"
                         " THEN h.PHMONTH = ?7 AND h.PHNUMB = ?8"
                         " ELSE (CASE WHEN ?6 = '2' THEN h.PHNYDT ELSE h.PHDATE END) BETWEEN ?4 AND ?5"
                         " AND (?3 <> '2' OR s.status <> '입고완료')"
                         " AND (?9 = '' OR instr(lower(")
        + of(partner, "p.ABNAME")
        + QStringLiteral("), lower(?9)) > 0) END) ORDER BY h.PHDATE, h.PHNUMB");
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) {
        bindText(st, 1, call.text(QStringLiteral("a_cmcd")));
        bindText(st, 2, call.text(QStringLiteral("a_buut")));
        bindText(st, 3, call.text(QStringLiteral("a_gubun1")).trimmed());
        bindText(st, 4, call.text(QStringLiteral("a_stdt")).trimmed());
        bindText(st, 5, call.text(QStringLiteral("a_eddt")).trimmed());
        bindText(st, 6, call.text(QStringLiteral("a_gubun2")).trimmed());
        bindText(st, 7, call.text(QStringLiteral("a_month")).trimmed());
        st.bind(8, static_cast<int64_t>(call.integer(QStringLiteral("a_numb"))));
        bindText(st, 9, call.text(QStringLiteral("a_name")).trimmed());
    });
}

// Deletes an order with its lines and the received order it handed over to
// the supplying unit. Refused while goods were received against the order or
// the supplying unit released against the hand-over: deleting then would
// leave receipts and releases naming a document that no longer exists.
void deleteOrder(Call &call)
{
    const QString cmcd = call.text(QStringLiteral("PHCMCD"));
    const QString buut = call.text(QStringLiteral("PHBUUT"));
    const QString month = call.text(QStringLiteral("PHMONTH")).trimmed();
    const qint64 numb = call.integer(QStringLiteral("PHNUMB"));

    Prepared head(call.db, "SELECT PHOHBUUT, PHOHMONTH, PHOHNUMB FROM F2100"
                           " WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND PHMONTH = ?3 AND PHNUMB = ?4");
    bindText(*head, 1, cmcd);
    bindText(*head, 2, buut);
    bindText(*head, 3, month);
    head->bind(4, static_cast<int64_t>(numb));
    if (!head->executeStep())
        throw CallError(QStringLiteral("삭제할 발주가 없습니다. (%1)").arg(numberText(month, numb)));

    Prepared received(call.db, "SELECT 1 FROM F3101 WHERE WDCMCD = ?1 AND WDBUUT = ?2"
                               " AND ((WDRFMONTH = ?3 AND WDRFNUMB = ?4) OR (WDBAMONTH = ?3 AND WDBANUMB = ?4)) LIMIT 1");
    bindText(*received, 1, cmcd);
    bindText(*received, 2, buut);
    bindText(*received, 3, month);
    received->bind(4, static_cast<int64_t>(numb));
    if (received->executeStep())
        throw CallError(QStringLiteral("입고된 발주는 삭제할 수 없습니다."));

    // The hand-over: named by the order, or naming the order.
    Prepared handOvers(call.db, "SELECT OHBUUT, OHMONTH, OHNUMB FROM F2400 WHERE OHCMCD = ?1"
                                " AND ((OHBUUT = ?5 AND OHMONTH = ?6 AND OHNUMB = ?7)"
                                " OR (OHBABUUT = ?2 AND OHBAMONTH = ?3 AND OHBANUMB = ?4))");
    bindText(*handOvers, 1, cmcd);
    bindText(*handOvers, 2, buut);
    bindText(*handOvers, 3, month);
    handOvers->bind(4, static_cast<int64_t>(numb));
    bindValue(*handOvers, 5, readColumn(*head, 0, wire::Type::String));
    bindValue(*handOvers, 6, readColumn(*head, 1, wire::Type::String));
    bindValue(*handOvers, 7, readColumn(*head, 2, wire::Type::Integer));
    QList<QVariantList> keys;
    while (handOvers->executeStep())
        keys.append({cmcd, readColumn(*handOvers, 0, wire::Type::String), readColumn(*handOvers, 1, wire::Type::String),
                     readColumn(*handOvers, 2, wire::Type::Integer)});

    for (const QVariantList &key : keys) {
        Prepared released(call.db, "SELECT 1 FROM F3201 WHERE DDCMCD = ?1 AND DDBUUT = ?2"
                                   " AND ((DDRFMONTH = ?3 AND DDRFNUMB = ?4) OR (DDSUMONTH = ?3 AND DDSUNUMB = ?4)) LIMIT 1");
        for (int i = 0; i < 4; ++i)
            bindValue(*released, i + 1, key[i]);
        if (released->executeStep())
            throw CallError(QStringLiteral("출고된 수주가 있어 발주를 삭제할 수 없습니다."));
    }

    for (const QVariantList &key : keys)
        deleteDocument(call.db, docs::receivedOrder(), key);
    deleteDocument(call.db, docs::purchaseOrder(), {cmcd, buut, month, numb});
    audit(call, "GP_DELETE_F2100_PURCHASEENTRY", QStringLiteral("%1/%2/%3").arg(cmcd, buut, numberText(month, numb)));
}

} // namespace

void registerPurchaseOrderProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F2100_RegOrderpatSearch"), false, selectDayOrders);
    registry.add(QStringLiteral("GP_SELECT_F2101_POPUPPURCHASE"), false, selectOrderLines);
    registry.add(QStringLiteral("GP_SELECT_F2100_POPUPPURCHASE"), false, selectOrderHeaders);
    registry.add(QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY"), true, deleteOrder);
}

} // namespace hq
