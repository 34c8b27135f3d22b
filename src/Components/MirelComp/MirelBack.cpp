#include "Components/MirelComp/MirelBack.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelPaint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

using mirel::colorFromRef;

TMirelBack::TMirelBack(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(200, 100);
}

void TMirelBack::setColor(int &slot, int value)
{
    slot = value;
    if (isVisible())
        repaint();
    else
        update();
}

void TMirelBack::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width(), h = height();
    if (!isEnabled()) {
        p.fillRect(rect(), QColor(192, 192, 192));
        mirel::drawBevel(p, w, h, Qt::white, QColor(128, 128, 128));
        return;
    }
    p.fillRect(rect(), colorFromRef(m_foreground));
    if (w <= 0 || h <= 0)
        return;
    QColor light[5], shadow[5];
    for (int k = 0; k < 5; ++k) {
        light[k] = colorFromRef(m_light[k]);
        shadow[k] = colorFromRef(m_shadow[k]);
    }
    // One polyline spiralling inward through the light edges (rings 1, 3, 5:
    // up the left then along the top; rings 2, 4: back along the top then
    // down the left), each ring joined to the next by a diagonal step, and
    // back outward through the shadow edges.
    std::vector<mirel::Segment> path;
    for (int k = 0; k < 5; ++k) {
        const int i = k;
        if (k % 2 == 0) {
            path.push_back({{i, i}, light[k]});
            path.push_back({{w - 1 - i, i}, light[k]});
            if (k < 4)
                path.push_back({{w - 2 - i, i + 1}, light[k]});
        } else {
            path.push_back({{i, i}, light[k]});
            path.push_back({{i, h - 1 - i}, light[k]});
            path.push_back({{i + 1, h - 2 - i}, light[k]});
        }
    }
    for (int k = 4; k >= 0; --k) {
        const int i = k;
        if (k % 2 == 0) {
            path.push_back({{w - 1 - i, h - 1 - i}, shadow[k]});
            path.push_back({{i, h - 1 - i}, shadow[k]});
            if (k > 0)
                path.push_back({{i - 1, h - i}, shadow[k]});
        } else {
            path.push_back({{w - 1 - i, h - 1 - i}, shadow[k]});
            path.push_back({{w - 1 - i, i}, shadow[k]});
            path.push_back({{w - i, i - 1}, shadow[k]});
        }
    }
    mirel::drawPolyline(p, QPoint(0, h - 1), path);
}

void TMirelBack::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_pressed = true;
    emit OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
}

void TMirelBack::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled() || !m_pressed)
        return;
    m_pressed = false;
    const QPoint pos = event->position().toPoint();
    QPointer<TMirelBack> self(this);
    if (rect().contains(pos))
        emit OnClick(this);
    if (self && isEnabled())
        emit OnMouseUp(this, event->button(), event->modifiers(), pos);
}
