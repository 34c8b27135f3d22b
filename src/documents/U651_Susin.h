#pragma once
// The supplier picker: a small modal pad of 24 partner buttons, business
// units ("사업단위") or purchase suppliers ("매입 거래처"), paged by a previous
// and a next slot when there are more than 24. The caller creates it, sets
// nothing and runs exec(): 1 (OK) means a partner was touched and its code
// (MYADNB) is the caption of Label2; closing by btn_Close returns 2. The
// caller then sets its supplier combos to that code without a block check.
//
// The partners come from GP_SELECT_F0100_RegOrder_Susin_Search (OPTION 5) on
// the picker's own client data set, at showing, at every radio change and at
// every page change; TDM.vtb_Susin then holds the current choice's rows with
// ABSeq 1, 2, ... Failures while building or filling the pad are logged
// ("Item버튼 생성 실패.", "StockSusinBtn Error.", "StockItemsBtn Error."); the
// pad stays as far as it was built and nothing is shown to the user.

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class ClientDataSet;
class TMirelMenuBtn;

namespace Ui {
class TF651_Susin;
}

class TF651_Susin : public QDialog {
    Q_OBJECT
public:
    static constexpr int PadSlots = 24;

    explicit TF651_Susin(QWidget *parent = nullptr);
    ~TF651_Susin() override;

    // The generated form: every control under its component name.
    Ui::TF651_Susin &form() const { return *ui; }

    ClientDataSet *cds_F0100 = nullptr; // the picker's own partner query

    int Page() const { return m_page; }
    QString ChosenCode() const { return m_code; } // the code of the button set down last
    const QList<TMirelMenuBtn *> &Buttons() const { return m_buttons; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    bool CreateMenuButtons();
    void LoadSusin();
    void StockSusinBtn();
    void StockItemsBtn();
    void mmb_TypeAMouseUp(TMirelMenuBtn *button);
    void radioMouseUp();
    int partnerCount() const;
    void showPartner(TMirelMenuBtn *button, int position, bool afterPageChange);
    void setSlotDown(int slot);

    std::unique_ptr<Ui::TF651_Susin> ui;
    QList<TMirelMenuBtn *> m_buttons;
    int m_page = 0;
    QString m_code;
    bool m_shown = false;
};

extern TF651_Susin *F651_Susin;
