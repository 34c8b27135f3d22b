// Shows job-order entry against a running head-office server (port given,
// default 9999) with the demo data, right after the received-order search for
// today: one line per item to produce with its forecast in the item's base
// unit, the last line (커스터드크림 in G) shown on the unit button, the date
// picker on the searched day and the state "수주 찾기 진행중". Pictures come
// from $RALD_BIN_DIR/img. The window closes by itself after the number of
// seconds given (default 30).

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_DataModule.h"
#include "platform/dataset/DataSet.h"
#include "production/U1301_JobOrder.h"
#include "production/U1301_ObtainSearch.h"
#include "support/DemoProgram.h"
#include "ui_ItemEntryScreen.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString port = argc > 1 ? QString(argv[1]) : QStringLiteral("9999");
    const int seconds = argc > 2 ? QString(argv[2]).toInt() : 30;
    StartDemoProgram(port);

    TDM dm;
    DM = &dm;
    dm.SDB_Open();
    dm.StockLoadTypeA();
    dm.LoadTypeB();
    dm.StockLoadItems();

    int result = 0;
    {
        TF1301_JobOrder s;
        s.show();
        // The search opens modally: its OK is pressed once it shows.
        QTimer::singleShot(0, &s, [&s] {
            if (auto *search = s.findChild<TF1301_ObtainSearch *>())
                search->btn_SujuCahgiOkClick();
        });
        s.btn_MenuClick(TItemEntryScreen::TagAction1);
        s.vtb_STOCK->Last();
        s.mgd_StockItemsMouseUp();
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
        result = app.exec();
    }
    DM = nullptr;
    return result;
}
