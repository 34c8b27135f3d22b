#pragma once
// Free helpers of the common unit: the log file, byte-width text routines for
// 42-column slips and button captions (widths count bytes of code page 949,
// where a Hangul syllable takes two), amounts, lists and tokens.

#include "platform/dataset/Currency.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <exception>
#include <type_traits>

// The log file of this run, "<program folder>/log/yyyymmdd.log"; set once at
// start-up and kept for the whole run. Empty: WriteLog writes nothing.
extern QString LogFileName;

// Appends "[yyyy-MM-dd HH:mm:ss]  text" + CR LF in code page 949 to the log
// file. Never fails: a missing folder, missing name or full disk is ignored.
// Safe to call from any thread.
void WriteLog(const QString &text);

// Runs step, one step of an operation that its caller reports as a success
// or a failure. An exception the step throws (of the standard hierarchy) is
// written to the log as logPrefix followed by its message and makes the step
// a failure; other exceptions go on. A step returning bool gives its own
// verdict otherwise; a step returning nothing succeeds.
//
//   return RunLogged(QStringLiteral("TDM.LoadConfig Error:"), [&] { ...; return true; });
template <class Step>
bool RunLogged(const QString &logPrefix, Step &&step)
{
    try {
        if constexpr (std::is_void_v<decltype(step())>) {
            step();
            return true;
        } else {
            return bool(step());
        }
    } catch (const std::exception &e) {
        WriteLog(logPrefix + QString::fromUtf8(e.what()));
        return false;
    }
}

// The first n bytes of ansi (n taken as an unsigned 16-bit count), one byte
// less where the cut would fall inside a double-byte character.
QString CutBytesAnsi(const QByteArray &ansi, int n);
// CutBytesAnsi of text in code page 949.
QString CutBytes(const QString &text, int n);

// Splits ansi into pieces of at most n bytes, never inside a character,
// joined by CR LF. A width too small for a character gives that character
// alone as a piece, so the routine always returns.
QString WrapBytes(const QByteArray &ansi, int n);
QString WrapBytes(const QString &text, int n);

// Cut to w bytes, then fill with ch: on the left (right-aligned column), on
// the right (left-aligned column) or on both sides (centred; an odd fill goes
// to the right).
QString PadLeftWith(const QString &text, QChar ch, int w);
QString PadRightWith(const QString &text, QChar ch, int w);
QString PadCenterWith(const QString &text, QChar ch, int w);
QString PadLeft(const QString &text, int w);
QString PadRight(const QString &text, int w);
QString PadCenter(const QString &text, int w);

// An amount rounded to whole units with thousands separators: 1234567 ->
// "1,234,567", -1500 -> "-1,500".
QString FormatAmount(Currency amount);
// Reads an amount back, ignoring every blank and ",": " 1,234.5 " -> 1234.5;
// 0 when the rest is not a number.
Currency ParseAmount(const QString &text);

// Returns whenTrue when flag is set, else whenFalse.
QVariant IfThenVar(bool flag, const QVariant &whenTrue, const QVariant &whenFalse);

// Fill elements 0..high from text split at sep: item k into element k, at most
// high + 1 items; elements without an item keep their values; a last item
// without a following separator is stored when it is not empty. Integers are
// read as decimal (0 when not a number), bytes keep their low 8 bits.
bool SplitToStrings(QString *items, int high, const QString &text, QChar sep);
bool SplitToInts(int *items, int high, const QString &text, QChar sep);
bool SplitToBytes(std::uint8_t *items, int high, const QString &text, QChar sep);

// Elements 0..high as text joined by sep (no separator at either end).
QString JoinStrings(const QString *items, int high, QChar sep);
QString JoinInts(const int *items, int high, QChar sep);
QString JoinBytes(const std::uint8_t *items, int high, QChar sep);

// Set elements 0..high to 0; ClearStrings sets each to the one-character
// text of code 0 (a cleared list element, shown as empty).
void ClearInts(int *items, int high);
void ClearBytes(std::uint8_t *items, int high);
bool ClearStrings(QString *items, int high);

// The cleared list element, and how a list element is shown (a cleared one
// shows as empty).
QString ClearedElement();
QString ElementText(const QString &element);

// The index-th piece (from 1) of text split at delimiter; empty when there
// are fewer pieces or index < 1. The text counts as if a delimiter followed it.
QString GetToken(const QString &text, int index, const QString &delimiter);
