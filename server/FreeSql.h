#pragma once
// The free-SQL provider: only known SQL texts are answered, by the server's own
// parameterised query or natively; their values are taken out strictly and
// bound. Any other text is refused with "unsupported SQL text".

#include "Call.h"

namespace hq {

void runFreeSql(Call &call);

} // namespace hq
