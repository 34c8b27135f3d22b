#include "inquiries/U20_PurchaseInquiry.h"

const HistoryListDef &TF20_PURCHASEINQUIRY::Definition()
{
    static const HistoryListDef def{
        "TF20_PURCHASEINQUIRY",
        "발주내역서 출력",
        "발주 내역서",
        "[GP_SELECT_F2101_PURCHASEINQUIRY]",
        "발주일 : ",
        false,
        {{"a_gubun1", "1"}, {"a_gubun2", "1"}},
        {{70, 70, 100, 50, 120, 90, 90, 80, 50, 85, 85, 85, 85},
         {"발주일", "납품예정일", "거래처명", "품번", "품명", "대분류명", "중분류명", "사업단위", "단위", "수량",
          "단가", "금액", "입고량"},
         {},
         {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{"phdate", ""},
         {"PHNYDT", ""},
         {"adnb_name", ""},
         {"PDITNB", ""},
         {"itnb_name", ""},
         {"gkid_name", ""},
         {"mkid_name", ""},
         {"buut_name", ""},
         {"PDUNIT", ""},
         {"PDQTY", "%9.1n"},
         {"PDUPRC", "%10.0n"},
         {"PDAMT", "%10.0n"},
         {"ibgo_qty", "%9.1n"}},
    };
    return def;
}

TF20_PURCHASEINQUIRY::TF20_PURCHASEINQUIRY(const QDate &from, const QDate &to, QObject *parent)
    : THistoryListForm(Definition(), from, to, parent)
{
}
