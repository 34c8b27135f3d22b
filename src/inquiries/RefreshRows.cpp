#include "inquiries/RefreshRows.h"

#include "platform/remote/ClientDataSet.h"

void OpenKeepingRows(ClientDataSet &cds)
{
    if (!cds.Active()) {
        cds.Open();
        return;
    }
    ClientDataSet fresh;
    fresh.setObjectName(cds.objectName());
    if (cds.HasStoredFields())
        fresh.DeclareStoredFields(cds.FieldDefs());
    fresh.setRemoteServer(cds.RemoteServer());
    fresh.setProviderName(cds.ProviderName());
    fresh.setCommandText(cds.CommandText());
    for (int i = 0; i < cds.Params().Count(); ++i) {
        const Param &p = cds.Params().Items(i);
        Param &copy = fresh.Params().CreateParam(p.DataType(), p.Name());
        if (!p.IsNull())
            copy.setValue(p.Value());
    }
    fresh.Open();

    QList<QList<QVariant>> rows;
    rows.reserve(fresh.rowCount());
    for (int r = 0; r < fresh.rowCount(); ++r) {
        QList<QVariant> row;
        row.reserve(fresh.FieldCount());
        for (int f = 0; f < fresh.FieldCount(); ++f)
            row.append(fresh.value(r, f));
        rows.append(std::move(row));
    }
    cds.LoadRows(fresh.FieldDefs(), std::move(rows));
}
