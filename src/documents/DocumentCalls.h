#pragma once
// Small helpers for the server calls of the document screens.

#include "platform/dataset/Field.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class ClientDataSet;

// Sets a parameter of a call's list, creating it on first use (the value is
// converted to the type); a parameter not set for a call keeps the value it
// last had.
void SetParam(ClientDataSet &cds, FieldType type, const char *name, const QVariant &value);
void SetTextParam(ClientDataSet &cds, const char *name, const QString &value);

// Shows the named amount fields of every answer with thousands separators
// ("#,##0") once the answer's fields exist; a field the answer lacks is
// passed over. Takes the data set's AfterOpen.
void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields);
