#include "core/uKV_Common_Text.h"

#include "platform/dataset/NumberText.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

QString LogFileName;

namespace {
QMutex logMutex;

// n as the unsigned 16-bit count the slip routines take.
qsizetype byteCount(int n)
{
    return static_cast<std::uint16_t>(n);
}

// Splits text at sep into items[0..high]; false when a conversion threw.
template <typename T, typename Convert>
bool splitInto(T *items, int high, const QString &text, QChar sep, Convert convert)
{
    try {
        QStringList parts = text.split(sep);
        // A last item with no separator after it counts only when not empty;
        // the piece after a trailing separator is always empty.
        if (!parts.isEmpty() && parts.last().isEmpty())
            parts.removeLast();
        for (int k = 0; k < parts.size() && k <= high; ++k)
            items[k] = convert(parts.at(k));
        return true;
    } catch (...) {
        return false;
    }
}

template <typename T, typename ToText>
QString joinFrom(const T *items, int high, QChar sep, ToText toText)
{
    QStringList parts;
    for (int k = 0; k <= high; ++k)
        parts << toText(items[k]);
    return parts.join(sep);
}

int toInt(const QString &s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QByteArray padWith(const QString &text, QChar ch, int w, bool left, bool right)
{
    // The width compares as given (a negative width fills nothing); only the
    // cut takes it as the unsigned 16-bit count.
    const qsizetype width = w;
    QByteArray ansi = os::ToAnsi(text);
    if (ansi.size() > width)
        ansi = os::CutAnsi(ansi, byteCount(w));
    const QByteArray fill = os::ToAnsi(QString(ch));
    if (fill.isEmpty())
        return ansi;
    while (ansi.size() < width) {
        if (right)
            ansi.append(fill);
        if (left && ansi.size() < width)
            ansi.prepend(fill);
    }
    return ansi;
}
} // namespace

void WriteLog(const QString &text)
{
    try {
        QMutexLocker lock(&logMutex);
        if (LogFileName.isEmpty())
            return;
        QFile file(LogFileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        const QString line = "[" + os::Now().toString("yyyy-MM-dd HH:mm:ss")
                             + "]  " + text + "\r\n";
        file.write(os::ToAnsi(line));
    } catch (...) {
        // Logging never fails its caller.
    }
}

QString CutBytesAnsi(const QByteArray &ansi, int n)
{
    return os::FromAnsi(os::CutAnsi(ansi, byteCount(n)));
}

QString CutBytes(const QString &text, int n)
{
    return CutBytesAnsi(os::ToAnsi(text), n);
}

QString WrapBytes(const QByteArray &ansi, int n)
{
    QStringList pieces;
    qsizetype pos = 0;
    while (pos < ansi.size()) {
        const QByteArray rest = ansi.mid(pos);
        QByteArray piece = os::CutAnsi(rest, byteCount(n));
        if (piece.isEmpty()) // width below one character: take it whole
            piece = rest.left(os::AnsiCharLength(rest, 0));
        pieces << os::FromAnsi(piece);
        pos += piece.size();
    }
    return pieces.join("\r\n");
}

QString WrapBytes(const QString &text, int n)
{
    return WrapBytes(os::ToAnsi(text), n);
}

QString PadLeftWith(const QString &text, QChar ch, int w)
{
    return os::FromAnsi(padWith(text, ch, w, true, false));
}

QString PadRightWith(const QString &text, QChar ch, int w)
{
    return os::FromAnsi(padWith(text, ch, w, false, true));
}

QString PadCenterWith(const QString &text, QChar ch, int w)
{
    return os::FromAnsi(padWith(text, ch, w, true, true));
}

QString PadLeft(const QString &text, int w) { return PadLeftWith(text, ' ', w); }
QString PadRight(const QString &text, int w) { return PadRightWith(text, ' ', w); }
QString PadCenter(const QString &text, int w) { return PadCenterWith(text, ' ', w); }

QString FormatAmount(Currency amount)
{
    return FormatWholeNumber(amount.Round());
}

Currency ParseAmount(const QString &text)
{
    QString bare;
    for (QChar c : text)
        if (!c.isSpace() && c != ',')
            bare.append(c);
    bool ok = false;
    const Currency value = Currency::fromString(bare, &ok);
    return ok ? value : Currency();
}

QVariant IfThenVar(bool flag, const QVariant &whenTrue, const QVariant &whenFalse)
{
    return flag ? whenTrue : whenFalse;
}

bool SplitToStrings(QString *items, int high, const QString &text, QChar sep)
{
    return splitInto(items, high, text, sep, [](const QString &s) { return s; });
}

bool SplitToInts(int *items, int high, const QString &text, QChar sep)
{
    return splitInto(items, high, text, sep, toInt);
}

bool SplitToBytes(std::uint8_t *items, int high, const QString &text, QChar sep)
{
    return splitInto(items, high, text, sep,
                     [](const QString &s) { return static_cast<std::uint8_t>(toInt(s) & 0xFF); });
}

QString JoinStrings(const QString *items, int high, QChar sep)
{
    return joinFrom(items, high, sep, [](const QString &s) { return s; });
}

QString JoinInts(const int *items, int high, QChar sep)
{
    return joinFrom(items, high, sep, [](int v) { return QString::number(v); });
}

QString JoinBytes(const std::uint8_t *items, int high, QChar sep)
{
    try {
        return joinFrom(items, high, sep, [](std::uint8_t v) { return QString::number(v); });
    } catch (...) {
        return {};
    }
}

void ClearInts(int *items, int high)
{
    for (int k = 0; k <= high; ++k)
        items[k] = 0;
}

void ClearBytes(std::uint8_t *items, int high)
{
    for (int k = 0; k <= high; ++k)
        items[k] = 0;
}

bool ClearStrings(QString *items, int high)
{
    try {
        for (int k = 0; k <= high; ++k)
            items[k] = ClearedElement();
        return true;
    } catch (...) {
        return false;
    }
}

QString ClearedElement()
{
    return QString(QChar(0));
}

QString ElementText(const QString &element)
{
    return element == ClearedElement() ? QString() : element;
}

QString GetToken(const QString &text, int index, const QString &delimiter)
{
    if (index < 1 || delimiter.isEmpty())
        return {};
    const QStringList pieces = (text + delimiter).split(delimiter);
    // The split of text + delimiter ends with one empty piece that is not an item.
    if (index > pieces.size() - 1)
        return {};
    return pieces.at(index - 1);
}
