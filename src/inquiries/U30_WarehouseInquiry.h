#pragma once
// "입고 내역서": the lines of the receipts in the receipts page's range, with the order line each received (A4
// landscape, see HistoryListForm.h).

#include "inquiries/HistoryListForm.h"

class TF30_WAREHOUSEINQUIRY : public THistoryListForm
{
    Q_OBJECT
public:
    static const HistoryListDef &Definition();
    TF30_WAREHOUSEINQUIRY(const QDate &from, const QDate &to, QObject *parent = nullptr);
};
