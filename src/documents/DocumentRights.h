#pragma once
// Checks the store-document entry screens share before saving and closing.

#include <QString>

// True when the signed-in user may register or modify documents of the
// program id (its row in the rights rows of ProgramRights(), core/ProgramRights.h,
// has wrau set). Otherwise shows "등록(수정) 권한이 없습니다." (notice, 2000 ms)
// and returns false; no rights rows at all count as no right.
bool HasWriteRight(const QString &programId);

// The same for deleting (deau set); otherwise shows "삭제 권한이 없습니다."
// (notice, 2000 ms) and returns false.
bool HasDeleteRight(const QString &programId);

// The close guard of the entry screens: true (close) when the work table has
// no lines; with lines it asks "작업이 끝나지 않았으면 ... 소멸됩니다" (kind 1)
// and returns true only on yes (6).
bool ConfirmClose(int lineCount);
