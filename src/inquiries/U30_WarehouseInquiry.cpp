#include "inquiries/U30_WarehouseInquiry.h"

const HistoryListDef &TF30_WAREHOUSEINQUIRY::Definition()
{
    static const HistoryListDef def{
        "TF30_WAREHOUSEINQUIRY",
        "입고 내역서 출력",
        "입고 내역서",
        "[GP_SELECT_F3101_WAREHOUSEINQUIRY]",
        "입고일 : ",
        true,
        {{"a_gubun", "1"}, {"a_whibty", ""}},
        {{70, 90, 50, 100, 70, 70, 70, 35, 50, 65, 70, 75, 65, 70, 75, 60},
         {"입고일", "거래처명", "품번", "품명", "대분류명", "중분류명", "사업단위", "단위", "형태", "입고수량",
          "입고단가", "입고금액", "발주수량", "발주단가", "발주금액", "발주번호"},
         {},
         {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{"whdate", ""},
         {"adnb_name", ""},
         {"WDITNB", ""},
         {"itnb_name", ""},
         {"gkid_name", ""},
         {"mkid_name", ""},
         {"buut_name", ""},
         {"WDUNIT", ""},
         {"whibty_name", ""},
         {"WDQTY", "%6.1n"},
         {"WDUPRC", "%9.0n"},
         {"WDAMT", "%9.0n"},
         {"balju_qty", "%6.1n"},
         {"balju_uprc", "%9.0n"},
         {"balju_amt", "%9.0n "},
         {"balju_bunho", ""}},
    };
    return def;
}

TF30_WAREHOUSEINQUIRY::TF30_WAREHOUSEINQUIRY(const QDate &from, const QDate &to, QObject *parent)
    : THistoryListForm(Definition(), from, to, parent)
{
}
