// Production reports: every production line of a period, the daily totals of
// one production line, and the totals by item and month of a year and line.
//
// The amounts are worked out here (the terminal stores 0 in RDAMT): a line's
// production amount is its quantity in the item's base unit times the
// transfer price IMPRC2, its retail amount the same at the retail price
// IMPRC1, each taken exactly on the fixed-point Currency and truncated, as
// the document inserts compute amounts, then summed. A line in the item's
// pack unit counts its stored factor (else the item's IMMCAL), as stock does.
// The line filter applies to each production line (RDLINB): a production
// saved from a pattern holds lines of several production lines.

#include "Dispatcher.h"
#include "Documents.h"
#include "NameBounds.h"
#include "procedures/Procedures.h"

#include <algorithm>

namespace hq {

namespace {

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// The production lines `pl` of a store (?1, ?2) made between the days ?3 and
// ?4 ("yyyymmdd", both included) whose item name lies within the
// bounds ?5 and ?6, with the item's names, categories and prices and the
// amounts of the line:
//   day, month, numb, seq, linb, itnb, unit, qty, loss, wprc, bprc, made
//   (qty in base units), name, gkid, mkid, amt (at IMPRC2), samt (at IMPRC1).
QString productionLinesCte()
{
    return QStringLiteral(
               "pl AS (SELECT h.RHDATE AS day, d.RDMONTH AS month, d.RDNUMB AS numb, d.RDSEQ AS seq,"
               " d.RDLINB AS linb, d.RDITNB AS itnb, d.RDUNIT AS unit, d.RDQTY AS qty, d.RDLQTY AS loss,"
               " d.RDWPRC AS wprc, d.RDBPRC AS bprc, COALESCE(i.IMNAME, '') AS name,"
               " COALESCE(i.IMSDKI, '') AS gkid, COALESCE(i.IMSJKI, '') AS mkid,"
               " d.RDQTY * (CASE WHEN d.RDUNIT <> '' AND d.RDUNIT = COALESCE(NULLIF(d.RDMDAN, ''), i.IMMDAN)"
               " AND d.RDUNIT <> COALESCE(NULLIF(d.RDLDAN, ''), i.IMLDAN)"
               " THEN COALESCE(NULLIF(d.RDMCAL, 0), i.IMMCAL, 1) ELSE 1 END) AS made,"
               " COALESCE(i.IMPRC2, 0) AS prc2, COALESCE(i.IMPRC1, 0) AS prc1"
               " FROM F3300 h"
               " JOIN F3301 d ON d.RDCMCD = h.RHCMCD AND d.RDBUUT = h.RHBUUT AND d.RDMONTH = h.RHMONTH"
               " AND d.RDNUMB = h.RHNUMB"
               " LEFT JOIN F0200 i ON i.IMCMCD = d.RDCMCD AND i.IMBUUT = d.RDBUUT AND i.IMITNB = d.RDITNB"
               " WHERE h.RHCMCD = ?1 AND h.RHBUUT = ?2 AND h.RHDATE BETWEEN ?3 AND ?4"
               " AND ")
           + nameBoundsSql(QStringLiteral("COALESCE(i.IMNAME, '')"), QStringLiteral("?5"), QStringLiteral("?6"))
           + QStringLiteral("), la AS (SELECT pl.*, fixed_amount(made, prc2) AS amt, fixed_amount(made, prc1) AS samt"
                            " FROM pl)");
}

// The day bounds of a period as sent: an empty bound is open.
QVariant fromDay(const Call &call, const char *name)
{
    return call.text(QString::fromLatin1(name)).trimmed();
}
QVariant toDay(const Call &call, const char *name)
{
    const QString day = call.text(QString::fromLatin1(name)).trimmed();
    return day.isEmpty() ? QStringLiteral("99999999") : day;
}

// The name of the store ?2 of company ?1.
const QString kStoreName = partnerNameSql(QStringLiteral("?1"), QStringLiteral("?2"), QStringLiteral("?2"));

// A category id that asks for no restriction: empty, or all zeros.
QString anyCategory(const QString &param, const QString &column)
{
    return QStringLiteral("(%1 IN ('', '0000000000') OR %2 = %1)").arg(param, column);
}

// Every production line of the store between A_stdt and A_eddt, by day,
// production line and item: the quantity and loss as made, in the line's
// unit; the raw-material and extra costs (RDWPRC, RDBPRC) and their sum
// `cost`; the production amount (RDAMT, amt) and the unit cost RDUPRC =
// cost / quantity (0 for a line that made nothing). Category ids A_gkid /
// A_mkid (empty: all), a part of the name A_jname and the name bounds
// narrow the items; A_gubun is not used.
void selectProductionInquiry(Call &call)
{
    const Cols cols = {T("RHDATE", 10), T("RDLINB", 3),   T("RDITNB", 6), T("itnb_name", 50), T("gkid_name", 50),
                       T("mkid_name", 50), T("buut_name", 50), T("RDUNIT", 3), F("RDQTY"),       I("RDUPRC"),
                       I("RDAMT"),        I("RDWPRC"),     I("RDBPRC"),    I("cost"),         I("amt"),
                       F("RDLQTY")};
    const QString sql =
        QStringLiteral("WITH ") + productionLinesCte()
        + QStringLiteral(", lc AS (SELECT la.*, fixed_trunc(wprc) AS wprc_t, fixed_trunc(bprc) AS bprc_t,"
                         " fixed_trunc(wprc) + fixed_trunc(bprc) AS cost FROM la"
                         " WHERE ")
        + anyCategory(QStringLiteral("?7"), QStringLiteral("gkid")) + QStringLiteral(" AND ")
        + anyCategory(QStringLiteral("?8"), QStringLiteral("mkid"))
        + QStringLiteral(" AND (?9 = '' OR instr(lower(name), lower(?9)) > 0))"
                         " SELECT ")
        + dayText(QStringLiteral("day")) + QStringLiteral(", linb, itnb, name, ")
        + productionMajorNameSql(QStringLiteral("?1"), QStringLiteral("?2"), QStringLiteral("gkid"))
        + QStringLiteral(", ")
        + productionMiddleNameSql(QStringLiteral("?1"), QStringLiteral("?2"), QStringLiteral("gkid"),
                                  QStringLiteral("mkid"))
        + QStringLiteral(", ") + kStoreName
        + QStringLiteral(", unit, qty, fixed_unit(cost, qty), amt, wprc_t, bprc_t, cost, amt, loss FROM lc"
                         " ORDER BY day, linb, itnb, month, numb, seq");
    call.streamValues(cols, sql.toUtf8().constData(),
                      {trimmed(call, "A_CMCD"), trimmed(call, "A_BUUT"), fromDay(call, "A_stdt"),
                       toDay(call, "A_eddt"), call.text(QStringLiteral("A_st_han")),
                       call.text(QStringLiteral("A_ed_han")), trimmed(call, "A_gkid"), trimmed(call, "A_mkid"),
                       trimmed(call, "A_jname")});
}

// The weekday of a "yyyymmdd" column, "일" (Sunday) to "토".
QString weekdaySql(const QString &day)
{
    return QStringLiteral("substr('일월화수목금토', CAST(strftime('%w', substr(%1, 1, 4) || '-' || substr(%1, 5, 2)"
                          " || '-' || substr(%1, 7, 2)) AS INTEGER) + 1, 1)")
        .arg(day);
}

// Per day and item, what the production line a_linb made at the store
// between a_stdt and a_eddt: the quantity in the item's base unit, its
// production amount and its retail amount. The item a_itnb (empty: all) and
// the name bounds narrow the items.
void selectDailyProductSum(Call &call)
{
    const Cols cols = {T("buut_name", 50), T("nalja", 10), T("yoil", 1), T("itnb_name", 50),
                       F("qty"),           I("amt"),       I("samt")};
    const QString sql = QStringLiteral("WITH ") + productionLinesCte() + QStringLiteral(" SELECT ") + kStoreName
                        + QStringLiteral(", ") + dayText(QStringLiteral("day")) + QStringLiteral(", ")
                        + weekdaySql(QStringLiteral("day"))
                        + QStringLiteral(", name, ROUND(SUM(made), 4), SUM(amt), SUM(samt) FROM la"
                                         " WHERE linb = ?7 AND (?8 = '' OR itnb = ?8)"
                                         " GROUP BY day, itnb ORDER BY day, itnb");
    call.streamValues(cols, sql.toUtf8().constData(),
                      {trimmed(call, "a_cmcd"), trimmed(call, "a_buut"), fromDay(call, "a_stdt"),
                       toDay(call, "a_eddt"), call.text(QStringLiteral("a_st_han")),
                       call.text(QStringLiteral("a_ed_han")), trimmed(call, "a_linb"), trimmed(call, "a_itnb")});
}

// Per item, what the production line a_linb made at the store in the year
// a_year: the quantity in the item's base unit (gamt) and its production
// amount (samt) for the year and for each month. A year that is not four
// digits (empty when the screen's list lacks the year) finds nothing.
void selectItemProductSum(Call &call)
{
    Cols cols = {T("buut_name", 50), T("gkid_name", 50), T("itnb_name", 50), F("tot_gamt"), I("tot_samt")};
    QString months;
    for (int m = 1; m <= 12; ++m) {
        const QString mm = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
        cols << Col{QStringLiteral("gamt") + mm, wire::Type::Float, 0}
             << Col{QStringLiteral("samt") + mm, wire::Type::Integer, 0};
        months += QStringLiteral(", ROUND(SUM(CASE WHEN mon = '%1' THEN made ELSE 0 END), 4),"
                                 " SUM(CASE WHEN mon = '%1' THEN amt ELSE 0 END)")
                      .arg(mm);
    }
    const QString year = trimmed(call, "a_year");
    const bool valid = year.size() == 4 && std::all_of(year.begin(), year.end(), [](QChar c) {
                           return c >= u'0' && c <= u'9';
                       });
    // No year: a range no day lies in, so the answer still has its columns.
    const QString from = valid ? year + QStringLiteral("0101") : QStringLiteral("99999999");
    const QString to = valid ? year + QStringLiteral("1231") : QStringLiteral("00000000");
    // The line's rows are worked out once (amounts, month), then pivoted.
    const QString sql = QStringLiteral("WITH ") + productionLinesCte()
                        + QStringLiteral(", m AS MATERIALIZED (SELECT itnb, name, gkid, substr(day, 5, 2) AS mon, made,"
                                         " amt FROM la WHERE linb = ?7) SELECT ")
                        + kStoreName + QStringLiteral(", ")
                        + productionMajorNameSql(QStringLiteral("?1"), QStringLiteral("?2"), QStringLiteral("gkid"))
                        + QStringLiteral(", name, ROUND(SUM(made), 4), SUM(amt)") + months
                        + QStringLiteral(" FROM m GROUP BY itnb ORDER BY itnb");
    call.streamValues(cols, sql.toUtf8().constData(),
                      {trimmed(call, "a_cmcd"), trimmed(call, "a_buut"), from, to, QString(), QString(),
                       trimmed(call, "a_linb")});
}

} // namespace

void registerProductionReportProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F3301_PRODUCTINQUIRY"), false, selectProductionInquiry);
    registry.add(QStringLiteral("GP_SELECT_F3301_DAILYPRODUCTSUM"), false, selectDailyProductSum);
    registry.add(QStringLiteral("GP_SELECT_F3200_ITEMPRODUCTSUM"), false, selectItemProductSum);
}

} // namespace hq
