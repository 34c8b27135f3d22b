#pragma once
// Production entry (menu Tag 501303): the item-entry basket of products and
// semi-products produced on one line on one date, each line with the quantity
// produced (ADQTY) and the quantity lost (SonsilSu), saved as one production
// (document kind 15, F3300 / F3301). The production is always the branch's
// own ("지점생산").
//
//  - Quantities: the key pad serves the produced edit and the loss edit; a
//    digit typed into the loss splits it off the line's whole quantity
//    (produced + lost as last shown), so the produced edit follows. OK
//    refuses a loss above the quantity produced. All on exact decimals.
//  - Save (651305), after the write right of F30_PRODUCTENTRY: lines of
//    items that may not be produced and lines of goods and materials are
//    offered for removal first; a new production draws its number for the
//    month of the chosen date (held across a failed save, so the retry
//    leaves one document), a production reloaded from the status list
//    ("생산 내역 진행중") is written again under its own month and number.
//    Each line sends its raw-material cost, quantity x the item's recipe cost
//    (MHEPRI, kept on lines of touched items). A failure is logged and told
//    ("생산 저장에 실패하였습니다."), and the basket stays for a retry.
//  - Delete (651306), with the delete right, of a reloaded production only.
//  - Print (651307): the slip of the last production saved here, re-read
//    from the server.
//  - Job orders (651311): a job order's lines taken over for a new production.
//  - Production patterns (651310): the production-pattern screen works on
//    vtb_STOCK, cds_Sengsan and cds_BicgoAll; after its OK the lines without
//    a quantity go, the rest are numbered 1..n and produced on the line of
//    the pattern chosen last ("생산 패턴 진행중"). Closed otherwise, it has
//    put the basket back as it was.

#include "documents/ItemEntryScreen.h"

#include <memory>

class ClientDataSet;
class ProductionLineChoice;

namespace Ui {
class TF1003_Produce;
}

class TF1003_Produce : public TItemEntryScreen {
    Q_OBJECT
public:
    static constexpr int ProductionKind = 15;

    explicit TF1003_Produce(QWidget *parent = nullptr);
    ~TF1003_Produce() override;

    // The production's own controls (the item-entry ones are in form()).
    Ui::TF1003_Produce &produceForm() const { return *m_ui; }

    ClientDataSet *cds_F0011_SengsanLine = nullptr; // GP_SELECT_F0011_ProduceLine
    ClientDataSet *cds_Sengsan = nullptr;           // GP_INSERT_F3300_PRODUCTENTRY
    ClientDataSet *cds_F3300_SengsanDel = nullptr;  // GP_DELETE_F3300_PRODUCTENTRY

    // The save button (651305): a new production or the modification of a
    // reloaded one.
    void SaveProduction();
    // The production-pattern button (651310).
    void OpenPatterns();
    // The job-order button (651311).
    void TakeOverJobOrder();
    // Focus on the produced edit, its text selected, the key pad on it.
    void FocusQuantity();
    void mgd_StockItemsMouseUp() override;

protected:
    int DocumentKind() const override { return ProductionKind; }
    QString FormName() const override { return QStringLiteral("F1003_Produce"); }
    void SaveSteps(qint64 number, const QString &month, const QDate &date) override;
    QList<SlipLine> ReadSavedEntry(const QString &number, const QDateTime &time) override;
    QString SlipTitle() const override { return m_slipTitle; }
    QString SlipTimeLabel() const override;
    QString NoEntryNotice() const override { return QStringLiteral("생산한 내역이 없습니다."); }
    QString SlipErrorLog() const override { return QStringLiteral("F1003_Produce.cds_F3301_det.btn_Menu6 Error:"); }
    QStringList SlipBody(const QList<SlipLine> &lines) const override;
    bool SlipThanksLine() const override { return false; }
    bool RunReloadPicker(QString &month, QString &number, QDate &date) override;
    QString ReloadStateText() const override;
    void DeleteEntry() override;
    void MemberAction(int tag) override;
    QList<int> KindTags() const override { return {KindProducts, KindSemi}; }
    QString SearchFilter() const override;
    QList<FieldDef> BasketFields() const override;
    void SetupGridColumns() override;
    QString AmountPriceField() const override { return QStringLiteral("ADUPRC000"); }
    bool IsKeypadTarget(QLineEdit *edit) const override;
    void ClearEntryFields() override;
    void ShowCurrentLineExtra() override;
    void NewLineFields(DataSet &line, double itemPrice) override;
    bool OkAllowed() override;
    void OkLineFields(DataSet &line) override;
    void AfterDigit(QLineEdit *target) override;

    void showEvent(QShowEvent *event) override;

private:
    // Writes header and every line under the given key; throws what the
    // server answered.
    void WriteProduction(qint64 number, const QString &month, const QString &year, const QString &day);
    // The questions before a save; false when the save stops.
    bool CheckLinesBeforeSave();
    void SaveNew();
    void SaveModification();

    std::unique_ptr<Ui::TF1003_Produce> m_ui;
    std::unique_ptr<ProductionLineChoice> m_lines;
    QString m_slipTitle;
    bool m_linesLoaded = false;
};

extern TF1003_Produce *F1003_Produce;

// The split of the loss edit: what is left produced of `whole` (the line's
// produced + lost) when `lost` is typed as lost, as the shortest decimal text
// ("0.3" less "0.1" is "0.2"); a text that is no number counts 0.
QString ProducedAfterLoss(const QString &whole, const QString &lost);
