#include "NameBounds.h"

namespace hq {

QString nameBoundsSql(const QString &column, const QString &lower, const QString &upper)
{
    const QString first = QStringLiteral("substr(%1, 1, 1)").arg(column);
    return QStringLiteral("(CASE WHEN %2 = '하' AND %3 = 'a' THEN %1 >= '하' AND %4 <= char(55203)"
                          " WHEN %2 = 'a' AND %3 = 'z' THEN lower(%4) BETWEEN 'a' AND 'z'"
                          " WHEN %2 = '0' AND %3 = '9' THEN %4 BETWEEN '0' AND '9'"
                          " ELSE (%2 = '' OR %1 >= %2) AND (%3 IN ('', 'zzzzzzzzzz') OR %1 < %3) END)")
        .arg(column, lower, upper, first);
}

} // namespace hq
