#include "core/uKV_DataModule.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/os/Clock.h"

#include <QDateTime>

#include <cmath>
#include <stdexcept>

TDM *DM = nullptr;

namespace {

using FT = FieldType;

FieldDef text(const char *name, int size)
{
    return {QLatin1String(name), FT::String, size};
}

FieldDef typed(const char *name, FieldType type)
{
    return {QLatin1String(name), type, 0};
}

// The wire type of a configuration field's saved parameter.
FieldType paramTypeOf(const ConfigField &field)
{
    switch (field.kind) {
    case ConfigKind::Bool: return FT::Boolean;
    case ConfigKind::Int8:
    case ConfigKind::Int16: return FT::SmallInt;
    case ConfigKind::Int32: return FT::Integer;
    case ConfigKind::Single: return FT::Float;
    case ConfigKind::DateTime: return (field.flags & cfTimeOfDay) ? FT::String : FT::DateTime;
    case ConfigKind::Text:
    case ConfigKind::Char:
    case ConfigKind::TextList:
    case ConfigKind::IntList:
    case ConfigKind::ByteList: return FT::String;
    }
    return FT::String;
}

// A column of the configuration row read as the field's kind wants it (a
// null column reads as "", 0, false or no date, as a field always did).
QVariant columnValue(const Field &column, const ConfigField &field)
{
    switch (field.kind) {
    case ConfigKind::Bool: return column.AsBoolean();
    case ConfigKind::Int8:
    case ConfigKind::Int16:
    case ConfigKind::Int32: return column.AsInteger();
    case ConfigKind::Single: return column.AsFloat();
    case ConfigKind::DateTime: return column.AsDateTime();
    case ConfigKind::Text:
    case ConfigKind::Char:
    case ConfigKind::TextList:
    case ConfigKind::IntList:
    case ConfigKind::ByteList: return column.AsString();
    }
    return column.AsVariant();
}

} // namespace

TDM::TDM(QObject *parent)
    : QObject(parent), m_remote(std::make_unique<RemoteConnection>())
{
    setObjectName(QStringLiteral("DM"));
    ROChannel = m_remote.get();
    RODataSnapConnection = m_remote.get();

    adt_TBLDTL = new LocalTable(LocalConnection, this);
    adt_TBLDTL->setObjectName(QStringLiteral("adt_TBLDTL"));
    adt_TBLDTL->setTableName(QStringLiteral("TBLDTL"));
    adt_TBLMMO = new LocalTable(LocalConnection, this);
    adt_TBLMMO->setObjectName(QStringLiteral("adt_TBLMMO"));
    adt_TBLMMO->setTableName(QStringLiteral("TBLMMO"));
    adt_TBLCNF = new LocalTable(LocalConnection, this);
    adt_TBLCNF->setObjectName(QStringLiteral("adt_TBLCNF"));
    adt_TBLCNF->setTableName(QStringLiteral("TBLCNF"));
    ds_TBLDTL = adt_TBLDTL;

    vtb_SCITK1 = makeCache("vtb_SCITK1", {
        text("GKCMCD", 4), text("GKBUUT", 4), text("GKITTY", 3), text("GKGKID", 3), text("GKDJGU", 1),
        typed("GKSEQ", FT::Integer), text("GKNAME", 50), typed("GKUSFL", FT::Boolean),
        typed("GKLADT", FT::DateTime), typed("gbtype", FT::Integer), typed("GKSEQ1", FT::Integer)});
    vtb_SCITK2 = makeCache("vtb_SCITK2", {
        text("MKCMCD", 4), text("MKBUUT", 4), text("MKITTY", 3), text("MKGKID", 3), text("MKMKID", 3),
        text("MKDJGU", 1), typed("MKSEQ", FT::Integer), text("MKNAME", 50), typed("MKUSFL", FT::Boolean),
        typed("MKLADT", FT::DateTime), typed("mbtype", FT::Integer), typed("MKSEQ1", FT::Integer)});
    vtb_SCITM = makeCache("vtb_SCITM", {
        text("IMCMCD", 4), text("IMBUUT", 4), text("IMITNB", 6), text("IMITTY", 3), text("IMBAR", 30),
        text("IMRFID", 50), text("IMNAME", 50), text("IMSNAM", 30), text("IMENAM", 50), text("IMSTAN", 20),
        text("IMSTDT", 8), text("IMEDDT", 8), text("IMPGKI", 3), text("IMPMKI", 3), text("IMSDKI", 3),
        text("IMSJKI", 3), typed("IMPRC1", FT::Currency), typed("IMPUFL", FT::Boolean), text("IMCOLOR", 3),
        text("IMBDAN", 3), text("IMMDAN", 3), text("IMLDAN", 3), typed("IMMCAL", FT::Integer),
        text("IMJDAN", 3), text("IMIDAN", 3), text("IMTDAN", 3), text("IMSDAN", 3), text("IMCDAN", 3),
        text("IMEDAN", 3), text("IMKSGU", 3), text("IMIDGU", 1), text("IMTXGU", 1), text("IMSTGU", 1),
        typed("IMJKFL", FT::Boolean), typed("IMJUFL", FT::Boolean), typed("IMBDFL", FT::Boolean),
        typed("IMSDFL", FT::Boolean), typed("IMJOFL", FT::Boolean), typed("IMSEQ", FT::Integer),
        typed("IMSEQ1", FT::Integer), typed("IMSEQ2", FT::Integer), typed("IMSEQ9", FT::Integer),
        typed("IMOJDT", FT::DateTime), typed("IMPSFL", FT::Boolean), typed("IMUSFL", FT::Boolean),
        typed("IMJEGO", FT::Float), text("IMPJDT", 20), typed("IMLADT", FT::DateTime),
        typed("MHEPRI", FT::Currency), typed("lastibgo_uprc", FT::Currency),
        typed("lastchulgo_uprc", FT::Currency)});
    vtb_Susin = makeCache("vtb_Susin", {
        text("abbuut", 4), text("abadnb", 8), text("abname", 50), text("absnam", 50), text("abadty", 3),
        text("myadnb", 8), text("abtxgu", 1), text("abksgu", 3), typed("abseq", FT::Integer)});
    vtb_CMCD = makeCache("vtb_CMCD", {
        text("CDGUCD", 3), text("CDSSCD", 3), text("CDNAME", 50), typed("CDLADT", FT::DateTime),
        text("CDSNAM", 30)});

    Cds_QryPrc = makeClient("Cds_QryPrc", "dspQuery1", QString());
    cds_SnTime = makeClient("cds_SnTime", "dspQuery1", QString());
    cds_F2100_Chk = makeClient("cds_F2100_Chk", "dspStoredProc2",
                               QStringLiteral("[GP_SELECT_F3230_CHECKBUUT_BALJU_CHULGO]"));
    cds_LoginList = makeClient("cds_LoginList", "dspStoredProc1", QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
    cds_StockTypeA = makeClient("cds_StockTypeA", "dspStoredProc2",
                                QStringLiteral("[GP_SELECT_F0060_STOCK_POS_TYPEA]"));
    cds_StockTypeB = makeClient("cds_StockTypeB", "dspStoredProc3",
                                QStringLiteral("[GP_SELECT_F0061_STOCK_POS_TYPEB]"));
    cds_StockItems = makeClient("cds_StockItems", "dspStoredProc5",
                                QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]"));
    cds_LoadConfig = makeClient("cds_LoadConfig", "dspStoredProc7", QStringLiteral("[GP_SELECT_F0000_POS_CONFIG]"));
    cds_SaveConfig = makeClient("cds_SaveConfig", "dspStoredProc7", QStringLiteral("[GP_UPSERT_F0000_POS_CONFIG]"));
    cds_SangsanLodeConfig = makeClient("cds_SangsanLodeConfig", "dspStoredProc10",
                                       QStringLiteral("[GP_SELECT_F0003_ProductPOSConfig]"));
    cds_SangsanSaveConfig = makeClient("cds_SangsanSaveConfig", "dspStoredProc9",
                                       QStringLiteral("[GP_INSERT_F0003_ProductPOSConfig]"));

    installDisplayHandlers();

    vtb_SCITK1->Open();
    vtb_SCITK2->Open();
    vtb_SCITM->Open();
}

TDM::~TDM()
{
    // The local tables and client data sets go before the connections they use.
    const QList<QObject *> owned = children();
    for (QObject *child : owned)
        delete child;
    LocalConnection.close();
}

ClientDataSet *TDM::makeClient(const char *objectName, const char *provider, const QString &commandText)
{
    auto *cds = new ClientDataSet(this);
    cds->setObjectName(QLatin1String(objectName));
    cds->setRemoteServer(m_remote.get());
    cds->setProviderName(QLatin1String(provider));
    cds->setCommandText(commandText);
    return cds;
}

DataSet *TDM::makeCache(const char *objectName, const QList<FieldDef> &fields)
{
    auto *ds = new DataSet(this);
    ds->setObjectName(QLatin1String(objectName));
    ds->AddFields(fields);
    return ds;
}

QString TDM::ElapsedText(qint64 ms)
{
    ms = std::llabs(ms) % 86400000;
    const qint64 minutes = ms / 60000;
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString TDM::GetToken(const QString &text, int index, const QString &delimiter)
{
    return ::GetToken(text, index, delimiter);
}

// ---- connections ------------------------------------------------------------

bool TDM::SDB_Open()
{
    return RunLogged(QStringLiteral("TDM.SDB_Open Error:"), [&] {
        ROChannel->Disconnect();
        ROChannel->setTargetUrl(ServerAddress(MyConfig) + QStringLiteral("/BIN"));
        ROChannel->setTerminalKey(MyConfig.TKY);
        ROChannel->setUserAgent(QStringLiteral("KV_") + MyConfig.CompanyCode + QLatin1Char('_')
                                + MyConfig.StoreCode + QLatin1Char('_') + MyConfig.PosNo);
        ROChannel->Connect();
        return ROChannel->Connected();
    });
}

bool TDM::LDB_Open()
{
    const auto closeAll = [this] {
        adt_TBLDTL->Close();
        adt_TBLMMO->Close();
        adt_TBLCNF->Close();
        LocalConnection.close();
    };
    // Without a local database server there is no local database: nothing is
    // opened, and the table-name step that needs TBLCNF fails after us.
    if (MyConfig.LIP.isEmpty()) {
        closeAll();
        return false;
    }
    return RunLogged(QStringLiteral("TDM.LDB_Open Error:"), [&] {
        closeAll();
        LocalConnection.open(LocalDatabase::filePathFor(MyConfig.LDB));
        adt_TBLDTL->Open();
        adt_TBLMMO->Open();
        adt_TBLCNF->Open();
        return true;
    });
}

bool TDM::OpenTables()
{
    return RunLogged(QStringLiteral("TDM.OpenTables Error:"), [&] {
        if (!vtb_CMCD->Active())
            vtb_CMCD->Open();
        return true;
    });
}

// ---- users and table names --------------------------------------------------

bool TDM::LoadJumunList()
{
    return RunLogged(QStringLiteral("TDM.LoadJumunList.cds_LoginList Error:"), [&] {
        cds_LoginList->Close();
        SetTextParam(*cds_LoginList, QStringLiteral("@A_CMCD"), MyConfig.CompanyCode);
        SetTextParam(*cds_LoginList, QStringLiteral("@A_STCD"), MyConfig.StoreCode);
        cds_LoginList->Open();
        // The lists are rebuilt and replace the old ones only when the whole
        // answer was read: the table-order window reloads them at every refresh.
        QStringList names, ids, pusr;
        cds_LoginList->First();
        while (!cds_LoginList->Eof()) {
            names << cds_LoginList->FieldByName(QStringLiteral("ABNAME")).AsString();
            ids << cds_LoginList->FieldByName(QStringLiteral("UIADNB")).AsString();
            pusr << cds_LoginList->FieldByName(QStringLiteral("UIPUSR")).AsString();
            cds_LoginList->Next();
        }
        UserNames = names;
        UserIds = ids;
        UserPusr = pusr;
        return true;
    });
}

bool TDM::LoadTableName()
{
    return RunLogged(QStringLiteral("TDM.LoadTableName Error:"), [&] {
        const int floors = MyConfig.LayerCounter;
        if (floors <= 0)
            return true;
        // Floors and places beyond what the names can hold are not read.
        const int readable = std::min<int>(floors, std::min<int>(TTableNames::Floors, int(MyConfig.TableCount.size())));
        for (int f = 0; f < readable; ++f) {
            const int places = int(MyConfig.TableCount[size_t(f)]) + int(MyConfig.PackCount[size_t(f)]);
            for (int p = 0; p < places && p < TTableNames::Places; ++p) {
                if (adt_TBLCNF->Locate(QStringLiteral("FL_NO;TBL_NO"), QVariantList{f, p}))
                    TableNames.set(f + 1, p + 1, adt_TBLCNF->FieldByName(QStringLiteral("TNAME")).AsString());
            }
        }
        return true;
    });
}

// ---- caches -----------------------------------------------------------------

void TDM::CopyRowsIntoCache(DataSet &answer, DataSet &cache)
{
    {
        const ControlsOff quiet(cache);
        cache.EmptyTable();
        const Field *mhepri = cache.FindField(QStringLiteral("MHEPRI"));
        answer.First();
        while (!answer.Eof()) {
            cache.Append();
            for (int i = 0; i < cache.FieldCount(); ++i) {
                Field &target = cache.Fields(i);
                const Field *source = answer.FindField(target.FieldName());
                if (!source)
                    continue;
                if (&target == mhepri)
                    target.setAsCurrency(Currency::fromDouble(source->AsFloat()));
                else
                    target.setAsVariant(source->AsVariant());
            }
            cache.Post();
            answer.Next();
        }
    }
    if (cache.Active())
        cache.First();
}

bool TDM::loadCache(ClientDataSet &query, DataSet &cache, bool withName, const char *failureText)
{
    if (!cache.Active())
        return false;
    try {
        query.Close();
        SetTextParam(query, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
        SetTextParam(query, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
        if (withName)
            SetTextParam(query, QStringLiteral("A_NAME"), QString());
        query.Open();
        CopyRowsIntoCache(query, cache);
        query.Close();
        return true;
    } catch (...) {
        WriteLog(QLatin1String(failureText));
        return false;
    }
}

bool TDM::StockLoadTypeA()
{
    return loadCache(*cds_StockTypeA, *vtb_SCITK1, false, "StockLoadTypeA Error.");
}

bool TDM::LoadTypeB()
{
    return loadCache(*cds_StockTypeB, *vtb_SCITK2, false, "LoadTypeB Error.");
}

bool TDM::StockLoadItems()
{
    return loadCache(*cds_StockItems, *vtb_SCITM, true, "StockLoadItems Error.");
}

// ---- server time and order block ---------------------------------------------

QString TDM::serverTimeSql()
{
    return QStringLiteral(
        "SELECT DATEPART(YYYY, GETDATE()) AS YY, DATEPART(MM, GETDATE()) AS MM, DATEPART(DD, GETDATE()) AS DD, "
        "DATEPART(HH, GETDATE()) AS HH, DATEPART(MI, GETDATE()) AS NN, DATEPART(SS, GETDATE()) AS SS, "
        "DATEPART(MS, GETDATE()) AS MS");
}

bool TDM::GetSrvTime()
{
    return RunLogged(QStringLiteral("TDM.GetSrvTime Error:"), [&] {
        cds_SnTime->Close();
        cds_SnTime->setCommandText(serverTimeSql());
        cds_SnTime->Open();
        const auto part = [this](const char *name) {
            return cds_SnTime->FieldByName(QLatin1String(name)).AsInteger();
        };
        const QDate date(part("YY"), part("MM"), part("DD"));
        const QTime time(part("HH"), part("NN"), part("SS"), part("MS"));
        if (!date.isValid() || !time.isValid())
            throw std::runtime_error("The server sent no valid time");
        // The application clock follows the server; the computer's clock is left alone.
        os::SetNow(QDateTime(date, time));
        cds_SnTime->Close();
        return true;
    });
}

bool TDM::CheckOrderBlocked(const QString &supplierCode)
{
    cds_F2100_Chk->Close();
    SetTextParam(*cds_F2100_Chk, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(*cds_F2100_Chk, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(*cds_F2100_Chk, QStringLiteral("A_ADNB"), supplierCode);
    cds_F2100_Chk->Open();
    bool blocked = false;
    cds_F2100_Chk->First();
    while (!cds_F2100_Chk->Eof()) {
        if (cds_F2100_Chk->FieldByName(QStringLiteral("ULporderyn")).AsString() == QLatin1String("1"))
            blocked = true;
        cds_F2100_Chk->Next();
    }
    if (!blocked)
        return false;
    ShowMessageBox(QStringLiteral("현재  ") + MyConfig.StoreName
                       + QStringLiteral("매장은 입금기일을 초과하여 미수가 발생하였습니다.") + QChar(13)
                       + QStringLiteral("미수금 입금 후에 발주가 가능하오니 참조 바랍니다."),
                   mkNotice, 5000);
    return true;
}

// ---- configuration rows -----------------------------------------------------

bool TDM::LoadConfig()
{
    return RunLogged(QStringLiteral("TDM.LoadConfig Error:"), [&] {
        cds_LoadConfig->Close();
        SetTextParam(*cds_LoadConfig, QStringLiteral("@A_COMPANYCODE"), MyConfig.CompanyCode);
        SetTextParam(*cds_LoadConfig, QStringLiteral("@A_STORECODE"), MyConfig.StoreCode);
        SetTextParam(*cds_LoadConfig, QStringLiteral("@A_POSNO"), MyConfig.PosNo);
        cds_LoadConfig->Open();
        if (cds_LoadConfig->IsEmpty()) {
            cds_LoadConfig->Close();
            return false;
        }
        cds_LoadConfig->First();
        for (const ConfigField &field : ConfigFields()) {
            if (!(field.flags & cfLoad))
                continue;
            const Field &column = cds_LoadConfig->FieldByName(QLatin1String(field.column));
            if (!SetConfigFieldValue(MyConfig, field, columnValue(column, field)))
                throw std::runtime_error(QStringLiteral("'%1' is not a valid value of %2")
                                             .arg(column.AsString(), QLatin1String(field.column))
                                             .toStdString());
        }
        for (const ConfigField &field : ConfigFields())
            if (field.flags & cfSetNowOnLoad)
                SetConfigFieldValue(MyConfig, field, os::Now());
        cds_LoadConfig->Close();
        return true;
    });
}

bool TDM::SaveConfig()
{
    return RunLogged(QStringLiteral("TDM.SaveConfig Error:"), [&] {
        cds_SaveConfig->Close();
        cds_SaveConfig->Params().Clear();
        SetTextParam(*cds_SaveConfig, QStringLiteral("@A_COMPANYCODE"), MyConfig.CompanyCode);
        SetTextParam(*cds_SaveConfig, QStringLiteral("@A_STORECODE"), MyConfig.StoreCode);
        SetTextParam(*cds_SaveConfig, QStringLiteral("@A_POSNO"), MyConfig.PosNo);
        for (const ConfigField *field : ConfigSaveOrder())
            cds_SaveConfig->Params()
                .CreateParam(paramTypeOf(*field), QLatin1String(field->param))
                .setValue(ConfigFieldValue(MyConfig, *field));
        cds_SaveConfig->Execute();
        return true;
    });
}

bool TDM::SsLoadConfig()
{
    return RunLogged(QStringLiteral("TDM.SsLoadConfig Error:"), [&] {
        cds_SangsanLodeConfig->Close();
        SetTextParam(*cds_SangsanLodeConfig, QStringLiteral("@pccmcd"), MyConfig.CompanyCode);
        SetTextParam(*cds_SangsanLodeConfig, QStringLiteral("@pcbuut"), MyConfig.StoreCode);
        SetTextParam(*cds_SangsanLodeConfig, QStringLiteral("@pcpoid"), MyConfig.PosNo);
        cds_SangsanLodeConfig->Open();
        cds_SangsanLodeConfig->First();
        if (cds_SangsanLodeConfig->IsEmpty())
            throw std::runtime_error("cds_SangsanLodeConfig: no printer-kind row for this terminal");
        MyConfig.pcprst = cds_SangsanLodeConfig->FieldByName(QStringLiteral("pcprst")).AsString();
        cds_SangsanLodeConfig->Close();
        return true;
    });
}

bool TDM::SsSaveConfig()
{
    return RunLogged(QStringLiteral("TDM.cds_SangsanSaveConfig Error:"), [&] {
        cds_SangsanSaveConfig->Close();
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pccmcd"), MyConfig.CompanyCode);
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pcbuut"), MyConfig.StoreCode);
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pcpoid"), MyConfig.PosNo);
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pcprst"), MyConfig.pcprst);
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pcwork"), MyConfig.UIADNB);
        SetTextParam(*cds_SangsanSaveConfig, QStringLiteral("@pcpgid"), QStringLiteral("DM"));
        cds_SangsanSaveConfig->Execute();
        return true;
    });
}

// ---- display texts of the table-order lines ---------------------------------

void TDM::installDisplayHandlers()
{
    DataSet &dtl = *adt_TBLDTL;

    dtl.FieldByName(QStringLiteral("TEMP")).OnGetText = [](const Field &field, bool) {
        const Field &ordered = field.dataSet().FieldByName(QStringLiteral("ORD_DT"));
        if (ordered.IsNull())
            return QString();
        const QDateTime at = ordered.AsDateTime();
        return at.toString(QStringLiteral("HH:mm")) + QLatin1Char('(') + ElapsedText(at.msecsTo(os::Now()))
            + QLatin1Char(')');
    };

    dtl.FieldByName(QStringLiteral("TEMP2")).OnGetText = [this](const Field &field, bool) {
        const QString cashier = field.dataSet().FieldByName(QStringLiteral("CASHER")).AsString();
        const qsizetype k = UserIds.indexOf(cashier);
        return k >= 0 && k < UserNames.size() ? UserNames.at(k) : QString();
    };

    dtl.FieldByName(QStringLiteral("TEMP3")).OnGetText = [this](const Field &field, bool) {
        if (!vtb_CMCD->Active())
            return QString();
        const QString cookType = field.dataSet().FieldByName(QStringLiteral("COOKTYPE")).AsString();
        vtb_CMCD->setFiltered(false);
        if (!vtb_CMCD->Locate(QStringLiteral("CDGUCD;CDSSCD"), QVariantList{QStringLiteral("59"), cookType}))
            return QString();
        QString name = vtb_CMCD->FieldByName(QStringLiteral("CDSNAM")).AsString();
        if (name.isEmpty())
            name = vtb_CMCD->FieldByName(QStringLiteral("CDNAME")).AsString();
        return CutBytes(name, 8);
    };

    dtl.FieldByName(QStringLiteral("TEMP4")).OnGetText = [](const Field &field, bool) {
        if (!MyConfig.UseCustSection)
            return QString();
        return QString::number(field.dataSet().FieldByName(QStringLiteral("SECTION")).AsInteger() + 1);
    };

    dtl.FieldByName(QStringLiteral("TableName")).OnGetText = [this](const Field &field, bool) {
        const DataSet &ds = field.dataSet();
        return TableNames(ds.FieldByName(QStringLiteral("FL_NO")).AsInteger(),
                          ds.FieldByName(QStringLiteral("TBL_NO")).AsInteger());
    };

    dtl.FieldByName(QStringLiteral("TableMemo")).OnGetText = [this](const Field &field, bool) {
        if (!adt_TBLMMO->Active())
            return QString();
        const DataSet &ds = field.dataSet();
        const QString f = QString::number(ds.FieldByName(QStringLiteral("FL_NO")).AsInteger());
        const QString t = QString::number(ds.FieldByName(QStringLiteral("TBL_NO")).AsInteger());
        const QString i = QString::number(ds.FieldByName(QStringLiteral("ITEM_IDX")).AsInteger());
        // The memos of the item and those of item 0 (the whole place).
        const QString filter = QStringLiteral("(FL_NO = ") + f + QStringLiteral(" AND TBL_NO = ") + t
            + QStringLiteral(" AND ITEM_IDX = ") + i + QStringLiteral(")") + QStringLiteral(" OR (FL_NO = ") + f
            + QStringLiteral(" AND TBL_NO = ") + t + QStringLiteral(" AND ITEM_IDX = ") + QStringLiteral("0")
            + QStringLiteral(")");
        adt_TBLMMO->setFiltered(false);
        adt_TBLMMO->setFilter(filter);
        adt_TBLMMO->setFiltered(true);
        QStringList memos;
        adt_TBLMMO->First();
        while (!adt_TBLMMO->Eof()) {
            memos << adt_TBLMMO->FieldByName(QStringLiteral("MMO")).AsString();
            adt_TBLMMO->Next();
        }
        return memos.join(QStringLiteral(", "));
    };

    // The line number: the position of the record shown (display texts are
    // read inside a row scope, so RecNo() is that of the row being shown).
    const auto recordNumber = [](const Field &field, bool) { return QString::number(field.dataSet().RecNo()); };
    dtl.FieldByName(QStringLiteral("POS_NO")).OnGetText = recordNumber;
    dtl.FieldByName(QStringLiteral("TableBenho")).OnGetText = recordNumber;
}
