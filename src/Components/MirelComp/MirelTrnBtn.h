#pragma once
// The picture button for pictures with transparent parts: it fills no face
// under its pictures, so the parent shows through. Assigning a picture sizes
// the button to it; painting keeps the size. Without pictures, and when
// disabled, it looks like TMirelImgBtn.

#include "Components/MirelComp/MirelButtonBase.h"

class TMirelTrnBtn : public TMirelButtonBase {
    Q_OBJECT
public:
    explicit TMirelTrnBtn(QWidget *parent = nullptr);

    void setPictureOver(const QPixmap &picture) override;
    void setPictureDown(const QPixmap &picture) override;

protected:
    void paintFace(QPainter &p, bool pressedLook) override;
    bool sizesToPicture() const override { return false; }

private:
    void takeSizeOf(const QPixmap &picture);
};
