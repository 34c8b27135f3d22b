#include "documents/DocumentCalls.h"

#include "platform/remote/ClientDataSet.h"

void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields)
{
    cds.AfterOpen = [fields](DataSet &ds) {
        for (const QString &name : fields)
            if (Field *f = ds.FindField(name))
                f->setDisplayFormat(QStringLiteral("#,##0"));
    };
}
