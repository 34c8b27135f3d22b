#pragma once
// The start of a demo program that shows screens against a head-office
// server started by hand: the fonts, the build's pictures and program file
// from $RALD_BIN_DIR, and the demo terminal on 127.0.0.1:port signed in as
// user 1001, without a receipt printer port. Call it after the application
// object exists.

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPicture.h"
#include "platform/os/ProgramFile.h"
#include "support/DemoTerminal.h"

inline void StartDemoProgram(const QString &port)
{
    mirel::installFontSubstitutions();
    const QString bin = qEnvironmentVariable("RALD_BIN_DIR");
    if (!bin.isEmpty()) {
        mirel::setPictureFolder(bin + "/img");
        os::SetProgramFilePath(bin + "/KV_RALD");
    }
    MyConfig = DemoTerminalConfig(QStringLiteral("127.0.0.1"), port);
    MyConfig.UIADNB = QStringLiteral("90000001"); // user 1001
    MyConfig.PortReceipt.clear();
}
