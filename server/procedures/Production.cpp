// Productions (F3300 / F3301): the productions of a store between two days and
// the lines of one production with the item's type name and its total
// (produced + lost). Stock and the ingredients used follow from the lines
// through the movement view (V_STOCKMOVE).

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// The productions of the store dated within [date_SdssSearch1,
// date_SdssSearch2] (an empty bound is open), by day and number, with the
// production line's name (code group 061).
void selectProductions(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT ") + numberTextSql(QStringLiteral("h.RHMONTH"), QStringLiteral("h.RHNUMB"))
        + QStringLiteral(
            ", h.RHMONTH, h.RHNUMB, h.RHYEAR, h.RHDATE, h.RHLINB,"
            " COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = h.RHCMCD AND c.CDGUCD = '061'"
            " AND c.CDSSCD = h.RHLINB), '')"
            " FROM F3300 h WHERE h.RHCMCD = ?1 AND h.RHBUUT = ?2"
            " AND (?3 = '' OR h.RHDATE >= ?3) AND (?4 = '' OR h.RHDATE <= ?4)"
            " ORDER BY h.RHDATE, h.RHMONTH, h.RHNUMB");
    call.open({T("bunho", 12), T("RHMONTH", 6), I("RHNUMB"), T("RHYEAR", 4), T("RHDATE", 8), T("RHLINB", 3),
               T("SengsangLine", 50)},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "COMPCODE"));
                  bindText(st, 2, trimmed(call, "STORECODE"));
                  bindText(st, 3, trimmed(call, "date_SdssSearch1"));
                  bindText(st, 4, trimmed(call, "date_SdssSearch2"));
              });
}

// The lines of one production in line order.
void selectProductionLines(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT d.RDITNB, COALESCE(i.IMNAME, ''), ") + itemTypeNameSql(QStringLiteral("i.IMITTY"))
        + QStringLiteral(
            ", d.RDUNIT, d.RDMDAN, d.RDMCAL, d.RDLDAN, d.RDQTY, d.RDLQTY, d.RDQTY + d.RDLQTY"
            " FROM F3301 d"
            " LEFT JOIN F0200 i ON i.IMCMCD = d.RDCMCD AND i.IMBUUT = d.RDBUUT AND i.IMITNB = d.RDITNB"
            " WHERE d.RDCMCD = ?1 AND d.RDBUUT = ?2 AND d.RDMONTH = ?3 AND d.RDNUMB = ?4 ORDER BY d.RDSEQ");
    call.open({T("RDITNB", 6), T("IMNAME", 50), T("CDNAME", 20), T("RDUNIT", 3), T("RDMDAN", 3), F("RDMCAL"),
               T("RDLDAN", 3), F("RDQTY"), F("RDLQTY"), F("chongsengsan")},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "COMPCODE"));
                  bindText(st, 2, trimmed(call, "STORECODE"));
                  bindText(st, 3, trimmed(call, "MONTH"));
                  st.bind(4, static_cast<int64_t>(call.integer(QStringLiteral("NUMB"))));
              });
}

} // namespace

void registerProductionProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F3300_StockDetail_SengSanHed_Search"), false, selectProductions);
    registry.add(QStringLiteral("GP_SELECT_F3301_StockDetail_SengSanDetail_Search"), false, selectProductionLines);
}

} // namespace hq
