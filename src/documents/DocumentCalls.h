#pragma once
// Small helpers for the server calls of the document screens (the
// parameter setters are the core ones).

#include "core/CallParams.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class ClientDataSet;
class DataSet;

// Shows the named amount fields of every answer with thousands separators
// ("#,##0") once the answer's fields exist; a field the answer lacks is
// passed over. Takes the data set's AfterOpen.
void ShowAmountsOnOpen(ClientDataSet &cds, const QStringList &fields);
// The same for quantities: thousands separators and at most two decimals
// ("#,##0.##").
void ShowQuantitiesOnOpen(ClientDataSet &cds, const QStringList &fields);


// Opens the list of every open document of the store, of any partner and any
// date: the open purchase orders (GP_SELECT_F2100_POPUPPURCHASE, partner
// parameter "a_name") or the open received orders
// (GP_SELECT_F2400_POPUPSALES, "a_adnb"). Company and store, the partner
// filter empty, a_gubun1 "2" (open ones only), from "00000000" to "99999999",
// a_gubun2 "2".
void OpenOpenDocuments(ClientDataSet &list, const char *partnerParam);

// The units of the current line of a document's lines into the parameters
// of a line of its insert: <prefix>BDAN, <prefix>MDAN, <prefix>LDAN (texts)
// and <prefix>MQTY, <prefix>SQTY, <prefix>MCAL (numbers) from the line's
// ADBDAN ... ADMCAL; prefix "A_PD" for an order, "A_WD" for a receipt,
// "A_DD" for a release.
void SetLineUnitParams(ClientDataSet &call, const char *prefix, DataSet &line);
