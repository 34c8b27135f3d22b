#pragma once
// Small helpers for the server calls of the document screens (the
// parameter setters are the core ones).

#include "core/CallParams.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class ClientDataSet;

// Shows the named amount fields of every answer with thousands separators
// ("#,##0") once the answer's fields exist; a field the answer lacks is
// passed over. Takes the data set's AfterOpen.
void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields);
// The same for quantities: thousands separators and at most two decimals
// ("#,##0.##").
void ShowQuantitiesOnOpen(ClientDataSet &cds, const QStringList &fields);
