// Shows the branch stock status against an in-process head-office server
// with the demo data, searched for every product of every unit once shown.
// Pictures come from $RALD_BIN_DIR/img. The screen closes by itself after
// the number of seconds given (default 30).

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "inquiries/U690_NormalStock.h"
#include "support/DemoTerminal.h"
#include "support/TestServer.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    mirel::installFontSubstitutions();
    const QByteArray bin = qgetenv("RALD_BIN_DIR");
    if (!bin.isEmpty())
        mirel::setPictureFolder(QString::fromLocal8Bit(bin) + "/img");
    const int seconds = argc > 1 ? QString(argv[1]).toInt() : 30;

    TestServer server;
    server.start();
    MyConfig = DemoTerminalConfig(server);
    TDM dm;
    DM = &dm;
    dm.SDB_Open();

    TF690_NormalStock stock;
    F690_NormalStock = &stock;
    stock.show();
    QTimer::singleShot(300, &stock, [&stock] {
        QTest::mouseClick(stock.findChild<TMirelImgBtn *>(QStringLiteral("btn_JijemJegoSearch")), Qt::LeftButton);
    });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    F690_NormalStock = nullptr;
    DM = nullptr;
    return result;
}
