#include "StockView.h"

#include <cmath>

namespace hq {

QString stockOnDayCte(const QString &name, const QString &company, const QString &store, const QString &day)
{
    return QStringLiteral(
               "%1_open AS (SELECT itnb, MAX(day) AS d0 FROM V_STOCKMOVE"
               " WHERE cmcd = %2 AND buut = %3 AND kind = 'OPEN' AND day <= %4 GROUP BY itnb),"
               " %1 AS (SELECT m.itnb AS itnb, SUM(m.qty) AS qty FROM V_STOCKMOVE m"
               " LEFT JOIN %1_open o ON o.itnb = m.itnb"
               " WHERE m.cmcd = %2 AND m.buut = %3 AND m.day <= %4"
               " AND (o.d0 IS NULL OR m.day >= o.d0) AND (m.kind <> 'OPEN' OR m.day = o.d0) AND m.kind <> 'PLOSS'"
               " GROUP BY m.itnb)")
        .arg(name, company, store, day);
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
