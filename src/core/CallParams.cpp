#include "core/CallParams.h"

#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"

ClientDataSet *NewRemoteCall(QObject *owner, const char *objectName, const char *providerName,
                             const QString &commandText)
{
    auto *cds = new ClientDataSet(owner);
    cds->setObjectName(QLatin1String(objectName));
    cds->setRemoteServer(DM ? DM->RODataSnapConnection : nullptr);
    cds->setProviderName(QLatin1String(providerName));
    cds->setCommandText(commandText);
    return cds;
}

void SetParam(ClientDataSet &cds, FieldType type, const QString &name, const QVariant &value)
{
    cds.Params().CreateParam(type, name).setValue(value);
}

void SetTextParam(ClientDataSet &cds, const QString &name, const QString &value)
{
    cds.Params().CreateParam(FieldType::String, name).setAsString(value);
}

void ShowFormatsOnOpen(ClientDataSet &cds, const QList<FieldFormat> &formats)
{
    cds.AfterOpen = [formats](DataSet &ds) {
        for (const FieldFormat &ff : formats)
            for (const QString &name : ff.fields)
                if (Field *f = ds.FindField(name))
                    f->setDisplayFormat(ff.format);
    };
}
