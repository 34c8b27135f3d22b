#pragma once
// The raw-material ledger print "원료 수불부": the ledger as the screen shows
// it, the work table (re-booked sets, added components, unit "G" of set
// rows) in the grid's order, in 17 columns.

#include "inquiries/LedgerPrintForm.h"

class TF30_MATSTOCKINQUIRY : public TLedgerPrintForm
{
    Q_OBJECT
public:
    TF30_MATSTOCKINQUIRY(DataSet *workTable, const QDate &from, const QDate &to, QObject *parent = nullptr);
};
