#include "platform/localdb/LocalSchema.h"

namespace {

using K = LocalColumnKind;

QString sqlType(const LocalColumn &c)
{
    switch (c.kind) {
    case K::Text: return QStringLiteral("TEXT");
    case K::SmallInt:
    case K::Integer:
    case K::Boolean: return QStringLiteral("INTEGER");
    case K::Float: return QStringLiteral("REAL");
    case K::Decimal: return QStringLiteral("NUMERIC");
    case K::DateTime: return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

} // namespace

const LocalColumn *LocalTableSchema::find(const QString &column) const
{
    for (const LocalColumn &c : columns)
        if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList LocalTableSchema::storedColumnNames() const
{
    QStringList names;
    for (const LocalColumn &c : columns)
        if (c.stored)
            names << QLatin1String(c.name);
    return names;
}

QString LocalTableSchema::createStatement() const
{
    QStringList defs;
    for (const LocalColumn &c : columns)
        if (c.stored)
            defs << QStringLiteral("\"%1\" %2").arg(QLatin1String(c.name), sqlType(c));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS \"%1\" (%2)")
        .arg(QLatin1String(name), defs.join(QStringLiteral(", ")));
}

const LocalTableSchema &TBLDTLSchema()
{
    static const LocalTableSchema schema{"TBLDTL", {
        {"FL_NO", K::SmallInt, 0, true},
        {"TBL_NO", K::SmallInt, 0, true},
        {"POS_NO", K::Text, 2, true},
        {"ITEM_IDX", K::Integer, 0, true},
        {"ITEM_SEQ", K::SmallInt, 0, true},
        {"ITEM_CODE", K::Text, 6, true},
        {"ITEM_TYPE", K::Text, 3, true},
        {"ITEM_NAME", K::Text, 40, true},
        {"PARENTID", K::Integer, 0, true},
        {"ITEM_PRICE", K::Decimal, 0, true},
        {"ITEM_PRICE1", K::Decimal, 0, true},
        {"ITEM_PRICE2", K::Decimal, 0, true},
        {"ITEM_PRICE3", K::Decimal, 0, true},
        {"DV_QTY", K::Integer, 0, true},
        {"DCAMT", K::Decimal, 0, true},
        {"SV_On", K::Boolean, 0, true},
        {"SVAMT", K::Decimal, 0, true},
        {"DCP_ON", K::Boolean, 0, true},
        {"DC_ON", K::Boolean, 0, true},
        {"DC_RATIO", K::Float, 0, true},
        {"DC_PRICE", K::Decimal, 0, true},
        {"DC_AMT", K::Decimal, 0, true},
        {"PT_ON", K::Boolean, 0, true},
        {"PT_PRICE", K::Integer, 0, true},
        {"PT_RATIO", K::Float, 0, true},
        {"PT_AMT", K::Integer, 0, true},
        {"VAT_ON", K::Boolean, 0, true},
        {"INCVAT_ON", K::Boolean, 0, true},
        {"COOK_ON", K::Boolean, 0, true},
        {"SET_ON", K::Boolean, 0, true},
        {"PACK_ON", K::Boolean, 0, true},
        {"VOUCHER_ON", K::Boolean, 0, true},
        {"VOUCHER_ST", K::Text, 16, true},
        {"VOUCHER_ED", K::Text, 16, true},
        {"VOUCHER_QTY", K::Integer, 0, true},
        {"CLOSE_NO", K::SmallInt, 0, true},
        {"SENT_SEQ", K::SmallInt, 0, true},
        {"SLAMT", K::Decimal, 0, true},
        {"VTAMT", K::Decimal, 0, true},
        {"TTAMT", K::Decimal, 0, true},
        {"ITEM_NICK", K::Text, 40, true},
        {"SECTION", K::SmallInt, 0, true},
        {"CASHER", K::Text, 8, true},
        {"COOKTYPE", K::Text, 3, true},
        {"SALE_FLAG", K::Text, 1, true},
        {"ORD_DT", K::DateTime, 0, true},
        {"JOINITEM_ON", K::Boolean, 0, true},
        {"JOINITEM_CODE", K::Integer, 0, true},
        {"SERV_ON", K::Boolean, 0, true},
        {"DISP_NAME", K::Text, 45, true},
        {"COOKMSG_SEQ", K::SmallInt, 0, true},
        {"PTNDC", K::Decimal, 0, true},
        {"CANCEL_ON", K::Boolean, 0, true},
        {"USE_PT", K::Boolean, 0, true},
        {"CKDATE", K::DateTime, 0, true},
        {"ITEM_QTY", K::Float, 0, true},
        // Display-only fields: their text is computed when a view asks for it.
        {"TEMP", K::Text, 8, false},
        {"TEMP2", K::Text, 10, false},
        {"TEMP3", K::Text, 14, false},
        {"TEMP4", K::Text, 2, false},
        {"TableName", K::Text, 50, false},
        {"TableMemo", K::Text, 100, false},
        {"TableBenho", K::Integer, 0, false},
    }};
    return schema;
}

const LocalTableSchema &TBLMMOSchema()
{
    static const LocalTableSchema schema{"TBLMMO", {
        {"FL_NO", K::SmallInt, 0, true},
        {"TBL_NO", K::SmallInt, 0, true},
        {"POS_NO", K::Text, 2, true},
        {"SEQ", K::SmallInt, 0, true},
        {"ITEM_IDX", K::Integer, 0, true},
        {"MMO", K::Text, 200, true},
        {"CODE", K::Text, 3, true},
        {"SENTSEQ", K::SmallInt, 0, true},
    }};
    return schema;
}

const LocalTableSchema &TBLCNFSchema()
{
    static const LocalTableSchema schema{"TBLCNF", {
        {"FL_NO", K::SmallInt, 0, true},
        {"TBL_NO", K::SmallInt, 0, true},
        {"TNAME", K::Text, 50, true},
    }};
    return schema;
}

std::vector<const LocalTableSchema *> LocalSchemas()
{
    return {&TBLDTLSchema(), &TBLMMOSchema(), &TBLCNFSchema()};
}

const LocalTableSchema *FindLocalSchema(const QString &tableName)
{
    for (const LocalTableSchema *s : LocalSchemas())
        if (tableName.compare(QLatin1String(s->name), Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}
