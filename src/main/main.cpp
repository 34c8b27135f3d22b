// Program entry of the terminal. The start-up sequence and the sign-in screen
// are not built yet; until then the program takes the single-instance lock,
// sets up fonts and the error box, and shows one window saying so.
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/SingleInstance.h"
#include "platform/os/Version.h"
#include "shell/RaldApplication.h"

#include <QLabel>

RALD_VERSION_MARKER("3.0.0.1");

int main(int argc, char **argv)
{
    // glibc re-reads /etc/localtime for every local-time conversion unless TZ
    // is set; date-times of every server answer go through it.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");

    os::SingleInstance instance;
    if (!instance.tryLock(os::ProgramInstanceName))
        return 0; // another copy runs: end without a message

    RaldApplication app(argc, argv);
    QApplication::setApplicationName("Talvenrode RALD");
    mirel::installFontSubstitutions();
    mirel::setLogHandler([](const QString &text) { WriteLog(text); });

    QLabel window(QString::fromUtf8("RALD 지점 단말기\n\n시작 절차와 로그인 화면은 아직 만드는 중입니다."));
    window.setAlignment(Qt::AlignCenter);
    window.setFont(QFont(QString::fromUtf8("굴림"), 16));
    window.setFixedSize(1024, 768);
    window.show();
    return app.exec();
}
