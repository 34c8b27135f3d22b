#pragma once
// A client data set of a screen: named, owned by the screen and bound to the
// central data module's connection (none while there is no data module).

#include <QString>

class ClientDataSet;
class QObject;

ClientDataSet *NewRemoteCall(QObject *owner, const char *objectName, const char *providerName,
                             const QString &commandText);
