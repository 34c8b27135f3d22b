// Productions (F3300 / F3301): the company's production lines, writing a
// production header by header and line by line, deleting one, the
// productions of a store between two days and the lines of one production
// with the item's type name and its total (produced + lost); and the
// production patterns (F3320 / F3321) with their lines. Stock and the
// ingredients used follow from the lines through the movement view
// (V_STOCKMOVE).

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include "platform/dataset/Currency.h"

#include <SQLiteCpp/Statement.h>

namespace hq {

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3300_PRODUCTENTRY");
const QString kDelete = QStringLiteral("GP_DELETE_F3300_PRODUCTENTRY");
const QString kNoNumber = QStringLiteral("생산 번호가 없습니다.");

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// The production lines of the company (code group 061) in their order, line
// "001" first whatever its position: the screens send "001" until a line is
// chosen, and show the first line meanwhile.
void selectProduceLines(Call &call)
{
    call.open({T("CDNAME", 50), T("CDSSCD", 3)},
              "SELECT CDNAME, CDSSCD FROM F0011 WHERE CDCMCD = ?1 AND CDGUCD = '061'"
              " ORDER BY CDSSCD <> '001', CDSEQ, CDSSCD",
              {"COMPCODE"});
}

// A header sent again replaces the production with its lines: a retried save
// or a modification never leaves stale lines.
void writeProductionHeader(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("RH"), kNoNumber);
    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    writeHeader(call.db, docs::production(),
                {
                    {QStringLiteral("RHCMCD"), k.cmcd},
                    {QStringLiteral("RHBUUT"), k.buut},
                    {QStringLiteral("RHMONTH"), k.month},
                    {QStringLiteral("RHNUMB"), k.numb},
                    {QStringLiteral("RHYEAR"), text("A_RHYEAR")},
                    {QStringLiteral("RHDATE"), text("A_RHDATE")},
                    {QStringLiteral("RHLINB"), text("A_RHLINB")},
                    {QStringLiteral("RHADNB"), text("A_RHADNB")},
                    {QStringLiteral("RHSTTM"), text("A_RHSTTM")},
                    {QStringLiteral("RHEDTM"), text("A_RHEDTM")},
                    {QStringLiteral("RHBIGO"), text("A_RHBIGO")},
                    {QStringLiteral("RHWORK"), text("A_RHWORK")},
                    {QStringLiteral("RHPGID"), text("A_RHPGID")},
                    {QStringLiteral("RHLADT"), nowText()},
                });
}

// The recipe cost of one unit of an item of the store (MHEPRI), 0 without a
// recipe.
double recipeUnitCost(SQLite::Database &db, const DocumentKey &k, const QString &item)
{
    Prepared st(db, "SELECT MHEPRI FROM F0230 WHERE MHCMCD = ?1 AND MHBUUT = ?2 AND MHITNB = ?3");
    bindText(*st, 1, k.cmcd);
    bindText(*st, 2, k.buut);
    bindText(*st, 3, item);
    return st->executeStep() ? st->getColumn(0).getDouble() : 0;
}

// One line of an existing production; a line sent again under the same
// sequence replaces the earlier one. The raw-material cost RDWPRC is kept as
// sent; a line that arrives without one (0: a line reloaded for a change, or
// saved by the production-pattern screen) costs its quantity at the recipe's
// unit cost, so the reports never lose a cost to a modification.
void writeProductionLine(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("RD"), kNoNumber);
    const qint64 seq = call.integer(QStringLiteral("A_RDSEQ"));
    if (seq <= 0)
        throw CallError(QStringLiteral("생산 순번이 없습니다."));
    const QString item = trimmed(call, "A_RDITNB");
    if (item.isEmpty())
        throw CallError(QStringLiteral("품목이 지정되지 않았습니다."));
    if (!documentExists(call.db, docs::production(), k))
        throw CallError(QStringLiteral("생산 내역이 없습니다: %1").arg(numberText(k.month, k.numb)));

    Prepared del(call.db, "DELETE FROM F3301 WHERE RDCMCD = ?1 AND RDBUUT = ?2 AND RDMONTH = ?3 AND RDNUMB = ?4"
                          " AND RDSEQ = ?5");
    const QVariantList key = k.values();
    for (int i = 0; i < key.size(); ++i)
        bindValue(*del, i + 1, key[i]);
    del->bind(5, static_cast<int64_t>(seq));
    del->exec();

    const double qty = call.number(QStringLiteral("A_RDQTY"));
    double cost = call.number(QStringLiteral("A_RDWPRC"));
    if (cost == 0)
        cost = (Currency::fromDouble(qty) * recipeUnitCost(call.db, k, item)).toDouble();

    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    auto integer = [&](const char *name) { return QVariant(call.integer(QString::fromLatin1(name))); };
    auto number = [&](const char *name) { return QVariant(call.number(QString::fromLatin1(name))); };
    insertRow(call.db, QStringLiteral("F3301"),
              {
                  {QStringLiteral("RDCMCD"), k.cmcd},
                  {QStringLiteral("RDBUUT"), k.buut},
                  {QStringLiteral("RDMONTH"), k.month},
                  {QStringLiteral("RDNUMB"), k.numb},
                  {QStringLiteral("RDSEQ"), seq},
                  {QStringLiteral("RDITNB"), item},
                  {QStringLiteral("RDBAR"), text("A_RDBAR")},
                  {QStringLiteral("RDRFID"), text("A_RDRFID")},
                  {QStringLiteral("RDLINB"), text("A_RDLINB")},
                  {QStringLiteral("RDUNIT"), text("A_RDUNIT")},
                  {QStringLiteral("RDQTY"), qty},
                  {QStringLiteral("RDUPRC"), integer("A_RDUPRC")},
                  {QStringLiteral("RDAMT"), integer("A_RDAMT")},
                  {QStringLiteral("RDBDAN"), text("A_RDBDAN")},
                  {QStringLiteral("RDMDAN"), text("A_RDMDAN")},
                  {QStringLiteral("RDLDAN"), text("A_RDLDAN")},
                  {QStringLiteral("RDMQTY"), number("A_RDMQTY")},
                  {QStringLiteral("RDSQTY"), number("A_RDSQTY")},
                  {QStringLiteral("RDMCAL"), number("A_RDMCAL")},
                  {QStringLiteral("RDLQTY"), number("A_RDLQTY")},
                  {QStringLiteral("RDSJSY"), text("A_RDSJSY")},
                  {QStringLiteral("RDBIGO"), text("A_RDBIGO")},
                  {QStringLiteral("RDSTTM"), text("A_RDSTTM")},
                  {QStringLiteral("RDEDTM"), text("A_RDEDTM")},
                  {QStringLiteral("RDCHMONTH"), text("A_RDCHMONTH")},
                  {QStringLiteral("RDIBMONTH"), text("A_RDIBMONTH")},
                  {QStringLiteral("RDCHNUMB"), integer("A_RDCHNUMB")},
                  {QStringLiteral("RDCHSEQ"), integer("A_RDCHSEQ")},
                  {QStringLiteral("RDIBNUMB"), integer("A_RDIBNUMB")},
                  {QStringLiteral("RDIBSEQ"), integer("A_RDIBSEQ")},
                  {QStringLiteral("RDWPRC"), cost},
                  {QStringLiteral("RDBPRC"), number("A_RDBPRC")},
                  {QStringLiteral("RDWORK"), text("A_RDWORK")},
                  {QStringLiteral("RDPGID"), text("A_RDPGID")},
                  {QStringLiteral("RDLADT"), nowText()},
              });
}

// A_GUBUN 1 writes the header, 2 one line.
void insertProductionEntry(Call &call)
{
    switch (call.integer(QStringLiteral("A_GUBUN"))) {
    case 1: writeProductionHeader(call); return;
    case 2: writeProductionLine(call); return;
    default: throw CallError(QStringLiteral("올바른 구분이 아닙니다: %1").arg(call.text(QStringLiteral("A_GUBUN"))));
    }
}

// Deletes a production with its lines and records who did it.
void deleteProductionEntry(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("RH"), kNoNumber);
    if (!deleteDocument(call.db, docs::production(), k.values()))
        throw CallError(QStringLiteral("삭제할 생산 내역이 없습니다."));
    audit(call, kDelete, k.text(), trimmed(call, "A_RHWORK"), trimmed(call, "A_RHPGID"));
}

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

// The production patterns in use of the store whose name contains a_name
// (every pattern for an empty a_name), in their order, with the production
// line's name (code group 061).
void selectProductionPatterns(Call &call)
{
    call.open({I("UHNUMB"), T("UHNAME", 50), T("UHLINB", 3), T("uhlinb_name", 50)},
              "SELECT h.UHNUMB, h.UHNAME, h.UHLINB,"
              " COALESCE((SELECT c.CDNAME FROM F0011 c WHERE c.CDCMCD = h.UHCMCD AND c.CDGUCD = '061'"
              " AND c.CDSSCD = h.UHLINB), '')"
              " FROM F3320 h WHERE h.UHCMCD = ?1 AND h.UHBUUT = ?2 AND h.UHUSFL = 1"
              " AND (?3 = '' OR instr(h.UHNAME, ?3) > 0) ORDER BY h.UHSEQ, h.UHNUMB",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "a_cmcd"));
                  bindText(st, 2, trimmed(call, "a_buut"));
                  bindText(st, 3, trimmed(call, "a_name"));
              });
}

// The lines of pattern a_numb of the store in UDSEQ order: the item's kind
// code and units from the item master, the production unit (the item's base
// unit when the line names none), the base quantity and the production line
// (the pattern's when the line names none).
void selectProductionPatternLines(Call &call)
{
    call.open({I("UDNUMB"), I("UDSEQ"), T("UDITNB", 6), T("IMITTY", 3), T("UDMDAN", 3), T("UDLDAN", 3), F("UDMCAL"),
               T("itnb_name", 50), T("UDUNIT", 3), F("UDQTY"), T("LINB", 3)},
              "SELECT d.UDNUMB, d.UDSEQ, d.UDITNB, COALESCE(i.IMITTY, ''), COALESCE(i.IMMDAN, ''),"
              " COALESCE(i.IMLDAN, ''), COALESCE(i.IMMCAL, 0), COALESCE(i.IMNAME, ''),"
              " CASE WHEN d.UDUNIT = '' THEN COALESCE(i.IMLDAN, '') ELSE d.UDUNIT END, d.UDQTY,"
              " CASE WHEN d.UDLINB = '' THEN h.UHLINB ELSE d.UDLINB END"
              " FROM F3321 d"
              " JOIN F3320 h ON h.UHCMCD = d.UDCMCD AND h.UHBUUT = d.UDBUUT AND h.UHNUMB = d.UDNUMB"
              " LEFT JOIN F0200 i ON i.IMCMCD = d.UDCMCD AND i.IMBUUT = d.UDBUUT AND i.IMITNB = d.UDITNB"
              " WHERE d.UDCMCD = ?1 AND d.UDBUUT = ?2 AND d.UDNUMB = ?3 ORDER BY d.UDSEQ",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "a_cmcd"));
                  bindText(st, 2, trimmed(call, "a_buut"));
                  st.bind(3, static_cast<int64_t>(call.integer(QStringLiteral("a_numb"))));
              });
}

} // namespace

void registerProductionProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0011_ProduceLine"), false, selectProduceLines);
    registry.add(kInsert, true, insertProductionEntry);
    registry.add(kDelete, true, deleteProductionEntry);
    registry.add(QStringLiteral("GP_SELECT_F3300_StockDetail_SengSanHed_Search"), false, selectProductions);
    registry.add(QStringLiteral("GP_SELECT_F3301_StockDetail_SengSanDetail_Search"), false, selectProductionLines);
    registry.add(QStringLiteral("GP_SELECT_F3320_PRODUCTPTRNENTRY"), false, selectProductionPatterns);
    registry.add(QStringLiteral("GP_SELECT_F3321_PRODUCTPTRNENTRY"), false, selectProductionPatternLines);
}

} // namespace hq
