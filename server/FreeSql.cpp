#include "FreeSql.h"

#include "Access.h"

#include <QDateTime>
#include <QRegularExpression>

namespace hq {

namespace {

// Unit names of an item: the terminal pastes company, store and item code into
// the text between quotes, doubling every quote inside a value. The pattern
// admits a doubled quote inside a value (read back as one) and no other quote.
const QRegularExpression &unitQuery()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*SELECT\s+IMMDAN\s*,\s*IMLDAN\s+FROM\s+f0200\s+WHERE\s+imcmcd\s*=\s*'((?:[^']|'')*)'\s+AND\s+imbuut\s*=\s*'((?:[^']|'')*)'\s+AND\s+imitnb\s*=\s*'((?:[^']|'')*)'\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The server time: seven DATEPART columns of GETDATE().
const QRegularExpression &timeQuery()
{
    static const QRegularExpression re = [] {
        struct Part {
            const char *keywords;
            const char *alias;
        };
        const Part parts[] = {{"YYYY|YEAR|YY", "YY"}, {"MM|MONTH|M", "MM"},   {"DD|DAY|D", "DD"},
                              {"HH|HOUR", "HH"},      {"MI|MINUTE|N", "NN"},  {"SS|SECOND|S", "SS"},
                              {"MS|MILLISECOND", "MS"}};
        QString p = QStringLiteral(R"(^\s*SELECT\s+)");
        bool first = true;
        for (const Part &part : parts) {
            if (!first)
                p += QStringLiteral(R"(\s*,\s*)");
            first = false;
            p += QStringLiteral(R"(DATEPART\s*\(\s*(?:%1)\s*,\s*GETDATE\s*\(\s*\)\s*\)\s+AS\s+%2)")
                     .arg(QLatin1String(part.keywords), QLatin1String(part.alias));
        }
        p += QStringLiteral(R"(\s*;?\s*$)");
        return QRegularExpression(p, QRegularExpression::CaseInsensitiveOption);
    }();
    return re;
}

} // namespace

void runFreeSql(Call &call)
{
    const QString sql = call.request.commandText;
    if (const auto m = unitQuery().match(sql); m.hasMatch()) {
        const auto value = [&m](int i) { return m.captured(i).replace(QStringLiteral("''"), QStringLiteral("'")); };
        if (call.caller)
            requireOwnStore(*call.caller, value(1), value(2));
        call.open({T("IMMDAN", 3), T("IMLDAN", 3)},
                  "SELECT IMMDAN, IMLDAN FROM F0200 WHERE IMCMCD = ?1 AND IMBUUT = ?2 AND IMITNB = ?3",
                  [&](SQLite::Statement &st) {
                      for (int i = 1; i <= 3; ++i)
                          bindText(st, i, value(i));
                  });
        return;
    }
    if (timeQuery().match(sql).hasMatch()) {
        // One reading of the clock, so the parts always agree.
        const QDateTime now = QDateTime::currentDateTime();
        const QDate d = now.date();
        const QTime t = now.time();
        wire::Answer a;
        for (const char *name : {"YY", "MM", "DD", "HH", "NN", "SS", "MS"})
            a.columns.append({QString::fromLatin1(name), wire::Type::Integer, 0});
        a.rows.append(QVariantList{qint64(d.year()), qint64(d.month()), qint64(d.day()), qint64(t.hour()),
                                   qint64(t.minute()), qint64(t.second()), qint64(t.msec())});
        call.answer = a;
        return;
    }
    throw CallError(QStringLiteral("unsupported SQL text"));
}

} // namespace hq
