#pragma once
// ShowMessageBox / AskMessageBox: every user message goes through one queued
// message window. The window lives in the shell layer and registers itself
// here when it is created; tests register a scripted responder instead.

#include <QString>
#include <functional>

// Result codes of the message window's buttons.
enum MessageResult { mrNone = 0, mrOk = 1, mrYes = 6, mrNo = 7 };

// Kinds: 0 one "확인" button (1); 1 "확인"/"취소" (6/7); 2 timed notice,
// shown without waiting (0); 4 three order-kind buttons (6/7/1).
using MessageBoxHandler = std::function<int(const QString &text, int kind, int stayMs)>;

// Installs the handler that shows messages; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Adds text to the message window's queue and returns the pressed button.
// Without a window the text is logged and the result is 0.
int ShowMessageBox(const QString &text, int kind, int stayMs);

// ShowMessageBox with stay time 0.
int AskMessageBox(const QString &text, int kind);
