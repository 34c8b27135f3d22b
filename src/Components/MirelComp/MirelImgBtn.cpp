#include "Components/MirelComp/MirelImgBtn.h"

TMirelImgBtn::TMirelImgBtn(QWidget *parent) : TMirelButtonBase(parent) {}

TMirelImgBtn *NewImgBtn(QWidget *parent, const char *name, const char *caption, int tag, const QRect &at)
{
    auto *b = new TMirelImgBtn(parent);
    b->setObjectName(QLatin1String(name));
    b->setCaption(QString::fromUtf8(caption));
    b->setTag(tag);
    b->setGeometry(at);
    return b;
}
