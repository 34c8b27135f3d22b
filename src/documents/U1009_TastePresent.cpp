#include "documents/U1009_TastePresent.h"
#include "shell/MenuTags.h"
#include "ui_ItemEntryScreen.h"

#include "Components/MirelComp/MirelImgBtn.h"

TF1009_TastePresent *F1009_TastePresent = nullptr;

TF1009_TastePresent::TF1009_TastePresent(QWidget *parent) : TStockOutScreen(MenuTag::TastePresent, parent)
{
    setObjectName(FormName());
    form().btn_Menu10->setObjectName(QStringLiteral("btn_Taste")); // 651310
    form().btn_Menu10->setCaption(QStringLiteral("시식"));
    form().btn_Menu11->setObjectName(QStringLiteral("btn_Present")); // 651311
    form().btn_Menu11->setCaption(QStringLiteral("증정"));
}

TF1009_TastePresent::~TF1009_TastePresent()
{
    if (F1009_TastePresent == this)
        F1009_TastePresent = nullptr;
}

void TF1009_TastePresent::MemberAction(int tag)
{
    if (tag == TagAction1)
        SaveAs(QStringLiteral("004"));
    else if (tag == TagAction2)
        SaveAs(QStringLiteral("003"));
}
