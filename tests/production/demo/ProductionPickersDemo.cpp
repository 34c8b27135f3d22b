// Shows one of the production pickers against a running head-office server
// (port given, default 9999) with the demo data: the production status list
// with yesterday's production touched and "products" pressed ("status"), the
// job-order list of this month with the first job order touched
// ("joborders"), or the received-order search of today ("obtain").
// Pictures come from $RALD_BIN_DIR/img. The window closes by itself after
// the number of seconds given (default 30).

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Clock.h"
#include "production/U1301_ObtainSearch.h"
#include "production/U1301_WorkDirections.h"
#include "production/U656_StockDetail_SengSan.h"
#include "support/DemoProgram.h"

#include <QApplication>
#include <QDateEdit>
#include <QTimer>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString(argv[1]) : QStringLiteral("status");
    const QString port = argc > 2 ? QString(argv[2]) : QStringLiteral("9999");
    const int seconds = argc > 3 ? QString(argv[3]).toInt() : 30;
    StartDemoProgram(port);

    TDM dm;
    DM = &dm;
    dm.SDB_Open();

    std::unique_ptr<QWidget> window;
    if (what == QLatin1String("joborders")) {
        auto list = std::make_unique<TF1301_WorkDirections>();
        list->ListMode = QStringLiteral("1");
        list->show();
        list->findChild<QDateEdit *>(QStringLiteral("date_WdSearch1"))->setDate(os::Now().date().addDays(-1));
        list->SearchWorkDirections();
        list->grid_WorkDirectionhedCellClick();
        window = std::move(list);
    } else if (what == QLatin1String("obtain")) {
        auto search = std::make_unique<TF1301_ObtainSearch>();
        search->show();
        search->SearchObtains();
        window = std::move(search);
    } else {
        auto list = std::make_unique<TF656_StockDetail_SengSan>();
        list->show();
        list->grid_SdssStock1CellClick();
        list->findChild<TMirelImgBtn *>(QStringLiteral("btn_SdssJefum"))->setDown(true);
        list->ItemTypeClick(ItemTypeButton::Product);
        window = std::move(list);
    }
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    window.reset();
    DM = nullptr;
    return result;
}
