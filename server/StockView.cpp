#include "StockView.h"

#include <cmath>

namespace hq {

namespace {

// `name`_open(itnb, d0, d1): per item of the store with opening balances, the
// day of its latest balance on or before `day` (null when there is none) and
// the day of its first balance.
QString balancesCte(const QString &name, const QString &company, const QString &store, const QString &day)
{
    return QStringLiteral("%1_open AS (SELECT itnb, MAX(CASE WHEN day <= %4 THEN day END) AS d0, MIN(day) AS d1"
                          " FROM V_STOCKMOVE WHERE cmcd = %2 AND buut = %3 AND kind = 'OPEN' GROUP BY itnb)")
        .arg(name, company, store, day);
}

// Whether the movement m counts toward its item's stock on `day`, o being the
// item's row of the balances (all null when the item has none): everything up
// to the day without a balance; from the latest balance on or before the day
// on, with that balance alone; before the first balance, that balance alone.
QString countsOnDay(const QString &day)
{
    return QStringLiteral("(CASE WHEN o.itnb IS NULL THEN m.day <= %1"
                          " WHEN o.d0 IS NOT NULL THEN m.day <= %1 AND m.day >= o.d0"
                          " AND (m.kind <> 'OPEN' OR m.day = o.d0)"
                          " ELSE m.kind = 'OPEN' AND m.day = o.d1 END)")
        .arg(day);
}

} // namespace

QString stockOnDayCte(const QString &name, const QString &company, const QString &store, const QString &day)
{
    return balancesCte(name, company, store, day)
           + QStringLiteral(", %1 AS (SELECT m.itnb AS itnb, SUM(m.qty) AS qty FROM V_STOCKMOVE m"
                            " LEFT JOIN %1_open o ON o.itnb = m.itnb"
                            " WHERE m.cmcd = %2 AND m.buut = %3 AND m.kind <> 'PLOSS' AND ")
                 .arg(name, company, store)
           + countsOnDay(day) + QStringLiteral(" GROUP BY m.itnb)");
}

QString stockMovesCte(const QString &name, const QString &company, const QString &store, const QString &from,
                      const QString &to)
{
    return balancesCte(name, company, store, to)
           + QStringLiteral(", %1 AS (SELECT m.itnb AS itnb, m.kind AS kind, SUM(m.qty) AS qty FROM V_STOCKMOVE m"
                            " LEFT JOIN %1_open o ON o.itnb = m.itnb"
                            " WHERE m.cmcd = %2 AND m.buut = %3 AND m.kind <> 'OPEN' AND m.day >= %4 AND ")
                 .arg(name, company, store, from)
           + countsOnDay(to) + QStringLiteral(" GROUP BY m.itnb, m.kind)");
}

QString stockText(double quantity)
{
    const qint64 hundredths = std::llround(quantity * 100);
    const bool negative = hundredths < 0;
    const qint64 a = negative ? -hundredths : hundredths;
    QString whole = QString::number(a / 100);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    QString text = (negative ? QStringLiteral("-") : QString()) + whole;
    if (const qint64 frac = a % 100) {
        text += QLatin1Char('.') + QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return text;
}

} // namespace hq
