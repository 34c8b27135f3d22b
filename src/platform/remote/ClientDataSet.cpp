#include "platform/remote/ClientDataSet.h"

#include <algorithm>

namespace {

wire::Type wireType(FieldType type)
{
    switch (type) {
    case FieldType::String: return wire::Type::String;
    case FieldType::SmallInt: return wire::Type::SmallInt;
    case FieldType::Integer: return wire::Type::Integer;
    case FieldType::Float: return wire::Type::Float;
    case FieldType::Currency: return wire::Type::Currency;
    case FieldType::Boolean: return wire::Type::Boolean;
    case FieldType::DateTime: return wire::Type::DateTime;
    }
    return wire::Type::String;
}

FieldType fieldType(wire::Type type)
{
    switch (type) {
    case wire::Type::String: return FieldType::String;
    case wire::Type::SmallInt: return FieldType::SmallInt;
    case wire::Type::Integer: return FieldType::Integer;
    case wire::Type::Float: return FieldType::Float;
    case wire::Type::Currency: return FieldType::Currency;
    case wire::Type::Boolean: return FieldType::Boolean;
    case wire::Type::DateTime: return FieldType::DateTime;
    }
    return FieldType::String;
}

// A parameter value in its wire form (currency as ten-thousandths). A value
// set before its parameter's type changed is converted now, so it never
// travels as a silent 0 or ""; one that does not convert raises DataSetError.
QVariant wireValue(const Param &p)
{
    if (p.IsNull())
        return {};
    const QVariant v = Field::convert(p.Value(), FieldDef{p.Name(), p.DataType(), 0});
    if (p.DataType() == FieldType::Currency)
        return v.value<Currency>().raw();
    return v;
}

} // namespace

// ---- Param ----------------------------------------------------------------

void Param::setValue(const QVariant &value)
{
    m_value = Field::convert(value, FieldDef{m_name, m_type, 0});
}

void Param::setAsString(const QString &value)
{
    m_type = FieldType::String;
    m_value = value;
}

void Param::setAsInteger(int value)
{
    m_type = FieldType::Integer;
    m_value = value;
}

void Param::setAsSmallInt(int value)
{
    m_type = FieldType::SmallInt;
    setValue(value);
}

void Param::setAsFloat(double value)
{
    m_type = FieldType::Float;
    m_value = value;
}

void Param::setAsCurrency(Currency value)
{
    m_type = FieldType::Currency;
    m_value = QVariant::fromValue(value);
}

void Param::setAsBoolean(bool value)
{
    m_type = FieldType::Boolean;
    m_value = value;
}

void Param::setAsDateTime(const QDateTime &value)
{
    m_type = FieldType::DateTime;
    m_value = value.isValid() ? QVariant(value) : QVariant();
}

QString Param::AsString() const
{
    return IsNull() ? QString() : Field::textOf(m_value, m_type);
}

int Param::AsInteger() const
{
    if (IsNull())
        return 0;
    return Field::convert(m_value, FieldDef{m_name, FieldType::Integer, 0}).toInt();
}

// ---- Params ---------------------------------------------------------------

Param &Params::CreateParam(FieldType type, const QString &name)
{
    if (Param *p = FindParam(name)) {
        p->setDataType(type);
        return *p;
    }
    m_items.push_back(std::make_unique<Param>(name, type));
    return *m_items.back();
}

Param *Params::FindParam(const QString &name) const
{
    for (const auto &p : m_items)
        if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

Param &Params::ParamByName(const QString &name) const
{
    if (Param *p = FindParam(name))
        return *p;
    throw DataSetError(QStringLiteral("Parameter '%1' not found").arg(name));
}

// ---- ClientDataSet --------------------------------------------------------

ClientDataSet::ClientDataSet(QObject *parent) : DataSet(parent) {}

wire::Request ClientDataSet::request(wire::Mode mode) const
{
    wire::Request r;
    r.provider = m_provider;
    r.commandText = m_command;
    r.mode = mode;
    for (int i = 0; i < m_params.Count(); ++i) {
        const Param &p = m_params.Items(i);
        r.params.append({p.Name(), wireType(p.DataType()), wireValue(p)});
    }
    return r;
}

wire::Answer ClientDataSet::callServer(wire::Mode mode)
{
    if (!m_remote)
        throw DataSetError(QStringLiteral("%1: no remote server").arg(objectName()));
    if (m_command.trimmed().isEmpty())
        throw DataSetError(QStringLiteral("%1: no command text").arg(objectName()));
    return m_remote->call(request(mode));
}

void ClientDataSet::Open()
{
    DataSet::Close();
    DataSet::Open();
}

qint64 ClientDataSet::Execute()
{
    DataSet::Close();
    return callServer(wire::Mode::Execute).rowsAffected;
}

void ClientDataSet::DeclareStoredFields(const QList<FieldDef> &defs)
{
    ClearFields();
    AddFields(defs);
    m_storedFields = true;
}

namespace {

QString typeName(FieldType type)
{
    switch (type) {
    case FieldType::String: return QStringLiteral("String");
    case FieldType::SmallInt: return QStringLiteral("SmallInt");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Currency: return QStringLiteral("Currency");
    case FieldType::Boolean: return QStringLiteral("Boolean");
    case FieldType::DateTime: return QStringLiteral("DateTime");
    }
    return QString();
}

bool sameKind(FieldType a, FieldType b)
{
    const auto integral = [](FieldType t) { return t == FieldType::SmallInt || t == FieldType::Integer; };
    return a == b || (integral(a) && integral(b));
}

} // namespace

void ClientDataSet::InternalOpen()
{
    wire::Answer answer = callServer(wire::Mode::Open);
    QList<FieldDef> defs;
    defs.reserve(answer.columns.size());
    QList<int> currencyColumns;
    for (int i = 0; i < int(answer.columns.size()); ++i) {
        const wire::Column &c = answer.columns[i];
        defs.append({c.name, fieldType(c.type), c.type == wire::Type::String ? c.size : 0});
        if (c.type == wire::Type::Currency)
            currencyColumns.append(i);
    }
    if (m_storedFields) {
        for (int f = 0; f < FieldCount(); ++f) {
            const Field &field = Fields(f);
            const auto column = std::find_if(defs.cbegin(), defs.cend(), [&](const FieldDef &d) {
                return d.name.compare(field.FieldName(), Qt::CaseInsensitive) == 0;
            });
            if (column == defs.cend())
                throw DataSetError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), field.FieldName()));
            if (!sameKind(column->type, field.DataType()))
                throw DataSetError(QStringLiteral("%1: Type mismatch for field '%2', expecting: %3 actual: %4")
                                       .arg(objectName(), field.FieldName(), typeName(field.DataType()),
                                            typeName(column->type)));
        }
    }
    // Currency travels as ten-thousandths; the data set keeps Currency values.
    if (!currencyColumns.isEmpty()) {
        for (QVariantList &row : answer.rows)
            for (int i : currencyColumns)
                if (i < row.size() && row[i].isValid())
                    row[i] = QVariant::fromValue(Currency::fromRaw(row[i].toLongLong()));
    }
    LoadRows(defs, std::move(answer.rows));
}
