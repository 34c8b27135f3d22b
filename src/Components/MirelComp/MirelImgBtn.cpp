#include "Components/MirelComp/MirelImgBtn.h"

TMirelImgBtn::TMirelImgBtn(QWidget *parent) : TMirelButtonBase(parent) {}
