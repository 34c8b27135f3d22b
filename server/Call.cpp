#include "Call.h"

#include <QDateTime>

namespace hq {

Call::Call(SQLite::Database &database, const wire::Request &req) : db(database), request(req)
{
    for (const wire::Param &p : req.params) {
        QVariant v = p.value;
        // Procedures read amounts in units: whole amounts as integers, others as floats.
        if (p.type == wire::Type::Currency && v.isValid()) {
            const qint64 raw = v.toLongLong();
            v = raw % 10000 == 0 ? QVariant(raw / 10000) : QVariant(double(raw) / 10000.0);
        }
        m_params.insert(normalName(p.name), v);
    }
}

QString Call::normalName(const QString &name)
{
    QString n = name.trimmed();
    if (n.startsWith(u'@'))
        n.remove(0, 1);
    return n.toLower();
}

bool Call::has(const QString &name) const
{
    return m_params.contains(normalName(name));
}

QVariant Call::value(const QString &name) const
{
    return m_params.value(normalName(name));
}

QString Call::text(const QString &name) const
{
    const QVariant v = value(name);
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.typeId() == QMetaType::QDateTime)
        return storedDateTime(v.toDateTime());
    return v.toString();
}

QVariant Call::present(const QString &name) const
{
    const QVariant v = value(name);
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
        return {};
    return v;
}

void Call::open(const Cols &cols, const char *sql, std::initializer_list<const char *> textParams)
{
    Prepared st(db, sql);
    int i = 0;
    for (const char *name : textParams)
        bindText(*st, ++i, text(QString::fromLatin1(name)));
    answer = queryAnswer(*st, cols);
    m_encoded.clear();
}

void Call::stream(const Cols &cols, const char *sql, std::initializer_list<const char *> textParams)
{
    QVariantList values;
    values.reserve(qsizetype(textParams.size()));
    for (const char *name : textParams)
        values.append(text(QString::fromLatin1(name)));
    streamValues(cols, sql, values);
}

void Call::streamValues(const Cols &cols, const char *sql, const QVariantList &values)
{
    RawPrepared st(db, sql);
    int i = 0;
    for (const QVariant &v : values)
        bindValue(st, ++i, v);
    if (m_asBytes) {
        answer = {};
        m_encoded = queryAnswerBytes(st, cols);
    } else {
        answer = queryAnswer(st, cols);
        m_encoded.clear();
    }
}

QVariant Call::converted(const QString &name, wire::Type type) const
{
    try {
        return wire::coerce(present(name), type);
    } catch (const wire::DecodeError &e) {
        const QString where = QStringLiteral("parameter %1: ").arg(name);
        throw CallError(where + QString::fromStdString(e.what()), where + QString::fromStdString(e.logText()));
    }
}

qint64 Call::integer(const QString &name, qint64 fallback) const
{
    const QVariant v = converted(name, wire::Type::Integer);
    return v.isValid() ? v.toLongLong() : fallback;
}

double Call::number(const QString &name, double fallback) const
{
    const QVariant v = converted(name, wire::Type::Float);
    return v.isValid() ? v.toDouble() : fallback;
}

bool Call::boolean(const QString &name, bool fallback) const
{
    const QVariant v = converted(name, wire::Type::Boolean);
    return v.isValid() ? v.toBool() : fallback;
}

} // namespace hq
