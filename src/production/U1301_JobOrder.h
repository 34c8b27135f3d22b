#pragma once
// Job-order entry (menu Tag 501308): the item-entry basket of products and
// semi-products with the quantity to produce for one production date, saved
// as one job order (document kind 14, F3310 / F3311). Job orders move no
// stock; they count as already ordered in the received-order search.
//
//  - A basket is started by touching items, by the received-order search
//    (651310: the day's production forecast, state "수주 찾기 진행중", the
//    date picker on the searched day) or by reloading a job order through
//    the job-order list (651308, state "작업 지시서 진행중").
//  - Register (651305), after a question: a new job order takes its number
//    for the month of the chosen date (held across a failed registration, so
//    the retry leaves one document, and drawn anew when the date moved to
//    another month); its three dates are the chosen day. A reloaded job
//    order is written again under its own month, number, year and dates; no
//    number is drawn. A failure shows the server's message and keeps the
//    basket.
//  - Delete (651306) removes the reloaded job order after a question.
//  - Print (651307): the slip of the last job order registered here, re-read
//    from the server; printing leaves a basket built since alone.
// No right is tested for register, delete or print.

#include "documents/ItemEntryScreen.h"

#include <memory>

class ClientDataSet;

namespace Ui {
class TF1301_JobOrder;
}

class TF1301_JobOrder : public TItemEntryScreen {
    Q_OBJECT
public:
    static constexpr int JobOrderKind = 14;

    explicit TF1301_JobOrder(QWidget *parent = nullptr);
    ~TF1301_JobOrder() override;

    // The job order's own controls (the item-entry ones are in form()).
    Ui::TF1301_JobOrder &jobOrderForm() const { return *m_ui; }

    ClientDataSet *cds_SUju = nullptr;           // GP_INSERT_F3310_WORKENTRY
    ClientDataSet *cds_F3310_SujuDel = nullptr;  // GP_DELETE_F3310_WORKENTRY

    // 0 nothing registered since the screen was created and shown (or since the last
    // all-delete or delete), 1 a new job order registered, 2 a reloaded job
    // order saved again.
    int SavedKind = 0;

    // The register button (651305).
    void RegisterJobOrder();
    // The received-order search (651310).
    void SearchReceivedOrders();
    void btn_AllDelClick() override;

protected:
    int DocumentKind() const override { return JobOrderKind; }
    QString FormName() const override { return QStringLiteral("F1301_JobOrder"); }
    void SaveSteps(qint64 number, const QString &month, const QDate &date) override;
    QList<SlipLine> ReadSavedEntry(const QString &number, const QDateTime &time) override;
    QString SlipTitle() const override { return m_slipTitle; }
    QString SlipTimeLabel() const override { return QStringLiteral(" 작업지시서 시각: "); }
    QString NoEntryNotice() const override { return QStringLiteral("작업지시서 등록한 내역이 없습니다."); }
    bool HasSavedEntry() const override { return SavedKind != 0; }
    QString SlipErrorLog() const override { return QStringLiteral("F1301_JobOrder.vtb_STOCK.인쇄버튼 Error:"); }
    bool SlipThanksLine() const override { return false; }
    bool RunReloadPicker(QString &month, QString &number, QDate &date) override;
    QString ReloadStateText() const override;
    void DeleteEntry() override;
    void MemberAction(int tag) override;
    QList<int> KindTags() const override { return {KindProducts, KindSemi}; }
    QString SearchFilter() const override;
    QFont ItemButtonFont() const override;
    bool SelectSearchTextOnTouch() const override { return false; }
    QList<FieldDef> BasketFields() const override;
    void SetupGridColumns() override;
    void ClearEntryFields() override;
    void ShowCurrentLineExtra() override;

private:
    // Writes the header and every basket line under the given key and days
    // ("yyyymmdd"); throws what the server answered.
    void WriteJobOrder(qint64 number, const QString &month, const QString &year, const QString &day,
                       const QString &productionDay);
    void RegisterNew();
    void RegisterReloaded();

    std::unique_ptr<Ui::TF1301_JobOrder> m_ui;
    QString m_slipTitle;
};

extern TF1301_JobOrder *F1301_JobOrder;
