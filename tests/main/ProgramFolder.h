#pragma once
// A program folder for the start-up sequence: the program file with its
// version marker, the cipher library and the INI file of a first start
// pointed at a test server. The INI is written with a library loaded from
// `libraryDir`, so that the program folder's own library is loaded by
// start-up alone.

#include "core/MyConfig.h"
#include "core/TCM.h"
#include "platform/os/ProgramFile.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"

#include <QString>

inline bool PrepareProgramFolder(const QString &folder, const QString &libraryDir, const TestServer &server)
{
    os::SetProgramFilePath(folder + QStringLiteral("/KV_RALD"));
    if (!WriteProgram(folder + QStringLiteral("/KV_RALD"), ProgramBytes(QStringLiteral("3.0.0.1"))))
        return false;
    TCM cm;
    cm.ExeDir = libraryDir + QLatin1Char('/');
    if (!cm.LoadCipherLibrary() || !CopyCipherLibrary(folder) || !cm.InitSettings())
        return false;
    MyConfig.SIP = server.host();
    MyConfig.SPO = QString::number(server.port());
    MyConfig.UPU = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    const bool saved = cm.SaveConnection();
    MyConfig = TMyConfig();
    return saved;
}
