// Inquiries: the lists behind the history and stock screens' filters. The
// production categories here are the ones items carry in IMSDKI / IMSJKI,
// so a list of products or semi-products can be narrowed by them.

#include "Dispatcher.h"
#include "Documents.h"
#include "NameBounds.h"
#include "StoresStock.h"
#include "procedures/Procedures.h"
#include "platform/dataset/Currency.h"

#include <QDate>

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

} // namespace

void registerInquiryProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0060_StockDetail_SengSang_Search"), false, selectProductionMajors);
    registry.add(QStringLiteral("GP_SELECT_F0061_StockDetail_SengSang_Search"), false, selectProductionMiddles);
    registry.add(QStringLiteral("GP_SELECT_F3400_StockListOfBranch"), false, selectBranchStock);
}

} // namespace hq
