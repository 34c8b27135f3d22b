#pragma once
// The product ledger print "제품 수불부": the product ledger's server rows
// (cds_procedure1) in 19 columns.

#include "inquiries/LedgerPrintForm.h"

class TF30_PRODStockInquiry : public TLedgerPrintForm
{
    Q_OBJECT
public:
    TF30_PRODStockInquiry(DataSet *rows, const QDate &from, const QDate &to, QObject *parent = nullptr);
};
