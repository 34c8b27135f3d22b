// Shows a stock-out screen with a few items touched ("taste": tastings and
// gifts, "disuse": secondary material and discards), or the release list of
// secondary materials and discards of the last five days with the demo
// discard touched ("list"), against a running head-office server (port given,
// default 9999). Pictures come from $RALD_BIN_DIR/img. The window closes by
// itself after the number of seconds given (default 30).

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "core/uKV_DataModule.h"
#include "documents/U1007_TwoMaterialDisuse.h"
#include "documents/U1009_TastePresent.h"
#include "documents/U1013_ReleaseList.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "support/DemoProgram.h"
#include "ui_U1013_ReleaseList.h"

#include <QApplication>
#include <QDateEdit>
#include <QTimer>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString(argv[1]) : QStringLiteral("taste");
    const QString port = argc > 2 ? QString(argv[2]) : QStringLiteral("9999");
    const int seconds = argc > 3 ? QString(argv[3]).toInt() : 30;
    StartDemoProgram(port);

    TDM dm;
    DM = &dm;
    dm.SDB_Open();
    dm.StockLoadTypeA();
    dm.LoadTypeB();
    dm.StockLoadItems();

    std::unique_ptr<QWidget> window;
    if (what == QLatin1String("list")) {
        auto list = std::make_unique<TF1013_ReleaseList>();
        list->ListMode = QStringLiteral("1");
        list->show();
        list->form().date_ChSearch1->setDate(os::Now().date().addDays(-5));
        list->btn_chulgoStockHedsearchClick();
        if (list->cds_F3200_hed->Locate(QStringLiteral("DHNUMB;DHCHTY"), QVariantList{3, QStringLiteral("005")}))
            list->grid_ChStock1CellClick();
        list->form().grid_ChStock2->SelectedRows().setCurrentRowSelected(true);
        window = std::move(list);
    } else {
        std::unique_ptr<TStockOutScreen> screen;
        if (what == QLatin1String("disuse"))
            screen = std::make_unique<TF1007_TwoMaterialDisuse>();
        else
            screen = std::make_unique<TF1009_TastePresent>();
        screen->show();
        screen->mmb_TypeBMouseUp(screen->ButtonsB[1]);
        screen->ButtonsB[1]->setDown(true);
        for (int i : {0, 0, 2, 1})
            screen->mmb_ItemsMouseUp(screen->ButtonsItems[i]);
        window = std::move(screen);
    }
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    window.reset();
    DM = nullptr;
    return result;
}
