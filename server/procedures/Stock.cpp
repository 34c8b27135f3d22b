// Categories, items and order blocks of a store.

#include "Dispatcher.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

// Pad positions (GKSEQ1, MKSEQ1, IMSEQ*) are numbered 1, 2, ... without gaps
// within each set a pad filters, because the terminal places buttons by them.

void selectCategoriesA(Call &call)
{
    call.stream({T("GKCMCD", 4), T("GKBUUT", 4), T("GKITTY", 3), T("GKGKID", 3), T("GKDJGU", 1), I("GKSEQ"),
                 T("GKNAME", 50), B("GKUSFL"), DT("GKLADT"), I("gbtype"), I("GKSEQ1")},
                "WITH c AS (SELECT *, CASE WHEN GKITTY = '0' AND GKDJGU = '1' THEN 0"
                " WHEN GKITTY = '3' AND GKDJGU = '3' THEN 1"
                " WHEN GKITTY IN ('5', '6') AND GKDJGU = '3' THEN 2 ELSE 9 END AS gbtype"
                " FROM F0060 WHERE GKCMCD = ?1 AND GKBUUT = ?2 AND GKUSFL = 1)"
                " SELECT GKCMCD, GKBUUT, GKITTY, GKGKID, GKDJGU, GKSEQ, GKNAME, GKUSFL, GKLADT, gbtype,"
                " ROW_NUMBER() OVER (PARTITION BY gbtype ORDER BY GKSEQ, GKGKID, GKITTY) AS GKSEQ1"
                " FROM c ORDER BY gbtype, GKSEQ1",
                {"A_CMCD", "A_BUUT"});
}

void selectCategoriesB(Call &call)
{
    call.stream({T("MKCMCD", 4), T("MKBUUT", 4), T("MKITTY", 3), T("MKGKID", 3), T("MKMKID", 3), T("MKDJGU", 1),
                 I("MKSEQ"), T("MKNAME", 50), B("MKUSFL"), DT("MKLADT"), I("mbtype"), I("MKSEQ1")},
                "WITH c AS (SELECT *, CASE WHEN MKITTY = '0' AND MKDJGU = '1' THEN 0"
                " WHEN MKITTY = '3' AND MKDJGU = '3' THEN 1"
                " WHEN MKITTY IN ('5', '6') AND MKDJGU = '3' THEN 2 ELSE 9 END AS mbtype"
                " FROM F0061 WHERE MKCMCD = ?1 AND MKBUUT = ?2 AND MKUSFL = 1)"
                " SELECT MKCMCD, MKBUUT, MKITTY, MKGKID, MKMKID, MKDJGU, MKSEQ, MKNAME, MKUSFL, MKLADT, mbtype,"
                " ROW_NUMBER() OVER (PARTITION BY mbtype, MKGKID ORDER BY MKSEQ, MKMKID, MKITTY) AS MKSEQ1"
                " FROM c ORDER BY mbtype, MKGKID, MKSEQ1",
                {"A_CMCD", "A_BUUT"});
}

// Items in use whose name contains A_NAME (or whose code or barcode is A_NAME).
// IMSEQ2: within a sales category pair over products and goods; IMSEQ: within a
// production/material category pair, semi-products apart from materials;
// IMSEQ9 (and IMSEQ1): over the whole answer, types 1-3 first, then 5 and 6, so
// both item searches of the terminal get positions 1..n.
void selectItems(Call &call)
{
    call.streamValues({T("IMCMCD", 4),  T("IMBUUT", 4),  T("IMITNB", 6),  T("IMITTY", 3),  T("IMBAR", 30),
                       T("IMRFID", 50), T("IMNAME", 50), T("IMSNAM", 30), T("IMENAM", 50), T("IMSTAN", 20),
                       T("IMSTDT", 8),  T("IMEDDT", 8),  T("IMPGKI", 3),  T("IMPMKI", 3),  T("IMSDKI", 3),
                       T("IMSJKI", 3),  C("IMPRC1"),     B("IMPUFL"),     T("IMCOLOR", 3), T("IMBDAN", 3),
                       T("IMMDAN", 3),  T("IMLDAN", 3),  I("IMMCAL"),     T("IMJDAN", 3),  T("IMIDAN", 3),
                       T("IMTDAN", 3),  T("IMSDAN", 3),  T("IMCDAN", 3),  T("IMEDAN", 3),  T("IMKSGU", 3),
                       T("IMIDGU", 1),  T("IMTXGU", 1),  T("IMSTGU", 1),  B("IMJKFL"),     B("IMJUFL"),
                       B("IMBDFL"),     B("IMSDFL"),     B("IMJOFL"),     I("IMSEQ"),      I("IMSEQ1"),
                       I("IMSEQ2"),     I("IMSEQ9"),     DT("IMOJDT"),    B("IMPSFL"),     B("IMUSFL"),
                       F("IMJEGO"),     T("IMPJDT", 20), DT("IMLADT"),    F("MHEPRI")},
                      "WITH i AS (SELECT f.*, COALESCE(r.MHEPRI, 0) AS MHEPRI_,"
                      " CASE WHEN f.IMITTY IN ('1', '2', '3') THEN 0 WHEN f.IMITTY IN ('5', '6') THEN 1"
                      " ELSE 2 END AS grp9,"
                      " CASE WHEN f.IMITTY = '3' THEN 1 WHEN f.IMITTY IN ('5', '6') THEN 2 ELSE 0 END AS grpS,"
                      " CASE WHEN f.IMITTY IN ('1', '2') THEN 0 ELSE 1 END AS grpP"
                      " FROM F0200 f LEFT JOIN F0230 r"
                      " ON r.MHCMCD = f.IMCMCD AND r.MHBUUT = f.IMBUUT AND r.MHITNB = f.IMITNB"
                      " WHERE f.IMCMCD = ?1 AND f.IMBUUT = ?2 AND f.IMUSFL = 1"
                      " AND (?3 = '' OR instr(lower(f.IMNAME), lower(?3)) > 0 OR f.IMITNB = ?3 OR f.IMBAR = ?3))"
                      " SELECT IMCMCD, IMBUUT, IMITNB, IMITTY, IMBAR, IMRFID, IMNAME, IMSNAM, IMENAM, IMSTAN,"
                      " IMSTDT, IMEDDT, IMPGKI, IMPMKI, IMSDKI, IMSJKI, IMPRC1, IMPUFL, IMCOLOR, IMBDAN,"
                      " IMMDAN, IMLDAN, IMMCAL, IMJDAN, IMIDAN, IMTDAN, IMSDAN, IMCDAN, IMEDAN, IMKSGU,"
                      " IMIDGU, IMTXGU, IMSTGU, IMJKFL, IMJUFL, IMBDFL, IMSDFL, IMJOFL,"
                      " ROW_NUMBER() OVER (PARTITION BY IMSDKI, IMSJKI, grpS ORDER BY IMSORT, IMITNB),"
                      " ROW_NUMBER() OVER (ORDER BY grp9, IMSORT, IMITNB),"
                      " ROW_NUMBER() OVER (PARTITION BY IMPGKI, IMPMKI, grpP ORDER BY IMSORT, IMITNB),"
                      " ROW_NUMBER() OVER (ORDER BY grp9, IMSORT, IMITNB) AS pos9,"
                      " IMOJDT, IMPSFL, IMUSFL, IMJEGO, IMPJDT, IMLADT, MHEPRI_"
                      " FROM i ORDER BY pos9",
                      QVariantList{call.text(QStringLiteral("A_CMCD")), call.text(QStringLiteral("A_BUUT")),
                           call.text(QStringLiteral("A_NAME")).trimmed()});
}

// "1" blocks business with the partner: the stored flag, or an amount still
// owed after its due day. "99999999" and empty codes never block.
void selectOrderBlock(Call &call)
{
    call.open({T("ULporderyn", 1)},
              "SELECT CASE WHEN ULPORDERYN = '1' OR (ULMISU > 0 AND ULDUEDT <> ''"
              " AND ULDUEDT < strftime('%Y%m%d', 'now', 'localtime')) THEN '1' ELSE '0' END"
              " FROM F3230 WHERE ULCMCD = ?1 AND ULBUUT = ?2 AND ULADNB = ?3 AND ?3 NOT IN ('', '99999999')",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("A_CMCD")));
                  bindText(st, 2, call.text(QStringLiteral("A_BUUT")));
                  bindText(st, 3, call.text(QStringLiteral("A_ADNB")).trimmed());
              });
}

} // namespace

void registerStockProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0060_STOCK_POS_TYPEA"), false, selectCategoriesA);
    registry.add(QStringLiteral("GP_SELECT_F0061_STOCK_POS_TYPEB"), false, selectCategoriesB);
    registry.add(QStringLiteral("GP_SELECT_F0200_STOCK_POS_ITEMS"), false, selectItems);
    registry.add(QStringLiteral("GP_SELECT_F3230_CHECKBUUT_BALJU_CHULGO"), false, selectOrderBlock);
}

} // namespace hq
