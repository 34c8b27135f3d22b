#include "shell/U405_Dialog.h"
#include "ui_U405_Dialog.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_Common_Msg.h"
#include "shell/ModalWindows.h"

#include <QShowEvent>

TF405_Dialog *F405_Dialog = nullptr;

TF405_Dialog::TF405_Dialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TF405_Dialog>())
{
    ui->setupUi(this);
    setFixedSize(368, 212);
    MirelImg_yes = ui->MirelImg_yes;
    MirelImg_ok = ui->MirelImg_ok;
    connect(MirelImg_ok, &TMirelImgBtn::OnClick, this, [this] { done(mrOk); });
    connect(MirelImg_yes, &TMirelImgBtn::OnClick, this, [this] { done(mrYes); });
}

TF405_Dialog::~TF405_Dialog()
{
    if (F405_Dialog == this)
        F405_Dialog = nullptr;
}

void TF405_Dialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnOwner(this);
}
