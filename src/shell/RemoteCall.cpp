#include "shell/RemoteCall.h"

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
