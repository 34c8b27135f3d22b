#pragma once
// "수주 내역서": the lines of the received orders in the received orders page's range, with what was released of each
// (A4 landscape, see HistoryListForm.h).

#include "inquiries/HistoryListForm.h"

class TF20_SALESORDERINQUIRY : public THistoryListForm
{
    Q_OBJECT
public:
    static const HistoryListDef &Definition();
    TF20_SALESORDERINQUIRY(const QDate &from, const QDate &to, QObject *parent = nullptr);
};
