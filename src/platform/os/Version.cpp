#include "platform/os/Version.h"

#include "platform/os/ProgramFile.h"

#include <QByteArray>
#include <QFile>

namespace os {

namespace {

// Built at run time from two pieces, so that this reader itself does not
// carry a marker that a scan would find.
QByteArray markerStart()
{
    QByteArray start("\x01" "RALD-VERSION");
    start += "-MARKER\x02";
    return start;
}

constexpr int maxVersionLength = 64;

} // namespace

QString ReadVersionMarker(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("0");
    const qint64 size = file.size();
    const uchar *data = size > 0 ? file.map(0, size) : nullptr;
    QByteArray copy;
    QByteArrayView bytes;
    if (data) {
        bytes = QByteArrayView(reinterpret_cast<const char *>(data), size);
    } else {
        copy = file.readAll();
        bytes = QByteArrayView(copy);
    }
    const QByteArray start = markerStart();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = bytes.indexOf(start, from);
        if (at < 0)
            break;
        const qsizetype begin = at + start.size();
        const qsizetype end = bytes.indexOf('\x03', begin);
        if (end > begin && end - begin <= maxVersionLength) {
            const QByteArrayView version = bytes.sliced(begin, end - begin);
            bool printable = true;
            for (char c : version)
                printable = printable && c > ' ' && c < 127;
            if (printable)
                return QString::fromLatin1(version);
        }
        from = begin;
    }
    return QStringLiteral("0");
}

QString ProgramVersion()
{
    return ReadVersionMarker(ProgramFilePath());
}

} // namespace os
