#pragma once
// The branch stock status "지점 재고현황": the current stock of every
// business unit side by side, one row per item, one column per unit and a
// total, read-only. The user narrows the list by item type (product or
// semi-product), major and middle production category, kind of unit (all,
// directly run, franchise), the appropriate-quantity switch (stock less the
// unit's proper stock) and a name-index key, then searches; the server does
// the narrowing and the screen pivots its answer into the text grid.
//
// The search values live in hidden edits as the texts sent: Edit5 the type
// ("1" product, "3" semi-product), Edit2 / Edit3 the major / middle category
// id (empty for 전체), Edit1 the kind of unit ("1", "2", "3"), Edit7 the
// switch ("0", "1"), Edit9 / Edit10 the name bounds (all: "" and
// "zzzzzzzzzz"). The category combos keep their ids in the hidden combos
// ComboBox2 / ComboBox3 at the same positions, "0000000000" beside 전체.
//
// What is shown pressed is what is in force: the product button is down
// from the start, and a search puts the all key down and sets the all
// bounds with it, so the next search without a key lists every name again.
//
// Failures: a server error of a search or a category load reaches the error
// box; an answer with a count or quantity that is no number shows the error
// box too. Either way the grid keeps the table it showed.
//
// Closing: the close button (Tag -1) and the scroll menu end the screen with
// modal result 2.

#include "shell/WorkScreen.h"

#include <memory>

class ClientDataSet;
class QWidget;

namespace Ui {
class TF690_NormalStock;
}

class TF690_NormalStock : public TWorkScreen {
    Q_OBJECT
public:
    explicit TF690_NormalStock(QWidget *parent = nullptr);
    ~TF690_NormalStock() override;

    Ui::TF690_NormalStock &form() const { return *ui; }

    ClientDataSet *cds_F0060_debun = nullptr;    // major categories
    ClientDataSet *cds_F0061_jungbun = nullptr;  // middle categories of Edit2
    ClientDataSet *cds_F3400_JijeList = nullptr; // the stock list

    // The close operation: modal result 2.
    void btn_CloseClick();
    void CloseOperation() override { btn_CloseClick(); }

    // A name-index key released: its bounds into Edit9 / Edit10 (no search).
    // A Tag outside 656301-656317 changes nothing.
    void btn_HanMouseUp(QWidget *Sender);
    // Either type button released: Edit5 from the button that is down.
    void btn_JefumMouseUp();
    // The combos' choices.
    void combo_DebunChange();
    void combo_JungbunChange();
    void combo_AddgubunChange();
    void combo_JekjengJegoChange();
    // The search button: the search, then the all key and its bounds.
    void btn_JijemJegoSearchClick();
    // The search and pivot into grid_JijemList.
    void SearchBranchStock();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    // The middle categories of Edit2 into combo_Jungbun / ComboBox3, Edit3 emptied.
    void ReloadMiddles();

    std::unique_ptr<Ui::TF690_NormalStock> ui;
    bool m_shown = false;
};

// The branch stock screen while it runs.
extern TF690_NormalStock *F690_NormalStock;
