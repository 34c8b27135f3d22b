// Recipes: the products and semi-products a recipe can be looked up for, with
// the figures of their recipe header, and the lines of one recipe.

#include "Dispatcher.h"
#include "NameBounds.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

// Products and semi-products of the store in use on a_date (empty: any day),
// whose name contains a_name and lies within the name bounds; a_gubun "1"
// keeps only those with a recipe, anything else lists all. Items without a
// recipe carry an empty flag and 0 or "" in the header figures; the sheet's
// title is the recipe's own name, else the item's. The category ids a_gkid
// and a_mkid, which the terminal sends empty, select nothing.
void selectRecipeItems(Call &call)
{
    const Cols cols = {T("IMITNB", 6), T("IMNAME", 50), T("recipy_flag_pos", 1), T("MHinam", 50), F("MHPQTY"),
                       F("MHBHWT"),    F("MHPJWT"),     F("MHJSUM"),             F("MHRORT"),     F("MHROWT"),
                       F("MHLORT"),    F("MHLOWT"),     F("MHPJQT"),             F("MHCJML"),     F("MHNQTY"),
                       F("MHSSJJ"),    F("MHJJGO"),     B("MHSTND"),             B("MHFLAG"),     B("MHSKLR"),
                       T("MHSTGU", 1)};
    const QString sql =
        QStringLiteral(
            "SELECT i.IMITNB, i.IMNAME, CASE WHEN r.MHITNB IS NULL THEN '' ELSE 'R' END,"
            " CASE WHEN r.MHITNB IS NULL THEN '' WHEN r.MHINAM = '' THEN i.IMNAME ELSE r.MHINAM END,"
            " COALESCE(r.MHPQTY, 0), COALESCE(r.MHBHWT, 0), COALESCE(r.MHPJWT, 0), COALESCE(r.MHJSUM, 0),"
            " COALESCE(r.MHRORT, 0), COALESCE(r.MHROWT, 0), COALESCE(r.MHLORT, 0), COALESCE(r.MHLOWT, 0),"
            " COALESCE(r.MHPJQT, 0), COALESCE(r.MHCJML, 0), COALESCE(r.MHNQTY, 0), COALESCE(r.MHSSJJ, 0),"
            " COALESCE(r.MHJJGO, 0), COALESCE(r.MHSTND, 0), COALESCE(r.MHFLAG, 0), COALESCE(r.MHSKLR, 0),"
            " COALESCE(r.MHSTGU, '')"
            " FROM F0200 i LEFT JOIN F0230 r ON r.MHCMCD = i.IMCMCD AND r.MHBUUT = i.IMBUUT AND r.MHITNB = i.IMITNB"
            " WHERE i.IMCMCD = ?1 AND i.IMBUUT = ?2 AND i.IMITTY IN ('1', '3') AND i.IMUSFL = 1"
            " AND (?4 = '' OR ((i.IMSTDT = '' OR i.IMSTDT <= ?4) AND (i.IMEDDT = '' OR ?4 <= i.IMEDDT)))"
            " AND (?3 = '' OR instr(lower(i.IMNAME), lower(?3)) > 0)"
            " AND ")
        + nameBoundsSql(QStringLiteral("i.IMNAME"), QStringLiteral("?5"), QStringLiteral("?6"))
        + QStringLiteral(" AND (?7 <> '1' OR r.MHITNB IS NOT NULL) ORDER BY i.IMITNB");
    call.open(cols, sql.toUtf8().constData(), [&](SQLite::Statement &st) {
        bindText(st, 1, call.text(QStringLiteral("a_cmcd")));
        bindText(st, 2, call.text(QStringLiteral("a_buut")));
        bindText(st, 3, call.text(QStringLiteral("a_name")).trimmed());
        bindText(st, 4, call.text(QStringLiteral("a_date")).trimmed());
        bindText(st, 5, call.text(QStringLiteral("a_st_han")));
        bindText(st, 6, call.text(QStringLiteral("a_ed_han")));
        bindText(st, 7, call.text(QStringLiteral("a_gubun")).trimmed());
    });
}

// The lines of one recipe in sort-key order. A group line's key begins the
// keys of the lines under it (0001, then 000101, 000102 ...), so a line's
// group is the group line with the longest key that begins its own. An
// ingredient whose share is stored as 0 gets its weight's share of the
// ingredients of its group, in per cent to one decimal (0 when they weigh
// nothing); group lines and stored shares go out as they are.
void selectRecipeLines(Call &call)
{
    const Cols cols = {T("MDNAME", 50), F("MDWGHT"), T("MDUNIT", 3), T("MDline", 10), F("MDPERC"),
                       I("mdpaky"),     T("sortkey", 40), I("MDSEQ"), B("MDweno"),     B("MDQINC")};
    call.open(cols,
              "WITH r AS (SELECT * FROM F0231 WHERE MDCMCD = ?1 AND MDBUUT = ?2 AND MDITNB = ?3),"
              " d AS (SELECT r.*, COALESCE((SELECT MAX(p.MDSORT) FROM r p WHERE p.MDPAKY = 0"
              " AND length(p.MDSORT) < length(r.MDSORT) AND substr(r.MDSORT, 1, length(p.MDSORT)) = p.MDSORT), '')"
              " AS grp FROM r),"
              " g AS (SELECT grp, SUM(MDWGHT) AS total FROM d WHERE MDPAKY <> 0 GROUP BY grp)"
              " SELECT d.MDNAME, d.MDWGHT, d.MDUNIT, d.MDLINE,"
              " CASE WHEN d.MDPAKY = 0 OR d.MDPERC <> 0 THEN d.MDPERC"
              " WHEN g.total > 0 THEN round(d.MDWGHT * 100.0 / g.total, 1) ELSE 0 END,"
              " d.MDPAKY, d.MDSORT, d.MDSEQ, d.MDWENO, d.MDQINC"
              " FROM d LEFT JOIN g ON g.grp = d.grp ORDER BY d.MDSORT",
              {"a_cmcd", "a_buut", "a_itnb"});
}

} // namespace

void registerRecipeProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0200_RECIPYENTRY"), false, selectRecipeItems);
    registry.add(QStringLiteral("GP_SELECT_F0231_RECIPYREPORT"), false, selectRecipeLines);
}

} // namespace hq
