#include "documents/DocumentCalls.h"

#include "platform/remote/ClientDataSet.h"

namespace {

void showOnOpen(ClientDataSet &cds, const QStringList &fields, const QString &format)
{
    cds.AfterOpen = [fields, format](DataSet &ds) {
        for (const QString &name : fields)
            if (Field *f = ds.FindField(name))
                f->setDisplayFormat(format);
    };
}

} // namespace

void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    showOnOpen(cds, fields, QStringLiteral("#,##0"));
}

void ShowQuantitiesOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    showOnOpen(cds, fields, QStringLiteral("#,##0.##"));
}
