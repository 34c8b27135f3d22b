#pragma once
// A passive plate with a five-ring bevelled frame, placed behind groups of
// buttons. Colours are colour references (see MirelColor.h); setting one
// redraws the plate at once. A left press fires OnMouseDown, a click
// OnClick, a left release OnMouseUp, only while enabled.

#include <QWidget>

class TMirelBack : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(int ColorForeground READ ColorForeground WRITE setColorForeground)
    Q_PROPERTY(int ColorLight READ ColorLight WRITE setColorLight)
    Q_PROPERTY(int ColorLight2 READ ColorLight2 WRITE setColorLight2)
    Q_PROPERTY(int ColorLight3 READ ColorLight3 WRITE setColorLight3)
    Q_PROPERTY(int ColorLight4 READ ColorLight4 WRITE setColorLight4)
    Q_PROPERTY(int ColorLight5 READ ColorLight5 WRITE setColorLight5)
    Q_PROPERTY(int ColorShadow READ ColorShadow WRITE setColorShadow)
    Q_PROPERTY(int ColorShadow2 READ ColorShadow2 WRITE setColorShadow2)
    Q_PROPERTY(int ColorShadow3 READ ColorShadow3 WRITE setColorShadow3)
    Q_PROPERTY(int ColorShadow4 READ ColorShadow4 WRITE setColorShadow4)
    Q_PROPERTY(int ColorShadow5 READ ColorShadow5 WRITE setColorShadow5)

public:
    explicit TMirelBack(QWidget *parent = nullptr);

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    int ColorForeground() const { return m_foreground; }
    void setColorForeground(int c) { setColor(m_foreground, c); }
    // Ring k (1 outermost .. 5 innermost): light top/left, shadow bottom/right.
    int ColorLight() const { return m_light[0]; }
    void setColorLight(int c) { setColor(m_light[0], c); }
    int ColorLight2() const { return m_light[1]; }
    void setColorLight2(int c) { setColor(m_light[1], c); }
    int ColorLight3() const { return m_light[2]; }
    void setColorLight3(int c) { setColor(m_light[2], c); }
    int ColorLight4() const { return m_light[3]; }
    void setColorLight4(int c) { setColor(m_light[3], c); }
    int ColorLight5() const { return m_light[4]; }
    void setColorLight5(int c) { setColor(m_light[4], c); }
    int ColorShadow() const { return m_shadow[0]; }
    void setColorShadow(int c) { setColor(m_shadow[0], c); }
    int ColorShadow2() const { return m_shadow[1]; }
    void setColorShadow2(int c) { setColor(m_shadow[1], c); }
    int ColorShadow3() const { return m_shadow[2]; }
    void setColorShadow3(int c) { setColor(m_shadow[2], c); }
    int ColorShadow4() const { return m_shadow[3]; }
    void setColorShadow4(int c) { setColor(m_shadow[3], c); }
    int ColorShadow5() const { return m_shadow[4]; }
    void setColorShadow5(int c) { setColor(m_shadow[4], c); }

    QSize sizeHint() const override { return QSize(200, 100); }

signals:
    void OnClick(QWidget *Sender);
    void OnMouseDown(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseUp(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setColor(int &slot, int value);

    int m_tag = 0;
    int m_foreground = 14154238;
    int m_light[5] = {2066166, 16777215, 13160660, 16777215, 13160660};
    int m_shadow[5] = {2066166, 8421504, 13160660, 16777215, 13160660};
    bool m_pressed = false;
};
