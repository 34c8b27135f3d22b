#pragma once
// The push button of all screens: one of two pictures by state, or a
// two-pixel bevelled face without pictures, a centred caption that moves by
// a few pixels when pressed, and radio groups among its siblings.
// See TMirelButtonBase for the properties, events and group rules.

#include "Components/MirelComp/MirelButtonBase.h"

class TMirelImgBtn : public TMirelButtonBase {
    Q_OBJECT
public:
    explicit TMirelImgBtn(QWidget *parent = nullptr);
};
