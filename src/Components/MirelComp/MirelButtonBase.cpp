#include "Components/MirelComp/MirelButtonBase.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelPaint.h"
#include "Components/MirelComp/MirelPicture.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

using mirel::colorFromRef;

TMirelButtonBase::TMirelButtonBase(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_AcceptTouchEvents, false);
    resize(120, 50);
}

void TMirelButtonBase::setPictureOver(const QPixmap &picture)
{
    m_pictureOver = picture;
    m_pictureOverFile.clear();
    syncSizeToPicture(statePicture());
    redrawNow();
}

void TMirelButtonBase::setPictureDown(const QPixmap &picture)
{
    m_pictureDown = picture;
    m_pictureDownFile.clear();
    syncSizeToPicture(statePicture());
    redrawNow();
}

bool TMirelButtonBase::setPictureOverFile(const QString &fileName)
{
    QPixmap picture;
    const bool ok = mirel::loadPicture(fileName, picture);
    setPictureOver(picture);
    m_pictureOverFile = fileName;
    return ok;
}

bool TMirelButtonBase::setPictureDownFile(const QString &fileName)
{
    QPixmap picture;
    const bool ok = mirel::loadPicture(fileName, picture);
    setPictureDown(picture);
    m_pictureDownFile = fileName;
    return ok;
}

void TMirelButtonBase::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TMirelButtonBase::setColorForeground(int color)
{
    setColorSlot(m_colorForeground, color);
}

void TMirelButtonBase::setColorLight(int color)
{
    setColorSlot(m_colorLight, color);
}

void TMirelButtonBase::setColorShadow(int color)
{
    setColorSlot(m_colorShadow, color);
}

void TMirelButtonBase::setColorSlot(int &slot, int color)
{
    slot = color;
    redrawNow();
}

void TMirelButtonBase::setCaptionMoveRight(int shift)
{
    if (qint8(shift) == m_captionMoveRight)
        return;
    m_captionMoveRight = qint8(shift);
    if (redrawsOnCaptionMove())
        redrawNow();
}

void TMirelButtonBase::setCaptionMoveDown(int shift)
{
    if (qint8(shift) == m_captionMoveDown)
        return;
    m_captionMoveDown = qint8(shift);
    if (redrawsOnCaptionMove())
        redrawNow();
}

void TMirelButtonBase::setFontColor(int color)
{
    m_fontColor = color;
    update();
}

QList<TMirelButtonBase *> TMirelButtonBase::groupMembers() const
{
    QList<TMirelButtonBase *> members;
    if (!parentWidget() || m_groupIndex <= 0)
        return members;
    for (QObject *child : parentWidget()->children()) {
        if (child == this || child->metaObject() != metaObject())
            continue;
        auto *button = static_cast<TMirelButtonBase *>(child);
        if (button->m_groupIndex == m_groupIndex)
            members << button;
    }
    return members;
}

void TMirelButtonBase::setDown(bool down)
{
    if (m_groupIndex > 0) {
        const QList<TMirelButtonBase *> members = groupMembers();
        if (down) {
            m_down = true;
            for (TMirelButtonBase *other : members) {
                if (other->m_down) {
                    other->m_down = false;
                    other->syncSizeToPicture(other->statePicture());
                    other->redrawNow();
                }
            }
        } else {
            bool otherDown = false;
            for (TMirelButtonBase *other : members)
                otherDown = otherDown || other->m_down;
            if (!m_allowAllUp && !otherDown)
                return; // the group keeps one button down
            m_down = false;
        }
    } else {
        m_down = down;
    }
    syncSizeToPicture(statePicture());
    redrawNow();
}

const QPixmap *TMirelButtonBase::statePicture() const
{
    const bool hasOver = !m_pictureOver.isNull();
    const bool hasDown = !m_pictureDown.isNull();
    if (hasOver && hasDown)
        return m_down ? &m_pictureDown : &m_pictureOver;
    if (hasOver)
        return &m_pictureOver;
    if (hasDown)
        return &m_pictureDown;
    return nullptr;
}

void TMirelButtonBase::syncSizeToPicture(const QPixmap *picture)
{
    if (picture && sizesToPicture() && isEnabled()) {
        const QSize s = picture->deviceIndependentSize().toSize();
        if (size() != s)
            resize(s);
    }
}

QPoint TMirelButtonBase::captionShift(bool pressed) const
{
    return pressed ? QPoint(m_captionMoveRight, m_captionMoveDown)
                   : QPoint(-m_captionMoveRight, -m_captionMoveDown);
}

void TMirelButtonBase::redrawNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

void TMirelButtonBase::fillFace(QPainter &p) const
{
    p.fillRect(rect(), colorFromRef(m_colorForeground));
}

void TMirelButtonBase::paintFace(QPainter &p, bool pressedLook)
{
    const int w = width(), h = height();
    const QColor light = colorFromRef(m_colorLight);
    const QColor shadow = colorFromRef(m_colorShadow);
    fillFace(p);
    if (!isEnabled()) {
        p.fillRect(rect(), QColor(192, 192, 192));
        mirel::drawBevel(p, w, h, Qt::white, QColor(128, 128, 128));
        return;
    }
    if (pressedLook) {
        if (!m_pictureDown.isNull()) {
            fillFace(p);
            p.drawPixmap(0, 0, m_pictureDown);
        } else {
            mirel::drawBevel(p, w, h, shadow, light);
        }
        return;
    }
    if (const QPixmap *picture = statePicture()) {
        fillFace(p);
        p.drawPixmap(0, 0, *picture);
    } else if (m_down) {
        mirel::drawBevel(p, w, h, shadow, light);
    } else {
        mirel::drawBevel(p, w, h, light, shadow);
    }
}

void TMirelButtonBase::paintContent(QPainter &p, bool pressedLook)
{
    const bool pressed = pressedLook || m_down;
    mirel::drawCaption(p, m_caption, font(), colorFromRef(m_fontColor), width(), height(),
                       m_captionMargin, captionShift(pressed));
}

void TMirelButtonBase::paintEvent(QPaintEvent *)
{
    if (!m_pressedLook && isEnabled())
        syncSizeToPicture(statePicture());
    QPainter p(this);
    const bool pressedLook = m_pressedLook && isEnabled();
    paintFace(p, pressedLook);
    paintContent(p, pressedLook);
}

void TMirelButtonBase::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_pressedLook = true;
    if (!m_pictureDown.isNull())
        syncSizeToPicture(&m_pictureDown);
    redrawNow();
    emit OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
}

void TMirelButtonBase::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled() || !m_pressedLook)
        return;
    m_pressedLook = false;
    const Qt::MouseButton button = event->button();
    const Qt::KeyboardModifiers shift = event->modifiers();
    const QPoint pos = event->position().toPoint();
    // A handler may close the window and delete the button, or disable it.
    QPointer<TMirelButtonBase> self(this);
    if (rect().contains(pos))
        emit OnClick(this);
    if (!self || !isEnabled()) {
        if (self)
            update();
        return;
    }
    const bool wasDown = m_down;
    setDown(m_groupIndex > 0 && !m_down);
    if (m_down == wasDown)
        redrawNow(); // the pressed look gives way to the state's look
    if (!self)
        return;
    emit OnMouseUp(this, button, shift, pos);
}

void TMirelButtonBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_pressedLook = false;
        syncSizeToPicture(statePicture());
        update();
    }
    QWidget::changeEvent(event);
}
