#include "core/uKV_Common_Msg.h"

#include "core/uKV_Common_Text.h"

#include <utility>

namespace {
MessageBoxHandler &handlerSlot()
{
    static MessageBoxHandler handler;
    return handler;
}
} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(handlerSlot(), std::move(handler));
}

int ShowMessageBox(const QString &text, int kind, int stayMs)
{
    const MessageBoxHandler &handler = handlerSlot();
    if (!handler) {
        WriteLog("ShowMessageBox: " + text);
        return mrNone;
    }
    return handler(text, kind, stayMs);
}

int AskMessageBox(const QString &text, int kind)
{
    return ShowMessageBox(text, kind, 0);
}
