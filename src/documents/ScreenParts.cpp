#include "documents/ScreenParts.h"

#include "Components/MirelComp/MirelGrid.h"
#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"

ClientDataSet *RemoteQuery(QObject *owner, const char *name, const char *provider, const char *command)
{
    auto *cds = new ClientDataSet(owner);
    cds->setObjectName(QLatin1String(name));
    if (DM)
        cds->setRemoteServer(DM->RODataSnapConnection);
    cds->setProviderName(QLatin1String(provider));
    cds->setCommandText(QLatin1String(command));
    return cds;
}

void AddGridColumn(TMirelGrid *grid, const char *field, const char *title, int width)
{
    TColumn *c = grid->Columns().Add();
    c->setFieldName(QLatin1String(field));
    c->Title()->setCaption(QString::fromUtf8(title));
    c->setWidth(width);
}
