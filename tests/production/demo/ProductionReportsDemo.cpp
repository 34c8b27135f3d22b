// Shows one of the production reports against a running head-office server
// (port given, default 9999) with the demo data, searched over the demo's
// report productions (70 to 65 days back, their year for the item totals):
// the daily report ("daily"), the daily totals of line 001 ("totals") or the
// totals by item and month ("items"). With a PDF path as the fourth argument
// it presses the print button, writes the print there and ends. Pictures come
// from $RALD_BIN_DIR/img. The window closes by itself after the number of
// seconds given (default 30).

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Clock.h"
#include "platform/report/Report.h"
#include "production/U1302_PRODUCTDAILYREPORT.h"
#include "production/U1303_DAILYPRODUCTSUM.h"
#include "production/U1304_ITEMPRODUCTSUM.h"
#include "support/DemoProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTimer>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString(argv[1]) : QStringLiteral("daily");
    const QString port = argc > 2 ? QString(argv[2]) : QStringLiteral("9999");
    const int seconds = argc > 3 ? QString(argv[3]).toInt() : 30;
    const QString pdf = argc > 4 ? QString(argv[4]) : QString();
    StartDemoProgram(port);
    MyConfig.StoreName = QStringLiteral("데모지점");

    TDM dm;
    DM = &dm;
    dm.SDB_Open();

    const QDate from = os::Now().date().addDays(-75), to = os::Now().date();
    std::unique_ptr<TProductionReportScreen> screen;
    const char *print = "btn_BjStockDetailA4Print";
    if (what == QLatin1String("items")) {
        screen = std::make_unique<TF1304_ITEMPRODUCTSUM>();
        auto *years = screen->findChild<QComboBox *>(QStringLiteral("cmb_year"));
        years->setCurrentIndex(years->findText(QString::number(os::Now().date().addDays(-70).year())));
        print = "MirelImgBtn1";
    } else {
        if (what == QLatin1String("totals"))
            screen = std::make_unique<TF1303_DAILYPRODUCTSUM>();
        else
            screen = std::make_unique<TF1302_PRODUCTDAILYREPORT>();
        screen->findChild<QDateEdit *>(QStringLiteral("stdt"))->setDate(from);
        screen->findChild<QDateEdit *>(QStringLiteral("eddt"))->setDate(to);
    }
    screen->show();
    QCoreApplication::processEvents();
    screen->btn_BjStockDetailsearchClick();
    if (!pdf.isEmpty()) {
        report::SetPreviewSink([&pdf](report::Report &r) { r.exportPdf(pdf); });
        auto *button = screen->findChild<TMirelImgBtn *>(QLatin1String(print));
        emit button->OnClick(button);
        screen.reset();
        DM = nullptr;
        return 0;
    }
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    const int result = app.exec();
    screen.reset();
    DM = nullptr;
    return result;
}
