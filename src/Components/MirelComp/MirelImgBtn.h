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

// A button of a screen laid out in code: object name, caption (UTF-8), Tag
// and place on its parent.
TMirelImgBtn *NewImgBtn(QWidget *parent, const char *name, const char *caption, int tag, const QRect &at);
