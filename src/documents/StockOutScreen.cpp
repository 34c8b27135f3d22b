#include "documents/StockOutScreen.h"
#include "ui_ItemEntryScreen.h"

#include "Components/MirelComp/MirelDBEdit.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "documents/DocumentCalls.h"
#include "documents/U1013_ReleaseList.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

const QString kReloadState = QStringLiteral("출고내역 진행중");

QString F(const char *name) { return QLatin1String(name); }

} // namespace

bool IsMaterialLine(const QString &itemType)
{
    return itemType == QStringLiteral("재료") || itemType == QStringLiteral("원재료")
           || itemType == QStringLiteral("부재료");
}

TStockOutScreen::TStockOutScreen(int menuTag, QWidget *parent) : TItemEntryScreen(menuTag, parent)
{
    cds_Chulgo = NewRemoteCall(this, "cds_Chulgo", "dspStoredProc13", QStringLiteral("[GP_INSERT_F3200_DELIVERYENTRY]"));
    cds_F3200_ChulgoDel =
        NewRemoteCall(this, "cds_F3200_ChulgoDel", "dspStoredProc11", QStringLiteral("[GP_DELETE_F3200_DELIVERYENTRY]"));
}

void TStockOutScreen::SaveAs(const QString &releaseType)
{
    m_releaseType = releaseType;
    SaveEntry();
}

void TStockOutScreen::SaveSteps(qint64 number, const QString &month, const QDate &date)
{
    const QString formName = FormName();
    const QString user = MyConfig.UIADNB;
    Params &p = cds_Chulgo->Params();
    auto text = [&p](const char *name, const QString &value) {
        p.CreateParam(FieldType::String, F(name)).setAsString(value);
    };
    auto integer = [&p](const char *name, int value) { p.CreateParam(FieldType::Integer, F(name)).setAsInteger(value); };
    auto flag = [&p](const char *name, bool value) { p.CreateParam(FieldType::Boolean, F(name)).setAsBoolean(value); };

    // The header.
    p.Clear();
    p.CreateParam(FieldType::SmallInt, F("A_GUBUN")).setAsSmallInt(1);
    text("A_DHCMCD", MyConfig.CompanyCode);
    text("A_DHBUUT", MyConfig.StoreCode);
    text("A_DHMONTH", month);
    integer("A_DHNUMB", int(number));
    text("A_DHYEAR", date.toString(QStringLiteral("yyyy")));
    text("A_DHDATE", date.toString(QStringLiteral("yyyyMMdd")));
    text("A_DHADNB", QString());
    text("A_DHCHTY", m_releaseType);
    text("A_DHKSGU", QString());
    text("A_DHTXGU", QString());
    for (const char *amount : {"A_DHGAMT", "A_DHTAX", "A_DHAMT", "A_DHDAMT"})
        integer(amount, 0);
    flag("A_DHGEFL", false);
    flag("A_DHSBFL", false);
    text("A_DHSEME", QString());
    text("A_DHBIGO", QString());
    text("A_DHPOID", MyConfig.PosNo);
    p.CreateParam(FieldType::String, F("A_DHCHDA")).Clear(); // not set
    text("A_DHCHYI", QString());
    text("A_DHBARS", QString());
    flag("A_DHpdfl", true);
    text("A_DHKEMONTH", QString());
    integer("A_DHKENUMB", 0);
    text("A_DHKMMONTH", QString());
    p.CreateParam(FieldType::Integer, F("A_DHKMNUMB")).setValue(QString()); // the empty text: null
    text("A_DHWORK", user);
    text("A_DHPGID", formName);
    cds_Chulgo->Execute();

    // Every line, whatever its quantity.
    DataSet &b = *vtb_STOCK;
    const ControlsOff quiet(b);
    int seq = 0;
    for (b.First(); !b.Eof(); b.Next()) {
        auto field = [&b](const char *name) -> const Field & { return b.FieldByName(F(name)); };
        const int amount = int(field("ADAMT").AsCurrency().Trunc());
        p.Clear();
        p.CreateParam(FieldType::SmallInt, F("A_GUBUN")).setAsSmallInt(2);
        text("A_DDCMCD", MyConfig.CompanyCode);
        text("A_DDBUUT", MyConfig.StoreCode);
        text("A_DDMONTH", month);
        integer("A_DDNUMB", int(number));
        integer("A_DDSEQ", ++seq);
        text("A_DDITNB", field("IMITNB").AsString());
        text("A_DDBAR", QString());
        text("A_DDRFID", QString());
        text("A_DDLINB", QString());
        text("A_DDUNIT", field("ADUNIT").AsString());
        p.CreateParam(FieldType::Float, F("A_DDQTY")).setAsFloat(field("ADQTY").AsFloat());
        integer("A_DDUPRC", field("ADUPRC2").AsInteger());
        integer("A_DDAMT", amount);
        SetLineUnitParams(*cds_Chulgo, "A_DD", b);
        text("A_DDIBMONTH", QString());
        integer("A_DDIBNUMB", 0);
        integer("A_DDIBSEQ", 0);
        text("A_DDSUMONTH", month);
        integer("A_DDSUNUMB", field("SUSUM").AsInteger());
        integer("A_DDSUSEQ", field("ADSEQ").AsInteger());
        text("A_DDWORK", user);
        text("A_DDPGID", formName);
        integer("A_DDgamt", amount);
        integer("A_DDtax", 0);
        cds_Chulgo->Execute();
        form().edt_StockSum->setText(QStringLiteral("0"));
    }
}

QList<TItemEntryScreen::SlipLine> TStockOutScreen::ReadSavedEntry(const QString &number, const QDateTime &time)
{
    TF1013_ReleaseList list(this); // never shown: only its line query
    list.OpenEntryLines(time.toString(QStringLiteral("yyyyMM")), number.toLongLong());
    QList<SlipLine> lines;
    DataSet &d = *list.cds_F3201_det;
    for (d.First(); !d.Eof(); d.Next())
        lines.append({d.FieldByName(F("IMNAME")).AsString(), d.FieldByName(F("DDQTY")).AsFloat(),
                      d.FieldByName(F("DDUNIT")).AsString()});
    return lines;
}

QString TStockOutScreen::SlipErrorLog() const
{
    return QStringLiteral("F1013_ReleaseList.cds_F3201_det.btn_Menu6 Error:");
}

bool TStockOutScreen::RunReloadPicker(QString &month, QString &number, QDate &date)
{
    TF1013_ReleaseList list(this);
    list.ListMode = ListMode();
    list.TargetBasket = vtb_STOCK;
    F1013_ReleaseList = &list;
    const int result = list.exec();
    F1013_ReleaseList = nullptr;
    if (result != TF1013_ReleaseList::CopiedResult)
        return false;
    const TF1013_ReleaseList::Entry entry = list.ChosenEntry();
    month = entry.month;
    number = QString::number(entry.number);
    date = entry.date;
    return true;
}

QString TStockOutScreen::ReloadStateText() const { return kReloadState; }

void TStockOutScreen::DeleteEntry()
{
    if (form().lab_BanpumNeyek->text() != kReloadState)
        return;
    if (AskMessageBox(QStringLiteral("한번 삭제되면 복구가 안됩니다 정말로 삭제하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    Params &p = cds_F3200_ChulgoDel->Params();
    p.Clear();
    p.CreateParam(FieldType::String, F("A_DHCMCD")).setAsString(MyConfig.CompanyCode);
    p.CreateParam(FieldType::String, F("A_DHBUUT")).setAsString(MyConfig.StoreCode);
    p.CreateParam(FieldType::String, F("A_DHMONTH")).setAsString(form().Edit30->text());
    p.CreateParam(FieldType::Integer, F("A_DHNUMB")).setAsInteger(form().Edit31->text().toInt());
    p.CreateParam(FieldType::String, F("A_DHWORK")).setAsString(MyConfig.UIADNB);
    p.CreateParam(FieldType::String, F("A_DHPGID")).setAsString(FormName());
    cds_F3200_ChulgoDel->Execute(); // a refusal reaches the error box; the basket stays
    ResetBasket(false);
}
