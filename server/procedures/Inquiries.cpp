// Inquiries: the lists behind the history and stock screens' filters. The
// production categories here are the ones items carry in IMSDKI / IMSJKI,
// so a list of products or semi-products can be narrowed by them. Also the
// history's production figures per item and the line lists its A4 prints
// read (orders placed, receipts, received orders, releases).

#include "Dispatcher.h"
#include "Documents.h"
#include "NameBounds.h"
#include "StoresStock.h"
#include "procedures/Procedures.h"
#include "platform/dataset/Currency.h"

#include <QDate>

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

// The production major categories of a store (type "3", level "3") in use,
// in their order.
void selectProductionMajors(Call &call)
{
    call.open({T("GKGKID", 3), T("GKNAME", 50)},
              "SELECT GKGKID, GKNAME FROM F0060 WHERE GKCMCD = ?1 AND GKBUUT = ?2 AND GKITTY = '3' AND GKDJGU = '3'"
              " AND GKUSFL = 1 ORDER BY GKSEQ, GKGKID",
              {"COMPCODE", "STORECODE"});
}

// The production middle categories of one major category, in their order;
// none for an empty major id.
void selectProductionMiddles(Call &call)
{
    call.open({T("MKMKID", 3), T("MKNAME", 50)},
              "SELECT MKMKID, MKNAME FROM F0061 WHERE MKCMCD = ?1 AND MKBUUT = ?2 AND MKGKID = ?3 AND ?3 <> ''"
              " AND MKITTY = '3' AND MKDJGU = '3' AND MKUSFL = 1 ORDER BY MKSEQ, MKMKID",
              {"COMPCODE", "STORECODE", "Edit2"});
}

// The stock of the company's business units side by side: one row per item
// of type @a_itty of the company's item master (an item's row at the head
// office 0001, else at the lowest store code that has it) in item code
// order, narrowed by the production category ids @a_gkid / @a_mkid (empty or
// "0000000000": any), the item code @a_itnb (empty: any) and the name bounds
// @a_st_han / @a_ed_han. The units are those of kind @a_adty by code ("1" or
// empty: every unit, "2" directly run, "3" franchise), the same list in
// every row: buut_cnt their number, buut_name their short names joined by
// "^", qty each unit's stock of the item today in the base unit (0 where it
// holds none) in the same order, less the unit's proper stock IMJEGO of the
// item when @a_gubun is "1". No item: no rows.
void selectBranchStock(Call &call)
{
    const QString company = call.text(QStringLiteral("a_cmcd")).trimmed();
    const QString kind = call.text(QStringLiteral("a_adty")).trimmed();
    const bool lessProper = call.text(QStringLiteral("a_gubun")).trimmed() == QLatin1String("1");

    QStringList unitCodes, unitNames;
    {
        const QString sql =
            QStringLiteral("SELECT u.ABBUUT, ")
            + partnerNameSql(QStringLiteral("u.ABCMCD"), QStringLiteral("u.ABBUUT"), QStringLiteral("u.ABBUUT"))
            + QStringLiteral(" FROM F0100 u WHERE u.ABCMCD = ?1 AND u.ABADNB = '00000000' AND u.ABUSFL"
                             " AND (?2 IN ('', '1') OR u.ABBUGU = ?2) ORDER BY u.ABBUUT");
        Prepared st(call.db, u8(sql));
        bindText(*st, 1, company);
        bindText(*st, 2, kind);
        while (st->executeStep()) {
            unitCodes << QString::fromUtf8(st->getColumn(0).getText());
            unitNames << QString::fromUtf8(st->getColumn(1).getText());
        }
    }

    struct Item {
        QString code, name, unit;
    };
    QList<Item> items;
    {
        const QString sql =
            QStringLiteral(
                "WITH home AS (SELECT IMITNB AS itnb,"
                " MIN(CASE WHEN IMBUUT = '0001' THEN '' ELSE IMBUUT END) AS pick FROM F0200 WHERE IMCMCD = ?1"
                " GROUP BY IMITNB)"
                " SELECT i.IMITNB, i.IMNAME, i.IMLDAN FROM home h JOIN F0200 i ON i.IMCMCD = ?1"
                " AND i.IMITNB = h.itnb AND i.IMBUUT = CASE WHEN h.pick = '' THEN '0001' ELSE h.pick END"
                " WHERE i.IMUSFL AND (?2 = '' OR i.IMITTY = ?2)"
                " AND (?3 IN ('', '0000000000') OR i.IMSDKI = ?3) AND (?4 IN ('', '0000000000') OR i.IMSJKI = ?4)"
                " AND (?5 = '' OR i.IMITNB = ?5) AND ")
            + nameBoundsSql(QStringLiteral("i.IMNAME"), QStringLiteral("?6"), QStringLiteral("?7"))
            + QStringLiteral(" ORDER BY i.IMITNB");
        Prepared st(call.db, u8(sql));
        bindText(*st, 1, company);
        bindText(*st, 2, call.text(QStringLiteral("a_itty")).trimmed());
        bindText(*st, 3, call.text(QStringLiteral("a_gkid")).trimmed());
        bindText(*st, 4, call.text(QStringLiteral("a_mkid")).trimmed());
        bindText(*st, 5, call.text(QStringLiteral("a_itnb")).trimmed());
        bindText(*st, 6, call.text(QStringLiteral("a_st_han")));
        bindText(*st, 7, call.text(QStringLiteral("a_ed_han")));
        while (st->executeStep())
            items.append({QString::fromUtf8(st->getColumn(0).getText()), QString::fromUtf8(st->getColumn(1).getText()),
                          QString::fromUtf8(st->getColumn(2).getText())});
    }

    const StockByStore stock = stockOfStoresOnDay(call.db, company, unitCodes,
                                                  QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    StockByStore proper;
    if (lessProper) {
        Prepared st(call.db, "SELECT IMBUUT, IMITNB, IMJEGO FROM F0200 WHERE IMCMCD = ?1 AND IMJEGO <> 0");
        bindText(*st, 1, company);
        while (st->executeStep())
            proper[QString::fromUtf8(st->getColumn(0).getText())].insert(QString::fromUtf8(st->getColumn(1).getText()),
                                                                         st->getColumn(2).getDouble());
    }

    call.answer = {};
    call.answer.columns = {{QStringLiteral("itnb_name"), wire::Type::String, 50},
                           {QStringLiteral("unit"), wire::Type::String, 3},
                           {QStringLiteral("buut_cnt"), wire::Type::String, 10},
                           {QStringLiteral("buut_name"), wire::Type::String, 0},
                           {QStringLiteral("qty"), wire::Type::String, 0}};
    const QString count = QString::number(unitCodes.size());
    const QString names = unitNames.join(QLatin1Char('^'));
    for (const Item &item : items) {
        QStringList quantities;
        for (const QString &unit : unitCodes) {
            const double q = stock.value(unit).value(item.code) - proper.value(unit).value(item.code);
            quantities << Currency::fromDouble(q).toString();
        }
        call.answer.rows.append(QVariantList{item.name, item.unit, count, names, quantities.join(QLatin1Char('^'))});
    }
}


QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// A category id that asks for no restriction: empty, or all zeros.
const char *kAnyCategory = "('', '0000000000')";

// What was produced at the store between a_STDT and a_EDDT (an empty bound
// is open), one row per item, in item order: made and lost in the item's base
// unit and their total, its production categories, and the value of what was
// made at the transfer price, each line's value worked out on the fixed-point
// amount as a document insert does and truncated. Category ids
// (empty: all) and name bounds narrow the items.
void selectProductionFigures(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT p.itnb, SUM(p.made) + SUM(p.lost), SUM(p.lost), SUM(p.made), COALESCE(i.IMNAME, ''), ")
        + itemTypeNameSql(QStringLiteral("i.IMITTY"))
        + QStringLiteral(", COALESCE(i.IMSDKI, ''), COALESCE(i.IMSJKI, ''), ")
        + productionMajorNameSql(QStringLiteral("p.cmcd"), QStringLiteral("p.buut"), QStringLiteral("i.IMSDKI"))
        + QStringLiteral(", ")
        + productionMiddleNameSql(QStringLiteral("p.cmcd"), QStringLiteral("p.buut"), QStringLiteral("i.IMSDKI"),
                                  QStringLiteral("i.IMSJKI"))
        + QStringLiteral(
            ", COALESCE(i.IMLDAN, ''), COALESCE(i.IMMDAN, ''), COALESCE(i.IMLDAN, ''), COALESCE(i.IMMCAL, 0),"
            " SUM(fixed_amount(p.made, COALESCE(i.IMPRC2, 0))), COALESCE(i.IMPRC2, 0)"
            " FROM V_PRODUCTION_LINE p"
            " LEFT JOIN F0200 i ON i.IMCMCD = p.cmcd AND i.IMBUUT = p.buut AND i.IMITNB = p.itnb"
            " WHERE p.cmcd = ?1 AND p.buut = ?2 AND (?3 = '' OR p.day >= ?3) AND (?4 = '' OR p.day <= ?4)"
            " AND (?5 IN ")
        + QLatin1String(kAnyCategory) + QStringLiteral(" OR i.IMSDKI = ?5) AND (?6 IN ") + QLatin1String(kAnyCategory)
        + QStringLiteral(" OR i.IMSJKI = ?6) AND ")
        + nameBoundsSql(QStringLiteral("COALESCE(i.IMNAME, '')"), QStringLiteral("?7"), QStringLiteral("?8"))
        + QStringLiteral(" GROUP BY p.itnb ORDER BY p.itnb");
    call.open({T("RDITNB", 6), F("RDtQTY"), F("RDLQTY"), F("rdqty"), T("imname", 100), T("itty_name", 50),
               T("imsdki", 3), T("imsjki", 3), T("gkname", 50), T("mkname", 50), T("rdunit", 3), T("rdmdan", 3),
               T("rdldan", 3), F("rdmcal"), I("rdamt"), F("rduprc")},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "A_CMCD"));
                  bindText(st, 2, trimmed(call, "A_BUUT"));
                  bindText(st, 3, trimmed(call, "a_STDT"));
                  bindText(st, 4, trimmed(call, "a_EDDT"));
                  bindText(st, 5, trimmed(call, "a_GKID"));
                  bindText(st, 6, trimmed(call, "a_mkid"));
                  bindText(st, 7, call.text(QStringLiteral("a_st_han")));
                  bindText(st, 8, call.text(QStringLiteral("a_ed_han")));
              });
}

// ---- the history's A4 lists ---------------------------------------------------
//
// One row per document line of the store in a date range (empty bounds are
// open), by date, number and line; days as "yyyy-mm-dd". An item's
// categories are its sales categories for goods (type 2), else its
// production or material categories. Common parameters, bound as ?1..?10:
// a_cmcd, a_buut, a_stdt, a_eddt, a_gkid, a_mkid (empty: all), a_gname (the
// partner's name contains it), a_jname (the item's name contains it),
// a_st_han, a_ed_han (name bounds; "zzzzzzzzzz" is no upper bound); the
// lists' own ones follow as ?11, ?12.

// A document kind the lists read: header and line tables and their column
// prefixes (the header aliased h, the lines d).
struct ListKind {
    QString header, lines, h, d;
    QString hc(const char *name) const { return QStringLiteral("h.") + h + QLatin1String(name); }
    QString dc(const char *name) const { return QStringLiteral("d.") + d + QLatin1String(name); }
};

// The item's category id, major or middle, by its type.
QString categoryIdSql(bool major)
{
    return major ? QStringLiteral("(CASE WHEN i.IMITTY = '2' THEN i.IMPGKI ELSE i.IMSDKI END)")
                 : QStringLiteral("(CASE WHEN i.IMITTY = '2' THEN i.IMPMKI ELSE i.IMSJKI END)");
}

// The day(s), partner and item columns every list begins with: the header's
// day, `secondDay` when given, the partner's name, the item's number, name
// and category names, the store's name and the line's unit.
QString listHead(const ListKind &k, const char *secondDay)
{
    QString sql = QStringLiteral("SELECT ") + dayText(k.hc("DATE")) + QStringLiteral(", ");
    if (secondDay)
        sql += dayText(k.hc(secondDay)) + QStringLiteral(", ");
    return sql + partnerNameSql(k.hc("CMCD"), k.hc("BUUT"), k.hc("ADNB")) + QStringLiteral(", ") + k.dc("ITNB")
           + QStringLiteral(
                 ", COALESCE(i.IMNAME, ''),"
                 " COALESCE((SELECT g.GKNAME FROM F0060 g WHERE g.GKCMCD = i.IMCMCD AND g.GKBUUT = i.IMBUUT"
                 " AND g.GKDJGU = CASE WHEN i.IMITTY = '2' THEN '1' ELSE '3' END AND g.GKGKID = ")
           + categoryIdSql(true)
           + QStringLiteral(" ORDER BY g.GKITTY LIMIT 1), ''),"
                            " COALESCE((SELECT m.MKNAME FROM F0061 m WHERE m.MKCMCD = i.IMCMCD AND m.MKBUUT = i.IMBUUT"
                            " AND m.MKDJGU = CASE WHEN i.IMITTY = '2' THEN '1' ELSE '3' END AND m.MKGKID = ")
           + categoryIdSql(true) + QStringLiteral(" AND m.MKMKID = ") + categoryIdSql(false)
           + QStringLiteral(" ORDER BY m.MKITTY LIMIT 1), ''), ")
           + partnerNameSql(k.hc("CMCD"), k.hc("BUUT"), k.hc("BUUT")) + QStringLiteral(", ") + k.dc("UNIT");
}

// The line and header tables, `joins`, the item master, and the common
// conditions (?1..?10) with the range on `dateColumn`.
QString listBody(const ListKind &k, const QString &joins, const QString &dateColumn)
{
    return QStringLiteral(" FROM %1 d JOIN %2 h ON %3 = %4 AND %5 = %6 AND %7 = %8 AND %9 = %10")
               .arg(k.lines, k.header, k.hc("CMCD"), k.dc("CMCD"), k.hc("BUUT"), k.dc("BUUT"), k.hc("MONTH"),
                    k.dc("MONTH"), k.hc("NUMB"))
               .arg(k.dc("NUMB"))
        + joins
        + QStringLiteral(" LEFT JOIN F0200 i ON i.IMCMCD = %1 AND i.IMBUUT = %2 AND i.IMITNB = %3"
                         " WHERE %1 = ?1 AND %2 = ?2 AND (?3 = '' OR %4 >= ?3) AND (?4 = '' OR %4 <= ?4)"
                         " AND (?5 IN %5 OR COALESCE(%6, '') = ?5) AND (?6 IN %5 OR COALESCE(%7, '') = ?6)"
                         " AND (?7 = '' OR instr(lower(%8), lower(?7)) > 0)"
                         " AND (?8 = '' OR instr(lower(COALESCE(i.IMNAME, '')), lower(?8)) > 0) AND ")
              .arg(k.hc("CMCD"), k.hc("BUUT"), k.dc("ITNB"), dateColumn, QLatin1String(kAnyCategory),
                   categoryIdSql(true), categoryIdSql(false), partnerNameSql(k.hc("CMCD"), k.hc("BUUT"), k.hc("ADNB")))
        + nameBoundsSql(QStringLiteral("COALESCE(i.IMNAME, '')"), QStringLiteral("?9"), QStringLiteral("?10"));
}

QString listOrder(const ListKind &k)
{
    return QStringLiteral(" ORDER BY %1, %2, %3, %4").arg(k.hc("DATE"), k.hc("NUMB"), k.hc("MONTH"), k.dc("SEQ"));
}

void openList(Call &call, const Cols &cols, const QString &sql, std::initializer_list<const char *> own)
{
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) {
        const char *texts[] = {"a_cmcd", "a_buut", "a_stdt", "a_eddt", "a_gkid", "a_mkid", "a_gname", "a_jname"};
        int n = 0;
        for (const char *name : texts)
            bindText(st, ++n, trimmed(call, name));
        bindText(st, ++n, call.text(QStringLiteral("a_st_han")));
        bindText(st, ++n, call.text(QStringLiteral("a_ed_han")));
        for (const char *name : own)
            bindText(st, ++n, trimmed(call, name));
    });
}

// Lines of orders (placed or received) on their order day (a_gubun2 "2": on
// their delivery day) within the range, all of them (a_gubun1 "2": only
// orders not yet done), with the quantity received or released of each line
// as its state view gives it.
struct OrderList {
    ListKind kind;
    const char *lineState, *stateColumn, *orderState, *notDone;
};

void selectOrderList(Call &call, const OrderList &l, const Cols &cols)
{
    const ListKind &k = l.kind;
    const QString sql =
        listHead(k, "NYDT")
        + QStringLiteral(", %1, %2, %3, s.%4").arg(k.dc("QTY"), k.dc("UPRC"), k.dc("AMT"), QLatin1String(l.stateColumn))
        + listBody(k,
                   QStringLiteral(" JOIN %1 s ON s.cmcd = %2 AND s.buut = %3 AND s.month = %4 AND s.numb = %5"
                                  " AND s.seq = %6")
                       .arg(QLatin1String(l.lineState), k.dc("CMCD"), k.dc("BUUT"), k.dc("MONTH"), k.dc("NUMB"),
                            k.dc("SEQ")),
                   QStringLiteral("(CASE WHEN ?12 = '2' THEN %1 ELSE %2 END)").arg(k.hc("NYDT"), k.hc("DATE")))
        + QStringLiteral(" AND (?11 <> '2' OR EXISTS (SELECT 1 FROM %1 o WHERE o.cmcd = %2 AND o.buut = %3"
                         " AND o.month = %4 AND o.numb = %5 AND %6))")
              .arg(QLatin1String(l.orderState), k.hc("CMCD"), k.hc("BUUT"), k.hc("MONTH"), k.hc("NUMB"),
                   QLatin1String(l.notDone))
        + listOrder(k);
    openList(call, cols, sql, {"a_gubun1", "a_gubun2"});
}

void selectPurchaseList(Call &call)
{
    selectOrderList(call,
                    {{QStringLiteral("F2100"), QStringLiteral("F2101"), QStringLiteral("PH"), QStringLiteral("PD")},
                     "V_PO_LINE_STATE", "received", "V_PO_STATE", "o.status <> '입고완료'"},
                    {T("phdate", 10), T("PHNYDT", 10), T("adnb_name", 50), T("PDITNB", 6), T("itnb_name", 50),
                     T("gkid_name", 50), T("mkid_name", 50), T("buut_name", 50), T("PDUNIT", 3), F("PDQTY"),
                     I("PDUPRC"), I("PDAMT"), F("ibgo_qty")});
}

void selectSalesOrderList(Call &call)
{
    selectOrderList(call,
                    {{QStringLiteral("F2400"), QStringLiteral("F2401"), QStringLiteral("OH"), QStringLiteral("OD")},
                     "V_SO_LINE_STATE", "released", "V_SO_STATE", "o.open"},
                    {T("ohdate", 10), T("oHNYDT", 10), T("adnb_name", 50), T("ODITNB", 6), T("itnb_name", 50),
                     T("gkid_name", 50), T("mkid_name", 50), T("buut_name", 50), T("ODUNIT", 3), F("ODQTY"),
                     I("ODUPRC"), I("ODAMT"), F("chulgo_qty")});
}

// Lines of receipts (releases) dated within the range, of one receipt
// (release) type when ?11 names one, with the name of the type (code group
// `typeCodes`) and the order line each one received (released).
struct MoveList {
    ListKind kind, order;
    const char *typeColumn, *typeCodes, *typeParam;
};

void selectMoveList(Call &call, const MoveList &l, const Cols &cols)
{
    const ListKind &k = l.kind;
    const QString ref = QStringLiteral("o.") + l.order.d;
    const QString sql =
        listHead(k, nullptr)
        + QStringLiteral(", COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = %1 AND c.CDGUCD = '%2'"
                         " AND c.CDSSCD = %3), ''), %4, %5, %6, COALESCE(%7QTY, 0), COALESCE(%7UPRC, 0),"
                         " COALESCE(%7AMT, 0), CASE WHEN %8 IS NULL THEN '' ELSE ")
              .arg(k.hc("CMCD"), QLatin1String(l.typeCodes), k.hc(l.typeColumn), k.dc("QTY"), k.dc("UPRC"),
                   k.dc("AMT"), ref, k.dc("RFNUMB"))
        + numberTextSql(k.dc("RFMONTH"), k.dc("RFNUMB")) + QStringLiteral(" END")
        + listBody(k,
                   QStringLiteral(" LEFT JOIN %1 o ON %2CMCD = %3 AND %2BUUT = %4 AND %2MONTH = %5 AND %2NUMB = %6"
                                  " AND %2SEQ = %7")
                       .arg(l.order.lines, ref, k.dc("CMCD"), k.dc("BUUT"), k.dc("RFMONTH"), k.dc("RFNUMB"),
                            k.dc("RFSEQ")),
                   k.hc("DATE"))
        + QStringLiteral(" AND (?11 = '' OR %1 = ?11)").arg(k.hc(l.typeColumn)) + listOrder(k);
    openList(call, cols, sql, {l.typeParam});
}

void selectReceiptList(Call &call)
{
    selectMoveList(call,
                   {{QStringLiteral("F3100"), QStringLiteral("F3101"), QStringLiteral("WH"), QStringLiteral("WD")},
                    {QStringLiteral("F2100"), QStringLiteral("F2101"), QStringLiteral("PH"), QStringLiteral("PD")},
                    "IBTY", "021", "a_whibty"},
                   {T("whdate", 10), T("adnb_name", 50), T("WDITNB", 6), T("itnb_name", 50), T("gkid_name", 50),
                    T("mkid_name", 50), T("buut_name", 50), T("WDUNIT", 3), T("whibty_name", 20), F("WDQTY"),
                    I("WDUPRC"), I("WDAMT"), F("balju_qty"), I("balju_uprc"), I("balju_amt"), T("balju_bunho", 12)});
}

void selectDeliveryList(Call &call)
{
    selectMoveList(call,
                   {{QStringLiteral("F3200"), QStringLiteral("F3201"), QStringLiteral("DH"), QStringLiteral("DD")},
                    {QStringLiteral("F2400"), QStringLiteral("F2401"), QStringLiteral("OH"), QStringLiteral("OD")},
                    "CHTY", "020", "a_dhchty"},
                   {T("dhdate", 10), T("adnb_name", 50), T("dDITNB", 6), T("itnb_name", 50), T("gkid_name", 50),
                    T("mkid_name", 50), T("buut_name", 50), T("dDUNIT", 3), T("dhchty_name", 20), F("dDQTY"),
                    I("dDUPRC"), I("dDAMT"), F("suju_qty"), I("suju_uprc"), I("suju_amt"), T("suju_bunho", 12)});
}
} // namespace

void registerInquiryProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0060_StockDetail_SengSang_Search"), false, selectProductionMajors);
    registry.add(QStringLiteral("GP_SELECT_F0061_StockDetail_SengSang_Search"), false, selectProductionMiddles);
    registry.add(QStringLiteral("GP_SELECT_F3400_StockListOfBranch"), false, selectBranchStock);
    registry.add(QStringLiteral("GP_SELECT_F3300_PRODUCTINQUIRY"), false, selectProductionFigures);
    registry.add(QStringLiteral("GP_SELECT_F2101_PURCHASEINQUIRY"), false, selectPurchaseList);
    registry.add(QStringLiteral("GP_SELECT_F3101_WAREHOUSEINQUIRY"), false, selectReceiptList);
    registry.add(QStringLiteral("GP_SELECT_F2401_SALESORDERINQUIRY"), false, selectSalesOrderList);
    registry.add(QStringLiteral("GP_SELECT_F3201_DELIVERYINQUIRY"), false, selectDeliveryList);
}

} // namespace hq
