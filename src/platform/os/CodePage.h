#pragma once
// The terminal's ANSI code page: Korean code page 949 (glibc iconv "CP949").
// Slips and button captions count widths in bytes of this code page.

#include <QByteArray>
#include <QString>

namespace os {

// Text to CP949 bytes. A character that CP949 cannot hold becomes "?".
QByteArray ToAnsi(const QString &text);

// CP949 bytes to text. A byte sequence that is not CP949 becomes "?".
QString FromAnsi(const QByteArray &ansi);

// Byte length of the character starting at pos: 2 for a lead byte
// (0x81-0xFE) followed by another byte, else 1. CP949 trail bytes can lie in
// the ASCII range (똠 = 8C 63), so characters are walked from the front.
int AnsiCharLength(const QByteArray &ansi, qsizetype pos);

// The longest prefix of at most n bytes that ends on a character boundary.
QByteArray CutAnsi(const QByteArray &ansi, qsizetype n);

} // namespace os
