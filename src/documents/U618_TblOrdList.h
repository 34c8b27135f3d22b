#pragma once
// Restaurant-table and delivery orders: a full-screen window that the sign-in
// screen opens without a sign-in.
//
// Page 0 lists the item lines that the table-order program wrote into the
// local table TBLDTL and that nobody confirmed yet; each touch toggles a line
// (the grid's toggle mode) and btn_JumunOk stamps CKDATE of the toggled lines
// with the application clock's now. The list is read when the window is shown.
//
// Page 1 searches the delivery orders of the store on the head-office server,
// shows the lines and the receiver of the touched order, with the on-screen
// keyboard under the window for the search text.
//
// btnClose returns 2; the hidden btn_Smoll returns 1 (the caller keeps the
// window for the next opening). Every way of closing closes the keyboard,
// leaves the grid in single selection and removes the TBLDTL filter.

#include <QDialog>

#include <functional>
#include <memory>

class ClientDataSet;
class Field;
class QWidget;

namespace Ui {
class TF618_TblOrdList;
}

class TF618_TblOrdList : public QDialog {
    Q_OBJECT

public:
    // The filter of the lines never confirmed (a stamp before 2000 counts as none).
    static const QString JumunFilter;
    // Option sets of mgd_TableJumunList.
    static constexpr int MultiSelectOptions = 4708; // titles, lines, always show selection, multi-select
    static constexpr int SingleSelectOptions = 868; // titles, lines, row select, always show selection
    // Rows moved by the paging buttons.
    static constexpr int TableOrderPage = 24;
    static constexpr int OrderPage = 9;
    static constexpr int LinePage = 14;
    // Where the keyboard stands below the window's top.
    static constexpr int KeyboardTop = 533;

    explicit TF618_TblOrdList(QWidget *parent = nullptr);
    ~TF618_TblOrdList() override;

    // The generated form: every control under its component name.
    Ui::TF618_TblOrdList &form() const { return *ui; }

    // Closing by any way: keyboard closed, grid in single selection, TBLDTL unfiltered.
    void done(int result) override;

    ClientDataSet *cds_F4104 = nullptr;
    ClientDataSet *cds_F4101_dt = nullptr;

    // Reads the table orders again and, when TBLDTL holds rows, shows the
    // unconfirmed ones in toggle multi-selection.
    void RefreshTableOrders();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btn_AllJumunListClick();
    void btn_NapPumClick();
    void btn_JumunOkClick();
    void btn_SearchClick();
    void grid_SupporderlistCellClick();
    void grid_SupporderlistMouseUp();
    void setMultiSelect(bool on);
    void showKeyboard();
    void closeKeyboard();

    std::unique_ptr<Ui::TF618_TblOrdList> ui;
    std::function<QString(const Field &, bool)> m_savedOrderText; // of TBLDTL.ORD_DT, put back when freed
};

extern TF618_TblOrdList *F618_TblOrdList;
