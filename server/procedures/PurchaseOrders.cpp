// Purchase orders placed by a store: writing an order (header, lines and the
// hand-over to a supplying business unit), the picker's list of one day, the
// lines of one order with their receipt state, the order headers for print,
// receipt and history, and the deletion of an order with its hand-over.

#include "Dispatcher.h"
#include "Documents.h"
#include "Numbering.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

#include <optional>

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

// The key of a document: company, store, month, number.
struct OrderKey {
    QString cmcd, buut, month;
    qint64 numb = 0;
    QVariantList values() const { return {cmcd, buut, month, numb}; }
    QString text() const { return QStringLiteral("%1/%2/%3").arg(cmcd, buut, numberText(month, numb)); }
};

// Whether goods were received against the order (a receipt line resolved to
// it, or naming it as sent and resolved to no order: a line resolved to
// another order of that number received that one, not this).
bool orderReceived(SQLite::Database &db, const OrderKey &k)
{
    Prepared st(db, "SELECT 1 FROM F3101 WHERE WDCMCD = ?1 AND WDBUUT = ?2"
                    " AND ((WDRFMONTH = ?3 AND WDRFNUMB = ?4)"
                    " OR (WDRFNUMB IS NULL AND WDBAMONTH = ?3 AND WDBANUMB = ?4)) LIMIT 1");
    for (int i = 0; i < 4; ++i)
        bindValue(*st, i + 1, k.values()[i]);
    return st->executeStep();
}

// The received orders an order handed over: the one the order names, and
// any naming the order.
QList<OrderKey> handOversOf(SQLite::Database &db, const OrderKey &k)
{
    Prepared st(db, "SELECT o.OHBUUT, o.OHMONTH, o.OHNUMB FROM F2400 o WHERE o.OHCMCD = ?1"
                    " AND ((o.OHBABUUT = ?2 AND o.OHBAMONTH = ?3 AND o.OHBANUMB = ?4)"
                    " OR EXISTS (SELECT 1 FROM F2100 h WHERE h.PHCMCD = ?1 AND h.PHBUUT = ?2 AND h.PHMONTH = ?3"
                    " AND h.PHNUMB = ?4 AND h.PHOHBUUT = o.OHBUUT AND h.PHOHMONTH = o.OHMONTH"
                    " AND h.PHOHNUMB = o.OHNUMB))"
                    " ORDER BY o.OHMONTH, o.OHNUMB");
    for (int i = 0; i < 4; ++i)
        bindValue(*st, i + 1, k.values()[i]);
    QList<OrderKey> keys;
    while (st->executeStep())
        keys.append({k.cmcd, QString::fromStdString(st->getColumn(0).getString()),
                     QString::fromStdString(st->getColumn(1).getString()), st->getColumn(2).getInt64()});
    return keys;
}

// Whether the supplying unit released goods against a received order: a
// release line resolved to it, or naming it and resolved to no order (the
// month a release line names is its own, so a line resolved to another
// order of that number released that one).
bool receivedOrderReleased(SQLite::Database &db, const OrderKey &k)
{
    Prepared st(db, "SELECT 1 FROM F3201 WHERE DDCMCD = ?1 AND DDBUUT = ?2"
                    " AND ((DDRFMONTH = ?3 AND DDRFNUMB = ?4)"
                    " OR (DDRFNUMB IS NULL AND DDSUMONTH = ?3 AND DDSUNUMB = ?4)) LIMIT 1");
    for (int i = 0; i < 4; ++i)
        bindValue(*st, i + 1, k.values()[i]);
    return st->executeStep();
}

bool anyReleased(SQLite::Database &db, const QList<OrderKey> &handOvers)
{
    for (const OrderKey &o : handOvers)
        if (receivedOrderReleased(db, o))
            return true;
    return false;
}

// Deletes an order with its lines and the received order it handed over to
// the supplying unit. Refused while goods were received against the order or
// the supplying unit released against the hand-over: deleting then would
// leave receipts and releases naming a document that no longer exists.
void deleteOrder(Call &call)
{
    const OrderKey key{call.text(QStringLiteral("PHCMCD")), call.text(QStringLiteral("PHBUUT")),
                       call.text(QStringLiteral("PHMONTH")).trimmed(), call.integer(QStringLiteral("PHNUMB"))};
    Prepared head(call.db, "SELECT 1 FROM F2100 WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND PHMONTH = ?3 AND PHNUMB = ?4");
    for (int i = 0; i < 4; ++i)
        bindValue(*head, i + 1, key.values()[i]);
    if (!head->executeStep())
        throw CallError(QStringLiteral("삭제할 발주가 없습니다. (%1)").arg(numberText(key.month, key.numb)));
    if (orderReceived(call.db, key))
        throw CallError(QStringLiteral("입고된 발주는 삭제할 수 없습니다."));
    const QList<OrderKey> handOvers = handOversOf(call.db, key);
    if (anyReleased(call.db, handOvers))
        throw CallError(QStringLiteral("출고된 수주가 있어 발주를 삭제할 수 없습니다."));

    for (const OrderKey &o : handOvers)
        deleteDocument(call.db, docs::receivedOrder(), o.values());
    deleteDocument(call.db, docs::purchaseOrder(), key.values());
    audit(call, "GP_DELETE_F2100_PURCHASEENTRY", key.text());
}

// The key of the order a call of the insert procedure names (A_PHxxx for the
// header and the hand-over, A_PDxxx for a line), checked.
OrderKey requireOrderKey(const Call &call, const char *prefix)
{
    const auto p = [prefix](const char *name) { return QStringLiteral("A_") + QLatin1String(prefix) + QLatin1String(name); };
    OrderKey k{call.text(p("CMCD")).trimmed(), call.text(p("BUUT")).trimmed(), call.text(p("MONTH")).trimmed(),
               call.integer(p("NUMB"))};
    if (k.cmcd.isEmpty() || k.buut.isEmpty())
        throw CallError(QStringLiteral("company and store are required"));
    if (!isValidMonth(k.month))
        throw CallError(QStringLiteral("올바른 월이 아닙니다: %1").arg(k.month));
    if (k.numb <= 0)
        throw CallError(QStringLiteral("발주 번호가 없습니다."));
    return k;
}

struct StoredOrder {
    QString supplier;
    QVariant ohBuut, ohMonth, ohNumb; // the hand-over the order names
};

std::optional<StoredOrder> storedOrder(SQLite::Database &db, const OrderKey &k)
{
    Prepared st(db, "SELECT PHADNB, PHOHBUUT, PHOHMONTH, PHOHNUMB FROM F2100"
                    " WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND PHMONTH = ?3 AND PHNUMB = ?4");
    for (int i = 0; i < 4; ++i)
        bindValue(*st, i + 1, k.values()[i]);
    if (!st->executeStep())
        return std::nullopt;
    return StoredOrder{QString::fromStdString(st->getColumn(0).getString()),
                       readColumn(*st, 1, wire::Type::String), readColumn(*st, 2, wire::Type::String),
                       readColumn(*st, 3, wire::Type::Integer)};
}

// A_GUBUN 1: the order header. A header sent again for an order on file
// replaces the order and its lines (a retry, or a modification), but never
// an order whose goods were received, one of another supplier (two orders
// must not share a key) or one whose hand-over the supplying unit released
// against.
void writeOrderHeader(Call &call)
{
    const OrderKey k = requireOrderKey(call, "PH");
    const QString supplier = call.text(QStringLiteral("A_PHADNB")).trimmed();
    QVariant ohBuut, ohMonth, ohNumb;
    if (const std::optional<StoredOrder> stored = storedOrder(call.db, k)) {
        if (stored->supplier != supplier)
            throw CallError(QStringLiteral("다른 거래처의 발주가 같은 번호로 있습니다. (%1)").arg(numberText(k.month, k.numb)));
        if (orderReceived(call.db, k))
            throw CallError(QStringLiteral("입고된 발주는 수정할 수 없습니다. (%1)").arg(numberText(k.month, k.numb)));
        if (anyReleased(call.db, handOversOf(call.db, k)))
            throw CallError(QStringLiteral("출고된 수주가 있어 발주를 수정할 수 없습니다. (%1)").arg(numberText(k.month, k.numb)));
        ohBuut = stored->ohBuut;
        ohMonth = stored->ohMonth;
        ohNumb = stored->ohNumb;
    }
    const auto text = [&](const char *name) { return QVariant(call.text(QLatin1String(name)).trimmed()); };
    writeHeader(call.db, docs::purchaseOrder(),
                {{QStringLiteral("PHCMCD"), k.cmcd},
                 {QStringLiteral("PHBUUT"), k.buut},
                 {QStringLiteral("PHMONTH"), k.month},
                 {QStringLiteral("PHNUMB"), k.numb},
                 {QStringLiteral("PHYEAR"), text("A_PHYEAR")},
                 {QStringLiteral("PHDATE"), text("A_PHDATE")},
                 {QStringLiteral("PHADNB"), supplier},
                 {QStringLiteral("PHBATY"), text("A_PHBATY")},
                 {QStringLiteral("PHSEME"), text("A_PHSEME")},
                 {QStringLiteral("PHBODT"), text("A_PHBODT")},
                 {QStringLiteral("PHNWDT"), text("A_PHNWDT")},
                 {QStringLiteral("PHGMDA"), text("A_PHGMDA")},
                 {QStringLiteral("PHBIGO"), text("A_PHBIGO")},
                 {QStringLiteral("PHNPJS"), text("A_PHnpjs")},
                 {QStringLiteral("PHBADA"), text("A_PHbada")},
                 {QStringLiteral("PHNYDT"), text("A_PHNYDT")},
                 {QStringLiteral("PHUAMT"), call.integer(QStringLiteral("A_PHUAMT"))},
                 {QStringLiteral("PHADNUMB"), call.integer(QStringLiteral("A_PHADNUMB"))},
                 {QStringLiteral("PHPOID"), text("A_PHPOID")},
                 {QStringLiteral("PHEDFL"), call.boolean(QStringLiteral("A_PHedfl"))},
                 {QStringLiteral("PHTXGU"), text("A_PHTXGU")},
                 {QStringLiteral("PHOHBUUT"), ohBuut},
                 {QStringLiteral("PHOHMONTH"), ohMonth},
                 {QStringLiteral("PHOHNUMB"), ohNumb},
                 {QStringLiteral("PHWORK"), text("A_PHWORK")},
                 {QStringLiteral("PHPGID"), text("A_PHPGID")},
                 {QStringLiteral("PHLADT"), nowText()}});
}

// A_GUBUN 2: one line of an order on file; a line sent again under its
// sequence replaces the earlier one. The amounts are stored as sent.
void writeOrderLine(Call &call)
{
    const OrderKey k = requireOrderKey(call, "PD");
    const qint64 seq = call.integer(QStringLiteral("A_PDSEQ"));
    if (seq <= 0)
        throw CallError(QStringLiteral("발주 순번이 없습니다."));
    const QString item = call.text(QStringLiteral("A_PDITNB")).trimmed();
    if (item.isEmpty())
        throw CallError(QStringLiteral("품목이 지정되지 않았습니다."));
    if (!storedOrder(call.db, k))
        throw CallError(QStringLiteral("발주 내역이 없습니다: %1").arg(numberText(k.month, k.numb)));

    Prepared del(call.db, "DELETE FROM F2101 WHERE PDCMCD = ?1 AND PDBUUT = ?2 AND PDMONTH = ?3 AND PDNUMB = ?4"
                          " AND PDSEQ = ?5");
    for (int i = 0; i < 4; ++i)
        bindValue(*del, i + 1, k.values()[i]);
    del->bind(5, static_cast<int64_t>(seq));
    del->exec();

    const auto text = [&](const char *name) { return QVariant(call.text(QLatin1String(name)).trimmed()); };
    const auto integer = [&](const char *name) { return QVariant(call.integer(QLatin1String(name))); };
    const auto number = [&](const char *name) { return QVariant(call.number(QLatin1String(name))); };
    const auto optionalInteger = [&](const char *name) {
        return call.text(QLatin1String(name)).trimmed().isEmpty() ? QVariant() : integer(name);
    };
    insertRow(call.db, QStringLiteral("F2101"),
              {{QStringLiteral("PDCMCD"), k.cmcd},
               {QStringLiteral("PDBUUT"), k.buut},
               {QStringLiteral("PDMONTH"), k.month},
               {QStringLiteral("PDNUMB"), k.numb},
               {QStringLiteral("PDSEQ"), seq},
               {QStringLiteral("PDITNB"), item},
               {QStringLiteral("PDUNIT"), text("A_PDUNIT")},
               {QStringLiteral("PDQTY"), number("A_PDQTY")},
               {QStringLiteral("PDUPRC"), integer("A_PDUPRC")},
               {QStringLiteral("PDAMT"), integer("A_PDAMT")},
               {QStringLiteral("PDGAMT"), integer("A_pdgamt")},
               {QStringLiteral("PDTAX"), integer("A_pdtax")},
               {QStringLiteral("PDBDAN"), text("A_PDBDAN")},
               {QStringLiteral("PDMDAN"), text("A_PDMDAN")},
               {QStringLiteral("PDLDAN"), text("A_PDLDAN")},
               {QStringLiteral("PDMQTY"), number("A_PDMQTY")},
               {QStringLiteral("PDSQTY"), number("A_PDSQTY")},
               {QStringLiteral("PDMCAL"), number("A_PDMCAL")},
               {QStringLiteral("PDIBMONTH"), text("A_PDIBMONTH")},
               {QStringLiteral("PDIBNUMB"), optionalInteger("A_PDIBNUMB")},
               {QStringLiteral("PDIBSEQ"), optionalInteger("A_PDIBSEQ")},
               {QStringLiteral("PDWORK"), text("A_PDWORK")},
               {QStringLiteral("PDPGID"), text("A_PDPGID")},
               {QStringLiteral("PDLADT"), nowText()}});
}

bool isBusinessUnit(SQLite::Database &db, const QString &company, const QString &unit)
{
    Prepared st(db, "SELECT 1 FROM F0100 WHERE ABCMCD = ?1 AND ABBUUT = ?2 AND ABADNB = '00000000'");
    bindText(*st, 1, company);
    bindText(*st, 2, unit);
    return st->executeStep();
}

// A_GUBUN 3: the hand-over of an order placed to a business unit. The unit
// receives the order as a received order of its own: the one that already
// names this order is rewritten under its key (unless the unit released
// against it), else a new one is numbered (kind 12) in the unit's month of
// the order date. Lines are copied from the order as it stands; the order
// records the link. An empty or unknown unit receives nothing.
void writeHandOver(Call &call)
{
    const QString unit = call.text(QStringLiteral("A_PHADNB")).trimmed();
    const QString company = call.text(QStringLiteral("A_PHCMCD")).trimmed();
    if (unit.isEmpty() || unit.size() > 4 || !isBusinessUnit(call.db, company, unit))
        return;
    const OrderKey k = requireOrderKey(call, "PH");

    Prepared head(call.db, "SELECT PHYEAR, PHDATE, PHNYDT, PHTXGU, PHPOID, PHWORK, PHPGID, PHADNB FROM F2100"
                           " WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND PHMONTH = ?3 AND PHNUMB = ?4");
    for (int i = 0; i < 4; ++i)
        bindValue(*head, i + 1, k.values()[i]);
    if (!head->executeStep())
        throw CallError(QStringLiteral("발주 내역이 없습니다: %1").arg(numberText(k.month, k.numb)));
    const auto col = [&](int i) { return QString::fromStdString(head->getColumn(i).getString()); };
    const QString year = col(0), date = col(1), wanted = col(2), tax = col(3), pos = col(4), work = col(5),
                  pgid = col(6), supplier = col(7);
    if (supplier != unit)
        throw CallError(QStringLiteral("발주 거래처와 다른 사업단위입니다: %1").arg(unit));

    // The received order kept (same unit), the others of this order dropped.
    std::optional<OrderKey> target;
    for (const OrderKey &o : handOversOf(call.db, k)) {
        if (receivedOrderReleased(call.db, o))
            throw CallError(QStringLiteral("출고된 수주가 있어 발주를 수정할 수 없습니다. (%1)").arg(numberText(k.month, k.numb)));
        if (!target && o.buut == unit)
            target = o;
        else
            deleteDocument(call.db, docs::receivedOrder(), o.values());
    }
    if (!target) {
        const QString month = isValidMonth(date.left(6)) ? date.left(6) : k.month;
        target = OrderKey{company, unit, month, drawNumber(call.db, company, unit, 12, month)};
    }

    const QString now = nowText();
    writeHeader(call.db, docs::receivedOrder(),
                {{QStringLiteral("OHCMCD"), target->cmcd},
                 {QStringLiteral("OHBUUT"), target->buut},
                 {QStringLiteral("OHMONTH"), target->month},
                 {QStringLiteral("OHNUMB"), target->numb},
                 {QStringLiteral("OHYEAR"), year},
                 {QStringLiteral("OHDATE"), date},
                 {QStringLiteral("OHADNB"), k.buut},
                 {QStringLiteral("OHNYDT"), wanted},
                 {QStringLiteral("OHTXGU"), tax},
                 {QStringLiteral("OHBABUUT"), k.buut},
                 {QStringLiteral("OHBAMONTH"), k.month},
                 {QStringLiteral("OHBANUMB"), k.numb},
                 {QStringLiteral("OHPOID"), pos},
                 {QStringLiteral("OHWORK"), work},
                 {QStringLiteral("OHPGID"), pgid},
                 {QStringLiteral("OHLADT"), now}});

    Prepared copy(call.db, "INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC,"
                           " ODAMT, ODGAMT, ODTAX, ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODMQTY, ODSQTY, ODBASEQ, ODLADT)"
                           " SELECT ?5, ?6, ?7, ?8, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT, PDTAX,"
                           " PDBDAN, PDMDAN, PDLDAN, PDMCAL, PDMQTY, PDSQTY, PDSEQ, ?9 FROM F2101"
                           " WHERE PDCMCD = ?1 AND PDBUUT = ?2 AND PDMONTH = ?3 AND PDNUMB = ?4 ORDER BY PDSEQ");
    for (int i = 0; i < 4; ++i) {
        bindValue(*copy, i + 1, k.values()[i]);
        bindValue(*copy, i + 5, target->values()[i]);
    }
    bindText(*copy, 9, now);
    copy->exec();

    Prepared link(call.db, "UPDATE F2100 SET PHOHBUUT = ?5, PHOHMONTH = ?6, PHOHNUMB = ?7"
                           " WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND PHMONTH = ?3 AND PHNUMB = ?4");
    for (int i = 0; i < 4; ++i)
        bindValue(*link, i + 1, k.values()[i]);
    for (int i = 0; i < 3; ++i)
        bindValue(*link, i + 5, target->values()[i + 1]);
    link->exec();
}

// Writes an order row by row: A_GUBUN 1 the header, 2 one line, 3 the
// hand-over. Only the parameters of the row kind are read; the shared list's
// stale rest is ignored.
void insertOrder(Call &call)
{
    switch (call.integer(QStringLiteral("A_GUBUN"))) {
    case 1: writeOrderHeader(call); return;
    case 2: writeOrderLine(call); return;
    case 3: writeHandOver(call); return;
    default: throw CallError(QStringLiteral("올바른 구분이 아닙니다: %1").arg(call.text(QStringLiteral("A_GUBUN"))));
    }
}

} // namespace

void registerPurchaseOrderProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F2100_RegOrderpatSearch"), false, selectDayOrders);
    registry.add(QStringLiteral("GP_SELECT_F2101_POPUPPURCHASE"), false, selectOrderLines);
    registry.add(QStringLiteral("GP_SELECT_F2100_POPUPPURCHASE"), false, selectOrderHeaders);
    registry.add(QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY"), true, deleteOrder);
    registry.add(QStringLiteral("GP_INSERT_F2100_PURCHASEENTRY"), true, insertOrder);
}

} // namespace hq
