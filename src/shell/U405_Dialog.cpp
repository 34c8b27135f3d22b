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
    connect(ui->MirelImg_ok, &TMirelImgBtn::OnClick, this, [this] { done(mrOk); });
    connect(ui->MirelImg_yes, &TMirelImgBtn::OnClick, this, [this] { done(mrYes); });
}

TF405_Dialog::~TF405_Dialog()
{
    if (F405_Dialog == this)
        F405_Dialog = nullptr;
}

void TF405_Dialog::SetUnits(const QString &large, const QString &middle)
{
    ui->MirelImg_ok->setCaption(large);
    ui->MirelImg_yes->setCaption(middle);
}

QString TF405_Dialog::UnitOf(int result) const
{
    if (result == mrOk)
        return ui->MirelImg_ok->Caption();
    if (result == mrYes)
        return ui->MirelImg_yes->Caption();
    return QString();
}

void TF405_Dialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnOwner(this);
}
