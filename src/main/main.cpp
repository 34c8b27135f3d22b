// Program entry of the terminal: one running copy, the application object,
// then the start-up sequence, the run and the hand-over (StartUp.h).
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPicture.h"
#include "StartUp.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/SingleInstance.h"
#include "platform/os/Version.h"
#include "shell/RaldApplication.h"

#include <csignal>

#include <unistd.h>

RALD_VERSION_MARKER("3.0.0.1");

int main(int argc, char **argv)
{
    // glibc re-reads /etc/localtime for every local-time conversion unless TZ
    // is set; date-times of every server answer go through it.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    // A server that closes a kept-alive connection while a call is being
    // written must fail that call, not end the terminal.
    std::signal(SIGPIPE, SIG_IGN);

    // The lock file is opened close-on-exec: the updater started at the end
    // must not inherit it, since it waits for the lock to be released.
    os::SingleInstance instance;
    if (!instance.tryLock(os::ProgramInstanceName))
        return ExitSecondCopy; // another copy runs: end without a message

    // The sign-in screen's notice browser shares its GL context and cannot
    // use its sandbox when the terminal runs as root.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    RaldApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvenrode RALD"));
    mirel::installFontSubstitutions();
    mirel::setLogHandler([](const QString &text) { WriteLog(text); });

    return RunTerminal();
}
