// Shows the sign-in screen against a running head-office server (port given,
// default 9999) with the first notice open on the notice board. Pictures come
// from $RALD_BIN_DIR/img. The screen closes by itself after the number of
// seconds given (default 30).

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "signin/u501_Login.h"
#include "signin/u502_MngUsers.h"
#include "support/DemoTerminal.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    mirel::installFontSubstitutions();
    const QByteArray bin = qgetenv("RALD_BIN_DIR");
    if (!bin.isEmpty())
        mirel::setPictureFolder(QString::fromLocal8Bit(bin) + "/img");
    const QString port = argc > 1 ? QString(argv[1]) : QStringLiteral("9999");
    const int seconds = argc > 2 ? QString(argv[2]).toInt() : 30;

    MyConfig = DemoTerminalConfig(QStringLiteral("127.0.0.1"), port);
    MyConfig.PortReceipt.clear();

    TDM dm;
    DM = &dm;
    dm.SDB_Open();
    TF502_MngUsers users;
    F502_MngUsers = &users;
    TF501_Login login;
    F501_Login = &login;
    login.show();
    QTimer::singleShot(500, &login, [&login] { login.NoticeClick(1); });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    DM = nullptr;
    return result;
}
