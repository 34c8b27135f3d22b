#pragma once
// The secondary-material and discard stock-out screen (menu Tag 501306): the
// item-entry basket saved as secondary material ("2차재료", release type
// "010") or as a discard ("폐기", "005"), reloaded from the release list's
// secondary materials and discards. Materials cannot become secondary
// material: with a material line in the basket the "2차재료" button offers
// to remove those lines and saves nothing.

#include "documents/StockOutScreen.h"

class TF1007_TwoMaterialDisuse : public TStockOutScreen {
    Q_OBJECT
public:
    explicit TF1007_TwoMaterialDisuse(QWidget *parent = nullptr);
    ~TF1007_TwoMaterialDisuse() override;

    // The "2차재료" button: the material check, then the save.
    void SaveSecondaryMaterial();

protected:
    QString FormName() const override { return QStringLiteral("F1007_TwoMaterialDisuse"); }
    QString ListMode() const override { return QStringLiteral("1"); }
    QString SlipTitle() const override { return QStringLiteral("[2차재료/폐기]"); }
    QString SlipTimeLabel() const override { return QStringLiteral(" 2차재료/폐기 시각: "); }
    QString NoEntryNotice() const override { return QStringLiteral("2차재료/폐기한 내역이 없습니다."); }
    void MemberAction(int tag) override;
};

extern TF1007_TwoMaterialDisuse *F1007_TwoMaterialDisuse;
