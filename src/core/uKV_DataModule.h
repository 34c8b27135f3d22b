#pragma once
// TDM, the central data module: the remote connection through which every
// client data set of the program talks to the head-office server, the local
// database of restaurant-table orders, the start-up caches (users, table
// names, categories, items) and a few shared queries (server time, order-block
// check, free SQL). One instance, DM, created by start-up.
//
// Every operation runs on the main thread, logs its own failure and returns a
// boolean, except CheckOrderBlocked, whose query errors reach the caller.

#include "platform/dataset/DataSet.h"
#include "platform/localdb/LocalDatabase.h"
#include "platform/localdb/LocalTable.h"
#include "platform/remote/ClientDataSet.h"
#include "platform/remote/RemoteConnection.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// Names of the restaurant-table places: floors 1..20, places 1..64, numbered
// as the order table TBLDTL numbers them. A position outside that range reads
// as the empty name and is never stored.
class TTableNames {
public:
    static constexpr int Floors = 20;
    static constexpr int Places = 64;

    static bool inRange(int floor, int place)
    {
        return floor >= 1 && floor <= Floors && place >= 1 && place <= Places;
    }
    QString operator()(int floor, int place) const
    {
        return inRange(floor, place) ? m_names[size_t(floor - 1)][size_t(place - 1)] : QString();
    }
    // Returns false (and stores nothing) outside the range.
    bool set(int floor, int place, const QString &name)
    {
        if (!inRange(floor, place))
            return false;
        m_names[size_t(floor - 1)][size_t(place - 1)] = name;
        return true;
    }
    void clear()
    {
        for (auto &floor : m_names)
            floor.fill(QString());
    }

private:
    std::array<std::array<QString, Places>, Floors> m_names;
};

class TDM : public QObject {
    Q_OBJECT
public:
    // DataModuleCreate: creates the components and the user lists and opens
    // the three stock caches.
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    // ---- remote access --------------------------------------------------------
    // The HTTP channel and the provider connection are one object here; both
    // names are kept because screens speak of either.
    RemoteConnection *ROChannel = nullptr;
    RemoteConnection *RODataSnapConnection = nullptr;

    // ---- local database -------------------------------------------------------
    LocalDatabase LocalConnection;
    LocalTable *adt_TBLDTL = nullptr;
    LocalTable *adt_TBLMMO = nullptr;
    LocalTable *adt_TBLCNF = nullptr;
    DataSet *ds_TBLDTL = nullptr; // the data source of the table-order grid (adt_TBLDTL)

    // ---- caches ---------------------------------------------------------------
    DataSet *vtb_SCITK1 = nullptr; // major categories
    DataSet *vtb_SCITK2 = nullptr; // middle categories
    DataSet *vtb_SCITM = nullptr;  // items
    DataSet *vtb_Susin = nullptr;  // suppliers, filled by the supplier picker
    DataSet *vtb_CMCD = nullptr;   // code table

    // ---- shared client data sets -------------------------------------------
    ClientDataSet *Cds_QryPrc = nullptr; // free SQL: close, set CommandText, open
    ClientDataSet *cds_SnTime = nullptr;
    ClientDataSet *cds_F2100_Chk = nullptr;
    ClientDataSet *cds_LoginList = nullptr;
    ClientDataSet *cds_StockTypeA = nullptr;
    ClientDataSet *cds_StockTypeB = nullptr;
    ClientDataSet *cds_StockItems = nullptr;
    ClientDataSet *cds_LoadConfig = nullptr;
    ClientDataSet *cds_SaveConfig = nullptr;
    ClientDataSet *cds_SangsanLodeConfig = nullptr;
    ClientDataSet *cds_SangsanSaveConfig = nullptr;

    // ---- users: index k of each list describes one user ---------------------
    QStringList UserNames; // ABNAME
    QStringList UserIds;   // UIADNB
    QStringList UserPusr;  // UIPUSR

    TTableNames TableNames;

    // ---- start-up steps -------------------------------------------------------
    bool SDB_Open();
    bool LDB_Open();
    bool OpenTables();
    bool LoadJumunList();
    bool LoadTableName();
    bool StockLoadTypeA();
    bool LoadTypeB();
    bool StockLoadItems();
    bool GetSrvTime();

    // True (after showing the notice) when business with the supplier is
    // blocked. Query errors are not caught.
    bool CheckOrderBlocked(const QString &supplierCode);

    // ---- configuration rows ---------------------------------------------------
    bool LoadConfig();
    bool SaveConfig();
    bool SsLoadConfig();
    bool SsSaveConfig();

    // The index-th piece (from 1) of text split at delimiter.
    static QString GetToken(const QString &text, int index, const QString &delimiter);

    // "hh:nn" of a length of time, counted within the day as a time of day
    // shows it (the elapsed time of a table order).
    static QString ElapsedText(qint64 ms);

    // Empties cache and appends one row per row of answer, copying every field
    // of the cache that the answer has (by name); the rest stays null. Rows
    // appended before a failure stay. The item-entry screens refill the item
    // cache with it.
    static void CopyRowsIntoCache(DataSet &answer, DataSet &cache);

    // The SQL text of the server-time query.
    static QString serverTimeSql();

private:
    ClientDataSet *makeClient(const char *objectName, const char *provider, const QString &commandText);
    DataSet *makeCache(const char *objectName, const QList<FieldDef> &fields);
    bool loadCache(ClientDataSet &query, DataSet &cache, bool withName, const char *failureText);
    void installDisplayHandlers();

    std::unique_ptr<RemoteConnection> m_remote;
};

// The central data module of the program; null until start-up creates it.
extern TDM *DM;
