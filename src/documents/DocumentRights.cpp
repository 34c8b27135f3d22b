#include "documents/DocumentRights.h"

#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"
#include "shell/WorkScreen.h"

namespace {

// Whether the rights row of the program id has the flag set; otherwise the
// refusal is shown.
bool HasRight(const QString &programId, const char *flag, const QString &refusal)
{
    DataSet *rights = ProgramRights();
    if (rights && rights->Active() && rights->Locate(QStringLiteral("slpgid"), programId)
        && rights->FieldByName(QLatin1String(flag)).AsBoolean())
        return true;
    ShowMessageBox(refusal, mkNotice, 2000);
    return false;
}

} // namespace

bool HasWriteRight(const QString &programId)
{
    return HasRight(programId, "wrau", QStringLiteral("등록(수정) 권한이 없습니다."));
}

bool HasDeleteRight(const QString &programId)
{
    return HasRight(programId, "deau", QStringLiteral("삭제 권한이 없습니다."));
}

bool ConfirmClose(int lineCount)
{
    return ConfirmDiscardWorkRows(lineCount);
}
