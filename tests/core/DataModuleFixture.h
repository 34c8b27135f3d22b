#pragma once
// A data module against the in-process test server, with a program folder,
// a log file and a settings record of its own for every test.

#include "core/MyConfig.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/ProgramFile.h"
#include "support/DemoTerminal.h"
#include "support/TestServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

class DataModuleSuite : public TestServerSuite {
protected:
    void SetUp() override
    {
        saved = MyConfig;
        MyConfig = DemoTerminalConfig(server());
        MyConfig.LIP = QStringLiteral("127.0.0.1");
        MyConfig.LDB = QStringLiteral("KVLB");
        ASSERT_TRUE(dir.isValid());
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        LogFileName = dir.filePath(QStringLiteral("test.log"));
        dm = std::make_unique<TDM>();
    }

    void TearDown() override
    {
        dm.reset();
        MyConfig = saved;
        LogFileName.clear();
        os::SetProgramFilePath(QString());
        os::SetClockOffset(0);
    }

    QString logText() const
    {
        QFile f(LogFileName);
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

    // Points the data module at a port where nothing listens.
    void cutTheLine()
    {
        dm->ROChannel->setTargetUrl(QStringLiteral("http://127.0.0.1:1/BIN"));
    }

    TMyConfig saved;
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
};
