#include "documents/DocumentCalls.h"

#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"

void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    ShowFormatsOnOpen(cds, {{fields, QStringLiteral("#,##0")}});
}

void ShowQuantitiesOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    ShowFormatsOnOpen(cds, {{fields, QStringLiteral("#,##0.##")}});
}

void OpenOpenDocuments(ClientDataSet &list, const char *partnerParam)
{
    list.Close();
    SetTextParam(list, "a_cmcd", MyConfig.CompanyCode);
    SetTextParam(list, "a_buut", MyConfig.StoreCode);
    SetTextParam(list, partnerParam, QString());
    SetTextParam(list, "a_gubun1", QStringLiteral("2"));
    SetTextParam(list, "a_stdt", QStringLiteral("00000000"));
    SetTextParam(list, "a_eddt", QStringLiteral("99999999"));
    SetTextParam(list, "a_gubun2", QStringLiteral("2"));
    list.Open();
}

void SetLineUnitParams(ClientDataSet &call, const char *prefix, DataSet &line)
{
    const auto param = [prefix](const char *name) { return QByteArray(prefix) + name; };
    for (const char *unit : {"BDAN", "MDAN", "LDAN"})
        SetTextParam(call, param(unit).constData(), line.FieldByName(QLatin1String("AD") + QLatin1String(unit)).AsString());
    for (const char *number : {"MQTY", "SQTY", "MCAL"})
        SetParam(call, FieldType::Float, param(number).constData(),
                 line.FieldByName(QLatin1String("AD") + QLatin1String(number)).AsFloat());
}
