#pragma once
// "발주 내역서": the lines of the orders placed in the orders page's range, with what was received of each (A4
// landscape, see HistoryListForm.h).

#include "inquiries/HistoryListForm.h"

class TF20_PURCHASEINQUIRY : public THistoryListForm
{
    Q_OBJECT
public:
    static const HistoryListDef &Definition();
    TF20_PURCHASEINQUIRY(const QDate &from, const QDate &to, QObject *parent = nullptr);
};
