#pragma once
// The A4 purchase order "발주서" (portrait) over the lines of a
// TF1010_OrderList: a title band with the order's and the ordering store's
// particulars and the column heads, one detail band per line, and a summary
// band with the supply value, VAT and amount totals and the header's payment
// terms, delivery place and remarks.

#include "platform/report/Report.h"

#include "platform/dataset/Currency.h"

class TF1010_OrderList;

class TR20_PURCHASEORDER : public report::Report {
    Q_OBJECT

public:
    explicit TR20_PURCHASEORDER(TF1010_OrderList *orders, QObject *parent = nullptr);

private:
    void titleBeforePrint();
    void detailBeforePrint();
    void summaryBeforePrint();
    void set(const char *label, const QString &caption);

    TF1010_OrderList *m_orders;
    Currency m_supply;
    Currency m_vat;
    Currency m_amount;
};
