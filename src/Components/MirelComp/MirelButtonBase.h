#pragma once
// Common ground of the touch buttons (picture button, transparent picture
// button, item button): the face with its pictures or bevel, the caption,
// the latched Down state with its radio group, the immediate pressed look
// and the three events.
//
// Events, in this order for a left press and release while enabled:
//   OnMouseDown  after the pressed look is drawn;
//   OnClick      on a release over the button, Down still as before the press;
//   OnMouseUp    after Down took its new value (True when GroupIndex > 0 and
//                Down was False, else False, under the group rules).
// Other mouse buttons and a disabled button draw nothing and fire nothing.
// The buttons never take the keyboard focus.
//
// Radio groups are formed among siblings of the same class (same parent,
// same GroupIndex > 0): a picture button and an item button never release
// each other.

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class TMirelButtonBase : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(QPixmap PictureOver READ PictureOver WRITE setPictureOver)
    Q_PROPERTY(QPixmap PictureDown READ PictureDown WRITE setPictureDown)
    Q_PROPERTY(QString PictureOverFile READ PictureOverFile WRITE setPictureOverFile)
    Q_PROPERTY(QString PictureDownFile READ PictureDownFile WRITE setPictureDownFile)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int CaptionMargin READ CaptionMargin WRITE setCaptionMargin)
    Q_PROPERTY(int ColorForeground READ ColorForeground WRITE setColorForeground)
    Q_PROPERTY(int ColorLight READ ColorLight WRITE setColorLight)
    Q_PROPERTY(int ColorShadow READ ColorShadow WRITE setColorShadow)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(int CaptionMoveRight READ CaptionMoveRight WRITE setCaptionMoveRight)
    Q_PROPERTY(int CaptionMoveDown READ CaptionMoveDown WRITE setCaptionMoveDown)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)

public:
    explicit TMirelButtonBase(QWidget *parent = nullptr);

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // Pictures are copied and owned by the button. An empty picture clears.
    QPixmap PictureOver() const { return m_pictureOver; }
    virtual void setPictureOver(const QPixmap &picture);
    QPixmap PictureDown() const { return m_pictureDown; }
    virtual void setPictureDown(const QPixmap &picture);
    // Loading by file name (relative names from the picture folder). A file
    // that is missing logs one line, clears the picture and returns false.
    QString PictureOverFile() const { return m_pictureOverFile; }
    bool setPictureOverFile(const QString &fileName);
    QString PictureDownFile() const { return m_pictureDownFile; }
    bool setPictureDownFile(const QString &fileName);

    QString Caption() const { return m_caption; }
    virtual void setCaption(const QString &caption);
    int CaptionMargin() const { return m_captionMargin; }
    void setCaptionMargin(int margin) { m_captionMargin = qint16(margin); }
    int ColorForeground() const { return m_colorForeground; }
    void setColorForeground(int color);
    int ColorLight() const { return m_colorLight; }
    void setColorLight(int color);
    int ColorShadow() const { return m_colorShadow; }
    void setColorShadow(int color);
    int GroupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index) { m_groupIndex = index; }
    bool Down() const { return m_down; }
    void setDown(bool down);
    bool AllowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool allow) { m_allowAllUp = allow; }
    int CaptionMoveRight() const { return m_captionMoveRight; }
    void setCaptionMoveRight(int shift);
    int CaptionMoveDown() const { return m_captionMoveDown; }
    void setCaptionMoveDown(int shift);
    int FontColor() const { return m_fontColor; }
    void setFontColor(int color);

    // True between a left press and its release (the pressed look).
    bool isPressedLook() const { return m_pressedLook; }

    QSize sizeHint() const override { return QSize(120, 50); }

signals:
    void OnClick(QWidget *Sender);
    void OnMouseDown(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseUp(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);

protected:
    // Face: fill, pictures or bevel, disabled look.
    virtual void paintFace(QPainter &p, bool pressedLook);
    // What is drawn over the face: the caption here, the item on item buttons.
    virtual void paintContent(QPainter &p, bool pressedLook);
    // Whether the button takes the size of its picture when painting.
    virtual bool sizesToPicture() const { return true; }
    // Whether a changed caption shift redraws at once (the item button only
    // stores it; its face follows at the next paint).
    virtual bool redrawsOnCaptionMove() const { return true; }

    // The picture shown in the up/Down state while enabled, or nullptr.
    const QPixmap *statePicture() const;
    // Caption shift of the drawn state: pressed (+right, +down) or up (-, -).
    QPoint captionShift(bool pressed) const;
    // Runs the paint routine now when the button is on screen.
    void redrawNow();
    void fillFace(QPainter &p) const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

    QString m_caption;

private:
    QList<TMirelButtonBase *> groupMembers() const;
    void syncSizeToPicture(const QPixmap *picture);
    void setColorSlot(int &slot, int color);

    int m_tag = 0;
    QPixmap m_pictureOver;
    QPixmap m_pictureDown;
    QString m_pictureOverFile;
    QString m_pictureDownFile;
    qint16 m_captionMargin = 4;
    int m_colorForeground = 14154238;
    int m_colorLight = 16777215;
    int m_colorShadow = 2441579;
    int m_groupIndex = 0;
    bool m_down = false;
    bool m_allowAllUp = false;
    qint8 m_captionMoveRight = 1;
    qint8 m_captionMoveDown = 1;
    int m_fontColor = 0;
    bool m_pressedLook = false;
};
