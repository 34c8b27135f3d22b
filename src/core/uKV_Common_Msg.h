#pragma once
// ShowMessageBox / AskMessageBox: every user message goes through one queued
// message window. The window lives in the shell layer and registers itself
// here when it is created; tests register a scripted responder instead.

#include <QString>
#include <functional>

// Result codes of the message window's buttons.
enum MessageResult { mrNone = 0, mrOk = 1, mrYes = 6, mrNo = 7 };

// The kinds of message (the second argument of ShowMessageBox and
// AskMessageBox), by the buttons shown and the results they give.
enum MessageKind {
    mkOk = 0,        // "확인" (1)
    mkOkCancel = 1,  // "확인" / "취소" (6 / 7)
    mkNotice = 2,    // "확인", shown without waiting, for its stay time (the call gives 0)
    mkApprove = 3,   // "승인" / "거절" (6 / 7)
    mkOrderKind = 4, // "거래처별발주" / "패턴별발주" / "취  소" (6 / 7 / 1)
    mkDiscount = 5,  // "함께적용" / "할인적용" / "쿠폰적용" (6 / 7 / 1)
};

// kind: a MessageKind; any other value shows one "확인" button (1).
using MessageBoxHandler = std::function<int(const QString &text, int kind, int stayMs)>;

// Installs the handler that shows messages; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Adds text to the message window's queue and returns the pressed button.
// Without a window the text is logged and the result is 0.
int ShowMessageBox(const QString &text, int kind, int stayMs);

// ShowMessageBox with stay time 0.
int AskMessageBox(const QString &text, int kind);
