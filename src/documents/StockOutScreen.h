#pragma once
// TStockOutScreen: what the two stock-out screens (tastings and gifts,
// secondary material and discards) add to the item-entry screen. Each entry
// is one release entry of the server (F3200 / F3201) of document kind 13,
// its type in DHCHTY:
//  - a save button writes header and every basket line, whatever the
//    quantity, with amounts 0 (a stock-out carries no prices); nothing is
//    asked before and nothing told after: the emptied basket is the sign;
//  - the reload runs the release list in the screen's mode and hands it the
//    basket; the reloaded entry ("출고내역 진행중") can then be deleted
//    after a question, or saved again as a new entry;
//  - the print re-reads the last saved entry through a release list that is
//    never shown and prints its names, quantities and units.
// The members give their form name, list mode, slip texts and buttons.

#include "documents/ItemEntryScreen.h"

class ClientDataSet;

class TStockOutScreen : public TItemEntryScreen {
    Q_OBJECT
public:
    static constexpr int StockOutKind = 13;

    TStockOutScreen(int menuTag, QWidget *parent = nullptr);

    ClientDataSet *cds_Chulgo = nullptr;          // GP_INSERT_F3200_DELIVERYENTRY
    ClientDataSet *cds_F3200_ChulgoDel = nullptr; // GP_DELETE_F3200_DELIVERYENTRY

    // Saves the basket as an entry of releaseType ("004", "003", "010", "005");
    // throws what the server answered (the basket and the number stay).
    void SaveAs(const QString &releaseType);

protected:
    // "1" secondary material and discards, "2" tastings and gifts.
    virtual QString ListMode() const = 0;

    int DocumentKind() const override { return StockOutKind; }
    void SaveSteps(qint64 number, const QString &month, const QDate &date) override;
    QList<SlipLine> ReadSavedEntry(const QString &number, const QDateTime &time) override;
    QString SlipErrorLog() const override;
    bool RunReloadPicker(QString &month, QString &number, QDate &date) override;
    QString ReloadStateText() const override;
    void DeleteEntry() override;

private:
    QString m_releaseType;
};

// A basket line of a material: "재료" as a touched item shows it, "원재료"
// and "부재료" as a reloaded line carries the server's type name.
bool IsMaterialLine(const QString &itemType);
