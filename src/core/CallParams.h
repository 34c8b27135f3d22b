#pragma once
// Setting the parameters of a server call.

#include "platform/dataset/Field.h"

#include <QString>
#include <QVariant>

class ClientDataSet;

// Sets a parameter of a call's list, creating it on first use (the value is
// converted to the type); a parameter not set for a call keeps the value it
// last had.
void SetParam(ClientDataSet &cds, FieldType type, const QString &name, const QVariant &value);
void SetTextParam(ClientDataSet &cds, const QString &name, const QString &value);
