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
// The production page and the print buttons are laid out; they do nothing
// yet. On show the production major categories are read (cds_F0060_debun).
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
    // The production page's major categories.
    ClientDataSet *cds_F0060_debun = nullptr;

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

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct DocumentPage;
    void FormShow();
    DocumentPage &page(Page p) const;

    std::unique_ptr<Ui::TF656_StockDetail> ui;
    std::array<std::unique_ptr<DocumentPage>, DocumentPageCount> m_pages;
    bool m_shown = false;
};

// The history screen while it runs.
extern TF656_StockDetail *F656_StockDetail;
