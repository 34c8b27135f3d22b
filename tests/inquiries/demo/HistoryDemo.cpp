// Shows the document history against an in-process head-office server with
// the demo data: the orders page searched from six days back to today and its
// first order (six days back, one line of each item type) touched; with
// "products" the product button is pressed before the touch; with
// "production" the production page searched from three days back to today
// and its name-index key 가 pressed instead. Pictures come from
// $RALD_BIN_DIR/img. The screen closes by itself after the number of seconds
// given (default 30).

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "inquiries/U656_StockDetail.h"
#include "platform/os/Clock.h"
#include "support/DemoTerminal.h"
#include "support/TestServer.h"

#include <QApplication>
#include <QDateEdit>
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
    const QString mode = argc > 2 ? QString(argv[2]) : QString();
    const bool products = mode == QLatin1String("products");

    TestServer server;
    server.start();
    MyConfig = DemoTerminalConfig(server);
    TDM dm;
    DM = &dm;
    dm.SDB_Open();

    TF656_StockDetail history;
    F656_StockDetail = &history;
    history.show();
    QTimer::singleShot(300, &history, [&history, products, mode] {
        const QDate today = os::Now().date();
        if (mode == QLatin1String("production")) {
            QTest::mouseClick(history.findChild<TMirelImgBtn *>(QStringLiteral("btn_Sengsan")), Qt::LeftButton);
            history.findChild<QDateEdit *>(QStringLiteral("date_SsSearch1"))->setDate(today.addDays(-3));
            QTest::mouseClick(history.findChild<TMirelImgBtn *>(QStringLiteral("MirelImgBtn2")), Qt::LeftButton);
            QTest::mouseClick(history.findChild<TMirelImgBtn *>(QStringLiteral("btn_SsHnaGa")), Qt::LeftButton);
            return;
        }
        history.findChild<QDateEdit *>(QStringLiteral("date_BjSearch1"))->setDate(today.addDays(-6));
        QTest::mouseClick(history.findChild<TMirelImgBtn *>(QStringLiteral("btn_BjStockDetailsearch")), Qt::LeftButton);
        if (products)
            QTest::mouseClick(history.findChild<TMirelImgBtn *>(QStringLiteral("btn_BjJefum")), Qt::LeftButton);
        auto *headers = history.findChild<TMirelGrid *>(QStringLiteral("grid_BjStock1"));
        const QRect first = headers->CellRect(0, 0);
        QTest::mouseClick(headers->viewport(), Qt::LeftButton, {}, first.translated(-headers->viewport()->pos()).center());
    });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    F656_StockDetail = nullptr;
    DM = nullptr;
    return result;
}
