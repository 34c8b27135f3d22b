// Ledgers: what came into and went out of a store's stock over a period, per
// item, for products and for raw materials; the use of the store's set items
// counted in whole sets of their components; the components of one set.
//
// The figures of an item for the days a_stdt .. a_eddt ("yyyymmdd"), in its
// base unit, follow the stock view (StockView.h):
//   current  the stock on the day before the period;
//   products: seng = production + its loss, in = receipts, out = releases +
//            use as an ingredient, loss = production loss + discards;
//   materials: in = receipts, out = use as an ingredient + releases, loss =
//            discards;
//   stock    current + seng + in - out - loss (the stock on the last day).
// Amounts are Trunc(quantity x the item's transfer price IMPRC2).

#include "Dispatcher.h"
#include "Documents.h"
#include "NameBounds.h"
#include "StockView.h"
#include "procedures/Procedures.h"

#include <QDate>

namespace hq {

namespace {

// The parameters every ledger query binds: ?1 company, ?2 store, ?3 the day
// before the period, ?4 its first day, ?5 its last day, ?6 major and ?7
// middle category id, ?8 a part of the name, ?9 / ?10 the name bounds,
// ?11 the item type.
void bindLedgerParams(SQLite::Statement &st, const Call &call)
{
    const QString from = call.text(QStringLiteral("a_stdt")).trimmed();
    const QString to = call.text(QStringLiteral("a_eddt")).trimmed();
    for (const QString &day : {from, to})
        if (!QDate::fromString(day, QStringLiteral("yyyyMMdd")).isValid())
            throw CallError(QStringLiteral("올바른 일자가 아닙니다: %1").arg(day),
                            QStringLiteral("올바른 일자가 아닙니다"));
    const QString values[] = {
        call.text(QStringLiteral("a_cmcd")),
        call.text(QStringLiteral("a_buut")),
        QDate::fromString(from, QStringLiteral("yyyyMMdd")).addDays(-1).toString(QStringLiteral("yyyyMMdd")),
        from,
        to,
        call.text(QStringLiteral("a_gkid")).trimmed(),
        call.text(QStringLiteral("a_mkid")).trimmed(),
        call.text(QStringLiteral("a_name")).trimmed(),
        call.text(QStringLiteral("a_st_han")),
        call.text(QStringLiteral("a_ed_han")),
        call.text(QStringLiteral("a_itty")).trimmed(),
    };
    // A query uses the first of them, as many as it needs.
    for (int i = 1; i <= st.getBindParameterCount(); ++i)
        bindText(st, i, values[i - 1]);
}

// The common table expressions `fig`(itnb, cur, prod, ploss, inq, outq, disc)
// over every item of the store: the stock before the period and its
// movements by kind, outgoing ones as positive quantities, each rounded to
// four decimals.
QString figuresCtes()
{
    const QString company = QStringLiteral("?1"), store = QStringLiteral("?2");
    return stockOnDayCte(QStringLiteral("cur"), company, store, QStringLiteral("?3")) + QStringLiteral(", ")
           + stockMovesCte(QStringLiteral("mv"), company, store, QStringLiteral("?4"), QStringLiteral("?5"))
           + QStringLiteral(
               ", kinds AS (SELECT itnb,"
               " SUM(CASE WHEN kind = 'PROD' THEN qty ELSE 0 END) AS prod,"
               " SUM(CASE WHEN kind = 'PLOSS' THEN qty ELSE 0 END) AS ploss,"
               " SUM(CASE WHEN kind = 'IN' THEN qty ELSE 0 END) AS inq,"
               " -SUM(CASE WHEN kind IN ('OUT', 'USE') THEN qty ELSE 0 END) AS outq,"
               " -SUM(CASE WHEN kind = 'DISC' THEN qty ELSE 0 END) AS disc"
               " FROM mv GROUP BY itnb),"
               " fig AS (SELECT i.IMITNB AS itnb, ROUND(COALESCE(c.qty, 0), 4) AS cur,"
               " ROUND(COALESCE(k.prod, 0), 4) AS prod, ROUND(COALESCE(k.ploss, 0), 4) AS ploss,"
               " ROUND(COALESCE(k.inq, 0), 4) AS inq, ROUND(COALESCE(k.outq, 0), 4) AS outq,"
               " ROUND(COALESCE(k.disc, 0), 4) AS disc"
               " FROM F0200 i LEFT JOIN cur c ON c.itnb = i.IMITNB LEFT JOIN kinds k ON k.itnb = i.IMITNB"
               " WHERE i.IMCMCD = ?1 AND i.IMBUUT = ?2)");
}

// The item filters of the ledgers on the item row `i`: category ids (empty
// or "0000000000" for all) on the production and material categories, a
// part of the name, the name bounds.
QString itemFilterSql()
{
    return QStringLiteral("(?6 IN ('', '0000000000') OR i.IMSDKI = ?6) AND (?7 IN ('', '0000000000') OR i.IMSJKI = ?7)"
                          " AND (?8 = '' OR instr(lower(i.IMNAME), lower(?8)) > 0) AND ")
           + nameBoundsSql(QStringLiteral("i.IMNAME"), QStringLiteral("?9"), QStringLiteral("?10"));
}

// Trunc(quantity x transfer price) of a ledger row as an SQL expression.
QString amountSql(const QString &quantity)
{
    return QStringLiteral("CAST(ROUND(%1 * COALESCE(IMPRC2, 0), 4) AS INTEGER)").arg(quantity);
}

const QString kUnitName = partnerNameSql(QStringLiteral("?1"), QStringLiteral("?2"), QStringLiteral("?2"));

// Products, goods and semi-products with their figures; items whose figures
// are all 0 are left out.
void selectProductLedger(Call &call)
{
    const Cols cols = {T("buut_name", 50), T("itnb", 6),  T("imname", 50), T("immdan", 3),  F("immcal"),
                       T("imldan", 3),     T("unit", 3),  F("current_qty"), I("current_amt"), F("seng_qty"),
                       I("seng_amt"),      F("in_qty"),   I("in_amt"),      F("out_qty"),     I("out_amt"),
                       F("loss_qty"),      I("loss_amt"), F("stock_qty"),   I("stock_amt")};
    const QString sql =
        QStringLiteral("WITH ") + figuresCtes()
        + QStringLiteral(
            ", led AS (SELECT i.*, f.cur, ROUND(f.prod + f.ploss, 4) AS seng, f.inq, f.outq,"
            " ROUND(f.ploss + f.disc, 4) AS loss FROM F0200 i JOIN fig f ON f.itnb = i.IMITNB"
            " WHERE i.IMCMCD = ?1 AND i.IMBUUT = ?2 AND i.IMITTY IN ('1', '2', '3') AND ")
        + itemFilterSql()
        + QStringLiteral("), book AS (SELECT led.*, ROUND(cur + seng + inq - outq - loss, 4) AS stock FROM led)"
                         " SELECT ")
        + kUnitName
        + QStringLiteral(", IMITNB, IMNAME, IMMDAN, IMMCAL, IMLDAN, IMEDAN, cur, %1, seng, %2, inq, %3, outq, %4,"
                         " loss, %5, stock, %6 FROM book"
                         " WHERE cur <> 0 OR seng <> 0 OR inq <> 0 OR outq <> 0 OR loss <> 0 OR stock <> 0"
                         " ORDER BY IMITNB")
              .arg(amountSql(QStringLiteral("cur")), amountSql(QStringLiteral("seng")), amountSql(QStringLiteral("inq")),
                   amountSql(QStringLiteral("outq")), amountSql(QStringLiteral("loss")),
                   amountSql(QStringLiteral("stock")));
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) { bindLedgerParams(st, call); });
}

// Raw and secondary materials (A_ITTY "5" or "6" narrows to one type) that
// have a figure or an opening balance (a set item kept at 0 stays listed, so
// that its use can be booked to it), with the set item each belongs to (kpcd; the
// lowest one when it belongs to several), its quantity in one set (casawt)
// and the price of the amounts (imbhup). prky repeats the item, paky is
// empty. A_GUBUN is not read: the rows are always per item.
void selectMaterialLedger(Call &call)
{
    const Cols cols = {T("cmcd", 4),        T("buut", 4),      T("itnb", 6),     T("buut_name", 50),
                       T("imname", 50),     T("immdan", 3),    T("imldan", 3),   F("immcal"),
                       T("unit", 3),        F("current_qty"),  I("current_amt"), F("in_qty"),
                       I("in_amt"),         F("out_qty"),      I("out_amt"),     F("loss_qty"),
                       I("loss_amt"),       F("stock_qty"),    I("stock_amt"),   T("kpcd", 6),
                       T("prky", 6),        T("paky", 6),      F("casawt"),      F("imbhup")};
    const QString set = QStringLiteral("(SELECT %1 FROM F0240 c WHERE c.CACMCD = ?1 AND c.CABUUT = ?2"
                                       " AND c.CAITNB = IMITNB ORDER BY c.CAPUB1 LIMIT 1)");
    const QString sql =
        QStringLiteral("WITH ") + figuresCtes()
        + QStringLiteral(
            ", led AS (SELECT i.*, f.cur, f.inq, f.outq, f.disc AS loss FROM F0200 i JOIN fig f ON f.itnb = i.IMITNB"
            " WHERE i.IMCMCD = ?1 AND i.IMBUUT = ?2 AND i.IMITTY IN ('5', '6') AND (?11 = '' OR i.IMITTY = ?11) AND ")
        + itemFilterSql()
        + QStringLiteral("), book AS (SELECT led.*, ROUND(cur + inq - outq - loss, 4) AS stock FROM led)"
                         " SELECT ?1, ?2, IMITNB, ")
        + kUnitName
        + QStringLiteral(", IMNAME, IMMDAN, IMLDAN, IMMCAL, IMEDAN, cur, %1, inq, %2, outq, %3, loss, %4, stock, %5,"
                         " COALESCE(%6, ''), IMITNB, '', COALESCE(%7, 0), COALESCE(IMPRC2, 0) FROM book"
                         " WHERE cur <> 0 OR inq <> 0 OR outq <> 0 OR loss <> 0 OR stock <> 0 OR EXISTS (SELECT 1"
                         " FROM F3400 b WHERE b.SKCMCD = ?1 AND b.SKBUUT = ?2 AND b.SKITNB = IMITNB)"
                         " ORDER BY IMITNB")
              .arg(amountSql(QStringLiteral("cur")), amountSql(QStringLiteral("inq")), amountSql(QStringLiteral("outq")),
                   amountSql(QStringLiteral("loss")), amountSql(QStringLiteral("stock")),
                   set.arg(QStringLiteral("c.CAPUB1")), set.arg(QStringLiteral("c.CASAWT")));
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) { bindLedgerParams(st, call); });
}

// The largest whole number not above x / per (per a set's quantity of a
// component; 0 when that is not positive), as an SQL expression. A hair is
// added so that a quotient such as 2.9999999999999996 counts as 3.
QString wholeSetsSql(const QString &x, const QString &per)
{
    const QString q = QStringLiteral("(%1 / %2 + 1e-9)").arg(x, per);
    return QStringLiteral("(CASE WHEN %2 > 0 THEN CAST(%1 AS INTEGER) - (%1 < CAST(%1 AS INTEGER)) ELSE 0 END)")
        .arg(q, per);
}

// Per set item of the store one of whose components was used or lost in
// the period: one row per component (by component code) with the group's
// size, the component's place in it and the whole sets its opening stock,
// use and loss (as in the material ledger) amount to. The figures are the
// components' whatever the item filters say: a set is counted whole.
void selectComponentUse(Call &call)
{
    const Cols cols = {T("cmcd", 4),  T("buut", 4), T("kpcd", 6), I("cnt"), I("seq"), I("each_count_current"),
                       I("each_count_out"), I("each_count_loss")};
    const QString sql =
        QStringLiteral("WITH ") + figuresCtes()
        + QStringLiteral(
              ", sets AS (SELECT CAPUB1 AS kpcd, CAITNB AS comp, CASAWT AS casawt FROM F0240"
              " WHERE CACMCD = ?1 AND CABUUT = ?2),"
              " used AS (SELECT DISTINCT s.kpcd FROM sets s JOIN fig f ON f.itnb = s.comp"
              " WHERE f.outq <> 0 OR f.disc <> 0),"
              " parts AS (SELECT s.kpcd, s.comp, s.casawt, COALESCE(f.cur, 0) AS cur, COALESCE(f.outq, 0) AS outq,"
              " COALESCE(f.disc, 0) AS disc FROM sets s JOIN used u ON u.kpcd = s.kpcd"
              " LEFT JOIN fig f ON f.itnb = s.comp)"
              " SELECT ?1, ?2, kpcd, COUNT(*) OVER (PARTITION BY kpcd),"
              " ROW_NUMBER() OVER (PARTITION BY kpcd ORDER BY comp), %1, %2, %3"
              " FROM parts ORDER BY kpcd, comp")
              .arg(wholeSetsSql(QStringLiteral("cur"), QStringLiteral("casawt")),
                   wholeSetsSql(QStringLiteral("outq"), QStringLiteral("casawt")),
                   wholeSetsSql(QStringLiteral("disc"), QStringLiteral("casawt")));
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) { bindLedgerParams(st, call); });
}

// The components of set item A_ITNB of the store, by component code, with
// the component's name and units and the set item's name (component_name).
void selectComponents(Call &call)
{
    const Cols cols = {T("cacmcd", 4), T("cabuut", 4),     T("capub1", 6),         T("caitnb", 6),
                       T("buut_name", 50), T("imname", 50), T("component_name", 50), T("immdan", 3),
                       T("imldan", 3), F("immcal"),         T("imedan", 3),         F("casawt")};
    const QString sql =
        QStringLiteral("SELECT c.CACMCD, c.CABUUT, c.CAPUB1, c.CAITNB, ")
        + partnerNameSql(QStringLiteral("c.CACMCD"), QStringLiteral("c.CABUUT"), QStringLiteral("c.CABUUT"))
        + QStringLiteral(
            ", COALESCE(i.IMNAME, ''), COALESCE(s.IMNAME, ''), COALESCE(i.IMMDAN, ''), COALESCE(i.IMLDAN, ''),"
            " COALESCE(i.IMMCAL, 0), COALESCE(i.IMEDAN, ''), c.CASAWT FROM F0240 c"
            " LEFT JOIN F0200 i ON i.IMCMCD = c.CACMCD AND i.IMBUUT = c.CABUUT AND i.IMITNB = c.CAITNB"
            " LEFT JOIN F0200 s ON s.IMCMCD = c.CACMCD AND s.IMBUUT = c.CABUUT AND s.IMITNB = c.CAPUB1"
            " WHERE c.CACMCD = ?1 AND c.CABUUT = ?2 AND c.CAPUB1 = ?3 ORDER BY c.CAITNB");
    call.open(cols, sql.toUtf8().constData(), {"A_CMCD", "A_BUUT", "A_ITNB"});
}

} // namespace

void registerLedgerProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F3400_PROSTOCKINQUIRY"), false, selectProductLedger);
    registry.add(QStringLiteral("GP_SELECT_F3400_MATSTOCKINQUIRY"), false, selectMaterialLedger);
    registry.add(QStringLiteral("GP_SELECT_F3400_ComponentUse"), false, selectComponentUse);
    registry.add(QStringLiteral("GP_SELECT_F0240_COMPONENTRATE1"), false, selectComponents);
}

} // namespace hq
