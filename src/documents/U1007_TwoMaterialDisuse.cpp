#include "documents/U1007_TwoMaterialDisuse.h"
#include "shell/MenuTags.h"
#include "ui_ItemEntryScreen.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"

TF1007_TwoMaterialDisuse *F1007_TwoMaterialDisuse = nullptr;

TF1007_TwoMaterialDisuse::TF1007_TwoMaterialDisuse(QWidget *parent) : TStockOutScreen(MenuTag::TwoMaterialDisuse, parent)
{
    setObjectName(FormName());
    form().btn_Menu10->setObjectName(QStringLiteral("btn_TwoMaterial")); // 651310
    form().btn_Menu10->setCaption(QStringLiteral("2차재료"));
    form().btn_Menu11->setObjectName(QStringLiteral("btn_Disuse")); // 651311
    form().btn_Menu11->setCaption(QStringLiteral("폐기"));
}

TF1007_TwoMaterialDisuse::~TF1007_TwoMaterialDisuse()
{
    if (F1007_TwoMaterialDisuse == this)
        F1007_TwoMaterialDisuse = nullptr;
}

void TF1007_TwoMaterialDisuse::MemberAction(int tag)
{
    if (tag == TagAction1)
        SaveSecondaryMaterial();
    else if (tag == TagAction2)
        SaveAs(QStringLiteral("005"));
}

void TF1007_TwoMaterialDisuse::SaveSecondaryMaterial()
{
    DataSet &b = *vtb_STOCK;
    bool hasMaterial = false;
    for (int row = 0; row < b.rowCount() && !hasMaterial; ++row) {
        DataSet::RowScope scope(b, row);
        hasMaterial = IsMaterialLine(b.FieldByName(QStringLiteral("IMITTY")).AsString());
    }
    if (!hasMaterial) {
        SaveAs(QStringLiteral("010"));
        return;
    }
    if (AskMessageBox(QStringLiteral("재료는 2차재료에 포함이 안됩니다, 재료 품목을 삭제하시겠습니까?"), mkOkCancel) != mrYes) {
        ShowMessageBox(QStringLiteral("2차재료 변환을 취소하였습니다."), mkNotice, 2000);
        return;
    }
    // The material lines go as the line delete removes them; the others
    // close up to 1..n. Nothing is saved: the user presses again.
    DeleteLinesWhere([](DataSet &line) { return IsMaterialLine(line.FieldByName(QStringLiteral("IMITTY")).AsString()); });
    b.First();
    ShowCurrentLine();
    RecomputeTotals();
}
