#include "Components/MirelComp/MirelTrnBtn.h"

#include <QPainter>

TMirelTrnBtn::TMirelTrnBtn(QWidget *parent) : TMirelButtonBase(parent)
{
    setAttribute(Qt::WA_TranslucentBackground, false);
    setAutoFillBackground(false);
}

void TMirelTrnBtn::takeSizeOf(const QPixmap &picture)
{
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
}

void TMirelTrnBtn::setPictureOver(const QPixmap &picture)
{
    takeSizeOf(picture);
    TMirelButtonBase::setPictureOver(picture);
}

void TMirelTrnBtn::setPictureDown(const QPixmap &picture)
{
    takeSizeOf(picture);
    TMirelButtonBase::setPictureDown(picture);
}

void TMirelTrnBtn::paintFace(QPainter &p, bool pressedLook)
{
    if (isEnabled()) {
        if (pressedLook && !PictureDown().isNull()) {
            p.drawPixmap(0, 0, PictureDown());
            return;
        }
        if (!pressedLook) {
            if (const QPixmap *picture = statePicture()) {
                p.drawPixmap(0, 0, *picture);
                return;
            }
        }
    }
    TMirelButtonBase::paintFace(p, pressedLook);
}
