#include "documents/U1010_OrderList.h"

#include "Components/MirelComp/MirelGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "documents/SlipColumns.h"
#include "documents/U20_PURCHASEORDER.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QDateTime>

#include <exception>
#include <functional>
#include <stdexcept>
#include <memory>

TF1010_OrderList *F1010_OrderList = nullptr;

namespace {

constexpr int kSlipWidth = 42;

QString rule(char c) { return QString(kSlipWidth, QLatin1Char(c)); }

} // namespace

TF1010_OrderList::TF1010_OrderList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("F1010_OrderList"));
    cds_F2100_hed = NewRemoteCall(this, "cds_F2100_hed", "dspStoredProc2", "[GP_SELECT_F2100_POPUPPURCHASE]");
    cds_F2101_det = NewRemoteCall(this, "cds_F2101_det", "dspStoredProc3", "[GP_SELECT_F2101_POPUPPURCHASE]");
}

TF1010_OrderList::~TF1010_OrderList()
{
    if (F1010_OrderList == this)
        F1010_OrderList = nullptr;
}

void TF1010_OrderList::LoadOrder(const QString &month, qint64 number)
{
    const QString today = os::Now().toString(QStringLiteral("yyyyMMdd"));
    cds_F2100_hed->Close();
    Params &h = cds_F2100_hed->Params();
    h.CreateParam(FieldType::String, QStringLiteral("a_cmcd")).setAsString(MyConfig.CompanyCode);
    h.CreateParam(FieldType::String, QStringLiteral("a_buut")).setAsString(MyConfig.StoreCode);
    h.CreateParam(FieldType::String, QStringLiteral("a_name")).setAsString(QString());
    h.CreateParam(FieldType::String, QStringLiteral("a_gubun1")).setAsString(QStringLiteral("1"));
    h.CreateParam(FieldType::String, QStringLiteral("a_stdt")).setAsString(today);
    h.CreateParam(FieldType::String, QStringLiteral("a_eddt")).setAsString(today);
    h.CreateParam(FieldType::String, QStringLiteral("a_gubun2")).setAsString(QStringLiteral("1"));
    h.CreateParam(FieldType::String, QStringLiteral("a_month")).setAsString(month);
    h.CreateParam(FieldType::Integer, QStringLiteral("a_numb")).setAsInteger(number);
    cds_F2100_hed->Open();

    cds_F2101_det->Close();
    Params &d = cds_F2101_det->Params();
    d.CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(MyConfig.CompanyCode);
    d.CreateParam(FieldType::String, QStringLiteral("A_BUUT")).setAsString(MyConfig.StoreCode);
    d.CreateParam(FieldType::String, QStringLiteral("A_MONTH")).setAsString(month);
    d.CreateParam(FieldType::Integer, QStringLiteral("A_NUMB")).setAsInteger(number);
    cds_F2101_det->Open();
}

QStringList TF1010_OrderList::SlipLines(const QDateTime &now) const
{
    DataSet &det = *cds_F2101_det;
    const QChar esc(0x1b);
    QStringList lines;
    lines << esc + QStringLiteral("!") + QChar(0x10) + PadCenter(QStringLiteral("[발   주]"), kSlipWidth) + esc
                 + QStringLiteral("!") + QChar(0x00);
    lines << QString();
    lines << PadRight(QStringLiteral(" 발주 시각: ") + now.toString(QStringLiteral("yyyy-MM-dd hh:mm")), kSlipWidth);
    lines << PadRight(QStringLiteral(" 발 주 처 : ") + MyConfig.StoreName, kSlipWidth);
    det.First();
    const QString supplier = det.IsEmpty() ? QString() : det.FieldByName(QStringLiteral("suju_name")).AsString();
    lines << PadRight(QStringLiteral(" 수 주 처 : ") + supplier, kSlipWidth);
    lines << rule('=');

    const QChar layout = MyConfig.PrintStockPrice;
    const auto eachLine = [&](const std::function<QString()> &line) {
        for (det.First(); !det.Eof(); det.Next())
            lines << line();
    };
    const auto name = [&] { return det.FieldByName(QStringLiteral("imname")).AsString(); };
    const auto qty = [&] { return SlipQuantity(det.FieldByName(QStringLiteral("PDQTY")).AsFloat()); };
    const auto unit = [&] { return det.FieldByName(QStringLiteral("PDUNIT")).AsString(); };
    if (layout == QLatin1Char('0') || layout == QLatin1Char('1')) {
        lines << QStringLiteral("제품명                         수량       ") << rule('-');
        eachLine([&] { return SlipRow({SlipText(name(), 27), SlipNumber(qty(), 8), SlipRight(unit(), 7)}); });
        lines << rule('-');
        if (layout == QLatin1Char('0')) {
            const QString kind = cds_F2100_hed->FieldByName(QStringLiteral("PHtxguName")).AsString();
            lines << QString(21, QLatin1Char(' ')) + PadLeft(QStringLiteral("부가세 포함여부: ") + kind, 21);
        }
    } else if (layout == QLatin1Char('2')) {
        lines << QStringLiteral("제품명                 수량         합계  ") << rule('-');
        eachLine([&] {
            return SlipRow({SlipText(name(), 20), SlipNumber(qty(), 7), SlipRight(unit(), 5),
                            SlipNumber(FormatAmount(det.FieldByName(QStringLiteral("PDAMT")).AsCurrency()), 10)});
        });
        lines << rule('-');
    }
    lines << rule('=');
    det.First();
    return lines;
}

void TF1010_OrderList::PrintSlip()
{
    RunLogged(QStringLiteral("F651_Stock.vtb_STOCK.발주 프린트 Error:"), [&] {
        const QStringList lines = SlipLines(os::Now());
        if (!ReceiptPrintThread)
            throw std::runtime_error("no receipt printer");
        ReceiptPrintThread->Copies = MyConfig.CountStockOD;
        if (!ReceiptPrintThread->Print(lines))
            throw std::runtime_error("the printer queue is busy");
        ReceiptPrintThread->PrintRequested = true;
    });
}

void PrintPlacedOrder(const QString &month, qint64 number)
{
    auto form = std::make_unique<TF1010_OrderList>();
    F1010_OrderList = form.get();
    form->LoadOrder(month, number);
    if (MyConfig.pcprst == QLatin1String("1")) {
        form->PrintSlip();
    } else if (MyConfig.pcprst == QLatin1String("2")) {
        TR20_PURCHASEORDER report(form.get());
        report.setPrinterName(report::ApplicationPrinterName());
        form->cds_F2101_det->First();
        report.preview();
    }
}
