// Shows the settings screen on the built-in settings (no server), on the page
// given (1 to 5, default 1); on the table page the second tile is selected.
// Pictures come from $RALD_BIN_DIR/img (the build's program folder). The
// screen closes by itself after the number of seconds given (default 30).

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "core/MyConfig.h"
#include "settings/u302_ConfigEnv.h"

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
    const int page = argc > 1 ? std::clamp(QString(argv[1]).toInt(), 1, 5) : 1;
    const int seconds = argc > 2 ? QString(argv[2]).toInt() : 30;

    ApplyConfigDefaults(MyConfig);
    MyConfig.CompanyCode = QStringLiteral("9999");
    MyConfig.StoreCode = QStringLiteral("9999");
    MyConfig.PosNo = QStringLiteral("99");
    MyConfig.pcprst = QStringLiteral("1");

    TF302_ConfigEnv screen;
    screen.show();
    auto *pageButton = screen.findChild<TMirelImgBtn *>(QStringLiteral("btn_Page%1").arg(page));
    QTest::mouseClick(pageButton, Qt::LeftButton, {}, pageButton->rect().center());
    if (page == 4 && screen.tiles().size() > 1)
        QTest::mouseClick(screen.tiles()[1], Qt::LeftButton, {}, QPoint(10, 10));
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
