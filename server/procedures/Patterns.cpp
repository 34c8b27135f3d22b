// Order patterns: the pattern list of a store and the lines of one pattern
// with the items' units, prices and current stock.

#include "Dispatcher.h"
#include "Documents.h"
#include "StockView.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

// The patterns in use of a store; TARGETCODE "99999999" (or empty) lists every
// partner's patterns, another code only that partner's.
void selectPatterns(Call &call)
{
    call.open({I("AHNUMB"), T("AHNAME", 50), T("AHADNB", 8), T("ahadnb_name", 50)},
              (QStringLiteral("SELECT h.AHNUMB, h.AHNAME, h.AHADNB, ")
               + partnerNameSql(QStringLiteral("h.AHCMCD"), QStringLiteral("h.AHBUUT"), QStringLiteral("h.AHADNB"))
               + QStringLiteral(" FROM F2110 h WHERE h.AHCMCD = ?1 AND h.AHBUUT = ?2 AND h.AHUSFL = 1"
                                " AND (?3 IN ('', '99999999') OR h.AHADNB = ?3) ORDER BY h.AHSEQ, h.AHNUMB"))
                  .toUtf8()
                  .constData(),
              [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("COMPCODE")));
                  bindText(st, 2, call.text(QStringLiteral("STORECODE")));
                  bindText(st, 3, call.text(QStringLiteral("TARGETCODE")).trimmed());
              });
}

// The lines of pattern HDNUMB of the store in ADSEQ order, joined with the
// item master. The pattern number identifies the lines; TARGETCODE is not
// needed to find them. ADUPRC is the line's own price, else the item's
// purchase price per base unit times the ordering unit's factor. PDQTY is the
// quantity of the line's item in the store's purchase order numbered phnumb
// that was placed from this pattern for TARGETCODE (its latest month), else 0.
void selectPatternLines(Call &call)
{
    const Cols cols = {I("ADNUMB"),      I("ADSEQ"),        T("IMITNB", 6),  T("IMITTY", 3),  T("ADBDAN", 3),
                       T("ADMDAN", 3),   T("ADLDAN", 3),    F("ADMCAL"),     F("ADMQTY"),     F("ADSQTY"),
                       T("IMNAME", 50),  T("ADUNIT", 3),    F("SoUnitTotalstock"), F("REPTQTY"), F("jjgo"),
                       F("ADQTY"),       F("PDQTY"),        I("ADUPRC"),     C("ADAMT"),      T("IMPGKI", 3),
                       T("IMPMKI", 3),   T("IMSDKI", 3),    T("IMSJKI", 3),  T("size", 20)};
    const QString today = QStringLiteral("strftime('%Y%m%d', 'now', 'localtime')");
    const QString sql =
        QStringLiteral("WITH ") + stockOnDayCte(QStringLiteral("stock"), QStringLiteral("?1"), QStringLiteral("?2"), today)
        + QStringLiteral(
            ", po AS (SELECT PHMONTH, PHNUMB FROM F2100 WHERE PHCMCD = ?1 AND PHBUUT = ?2 AND ?5 > 0"
            " AND PHNUMB = ?5 AND PHADNUMB = ?3 AND PHADNB = ?4 ORDER BY PHMONTH DESC LIMIT 1),"
            " l AS (SELECT d.*, i.*, COALESCE(s.qty, 0) AS stockqty,"
            " CASE WHEN d.ADUNIT <> '' AND d.ADUNIT = i.IMMDAN AND d.ADUNIT <> i.IMLDAN THEN i.IMMCAL ELSE 1 END AS factor"
            " FROM F2111 d JOIN F2110 h ON h.AHCMCD = d.ADCMCD AND h.AHBUUT = d.ADBUUT AND h.AHNUMB = d.ADNUMB"
            " JOIN F0200 i ON i.IMCMCD = d.ADCMCD AND i.IMBUUT = d.ADBUUT AND i.IMITNB = d.ADITNB"
            " LEFT JOIN stock s ON s.itnb = d.ADITNB"
            " WHERE d.ADCMCD = ?1 AND d.ADBUUT = ?2 AND d.ADNUMB = ?3)"
            " SELECT ADNUMB, ADSEQ, IMITNB, IMITTY, IMBDAN, IMMDAN, IMLDAN, IMMCAL, ADMQTY, ADSQTY, IMNAME,"
            " CASE WHEN ADUNIT = '' THEN IMLDAN ELSE ADUNIT END, stockqty, MAX(0, IMJEGO - stockqty), IMJEGO, ADQTY,"
            " COALESCE((SELECT SUM(p.PDQTY) FROM F2101 p JOIN po ON p.PDMONTH = po.PHMONTH AND p.PDNUMB = po.PHNUMB"
            " WHERE p.PDCMCD = ?1 AND p.PDBUUT = ?2 AND p.PDITNB = l.IMITNB), 0),"
            " CAST(COALESCE(ADUPRC, IMPRC2 * factor) AS INTEGER),"
            " ADQTY * CAST(COALESCE(ADUPRC, IMPRC2 * factor) AS INTEGER),"
            " IMPGKI, IMPMKI, IMSDKI, IMSJKI, IMSTAN FROM l ORDER BY ADSEQ");
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) {
        bindText(st, 1, call.text(QStringLiteral("COMPCODE")));
        bindText(st, 2, call.text(QStringLiteral("STORECODE")));
        st.bind(3, static_cast<int64_t>(call.integer(QStringLiteral("HDNUMB"))));
        bindText(st, 4, call.text(QStringLiteral("TARGETCODE")).trimmed());
        st.bind(5, static_cast<int64_t>(call.integer(QStringLiteral("phnumb"))));
    });
    // The current stock travels as the text the grid shows.
    const int stockCol = 12;
    call.answer.columns[stockCol] = {QStringLiteral("SoUnitTotalstock"), wire::Type::String, 20};
    for (QVariantList &row : call.answer.rows)
        row[stockCol] = stockText(row[stockCol].toDouble());
}

} // namespace

void registerPatternProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F2110_RegOrderSearch"), false, selectPatterns);
    registry.add(QStringLiteral("GP_SELECT_F2111_RegOrderSearch_new1"), false, selectPatternLines);
}

} // namespace hq
