#include "documents/DocumentRights.h"

#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"
#include "shell/WorkScreen.h"

bool HasWriteRight(const QString &programId)
{
    DataSet *rights = ProgramRights();
    if (rights && rights->Active() && rights->Locate(QStringLiteral("slpgid"), programId)
        && rights->FieldByName(QStringLiteral("wrau")).AsBoolean())
        return true;
    ShowMessageBox(QStringLiteral("등록(수정) 권한이 없습니다."), mkNotice, 2000);
    return false;
}

bool ConfirmClose(int lineCount)
{
    return ConfirmDiscardWorkRows(lineCount);
}
