#pragma once
// "출고 내역서": the lines of the releases and stock-outs in the releases page's range, with the received-order line
// each released (A4 landscape, see HistoryListForm.h).

#include "inquiries/HistoryListForm.h"

class TF30_DELIVERYINQUIRY : public THistoryListForm
{
    Q_OBJECT
public:
    static const HistoryListDef &Definition();
    TF30_DELIVERYINQUIRY(const QDate &from, const QDate &to, QObject *parent = nullptr);
};
