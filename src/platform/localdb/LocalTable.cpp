#include "platform/localdb/LocalTable.h"

#include "platform/localdb/LocalDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

FieldType fieldTypeOf(LocalColumnKind kind)
{
    switch (kind) {
    case LocalColumnKind::Text: return FieldType::String;
    case LocalColumnKind::SmallInt: return FieldType::SmallInt;
    case LocalColumnKind::Integer: return FieldType::Integer;
    case LocalColumnKind::Float: return FieldType::Float;
    case LocalColumnKind::Decimal: return FieldType::Currency;
    case LocalColumnKind::Boolean: return FieldType::Boolean;
    case LocalColumnKind::DateTime: return FieldType::DateTime;
    }
    return FieldType::String;
}

// A stored field value in the form the table keeps: texts, integers, reals,
// date-times as "yyyy-MM-dd HH:mm:ss.zzz", amounts as exact decimal texts.
QVariant sqlValue(const QVariant &stored)
{
    if (!stored.isValid() || stored.isNull())
        return QVariant();
    switch (stored.metaType().id()) {
    case QMetaType::QDateTime:
        return stored.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    case QMetaType::Bool:
        return QVariant(qint64(stored.toBool() ? 1 : 0));
    case QMetaType::Int:
        return QVariant(qint64(stored.toInt()));
    default:
        break;
    }
    if (stored.canConvert<Currency>() && stored.metaType() == QMetaType::fromType<Currency>())
        return stored.value<Currency>().toString();
    return stored;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

[[noreturn]] void sqlFailure(const QSqlQuery &q, const QString &what)
{
    throw LocalDbError(what + QStringLiteral(": ") + q.lastError().text());
}

} // namespace

LocalTable::LocalTable(LocalDatabase &database, QObject *parent)
    : DataSet(parent), m_database(database)
{
    BeforePost = [this](DataSet &) { writeBack(); };
}

void LocalTable::setTableName(const QString &name)
{
    if (Active())
        throw LocalDbError(QStringLiteral("Cannot change the table of an open data set"));
    const LocalTableSchema *schema = FindLocalSchema(name);
    if (!schema)
        throw LocalDbError(QStringLiteral("Unknown local table '%1'").arg(name));
    ClearFields();
    m_storedFields.clear();
    m_readValues.clear();
    for (const LocalColumn &c : schema->columns) {
        Field &f = AddField(QLatin1String(c.name), fieldTypeOf(c.kind), c.size);
        if (c.stored)
            m_storedFields.append(f.Index());
    }
    AddField(QLatin1String(RowIdField), FieldType::Float);
    m_schema = schema;
    m_tableName = QLatin1String(schema->name);
}

void LocalTable::InternalOpen()
{
    readRows();
}

void LocalTable::InternalClose()
{
    m_readValues.clear();
    QList<QList<QVariant>> none;
    LoadRows(FieldDefs(), std::move(none));
}

void LocalTable::Refresh()
{
    if (!Active()) {
        Open();
        return;
    }
    CheckBrowseMode();
    readRows();
}

void LocalTable::readRows()
{
    if (!m_schema)
        throw LocalDbError(QStringLiteral("No table name set"));
    if (!m_database.isOpen())
        throw LocalDbError(QStringLiteral("The local database is not open"));

    const QStringList columns = m_schema->storedColumnNames();
    QStringList selected;
    for (const QString &c : columns)
        selected << quoted(c);
    QSqlQuery q(m_database.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                    .arg(selected.join(QStringLiteral(", ")), quoted(m_tableName))))
        sqlFailure(q, QStringLiteral("Cannot read %1").arg(m_tableName));

    const QList<FieldDef> defs = FieldDefs();
    const int rowIdIndex = fieldIndex(QLatin1String(RowIdField));
    QList<QList<QVariant>> rows;
    QHash<qint64, QList<QVariant>> read;
    while (q.next()) {
        QList<QVariant> row(defs.size());
        QList<QVariant> stored;
        stored.reserve(m_storedFields.size());
        const qint64 rowId = q.value(0).toLongLong();
        for (int c = 0; c < m_storedFields.size(); ++c) {
            const int f = m_storedFields[c];
            QVariant v;
            try {
                v = Field::convert(q.value(c + 1), defs[f]);
            } catch (const DataSetError &) {
                // A value the other program wrote in a form we cannot read
                // shows as empty rather than hiding the whole table.
                v = QVariant();
            }
            stored.append(sqlValue(v));
            row[f] = std::move(v);
        }
        row[rowIdIndex] = QVariant(double(rowId));
        read.insert(rowId, std::move(stored));
        rows.append(std::move(row));
    }
    if (q.lastError().isValid())
        sqlFailure(q, QStringLiteral("Cannot read %1").arg(m_tableName));
    q.finish();

    LoadRows(defs, std::move(rows));
    m_readValues = std::move(read);
}

void LocalTable::writeBack()
{
    const QList<FieldDef> defs = FieldDefs();
    Field &rowIdField = FieldByName(QLatin1String(RowIdField));
    QList<QVariant> values;
    values.reserve(m_storedFields.size());
    for (int f : m_storedFields)
        values.append(sqlValue(Fields(f).AsVariant()));

    QSqlQuery q(m_database.database());
    if (State() == DataSetState::Insert || rowIdField.IsNull()) {
        QStringList names, marks;
        for (int f : m_storedFields) {
            names << quoted(defs[f].name);
            marks << QStringLiteral("?");
        }
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(m_tableName), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            sqlFailure(q, QStringLiteral("Cannot insert into %1").arg(m_tableName));
        const qint64 rowId = q.lastInsertId().toLongLong();
        rowIdField.setAsFloat(double(rowId));
        m_readValues.insert(rowId, values);
        return;
    }

    const qint64 rowId = qint64(rowIdField.AsFloat());
    const QList<QVariant> before = m_readValues.value(rowId);
    QStringList sets;
    QList<QVariant> changed;
    for (int c = 0; c < m_storedFields.size(); ++c) {
        if (c < before.size() && before[c] == values[c])
            continue;
        sets << quoted(defs[m_storedFields[c]].name) + QStringLiteral(" = ?");
        changed << values[c];
    }
    if (sets.isEmpty())
        return;
    q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(quoted(m_tableName), sets.join(QStringLiteral(", "))));
    for (const QVariant &v : changed)
        q.addBindValue(v);
    q.addBindValue(rowId);
    if (!q.exec())
        sqlFailure(q, QStringLiteral("Cannot update %1").arg(m_tableName));
    // A row the other program deleted meanwhile is not written (nothing to keep).
    m_readValues.insert(rowId, values);
}

void LocalTable::Delete()
{
    checkActive();
    if (State() != DataSetState::Insert && !IsEmpty()) {
        Field &rowIdField = FieldByName(QLatin1String(RowIdField));
        if (!rowIdField.IsNull()) {
            const qint64 rowId = qint64(rowIdField.AsFloat());
            QSqlQuery q(m_database.database());
            q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_tableName)));
            q.addBindValue(rowId);
            if (!q.exec())
                sqlFailure(q, QStringLiteral("Cannot delete from %1").arg(m_tableName));
            m_readValues.remove(rowId);
        }
    }
    DataSet::Delete();
}
