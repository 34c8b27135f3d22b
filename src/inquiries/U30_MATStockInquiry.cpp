#include "inquiries/U30_MATStockInquiry.h"

namespace {

const std::vector<LedgerPrintColumn> kColumns = {
    {"사업단위", 65, "buut_name", ""},       {"품번", 55, "itnb", ""},
    {"원료명", 85, "imname", ""},            {"단위", 45, "immdan", ""},
    {"수량 ", 45, "immcal", "%5.1n"},        {"기본단위", 50, "imldan", ""},
    {"재고단위", 50, "unit", ""},            {"전재고수량", 65, "current_qty", "%8.1n"},
    {"전재고금액", 70, "current_amt", "%10.0n"}, {"입고수량", 65, "in_qty", "%8.1n"},
    {"입고금액", 75, "in_amt", "%10.0n"},    {"사용수량", 65, "out_qty", "%8.1n"},
    {"사용금액", 75, "out_amt", "%10.0n"},   {"손실수량", 65, "loss_qty", "%8.1n"},
    {"손실금액", 75, "loss_amt", "%10.0n"},  {"재고수량", 65, "stock_qty", "%8.1n"},
    {"재고금액", 75, "stock_amt", "%10.0n"},
};

} // namespace

TF30_MATSTOCKINQUIRY::TF30_MATSTOCKINQUIRY(DataSet *workTable, const QDate &from, const QDate &to, QObject *parent)
    : TLedgerPrintForm(QStringLiteral("TF30_MATSTOCKINQUIRY"), QStringLiteral("원료 수불부"), kColumns, workTable,
                       from, to, parent)
{
}
