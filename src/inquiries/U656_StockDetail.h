#pragma once
// The document history of the branch, read-only: five pages, each chosen by a
// picture button at the top (Tag 400 + page), in the page control
// pgc_StockDetail1 without tabs.
//
// The four document pages (orders placed, receipts, releases, received
// orders) list the document headers of a date range; touching a header shows
// its lines with the document's total split into supply value and VAT by the
// header's tax kind (an empty or unknown kind: supply = the total truncated,
// VAT 0). The item-type buttons filter the lines on the client; the total,
// supply and VAT cover the lines that pass the filter. A search puts the
// all-types button down and clears the lines' type filter with it, so the
// button shown pressed is the filter in force. A search or a touch whose call
// fails shows the server's error (the error box) and leaves the rows on
// screen as they were.
//
// The production page lists what was produced per item in a date range
// (cds_F3300) and narrows it on the client by the major and middle category
// touched in its two category lists, the type buttons (all, products,
// semi-products) and the name-index keys, once a search or a change of the
// from date has set its search day (NameIndexState / NameIndexFilter). The
// hidden edits Edit1, Edit2, Edit3 and Edit5 hold the search day, the major
// and middle category ids and the remembered type; on show the production
// major categories are read (cds_F0060_debun), and a major category touched
// reads its middle ones (cds_F0061_jungbun).
//
// Print buttons: a document page asks whether to print its A4 list of the
// page's date range (HistoryListForm.h); yes previews the list, any other
// answer prints the touched document's slip (HistorySlips.h). The production
// page prints its slip of the figures shown without asking. A slip that
// cannot be built or handed over (nothing touched or searched yet, no
// printer) writes the page's log text and prints nothing.
//
// The receipt and release line grids select in toggle mode from show to
// close: each touch adds or removes one line (no key is held for it).
//
// Closing: the close button (Tag -1) ends the screen with result 7; the
// scroll menu's close operation does nothing by itself and the menu then
// closes the screen.

#include "core/ClientFilter.h"
#include "shell/WorkScreen.h"

#include <array>
#include <memory>

class ClientDataSet;

namespace Ui {
class TF656_StockDetail;
}

class TF656_StockDetail : public TWorkScreen {
    Q_OBJECT
public:
    // The pages in the page control's order.
    enum Page { Orders, Receipts, Releases, SalesOrders, Production };
    static constexpr int DocumentPageCount = 4;
    static constexpr int FirstPageTag = 400;
    static constexpr int ClosedResult = 7;

    explicit TF656_StockDetail(QWidget *parent = nullptr);
    ~TF656_StockDetail() override;

    Ui::TF656_StockDetail &form() const { return *ui; }

    // Headers and lines of the document pages (Orders .. SalesOrders).
    ClientDataSet *Headers(Page page) const;
    ClientDataSet *Lines(Page page) const;
    // The production page's figures and its major and middle categories.
    ClientDataSet *cds_F3300 = nullptr;
    ClientDataSet *cds_F0060_debun = nullptr;
    ClientDataSet *cds_F0061_jungbun = nullptr;
    // What narrows the production figures now.
    const NameIndexState &ProductionFilter() const { return m_production; }

    Page CurrentPage() const;

    // The close operation: ends the screen (result 7) when Sender is the
    // close button; any other sender does nothing.
    void btn_HanClick(QWidget *Sender);
    void CloseOperation() override;
    // A page button's release: shows page Tag - 400.
    void PageButtonUp(int tag);
    // A document page's search button.
    void HeaderSearch(Page page);
    // A cell touched on a document page's header grid: the lines of the
    // header under the cursor and their total.
    void HeaderTouch(Page page);
    // A document page's item-type buttons.
    void ItemTypeClick(Page page, ItemTypeButton button);

    // The production page: its search (MirelImgBtn2), a name-index key
    // (Tag 656301..656317), a type button ("" all, "제품", "반제품"), and the
    // change handlers of the from date and of the major and middle category
    // edits.
    void ProductionSearch();
    void btn_SsHnaClick(int tag);
    void ProductionTypeClick(const QString &type);
    void date_SsSearch1Change();
    void Edit2Change();
    void Edit3Change();

    // The print buttons: a document page's list or slip, the production slip.
    void PrintDocumentPage(Page page);
    void btn_SbPrintClick() { PrintDocumentPage(Orders); }
    void btn_SiPrintClick() { PrintDocumentPage(Receipts); }
    void btn_ScPrintClick() { PrintDocumentPage(Releases); }
    void btn_SsPrintClick() { PrintDocumentPage(SalesOrders); }
    void btn_SssPrintClick();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct DocumentPage;
    void FormShow();
    DocumentPage &page(Page p) const;

    std::unique_ptr<Ui::TF656_StockDetail> ui;
    void SetUpProductionPage();
    std::array<std::unique_ptr<DocumentPage>, DocumentPageCount> m_pages;
    NameIndexState m_production;
    bool m_shown = false;
};

// The history screen while it runs.
extern TF656_StockDetail *F656_StockDetail;
