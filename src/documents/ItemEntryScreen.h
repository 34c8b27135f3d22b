#pragma once
// TItemEntryScreen: the touch basket shared by the stock-out, production and
// job-order entry screens. A user picks a category A, a category B and items
// from three pads built once per show over the data module's caches
// (vtb_SCITK1, vtb_SCITK2, vtb_SCITM; paging and filtering never call the
// server), sets quantities with the key pad and saves the basket vtb_STOCK
// as one server document.
//
// A member screen derives from this class and supplies what differs between
// the members (the virtual hooks below): document kind, form name, the save
// step that writes header and lines, the slip's texts and lines, the reload
// picker, the search filter, and, for members with more basket fields or
// quantity targets, the basket fields, grid columns, amount price field and
// key-pad targets; members that keep more per line (production: the price
// of a new line, the loss beside the quantity) fill it in through the line
// hooks, and members with other slip columns give the slip's body and end.
//
// Numbers: a save asks DocumentNumber for the number of (kind, month of
// date_Wantdate). A save with an empty basket draws the number and writes
// nothing; the next save of the same month sends it, another month draws
// anew. A failed save keeps the basket and the number, so a retry resends the
// same key. SavedNumb / SavedTime describe the last completed save only.
//
// Lines: the current line is the basket's current record; the basket is
// numbered 1..n again after a delete and after a reload.

#include "documents/DocumentNumber.h"
#include "platform/dataset/Currency.h"
#include "platform/dataset/Field.h"
#include "shell/WorkScreen.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>

class ClientDataSet;
class DataSet;
class QLineEdit;
class TMirelMenuBtn;

namespace Ui {
class TItemEntryScreen;
}

class TItemEntryScreen : public TWorkScreen {
    Q_OBJECT
public:
    // Tags of the buttons served by btn_MenuClick.
    static constexpr int KindProducts = 651301;
    static constexpr int KindSemi = 651302;
    static constexpr int KindMaterials = 651304;
    static constexpr int TagSave = 651305;
    static constexpr int TagDelete = 651306;
    static constexpr int TagPrint = 651307;
    static constexpr int TagReload = 651308;
    static constexpr int TagAction1 = 651310;
    static constexpr int TagAction2 = 651311;
    static constexpr int CategorySlots = 10;

    TItemEntryScreen(int menuTag, QWidget *parent = nullptr);
    ~TItemEntryScreen() override;

    // The generated form: every control under its component name.
    Ui::TItemEntryScreen &form() const { return *ui; }

    DataSet *WorkTable() const override { return vtb_STOCK; }

    DataSet *vtb_STOCK = nullptr;
    ClientDataSet *cds_BicgoAll = nullptr;   // GP_SELECT_MAXNUMBER
    ClientDataSet *cds_StockItems = nullptr; // GP_SELECT_F0200_STOCK_POS_ITEMS

    // Screen state.
    int ItemKind = 0; // 0 products and goods, 1 semi-products, 3 materials
    int PageA = 0, PageB = 0, PageItems = 0;
    QString CodeA, CodeB;
    int ItemRows = 0;
    QList<TMirelMenuBtn *> ButtonsA, ButtonsB, ButtonsItems;
    QLineEdit *KeypadTarget = nullptr;
    QString KeypadState;
    QString SavedNumb;  // number of the last completed save; empty before
    QDateTime SavedTime;
    Currency StockTotal;
    const DocumentNumber &Number() const { return *m_number; }

    // Operations (true on success; failures are logged).
    bool CreateMenuButtons();
    bool FreeMenuButtons();
    bool StockTypeABtn();
    bool StockTypeBBtn();
    bool StockItemsBtn();
    bool StockLoadItems();
    // itemPrice: the touched button's ItemPrice3, handed to NewLineFields.
    bool RegItemStock(const QString &code, const QString &name, const QString &unit, const QString &middleUnit,
                      int unitFactor, bool vatOn, bool includeVat, double quantity, const QString &kind,
                      double itemPrice = 0);
    bool ShowCurrentLine();
    bool PrintEntryReceipt();
    void ResetWantDate();

    // Handlers.
    void btn_MenuClick(int tag);
    void btn_CloseClick();
    void btn_OkClick();
    void btn_DelClick();
    virtual void btn_AllDelClick();
    void btn_Danui1Click();
    void btn_JepumSearchClick();
    void bntSuMouseUp(int digit);
    void btnJemClick();
    void btn_ghktkfvyClick();
    void edt_Enter(QLineEdit *edit);
    void edt_MouseUp(QLineEdit *edit);
    void mmb_TypeAMouseUp(TMirelMenuBtn *button);
    void mmb_TypeBMouseUp(TMirelMenuBtn *button);
    void mmb_ItemsMouseUp(TMirelMenuBtn *button);
    virtual void mgd_StockItemsMouseUp();
    void SetItemKind(int kind);
    // The save of the save buttons: number, member's save step, reset.
    // Throws what the server answered; the basket and the number stay.
    void SaveEntry();
    // Runs the member's reload picker and takes its lines.
    void ReloadEntry();

    // The slip lines of an entry (the lines PrintEntryReceipt hands to the
    // printer thread), built from the re-read lines.
    struct SlipLine {
        QString name;
        double quantity = 0; // production: the quantity produced
        QString unit;
        double loss = 0;  // production: the quantity lost
        double total = 0; // production: produced + lost
    };
    QStringList SlipFrame(const QList<SlipLine> &lines) const;

protected:
    // --- what a member supplies ---
    virtual int DocumentKind() const = 0;
    virtual QString FormName() const = 0; // PGID of the rows, e.g. "F1009_TastePresent"
    // Writes header and lines of the basket under number (month "yyyymm",
    // date); throws on a server error. Called only with lines in the basket.
    virtual void SaveSteps(qint64 number, const QString &month, const QDate &date) = 0;
    // Re-reads a saved entry for the slip; throws on a server error.
    virtual QList<SlipLine> ReadSavedEntry(const QString &number, const QDateTime &time) = 0;
    virtual QString SlipTitle() const = 0;
    virtual QString SlipTimeLabel() const = 0;
    virtual QString NoEntryNotice() const = 0;
    // Whether there is a saved entry for the print button to print.
    virtual bool HasSavedEntry() const { return !SavedNumb.isEmpty(); }
    // The log text before the message of an error while the slip is built.
    virtual QString SlipErrorLog() const { return FormName() + QStringLiteral(" PrintEntryReceipt Error."); }
    // Shows the reload picker; true when it replaced the basket, with the
    // reloaded document's month, number and date.
    virtual bool RunReloadPicker(QString &month, QString &number, QDate &date)
    {
        Q_UNUSED(month) Q_UNUSED(number) Q_UNUSED(date) return false;
    }
    virtual QString ReloadStateText() const { return QString(); }
    virtual void DeleteEntry() {}              // the delete button (651306)
    virtual void MemberAction(int tag) { Q_UNUSED(tag) } // 651305, 651310, 651311
    virtual QList<int> KindTags() const { return {KindProducts, KindSemi, KindMaterials}; }
    // The item filter while a search text is present.
    virtual QString SearchFilter() const;
    // The item buttons' font (their colour is red on every member).
    virtual QFont ItemButtonFont() const;
    // Whether touching the search edit selects its text.
    virtual bool SelectSearchTextOnTouch() const { return true; }
    // The basket's fields and the grid's columns.
    virtual QList<FieldDef> BasketFields() const;
    virtual void SetupGridColumns();
    // The price field the line amount is computed from.
    virtual QString AmountPriceField() const { return QStringLiteral("ADUPRC001"); }
    // Whether an edit is a key-pad target.
    virtual bool IsKeypadTarget(QLineEdit *edit) const;
    // Clears the entry fields (members clear their own after calling this).
    virtual void ClearEntryFields();
    virtual void ShowCurrentLineExtra() {}
    // A new line of a touched item, in insert before its post: the member's
    // own fields (itemPrice: the touched button's ItemPrice3).
    virtual void NewLineFields(DataSet &line, double itemPrice) { Q_UNUSED(line) Q_UNUSED(itemPrice) }
    // OK: whether the typed quantities may be applied to the current line (a
    // member that refuses tells the user why), and the member's fields of the
    // line (in edit) beside ADQTY and ADUNIT.
    virtual bool OkAllowed() { return true; }
    virtual void OkLineFields(DataSet &line) { Q_UNUSED(line) }
    // After a digit of the key pad was written into target.
    virtual void AfterDigit(QLineEdit *target) { Q_UNUSED(target) }
    // The slip between the "=" rule under the time and the closing one:
    // column heading, "-" rule and a row per line (by default name 27,
    // quantity 8 and unit 7 under the layouts "0", "1" and "2" of
    // PrintStockPrice); and whether the thanks line ends the slip.
    virtual QStringList SlipBody(const QList<SlipLine> &lines) const;
    virtual bool SlipThanksLine() const { return true; }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    void FormShow();
    bool HideSaleTabs() { return true; }
    // Clears basket and fields and forgets the drawn number.
    void ResetBasket(bool keepReloadFields);
    void RecomputeTotals();
    void RenumberLines();
    // Deletes every basket line for which drop (reading the line as the
    // current record) is true, then numbers the rest 1..n again.
    void DeleteLinesWhere(const std::function<bool(DataSet &)> &drop);
    // Takes the lines a picker has just written into the basket: lines of -1
    // or less go, the rest are numbered 1..n; when lines remain, the state
    // label reads stateText, Edit30 / Edit31 / Edit33 hold the document's
    // month, number and date, and the first line is shown. True when lines
    // remain.
    bool TakeOverLines(const QString &stateText, const QString &month, const QString &number, const QDate &date);

    // The basket grid's columns, in order.
    struct BasketColumn {
        const char *field, *title; // title in UTF-8
        int width;
        bool centred = false, visible = true;
    };
    void AddBasketColumns(std::initializer_list<BasketColumn> columns);

private:
    bool touchCategory(TMirelMenuBtn *button, bool padA);
    bool fillCategoryPad(QList<TMirelMenuBtn *> &buttons, DataSet &cache, const QString &filter,
                         const char *position, const char *nameField, const char *codeField, int page,
                         QString &code);
    void showItem(TMirelMenuBtn *button, int position, const QString &positionField);

    std::unique_ptr<Ui::TItemEntryScreen> ui;
    std::unique_ptr<DocumentNumber> m_number;
};

// The fields of the basket vtb_STOCK, in order, as the members share them
// (BasketFields() of a member that adds none).
QList<FieldDef> ItemEntryBasketFields();

// An entry slip: the title in double height, an empty line, the time label
// with the time now, a "=" rule, the body, a closing "=" rule and, when
// thanksLine, the centred thanks line. 42 columns, bytes of code page 949.
QStringList EntrySlipFrame(const QString &title, const QString &timeLabel, const QStringList &body, bool thanksLine);

// Limits what a person types into a quantity edit to `length` characters;
// a text set by the program (a line's quantity, a computed split) stays whole.
void LimitTypedLength(QLineEdit *edit, int length);

// The category and item filters of the pads for an item kind.
QString CategoryAFilter(int itemKind);
QString CategoryBFilter(int itemKind, const QString &codeA);
// The item filter for the chosen categories; sets the position field.
QString ItemFilter(int itemKind, const QString &codeA, const QString &codeB, QString *positionField);
