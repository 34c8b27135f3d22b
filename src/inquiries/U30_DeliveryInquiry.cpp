#include "inquiries/U30_DeliveryInquiry.h"

const HistoryListDef &TF30_DELIVERYINQUIRY::Definition()
{
    static const HistoryListDef def{
        "TF30_DELIVERYINQUIRY",
        "출고내역서 출력",
        "출고 내역서",
        "[GP_SELECT_F3201_DELIVERYINQUIRY]",
        "출고일 : ",
        true,
        {{"a_gubun", "1"}, {"a_dhchty", ""}},
        {{70, 90, 50, 100, 70, 70, 70, 35, 50, 65, 70, 75, 65, 70, 75, 60},
         {"출고일", "거래처명", "품번", "품명", "대분류명", "중분류명", "사업단위", "단위", "출고형태", "출고수량",
          "출고단가", "출고금액", "수주수량", "수주단가", "수주금액", "수주번호"},
         {},
         {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{"dhdate", ""},
         {"adnb_name", ""},
         {"dDITNB", ""},
         {"itnb_name", ""},
         {"gkid_name", ""},
         {"mkid_name", ""},
         {"buut_name", ""},
         {"dDUNIT", ""},
         {"dhchty_name", ""},
         {"dDQTY", "%6.1n"},
         {"dDUPRC", "%9.0n"},
         {"dDAMT", "%9.0n"},
         {"suju_qty", "%6.1n"},
         {"suju_uprc", "%9.0n"},
         {"suju_amt", "%9.0n "},
         {"suju_bunho", ""}},
    };
    return def;
}

TF30_DELIVERYINQUIRY::TF30_DELIVERYINQUIRY(const QDate &from, const QDate &to, QObject *parent)
    : THistoryListForm(Definition(), from, to, parent)
{
}
