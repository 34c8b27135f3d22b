#include "inquiries/U30_PRODStockInquiry.h"

namespace {

const std::vector<LedgerPrintColumn> kColumns = {
    {"사업단위", 60, "buut_name", ""},      {"품번", 50, "itnb", ""},
    {"품명", 80, "imname", ""},             {"단위", 40, "immdan", ""},
    {"수량 ", 40, "immcal", "%5.1n"},       {"기본단위", 45, "imldan", ""},
    {"재고단위", 45, "unit", ""},           {"전재고수량", 60, "current_qty", "%7.1n"},
    {"전재고금액", 65, "current_amt", "%9.0n"}, {"생산수량", 55, "seng_qty", "%7.1n"},
    {"생산금액", 65, "seng_amt", "%9.0n"},  {"입고수량", 55, "in_qty", "%7.1n"},
    {"입고금액", 65, "in_amt", "%9.0n"},    {"출고수량", 55, "out_qty", "%7.1n"},
    {"출고금액", 65, "out_amt", "%9.0n"},   {"손실수량", 55, "loss_qty", "%7.1n"},
    {"손실금액", 65, "loss_amt", "%9.0n"},  {"재고수량", 55, "stock_qty", "%7.1n"},
    {"재고금액", 65, "stock_amt", "%9.0n"},
};

} // namespace

TF30_PRODStockInquiry::TF30_PRODStockInquiry(DataSet *rows, const QDate &from, const QDate &to, QObject *parent)
    : TLedgerPrintForm(QStringLiteral("TF30_PRODStockInquiry"), QStringLiteral("제품 수불부"), kColumns, rows, from,
                       to, parent)
{
}
