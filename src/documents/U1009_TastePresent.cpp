#include "documents/U1009_TastePresent.h"
#include "shell/MenuTags.h"

#include "Components/MirelComp/MirelImgBtn.h"

TF1009_TastePresent *F1009_TastePresent = nullptr;

TF1009_TastePresent::TF1009_TastePresent(QWidget *parent) : TStockOutScreen(MenuTag::TastePresent, parent)
{
    setObjectName(FormName());
    btn_Taste = btn_Menu10;
    btn_Taste->setObjectName(QStringLiteral("btn_Taste"));
    btn_Taste->setCaption(QStringLiteral("시식"));
    btn_Present = btn_Menu11;
    btn_Present->setObjectName(QStringLiteral("btn_Present"));
    btn_Present->setCaption(QStringLiteral("증정"));
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
