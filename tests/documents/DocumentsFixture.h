#pragma once
// A data module signed on to the in-process test server as the global DM,
// for the store-document pieces; the rights registry is cleared after each test.

#include "core/DataModuleFixture.h"
#include "core/ProgramRights.h"
#include "platform/remote/ClientDataSet.h"
#include "Store.h"

#include <SQLiteCpp/Database.h>

#include <QDir>

class DocumentsSuite : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        ASSERT_TRUE(dm->SDB_Open());
        DM = dm.get();
        server().clearCalls();
        server().clearFailures();
    }

    void TearDown() override
    {
        SetProgramRights(nullptr);
        DM = nullptr;
        DataModuleSuite::TearDown();
    }

    // The program folder of the build, where the button pictures are drawn.
    static void useBuildPictures()
    {
        os::SetProgramFilePath(QDir(qEnvironmentVariable("RALD_BIN_DIR")).filePath(QStringLiteral("KV_RALD")));
    }

    std::unique_ptr<ClientDataSet> client(const char *provider, const char *command)
    {
        auto cds = std::make_unique<ClientDataSet>();
        cds->setRemoteServer(dm->ROChannel);
        cds->setProviderName(QString::fromLatin1(provider));
        cds->setCommandText(QString::fromLatin1(command));
        return cds;
    }



    static int callsOf(const QString &procedure) { return int(server().calls().count(procedure)); }
};
