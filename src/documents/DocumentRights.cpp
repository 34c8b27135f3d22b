#include "documents/DocumentRights.h"

#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"

bool HasWriteRight(const QString &programId)
{
    DataSet *rights = ProgramRights();
    if (rights && rights->Active() && rights->Locate(QStringLiteral("slpgid"), programId)
        && rights->FieldByName(QStringLiteral("wrau")).AsBoolean())
        return true;
    ShowMessageBox(QStringLiteral("등록(수정) 권한이 없습니다."), 2, 2000);
    return false;
}

bool ConfirmClose(int lineCount)
{
    if (lineCount <= 0)
        return true;
    return AskMessageBox(QStringLiteral("작업이 끝나지 않았으면 취소를 누르시고 숨기기 버튼을 이용해 누르세요, "
                                        "확인을 누르시면 입력하신 자료가 소멸됩니다"),
                         1)
           == mrYes;
}
