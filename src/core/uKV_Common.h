#pragma once
// The common unit: settings record, common module, free helpers used by
// every screen. Each part lives in its own header; include this one.

#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/MyConfig.h"
#include "core/TCM.h"
