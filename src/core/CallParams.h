#pragma once
// A screen's server calls: the client data set of a call, and setting its
// parameters.

#include "platform/dataset/Field.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class ClientDataSet;
class QObject;

// A client data set of a screen: named, owned by owner and bound to the
// central data module's connection (none while there is no data module).
ClientDataSet *NewRemoteCall(QObject *owner, const char *objectName, const char *providerName,
                             const QString &commandText);

// Sets a parameter of a call's list, creating it on first use (the value is
// converted to the type); a parameter not set for a call keeps the value it
// last had.
void SetParam(ClientDataSet &cds, FieldType type, const QString &name, const QVariant &value);
void SetTextParam(ClientDataSet &cds, const QString &name, const QString &value);

// Fields of a call's answers and the display format they are shown in.
struct FieldFormat {
    QStringList fields;
    QString format;
};
// Shows the named fields of every answer in their formats once the answer's
// fields exist; a field the answer lacks is passed over. Takes the data set's
// AfterOpen.
void ShowFormatsOnOpen(ClientDataSet &cds, const QList<FieldFormat> &formats);
