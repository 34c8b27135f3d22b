#include "Updates.h"

#include "platform/archive/Bzip2.h"
#include "platform/http/HttpClient.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class UpdatePages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(updates.isValid());
        server.serveUpdates(updates.path());
        server.start();
    }

    http::GetResult get(const char *path) const
    {
        return http::Get(QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(QLatin1String(path)));
    }
    QString versions() const { return QString::fromUtf8(get(hq::kVersionPage).body); }

    // The program inside a served archive.
    QByteArray unpacked(const char *path)
    {
        const http::GetResult r = get(path);
        EXPECT_TRUE(r.ok) << path << ": " << r.error.toStdString();
        QTemporaryDir work;
        QFile packed(work.filePath(QStringLiteral("a.bz2")));
        EXPECT_TRUE(packed.open(QIODevice::WriteOnly));
        packed.write(r.body);
        packed.close();
        EXPECT_EQ(bz2::DecompressFile(packed.fileName(), work.filePath(QStringLiteral("p"))), bz2::Outcome::Done);
        return ReadAll(work.filePath(QStringLiteral("p")));
    }

    QTemporaryDir updates;
    TestServer server;
};

} // namespace

TEST_F(UpdatePages, VersionsOfWhatTheFolderHolds)
{
    EXPECT_EQ(versions(), QStringLiteral("RALD=0,MUPDATER=0,KV_RALD=0"));

    const QByteArray updater = ProgramBytes(QStringLiteral("1.0.0.3"), 50000);
    const QByteArray program = ProgramBytes(QStringLiteral("1.2.0.0"), 70000);
    ASSERT_TRUE(Publish(updates.path(), updater, program));
    EXPECT_EQ(versions(), QStringLiteral("RALD=1.2.0.0,MUPDATER=1.0.0.3,KV_RALD=1.2.0.0"));
    // Terminals ask for the updater by its configured name, in any case.
    EXPECT_EQ(unpacked("/MUpdater.bz2"), updater);
    EXPECT_EQ(unpacked("/KV_RALD.bz2"), program);

    // Publishing again replaces one program and keeps the other.
    ASSERT_TRUE(Publish(updates.path(), QByteArray(), ProgramBytes(QStringLiteral("1.2.0.1"))));
    EXPECT_EQ(versions(), QStringLiteral("RALD=1.2.0.1,MUPDATER=1.0.0.3,KV_RALD=1.2.0.1"));

    // A version counts only while its archive is there.
    QFile::remove(updates.filePath(QStringLiteral("Mupdater.bz2")));
    EXPECT_EQ(versions(), QStringLiteral("RALD=1.2.0.1,MUPDATER=0,KV_RALD=1.2.0.1"));
}

TEST_F(UpdatePages, OnlyArchivesOfTheFolderAreServed)
{
    ASSERT_TRUE(Publish(updates.path(), ProgramBytes(QStringLiteral("1.0")), ProgramBytes(QStringLiteral("1.1"))));
    QDir(updates.path()).mkdir(QStringLiteral("sub"));
    QFile::copy(updates.filePath(QStringLiteral("KV_RALD.bz2")), updates.filePath(QStringLiteral("sub/x.bz2")));
    QFile::copy(updates.filePath(QStringLiteral("KV_RALD.bz2")), updates.filePath(QStringLiteral(".hidden.bz2")));
    for (const char *path : {"/versions.txt", "/sub/x.bz2", "/%2E%2E/KV_RALD.bz2", "/.hidden.bz2", "/missing.bz2",
                             "/KV_RALD", "/.bz2"}) {
        const http::GetResult r = get(path);
        EXPECT_EQ(r.status, 404) << path;
        EXPECT_TRUE(r.body.isEmpty()) << path;
    }
}

TEST(PublishUpdates, LeavesOutWhatCannotBeAnnounced)
{
    QTemporaryDir programs;
    QTemporaryDir updates;
    ASSERT_TRUE(WriteProgram(programs.filePath(QStringLiteral("KV_RALD")), ProgramBytes(QString())));
    std::string report, error;
    EXPECT_FALSE(hq::publishUpdates(programs.path().toStdString(), updates.path().toStdString(), report, error));
    EXPECT_EQ(error, "nothing published");
    EXPECT_NE(report.find("no version marker"), std::string::npos) << report;
    EXPECT_NE(report.find("Mupdater: not found"), std::string::npos) << report;
    EXPECT_EQ(QDir(updates.path()).entryList(QDir::Files), QStringList());
}
