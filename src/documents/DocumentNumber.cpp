#include "documents/DocumentNumber.h"

#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"

qint64 DocumentNumber::numberFor(int kind, const QString &month, const QString &owner)
{
    if (holds() && kind == m_kind && month == m_month && owner == m_owner)
        return m_number;
    m_query.Close();
    m_query.Params().CreateParam(FieldType::Integer, QStringLiteral("A_GUBUN")).setAsInteger(kind);
    m_query.Params().CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(MyConfig.CompanyCode);
    m_query.Params().CreateParam(FieldType::String, QStringLiteral("A_BUUT")).setAsString(MyConfig.StoreCode);
    m_query.Params().CreateParam(FieldType::String, QStringLiteral("A_MONTH")).setAsString(month);
    m_query.Open();
    const qint64 number = m_query.FieldByName(QStringLiteral("numb")).AsInteger();
    m_query.Close();
    m_kind = kind;
    m_month = month;
    m_owner = owner;
    m_number = number;
    return number;
}

void DocumentNumber::completed()
{
    m_number = 0;
    m_month.clear();
    m_owner.clear();
    m_kind = 0;
}
