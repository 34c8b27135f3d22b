#pragma once
// A data module against the in-process test server, with a program folder,
// a log file and a settings record of its own for every test. Its channel
// carries the demo terminal's key and is signed in as 1001 (user slot
// 90000001), as the terminal is after a sign-in; signInAs() signs another
// user in, signOut() drops the session, and the channel's setTerminalKey()
// calls with another key (TestServer::store0001Key()) or none ("").

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
        ASSERT_TRUE(dm->SDB_Open()) << logText().toStdString();
        signInAs(QStringLiteral("1001"));
    }

    // Signs the user (password 1234) in through the sign-in procedure on
    // the data module's channel and puts the user's number in the user slot.
    void signInAs(const QString &user) { MyConfig.UIADNB = TestServer::signIn(*dm->ROChannel, user); }
    void signOut() { dm->ROChannel->ForgetSession(); }

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
