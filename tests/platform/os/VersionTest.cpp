#include "platform/os/ProgramFile.h"
#include "platform/os/Version.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(VersionMarker, ReadFromAProgramThatCarriesIt)
{
    EXPECT_EQ(os::ReadVersionMarker(QStringLiteral(LOCK_HOLDER)), QStringLiteral("1.2.30.4"));
    // This test program carries no marker, only the reader.
    EXPECT_EQ(os::ProgramVersion(), QStringLiteral("0"));
}

namespace {
// The marker's opening bytes, put together at run time so that this test
// program does not carry a marker itself.
QByteArray start()
{
    return QByteArray("\x01RALD-VERSION") + "-MARKER\x02";
}
} // namespace

TEST(VersionMarker, MissingOrBrokenMarkersReadAsZero)
{
    QTemporaryDir dir;
    struct Case { QByteArray bytes; const char *version; };
    const Case cases[] = {
        {QByteArray("no marker here"), "0"},
        {start() + "7.0\x03", "7.0"},
        {start() + "7.0 beta\x03", "0"},  // not one word
        {start() + QByteArray(80, '9') + "\x03", "0"},
        {start() + "3.1", "0"},          // no end
        {start() + "\x03 " + start() + "2.5\x03", "2.5"},
    };
    int i = 0;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::number(i++));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(os::ReadVersionMarker(path), QString::fromLatin1(c.version)) << i;
    }
    EXPECT_EQ(os::ReadVersionMarker(dir.filePath("missing")), QStringLiteral("0"));
}
