#include "inquiries/U20_SalesOrderInquiry.h"

const HistoryListDef &TF20_SALESORDERINQUIRY::Definition()
{
    static const HistoryListDef def{
        "TF20_SALESORDERINQUIRY",
        "수주내역서 출력",
        "수주 내역서",
        "[GP_SELECT_F2401_SALESORDERINQUIRY]",
        "수주일 : ",
        false,
        {{"a_gubun1", "1"}, {"a_gubun2", "1"}},
        {{70, 70, 100, 50, 120, 90, 90, 80, 50, 85, 85, 85, 85},
         {"수주일", "납품예정일", "거래처명", "품번", "품명", "대분류명", "중분류명", "사업단위", "단위", "수량",
          "단가", "금액", "출고량"},
         {},
         {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{"ohdate", ""},
         {"oHNYDT", ""},
         {"adnb_name", ""},
         {"ODITNB", ""},
         {"itnb_name", ""},
         {"gkid_name", ""},
         {"mkid_name", ""},
         {"buut_name", ""},
         {"ODUNIT", ""},
         {"ODQTY", "%9.1n"},
         {"ODUPRC", "%10.0n"},
         {"ODAMT", "%10.0n"},
         {"chulgo_qty", "%9.1n"}},
    };
    return def;
}

TF20_SALESORDERINQUIRY::TF20_SALESORDERINQUIRY(const QDate &from, const QDate &to, QObject *parent)
    : THistoryListForm(Definition(), from, to, parent)
{
}
