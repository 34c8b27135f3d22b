#include "core/CallParams.h"

#include "platform/remote/ClientDataSet.h"

void SetParam(ClientDataSet &cds, FieldType type, const QString &name, const QVariant &value)
{
    cds.Params().CreateParam(type, name).setValue(value);
}

void SetTextParam(ClientDataSet &cds, const QString &name, const QString &value)
{
    cds.Params().CreateParam(FieldType::String, name).setAsString(value);
}
