// Warehouse receipts: the lines of an order to receive, the receipt history
// of a store, the lines of one receipt, writing a receipt (header, then its
// lines, each tied to the purchase-order line it receives, of the receipt's
// own supplier) and closing the remainder of the orders a receipt received.

#include "Dispatcher.h"
#include "Documents.h"
#include "Numbering.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

#include <optional>

namespace hq {

namespace {

// The name of a receipt's partner (short name, else full name): a business
// unit by its 4-character code, a supplier of the store by its 8-character code.
const char *kPartnerName =
    "COALESCE((SELECT CASE WHEN p.ABSNAM = '' THEN p.ABNAME ELSE p.ABSNAM END FROM F0100 p"
    " WHERE p.ABCMCD = h.WHCMCD AND ((length(h.WHADNB) <= 4 AND p.ABBUUT = h.WHADNB AND p.ABADNB = '00000000')"
    " OR (length(h.WHADNB) > 4 AND p.ABADNB = h.WHADNB AND p.ABBUUT = h.WHBUUT))), '')";

// The store's receipts dated a_stdt..a_eddt (a_numb > 0: that receipt alone,
// of a_month when given), whose partner name contains a_name, by date and number.
void selectReceipts(Call &call)
{
    const QByteArray sql =
        QByteArray("SELECT * FROM (SELECT ") + numberTextSql(QStringLiteral("h.WHMONTH"), QStringLiteral("h.WHNUMB")).toUtf8()
        + ", substr(h.WHDATE, 7, 2), " + kPartnerName
        + " AS pname, h.WHNUMB, h.WHMONTH, 1, h.WHADNB, h.WHBIGO, h.WHTXGU, h.WHDATE"
          " FROM F3100 h WHERE h.WHCMCD = ?1 AND h.WHBUUT = ?2"
          " AND (CASE WHEN ?6 > 0 THEN h.WHNUMB = ?6 AND (?5 = '' OR h.WHMONTH = ?5)"
          " ELSE h.WHDATE BETWEEN ?3 AND ?4 END))"
          " WHERE ?7 = '' OR instr(lower(pname), lower(?7)) > 0"
          " ORDER BY WHDATE, WHNUMB";
    call.open({T("bunho", 20), T("ibgo_il", 2), T("WHADNB_name", 50), I("WHNUMB"), T("WHMONTH", 6), I("gubun"),
               T("WHADNB", 8), T("WHBIGO", 1), T("whtxgu", 1)},
              sql.constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("a_cmcd")));
                  bindText(st, 2, call.text(QStringLiteral("a_buut")));
                  bindText(st, 3, call.text(QStringLiteral("a_stdt")).trimmed());
                  bindText(st, 4, call.text(QStringLiteral("a_eddt")).trimmed());
                  bindText(st, 5, call.text(QStringLiteral("a_month")).trimmed());
                  st.bind(6, static_cast<int64_t>(call.integer(QStringLiteral("a_numb"))));
                  bindText(st, 7, call.text(QStringLiteral("a_name")).trimmed());
              });
}

// The lines of one receipt in line order with the items' names, types and
// sizes, the number of the purchase order each line received and the slip
// texts (this receipt's number, the supplying unit's latest release of the
// line's item against the hand-over order behind that purchase order, the
// receiving store and the partner).
void selectReceiptLines(Call &call)
{
    const QByteArray sql =
        QByteArray("SELECT d.WDSEQ, d.WDITNB, COALESCE(i.IMNAME, ''), d.WDUNIT, COALESCE(t.CDNAME, ''),"
                   " COALESCE(d.WDBAQTY, d.WDQTY), d.WDQTY, d.WDUPRC, d.WDAMT, COALESCE(d.WDBANUMB, 0),"
                   " COALESCE(i.IMSTAN, ''),"
                   " CASE WHEN d.WDRFNUMB IS NULL THEN '' ELSE ")
        + numberTextSql(QStringLiteral("d.WDRFMONTH"), QStringLiteral("d.WDRFNUMB")).toUtf8() + " END, "
        + numberTextSql(QStringLiteral("h.WHMONTH"), QStringLiteral("h.WHNUMB")).toUtf8()
        + ", COALESCE((SELECT " + numberTextSql(QStringLiteral("r.DDMONTH"), QStringLiteral("r.DDNUMB")).toUtf8()
        + " FROM F2100 p JOIN F3201 r ON r.DDCMCD = p.PHCMCD AND r.DDBUUT = p.PHOHBUUT AND r.DDRFMONTH = p.PHOHMONTH"
          " AND r.DDRFNUMB = p.PHOHNUMB AND r.DDITNB = d.WDITNB"
          " WHERE p.PHCMCD = d.WDCMCD AND p.PHBUUT = d.WDBUUT AND p.PHMONTH = d.WDRFMONTH AND p.PHNUMB = d.WDRFNUMB"
          " ORDER BY r.DDMONTH DESC, r.DDNUMB DESC LIMIT 1), ''),"
          " COALESCE((SELECT CASE WHEN u.ABSNAM = '' THEN u.ABNAME ELSE u.ABSNAM END FROM F0100 u"
          " WHERE u.ABCMCD = h.WHCMCD AND u.ABBUUT = h.WHBUUT AND u.ABADNB = '00000000'), ''), "
        + kPartnerName
        + " FROM F3101 d JOIN F3100 h ON h.WHCMCD = d.WDCMCD AND h.WHBUUT = d.WDBUUT AND h.WHMONTH = d.WDMONTH"
          " AND h.WHNUMB = d.WDNUMB"
          " LEFT JOIN F0200 i ON i.IMCMCD = d.WDCMCD AND i.IMBUUT = d.WDBUUT AND i.IMITNB = d.WDITNB"
          " LEFT JOIN F0011 t ON t.CDCMCD = d.WDCMCD AND t.CDGUCD = '001' AND t.CDSSCD = i.IMITTY"
          " WHERE d.WDCMCD = ?1 AND d.WDBUUT = ?2 AND d.WDMONTH = ?3 AND d.WDNUMB = ?4 ORDER BY d.WDSEQ";
    call.open({I("WDSEQ"), T("WDITNB", 6), T("IMNAME", 50), T("WDUNIT", 3), T("itty_name", 10), F("wdbaqty"),
               F("WDQTY"), I("WDUPRC"), I("WDAMT"), I("WDBANUMB"), T("size", 20), T("bunho", 20),
               T("ibgo_bunho", 20), T("chulgo_bunho", 20), T("ibgo_name", 50), T("chulgo_name", 50)},
              sql.constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("A_CMCD")));
                  bindText(st, 2, call.text(QStringLiteral("A_BUUT")));
                  bindText(st, 3, call.text(QStringLiteral("A_MONTH")).trimmed());
                  st.bind(4, static_cast<int64_t>(call.integer(QStringLiteral("A_NUMB"))));
              });
}

// The quantity factor of a line's unit in base units: its pack factor when
// the unit is the pack unit (and not the base unit), else 1.
QByteArray unitFactorSql(const char *unit, const char *pack, const char *base, const char *factor)
{
    return QByteArray("(CASE WHEN ") + unit + " <> '' AND " + unit + " = " + pack + " AND " + unit + " <> " + base
           + " AND " + factor + " > 0 THEN " + factor + " ELSE 1 END)";
}

// The lines of one purchase order to receive, in line order: the item, the
// units, the ordered quantity and the open remainder (0 once the order is
// closed), and what the supplier shipped. For an order handed over to a
// business unit that is the sum of the unit's release lines against the
// hand-over line, in the order line's unit, at the price of the latest such
// release; an outside supplier is taken to ship what was ordered, at the
// order's price.
void selectOrderLinesToReceive(Call &call)
{
    const QByteArray released =
        QByteArray(" FROM F2401 o JOIN F3201 r ON r.DDCMCD = o.ODCMCD AND r.DDBUUT = o.ODBUUT"
                   " AND ((r.DDRFNUMB IS NOT NULL AND r.DDRFMONTH = o.ODMONTH AND r.DDRFNUMB = o.ODNUMB"
                   " AND r.DDRFSEQ = o.ODSEQ) OR (r.DDRFNUMB IS NULL AND r.DDSUMONTH = o.ODMONTH"
                   " AND r.DDSUNUMB = o.ODNUMB AND r.DDSUSEQ = o.ODSEQ))"
                   " JOIN F3200 rh ON rh.DHCMCD = r.DDCMCD AND rh.DHBUUT = r.DDBUUT AND rh.DHMONTH = r.DDMONTH"
                   " AND rh.DHNUMB = r.DDNUMB AND rh.DHCHTY = '001'"
                   " WHERE o.ODCMCD = h.PHCMCD AND o.ODBUUT = h.PHOHBUUT AND o.ODMONTH = h.PHOHMONTH"
                   " AND o.ODNUMB = h.PHOHNUMB AND o.ODBASEQ = d.PDSEQ");
    const QByteArray sql =
        QByteArray("SELECT d.PDSEQ, d.PDITNB, COALESCE(i.IMNAME, ''), d.PDMDAN, d.PDLDAN, d.PDBDAN, d.PDSQTY, d.PDMQTY,"
                   " COALESCE(t.CDNAME, ''), d.PDNUMB, s.remainder, COALESCE(i.IMSTAN, ''), d.PDQTY, d.PDUNIT,"
                   " CASE WHEN h.PHOHNUMB IS NULL THEN d.PDUPRC ELSE COALESCE((SELECT r.DDUPRC")
        + released
        + " ORDER BY r.DDMONTH DESC, r.DDNUMB DESC, r.DDSEQ DESC LIMIT 1), d.PDUPRC) END,"
          " d.PDAMT, d.PDMCAL,"
          " CASE WHEN h.PHOHNUMB IS NULL THEN d.PDQTY ELSE COALESCE((SELECT SUM(r.DDQTY * "
        + unitFactorSql("r.DDUNIT", "r.DDMDAN", "r.DDLDAN", "r.DDMCAL") + ")" + released + "), 0) / "
        + unitFactorSql("d.PDUNIT", "d.PDMDAN", "d.PDLDAN", "d.PDMCAL")
        + " END"
          " FROM F2101 d"
          " JOIN F2100 h ON h.PHCMCD = d.PDCMCD AND h.PHBUUT = d.PDBUUT AND h.PHMONTH = d.PDMONTH AND h.PHNUMB = d.PDNUMB"
          " JOIN V_PO_LINE_STATE s ON s.cmcd = d.PDCMCD AND s.buut = d.PDBUUT AND s.month = d.PDMONTH"
          " AND s.numb = d.PDNUMB AND s.seq = d.PDSEQ"
          " LEFT JOIN F0200 i ON i.IMCMCD = d.PDCMCD AND i.IMBUUT = d.PDBUUT AND i.IMITNB = d.PDITNB"
          " LEFT JOIN F0011 t ON t.CDCMCD = d.PDCMCD AND t.CDGUCD = '001' AND t.CDSSCD = i.IMITTY"
          " WHERE d.PDCMCD = ?1 AND d.PDBUUT = ?2 AND d.PDMONTH = ?3 AND d.PDNUMB = ?4 ORDER BY d.PDSEQ";
    call.open({I("PDSEQ"), T("PDITNB", 6), T("IMNAME", 50), T("PDMDAN", 3), T("PDLDAN", 3), T("PDBDAN", 3),
               F("PDSQTY"), F("PDMQTY"), T("imitty_name", 10), I("PDNUMB"), F("baljan_QTY"), T("size", 20),
               F("PDQTY"), T("PDUNIT", 3), I("chulgo_uprc"), I("PDAMT"), F("PDMCAL"), F("chulgo_qty")},
              sql.constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("A_CMCD")));
                  bindText(st, 2, call.text(QStringLiteral("A_BUUT")));
                  bindText(st, 3, call.text(QStringLiteral("A_MONTH")).trimmed());
                  st.bind(4, static_cast<int64_t>(call.integer(QStringLiteral("A_NUMB"))));
              });
}

bool receiptExists(SQLite::Database &db, const QString &company, const QString &store, const QString &month,
                   qint64 number)
{
    Prepared st(db, "SELECT 1 FROM F3100 WHERE WHCMCD = ?1 AND WHBUUT = ?2 AND WHMONTH = ?3 AND WHNUMB = ?4");
    bindText(*st, 1, company);
    bindText(*st, 2, store);
    bindText(*st, 3, month);
    st->bind(4, static_cast<int64_t>(number));
    return st->executeStep();
}

// A_GUBUN 1 writes the header (a header sent again replaces the receipt with
// its lines), 2 one line; only the parameters of the row kind are read, the
// shared list's stale rest is ignored.
void insertReceipt(Call &call)
{
    const qint64 kind = call.integer(QStringLiteral("A_GUBUN"));
    const QString now = nowText();
    if (kind == 1) {
        const QString month = call.text(QStringLiteral("A_WHMONTH")).trimmed();
        if (!isValidMonth(month))
            throw CallError(QStringLiteral("receipt month must be yyyymm"));
        const qint64 number = call.integer(QStringLiteral("A_WHNUMB"));
        if (number <= 0)
            throw CallError(QStringLiteral("receipt number must be positive"));
        writeHeader(call.db, docs::receipt(),
                    {{QStringLiteral("WHCMCD"), call.text(QStringLiteral("A_WHCMCD")).trimmed()},
                     {QStringLiteral("WHBUUT"), call.text(QStringLiteral("A_WHBUUT")).trimmed()},
                     {QStringLiteral("WHMONTH"), month},
                     {QStringLiteral("WHNUMB"), number},
                     {QStringLiteral("WHYEAR"), call.text(QStringLiteral("A_WHYEAR")).trimmed()},
                     {QStringLiteral("WHDATE"), call.text(QStringLiteral("A_WHDATE")).trimmed()},
                     {QStringLiteral("WHADNB"), call.text(QStringLiteral("A_WHADNB")).trimmed()},
                     {QStringLiteral("WHIBTY"), call.text(QStringLiteral("A_WHIBTY"))},
                     {QStringLiteral("WHSEME"), call.text(QStringLiteral("A_WHSEME"))},
                     {QStringLiteral("WHCPYEAR"), call.text(QStringLiteral("A_WHCPYEAR"))},
                     {QStringLiteral("WHCPSEQ"), call.integer(QStringLiteral("A_WHCPSEQ"))},
                     {QStringLiteral("WHBIGO"), call.text(QStringLiteral("A_WHBIGO"))},
                     {QStringLiteral("WHPOID"), call.text(QStringLiteral("A_WHPOID"))},
                     {QStringLiteral("WHTXGU"), call.text(QStringLiteral("A_Whtxgu"))},
                     {QStringLiteral("WHKSGU"), call.text(QStringLiteral("A_WHKSGU"))},
                     {QStringLiteral("WHWORK"), call.text(QStringLiteral("A_WHWORK"))},
                     {QStringLiteral("WHPGID"), call.text(QStringLiteral("A_WHPGID"))},
                     {QStringLiteral("WHLADT"), now}});
        return;
    }
    if (kind != 2)
        throw CallError(QStringLiteral("unknown row kind %1").arg(kind));

    const QString company = call.text(QStringLiteral("A_WDCMCD")).trimmed();
    const QString store = call.text(QStringLiteral("A_WDBUUT")).trimmed();
    if (company.isEmpty() || store.isEmpty())
        throw CallError(QStringLiteral("company and store are required"));
    const QString month = call.text(QStringLiteral("A_WDMONTH")).trimmed();
    const qint64 number = call.integer(QStringLiteral("A_WDNUMB"));
    if (!receiptExists(call.db, company, store, month, number))
        throw CallError(QStringLiteral("receipt %1 has no header").arg(numberText(month, number)));
    const QString item = call.text(QStringLiteral("A_WDITNB")).trimmed();
    const QString orderMonth = call.text(QStringLiteral("A_WDBAMONTH")).trimmed();
    const qint64 orderNumber = call.integer(QStringLiteral("A_WDBANUMB"));
    const qint64 orderSeq = call.integer(QStringLiteral("A_WDBASEQ"));
    const std::optional<LineReference> ref =
        resolveLineReference(call.db, docs::purchaseOrder(), company, store, orderMonth, orderNumber, orderSeq, item);
    // A line tied to a purchase order belongs on a receipt from that order's
    // supplier: the order's remainder would drop under another partner.
    if (ref)
        if (const auto m = partnerMismatch(call.db, docs::receipt(), DocumentKey{company, store, month, number},
                                           docs::purchaseOrder(), *ref))
            throw CallError(QStringLiteral("다른 거래처의 발주입니다: 발주 %1의 거래처는 %2(%3), 입고 거래처는 %4(%5)입니다.")
                                .arg(numberText(ref->month, ref->number), m->orderName, m->orderCode, m->docName,
                                     m->docCode));
    const QVariant baQty = call.value(QStringLiteral("A_BAQTY")).isNull() || call.text(QStringLiteral("A_BAQTY")).trimmed().isEmpty()
                               ? QVariant()
                               : QVariant(call.number(QStringLiteral("A_BAQTY")));
    insertRow(call.db, QStringLiteral("F3101"),
              {{QStringLiteral("WDCMCD"), company},
               {QStringLiteral("WDBUUT"), store},
               {QStringLiteral("WDMONTH"), month},
               {QStringLiteral("WDNUMB"), number},
               {QStringLiteral("WDSEQ"), call.integer(QStringLiteral("A_WDSEQ"))},
               {QStringLiteral("WDITNB"), item},
               {QStringLiteral("WDUNIT"), call.text(QStringLiteral("A_WDUNIT")).trimmed()},
               {QStringLiteral("WDQTY"), call.number(QStringLiteral("A_WDQTY"))},
               {QStringLiteral("WDUPRC"), call.integer(QStringLiteral("A_WDUPRC"))},
               {QStringLiteral("WDAMT"), call.integer(QStringLiteral("A_WDAMT"))},
               {QStringLiteral("WDGAMT"), call.integer(QStringLiteral("A_Wdgamt"))},
               {QStringLiteral("WDTAX"), call.integer(QStringLiteral("A_Wdtax"))},
               {QStringLiteral("WDBDAN"), call.text(QStringLiteral("A_WDBDAN"))},
               {QStringLiteral("WDMDAN"), call.text(QStringLiteral("A_WDMDAN"))},
               {QStringLiteral("WDLDAN"), call.text(QStringLiteral("A_WDLDAN"))},
               {QStringLiteral("WDMQTY"), call.number(QStringLiteral("A_WDMQTY"))},
               {QStringLiteral("WDSQTY"), call.number(QStringLiteral("A_WDSQTY"))},
               {QStringLiteral("WDMCAL"), call.number(QStringLiteral("A_WDMCAL"))},
               {QStringLiteral("WDBAR"), call.text(QStringLiteral("A_WDBAR"))},
               {QStringLiteral("WDRFID"), call.text(QStringLiteral("A_WDRFID"))},
               {QStringLiteral("WDCHMONTH"), call.text(QStringLiteral("A_WDCHMONTH"))},
               {QStringLiteral("WDSEMONTH"), call.text(QStringLiteral("A_WDSEMONTH"))},
               {QStringLiteral("WDBARS"), call.text(QStringLiteral("A_WHbars"))},
               {QStringLiteral("WDLINB"), call.text(QStringLiteral("A_WHlinb"))},
               {QStringLiteral("WDBUSE"), call.text(QStringLiteral("A_WHBUSE"))},
               {QStringLiteral("WDEXPIRYDT"), call.text(QStringLiteral("A_EXPIRYDT"))},
               {QStringLiteral("WDTXGU"), call.text(QStringLiteral("A_WDTXGU"))},
               {QStringLiteral("WDBAMONTH"), orderMonth},
               {QStringLiteral("WDBANUMB"), orderNumber},
               {QStringLiteral("WDBASEQ"), orderSeq},
               {QStringLiteral("WDRFMONTH"), ref ? QVariant(ref->month) : QVariant()},
               {QStringLiteral("WDRFNUMB"), ref ? QVariant(ref->number) : QVariant()},
               {QStringLiteral("WDRFSEQ"), ref ? QVariant(ref->seq) : QVariant()},
               {QStringLiteral("WDCHNUMB"), call.integer(QStringLiteral("A_WDCHNUMB"))},
               {QStringLiteral("WDCHSEQ"), call.integer(QStringLiteral("A_WDCHSEQ"))},
               {QStringLiteral("WDSENUMB"), call.integer(QStringLiteral("A_WDSENUMB"))},
               {QStringLiteral("WDSESEQ"), call.integer(QStringLiteral("A_WDSESEQ"))},
               {QStringLiteral("WDCHBUUT"), call.text(QStringLiteral("A_WdCHBUUT")).trimmed()},
               {QStringLiteral("WDBAQTY"), baQty},
               {QStringLiteral("WDEDFLYN"), call.text(QStringLiteral("A_EDflYn"))},
               {QStringLiteral("WDWORK"), call.text(QStringLiteral("A_WDWORK"))},
               {QStringLiteral("WDPGID"), call.text(QStringLiteral("A_WDPGID"))},
               {QStringLiteral("WDLADT"), now}});
}

// Closes the remainder of every purchase order the receipt's lines received
// (and the hand-over received orders behind them at the supplying units) and
// marks the receipt complete, so it cannot be closed again. A receipt without
// order references changes nothing; an unknown receipt is refused.
void closeOrderRemainders(Call &call)
{
    const QString company = call.text(QStringLiteral("COMPCODE")).trimmed();
    const QString store = call.text(QStringLiteral("STORECODE")).trimmed();
    const QString month = call.text(QStringLiteral("a_month")).trimmed();
    const qint64 number = call.integer(QStringLiteral("Edit1"));
    const QString work = call.text(QStringLiteral("OHWORK"));
    const QString pgid = call.text(QStringLiteral("OHPGID"));
    const QString now = nowText();
    auto bindKey = [&](SQLite::Statement &st) {
        bindText(st, 1, company);
        bindText(st, 2, store);
        bindText(st, 3, month);
        st.bind(4, static_cast<int64_t>(number));
        bindText(st, 5, work);
        bindText(st, 6, pgid);
        bindText(st, 7, now);
    };
    const char *orders = "SELECT DISTINCT WDRFMONTH, WDRFNUMB FROM F3101 WHERE WDCMCD = ?1 AND WDBUUT = ?2"
                         " AND WDMONTH = ?3 AND WDNUMB = ?4 AND WDRFNUMB IS NOT NULL";
    if (!receiptExists(call.db, company, store, month, number))
        throw CallError(QStringLiteral("receipt %1 not found").arg(numberText(month, number)));
    // The hand-over received orders first: they are found through the
    // purchase orders, whatever their state.
    {
        Prepared st(call.db, (QByteArray("UPDATE F2400 SET OHEDFL = 1, OHWORK = ?5, OHPGID = ?6, OHLADT = ?7"
                                         " WHERE EXISTS (SELECT 1 FROM F2100 p WHERE p.PHCMCD = ?1 AND p.PHBUUT = ?2"
                                         " AND (p.PHMONTH, p.PHNUMB) IN (")
                              + orders
                              + ") AND F2400.OHCMCD = p.PHCMCD AND F2400.OHBUUT = p.PHOHBUUT"
                                " AND F2400.OHMONTH = p.PHOHMONTH AND F2400.OHNUMB = p.PHOHNUMB)")
                                 .toStdString());
        bindKey(*st);
        st->exec();
    }
    {
        Prepared st(call.db, (QByteArray("UPDATE F2100 SET PHEDFL = 1, PHWORK = ?5, PHPGID = ?6, PHLADT = ?7"
                                         " WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND (PHMONTH, PHNUMB) IN (")
                              + orders + ")")
                                 .toStdString());
        bindKey(*st);
        if (st->exec() == 0)
            return; // nothing of an order received: the receipt stays as it is
    }
    Prepared st(call.db, "UPDATE F3100 SET WHBIGO = '2', WHLADT = ?5 WHERE WHCMCD = ?1 AND WHBUUT = ?2"
                         " AND WHMONTH = ?3 AND WHNUMB = ?4");
    bindText(*st, 1, company);
    bindText(*st, 2, store);
    bindText(*st, 3, month);
    st->bind(4, static_cast<int64_t>(number));
    bindText(*st, 5, now);
    st->exec();
}

} // namespace

void registerReceiptProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F2101_POPUPPURCHASE_new"), false, selectOrderLinesToReceive);
    registry.add(QStringLiteral("GP_SELECT_F3100_WAREHOUSEENTRY_POS"), false, selectReceipts);
    registry.add(QStringLiteral("GP_SELECT_F3101_WAREHOUSEENTRY_POS"), false, selectReceiptLines);
    registry.add(QStringLiteral("GP_INSERT_F3100_WAREHOUSEENTRY"), true, insertReceipt);
    registry.add(QStringLiteral("GP_UPDATE_F2100_HedOhedfl_NEW"), true, closeOrderRemainders);
}

} // namespace hq
