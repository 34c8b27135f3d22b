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
    CopyRowsInto(fresh, cds);
}

void CopyRowsInto(const DataSet &source, DataSet &target)
{
    QList<QList<QVariant>> rows;
    rows.reserve(source.rowCount());
    for (int r = 0; r < source.rowCount(); ++r) {
        QList<QVariant> row;
        row.reserve(source.FieldCount());
        for (int f = 0; f < source.FieldCount(); ++f)
            row.append(source.value(r, f));
        rows.append(std::move(row));
    }
    target.LoadRows(source.FieldDefs(), std::move(rows));
}
