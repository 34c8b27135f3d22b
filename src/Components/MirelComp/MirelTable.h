#pragma once
// One restaurant table of a floor plan drawn as a tile: a shape coloured by
// state, a title band with the table's name, an optional join box and up to
// three information bands (bill amount, arrival time with the time elapsed,
// customer with the guest counts). It carries a hidden read-only memo of
// order lines. Tiles on one parent act as a selection group.
//
// States: 0 normal, 1 in use, 2 selected, 3 booked. Colours are colour
// references (MirelColor.h). Events fire only while enabled: a press fires
// OnMouseDown and a release OnMouseUp for any mouse button, after the
// selection step; a click fires OnClick before the release's selection step.

#include <QDateTime>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

class QTextEdit;

// One order line of the memo.
struct TOrdList {
    QString Name;
    double Qty = 0;
    bool Strike = false;
};

class TMirelTable : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(QPixmap PictureBack READ PictureBack WRITE setPictureBack)
    Q_PROPERTY(int ColorBackground READ ColorBackground WRITE setColorBackground)
    Q_PROPERTY(int ColorBackSelect READ ColorBackSelect WRITE setColorBackSelect)
    Q_PROPERTY(int ColorBackUsing READ ColorBackUsing WRITE setColorBackUsing)
    Q_PROPERTY(int ColorBackBooking READ ColorBackBooking WRITE setColorBackBooking)
    Q_PROPERTY(int ColorBorder READ ColorBorder WRITE setColorBorder)
    Q_PROPERTY(int ColorTitleBack READ ColorTitleBack WRITE setColorTitleBack)
    Q_PROPERTY(int ColorTitleSelect READ ColorTitleSelect WRITE setColorTitleSelect)
    Q_PROPERTY(int ColorTitleUsing READ ColorTitleUsing WRITE setColorTitleUsing)
    Q_PROPERTY(int ColorTitleBooking READ ColorTitleBooking WRITE setColorTitleBooking)
    Q_PROPERTY(int ColorTitleLine READ ColorTitleLine WRITE setColorTitleLine)
    Q_PROPERTY(int ColorExtraLine READ ColorExtraLine WRITE setColorExtraLine)
    Q_PROPERTY(int ColorJoinBack READ ColorJoinBack WRITE setColorJoinBack)
    Q_PROPERTY(int ColorTitleFont READ ColorTitleFont WRITE setColorTitleFont)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int BorderBack READ BorderBack WRITE setBorderBack)
    Q_PROPERTY(int BorderTitle READ BorderTitle WRITE setBorderTitle)
    Q_PROPERTY(int BorderExtra READ BorderExtra WRITE setBorderExtra)
    Q_PROPERTY(int BoxDistance READ BoxDistance WRITE setBoxDistance)
    Q_PROPERTY(bool Active MEMBER Active)
    Q_PROPERTY(int TableState READ TableState WRITE setTableState)
    Q_PROPERTY(int TitleFontSize READ TitleFontSize WRITE setTitleFontSize)
    Q_PROPERTY(int TableFN MEMBER TableFN)
    Q_PROPERTY(int TableNo MEMBER TableNo)
    Q_PROPERTY(int TableType READ TableType WRITE setTableType)
    Q_PROPERTY(QString TableName READ TableName WRITE setTableName)
    Q_PROPERTY(QString TableCustName READ TableCustName WRITE setTableCustName)
    Q_PROPERTY(int TableCustClass MEMBER TableCustClass)
    Q_PROPERTY(double BillAmount READ BillAmount WRITE setBillAmount)
    Q_PROPERTY(QDateTime EnterTime READ EnterTime WRITE setEnterTime)
    Q_PROPERTY(int GuestCntMan READ GuestCntMan WRITE setGuestCntMan)
    Q_PROPERTY(int GuestCntWoman READ GuestCntWoman WRITE setGuestCntWoman)
    Q_PROPERTY(int GuestCntAll READ GuestCntAll WRITE setGuestCntAll)
    Q_PROPERTY(int RefillCnt MEMBER RefillCnt)
    Q_PROPERTY(bool IsJoin READ IsJoin WRITE setIsJoin)
    Q_PROPERTY(int JoinNo MEMBER JoinNo)
    Q_PROPERTY(bool HoldSelect READ HoldSelect WRITE setHoldSelect)
    Q_PROPERTY(bool UseGuestWoman READ UseGuestWoman WRITE setUseGuestWoman)
    Q_PROPERTY(QStringList Memo READ Memo WRITE setMemo)
    Q_PROPERTY(QFont MemoFont READ MemoFont WRITE setMemoFont)
    Q_PROPERTY(int MemoLeftSpace READ MemoLeftSpace WRITE setMemoLeftSpace)
    Q_PROPERTY(int MemoTopSpace READ MemoTopSpace WRITE setMemoTopSpace)
    Q_PROPERTY(int MemoRightSpace READ MemoRightSpace WRITE setMemoRightSpace)
    Q_PROPERTY(int MemoBottomSpace READ MemoBottomSpace WRITE setMemoBottomSpace)
    Q_PROPERTY(int MemoBorderStyle READ MemoBorderStyle WRITE setMemoBorderStyle)
    Q_PROPERTY(bool MemoVisible READ MemoVisible WRITE setMemoVisible)
    Q_PROPERTY(int MemoScrollBar READ MemoScrollBar WRITE setMemoScrollBar)
    Q_PROPERTY(int MemoBgColor READ MemoBgColor WRITE setMemoBgColor)
    Q_PROPERTY(int MemoTrim READ MemoTrim WRITE setMemoTrim)

public:
    explicit TMirelTable(QWidget *parent = nullptr);

    // Kept for the screen; never drawn.
    bool Active = false;
    int TableFN = 0;
    int TableNo = 0;
    int TableCustClass = 0;
    int RefillCnt = 0;
    int JoinNo = 0;

    // The order list: 10 entries, OrdCount of them used (nothing in the
    // program adds entries yet; RefreshMemo shows them).
    static constexpr int OrdListSize = 10;
    TOrdList OrdList[OrdListSize];
    int OrdCount = 0;

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QPixmap PictureBack() const { return m_pictureBack; }
    void setPictureBack(const QPixmap &picture);

    int ColorBackground() const { return m_colorBackground; }
    void setColorBackground(int c) { setDrawn(m_colorBackground, c); }
    int ColorBackSelect() const { return m_colorBackSelect; }
    void setColorBackSelect(int c) { setDrawn(m_colorBackSelect, c); }
    int ColorBackUsing() const { return m_colorBackUsing; }
    void setColorBackUsing(int c) { setDrawn(m_colorBackUsing, c); }
    int ColorBackBooking() const { return m_colorBackBooking; }
    void setColorBackBooking(int c) { setDrawn(m_colorBackBooking, c); }
    int ColorBorder() const { return m_colorBorder; }
    void setColorBorder(int c) { setDrawn(m_colorBorder, c); }
    int ColorTitleBack() const { return m_colorTitleBack; }
    void setColorTitleBack(int c) { setDrawn(m_colorTitleBack, c); }
    int ColorTitleSelect() const { return m_colorTitleSelect; }
    void setColorTitleSelect(int c) { setDrawn(m_colorTitleSelect, c); }
    int ColorTitleUsing() const { return m_colorTitleUsing; }
    void setColorTitleUsing(int c) { setDrawn(m_colorTitleUsing, c); }
    int ColorTitleBooking() const { return m_colorTitleBooking; }
    void setColorTitleBooking(int c) { setDrawn(m_colorTitleBooking, c); }
    int ColorTitleLine() const { return m_colorTitleLine; }
    void setColorTitleLine(int c) { setDrawn(m_colorTitleLine, c); }
    int ColorExtraLine() const { return m_colorExtraLine; }
    void setColorExtraLine(int c) { setDrawn(m_colorExtraLine, c); }
    int ColorJoinBack() const { return m_colorJoinBack; }
    void setColorJoinBack(int c) { setDrawn(m_colorJoinBack, c); }
    int ColorTitleFont() const { return m_colorTitleFont; }
    void setColorTitleFont(int c) { setDrawn(m_colorTitleFont, c); }
    // Colour of Font (the information bands' text).
    int FontColor() const { return m_fontColor; }
    void setFontColor(int c) { setDrawn(m_fontColor, c); }

    int BorderBack() const { return m_borderBack; }
    void setBorderBack(int v) { setDrawn(m_borderBack, qint8(v)); }
    int BorderTitle() const { return m_borderTitle; }
    void setBorderTitle(int v) { setDrawn(m_borderTitle, qint8(v)); }
    int BorderExtra() const { return m_borderExtra; }
    void setBorderExtra(int v) { setDrawn(m_borderExtra, qint8(v)); }
    int BoxDistance() const { return m_boxDistance; }
    void setBoxDistance(int v) { setDrawn(m_boxDistance, qint8(v)); }
    int TitleFontSize() const { return m_titleFontSize; }
    void setTitleFontSize(int v) { setDrawn(m_titleFontSize, qint8(v)); }
    int TableType() const { return m_tableType; }
    void setTableType(int v) { setDrawn(m_tableType, qint8(v)); }

    int TableState() const { return m_tableState; }
    // Sets the state and the saved state (the state a selection returns to).
    void setTableState(int state);
    QString TableName() const { return m_tableName; }
    void setTableName(const QString &name);
    QString TableCustName() const { return m_tableCustName; }
    void setTableCustName(const QString &name);
    double BillAmount() const { return m_billAmount; }
    void setBillAmount(double amount);
    QDateTime EnterTime() const { return m_enterTime; }
    void setEnterTime(const QDateTime &time);
    int GuestCntMan() const { return m_guestMan; }
    void setGuestCntMan(int n) { setDrawn(m_guestMan, n); }
    int GuestCntWoman() const { return m_guestWoman; }
    void setGuestCntWoman(int n) { setDrawn(m_guestWoman, n); }
    int GuestCntAll() const { return m_guestAll; }
    void setGuestCntAll(int n) { setDrawn(m_guestAll, n); }
    bool IsJoin() const { return m_isJoin; }
    // Changing it clears JoinNo.
    void setIsJoin(bool join);
    bool HoldSelect() const { return m_holdSelect; }
    void setHoldSelect(bool hold) { m_holdSelect = hold; }
    bool UseGuestWoman() const { return m_useGuestWoman; }
    void setUseGuestWoman(bool use);

    QStringList Memo() const;
    void setMemo(const QStringList &lines);
    QFont MemoFont() const;
    void setMemoFont(const QFont &font);
    int MemoLeftSpace() const { return m_memoSpace[0]; }
    void setMemoLeftSpace(int v) { setMemoSpace(0, v); }
    int MemoTopSpace() const { return m_memoSpace[1]; }
    void setMemoTopSpace(int v) { setMemoSpace(1, v); }
    int MemoRightSpace() const { return m_memoSpace[2]; }
    void setMemoRightSpace(int v) { setMemoSpace(2, v); }
    int MemoBottomSpace() const { return m_memoSpace[3]; }
    void setMemoBottomSpace(int v) { setMemoSpace(3, v); }
    // 0 no border, 1 single line.
    int MemoBorderStyle() const { return m_memoBorderStyle; }
    void setMemoBorderStyle(int style);
    bool MemoVisible() const { return m_memoVisible; }
    void setMemoVisible(bool visible);
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    int MemoScrollBar() const { return m_memoScrollBar; }
    void setMemoScrollBar(int bars);
    int MemoBgColor() const { return m_memoBgColor; }
    void setMemoBgColor(int color);
    int MemoTrim() const { return m_memoTrim; }
    // Stores the byte width and rebuilds the memo from the order list.
    void setMemoTrim(int bytes);

    QTextEdit *memoWidget() const { return m_memo; }

    // True saves the state and shows the selected state (2); False returns to
    // the saved state.
    void SetSelected(bool selected);
    // Rebuilds the memo from the order list.
    void RefreshMemo();

    // Fits a text to n bytes of the ANSI code page: a longer text is cut on a
    // character boundary to at most n - 2 bytes and gets ".."; a shorter one
    // is padded with blanks to n - 1 bytes.
    static QString FitTextToBytes(const QString &text, int n);

    QSize sizeHint() const override { return QSize(150, 100); }

signals:
    void OnClick(QWidget *Sender);
    void OnMouseDown(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseUp(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseMove(QWidget *Sender, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMemoClick(QObject *Sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template <typename T, typename V>
    void setDrawn(T &slot, V value)
    {
        if (slot == T(value))
            return;
        slot = T(value);
        redrawNow();
    }
    void redrawNow();
    void setMemoSpace(int index, int value);
    void placeMemo();
    void unselectOtherHeld();

    int m_tag = 0;
    QPixmap m_pictureBack;
    int m_colorBackground = 16777215;
    int m_colorBackSelect = 16777215;
    int m_colorBackUsing = 16777215;
    int m_colorBackBooking = 16777215;
    int m_colorBorder = 13158600;
    int m_colorTitleBack = 15263976;
    int m_colorTitleSelect = 16501997;
    int m_colorTitleUsing = 1737725;
    int m_colorTitleBooking = 16449257;
    int m_colorTitleLine = 12698049;
    int m_colorExtraLine = 2066166;
    int m_colorJoinBack = 12189636;
    int m_colorTitleFont = 0;
    int m_fontColor = 0;
    qint8 m_borderBack = 1;
    qint8 m_borderTitle = 1;
    qint8 m_borderExtra = 0;
    qint8 m_boxDistance = 1;
    qint8 m_tableState = 0;
    qint8 m_savedState = 0;
    qint8 m_titleFontSize = 1;
    qint8 m_tableType = 0;
    QString m_tableName = QStringLiteral("Table - 0");
    QString m_tableCustName;
    double m_billAmount = 0;
    QDateTime m_enterTime;
    int m_guestMan = 0;
    int m_guestWoman = 0;
    int m_guestAll = 0;
    bool m_isJoin = false;
    bool m_holdSelect = false;
    bool m_useGuestWoman = false;
    QTextEdit *m_memo = nullptr;
    int m_memoSpace[4] = {0, 0, 0, 0};
    int m_memoBorderStyle = 0;
    bool m_memoVisible = false;
    int m_memoScrollBar = 0;
    int m_memoBgColor = 16777215;
    int m_memoTrim = 0;
};
