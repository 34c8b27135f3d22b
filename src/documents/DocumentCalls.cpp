#include "documents/DocumentCalls.h"

#include "platform/remote/ClientDataSet.h"

void SetParam(ClientDataSet &cds, FieldType type, const char *name, const QVariant &value)
{
    cds.Params().CreateParam(type, QLatin1String(name)).setValue(value);
}

void SetTextParam(ClientDataSet &cds, const char *name, const QString &value)
{
    cds.Params().CreateParam(FieldType::String, QLatin1String(name)).setAsString(value);
}

void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    cds.AfterOpen = [fields](DataSet &ds) {
        for (const QString &name : fields)
            if (Field *f = ds.FindField(name))
                f->setDisplayFormat(QStringLiteral("#,##0"));
    };
}
