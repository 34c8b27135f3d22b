#include "Components/MirelComp/MirelTable.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPaint.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

using mirel::colorFromRef;

namespace {

const QDateTime &noTime()
{
    static const QDateTime t(QDate(2000, 1, 1), QTime(0, 0, 0));
    return t;
}

// A rectangle given by its corners, right and bottom edges excluded.
QRect corners(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

// Outline and fill of a rectangle or ellipse the way the tile draws them.
void drawShape(QPainter &p, const QRect &r, const QPen &pen, const QBrush &brush, bool ellipse)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setPen(pen);
    p.setBrush(brush);
    if (ellipse) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    } else if (pen.style() == Qt::NoPen) {
        p.fillRect(r, brush);
    } else {
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.restore();
}

QPen outline(int width, int colorRef)
{
    if (width <= 0)
        return Qt::NoPen;
    QPen pen(colorFromRef(colorRef), width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QString shortestNumber(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

TMirelTable::TMirelTable(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    QFont f = font();
    f.setPointSize(1);
    setFont(f);
    m_enterTime = noTime();
    resize(150, 100);

    m_memo = new QTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setFocusPolicy(Qt::NoFocus);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setFont(font());
    m_memo->viewport()->installEventFilter(this);
    m_memo->hide();
    placeMemo();
}

void TMirelTable::redrawNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

void TMirelTable::setPictureBack(const QPixmap &picture)
{
    m_pictureBack = picture;
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    redrawNow();
}

void TMirelTable::setTableState(int state)
{
    if (qint8(state) == m_tableState)
        return;
    m_tableState = qint8(state);
    m_savedState = m_tableState;
    redrawNow();
}

void TMirelTable::setTableName(const QString &name)
{
    if (name == m_tableName)
        return;
    m_tableName = name;
    redrawNow();
}

void TMirelTable::setTableCustName(const QString &name)
{
    if (name == m_tableCustName)
        return;
    m_tableCustName = name;
    redrawNow();
}

void TMirelTable::setBillAmount(double amount)
{
    if (amount == m_billAmount)
        return;
    m_billAmount = amount;
    redrawNow();
}

void TMirelTable::setEnterTime(const QDateTime &time)
{
    if (time == m_enterTime)
        return;
    m_enterTime = time;
    redrawNow();
}

void TMirelTable::setIsJoin(bool join)
{
    if (join == m_isJoin)
        return;
    m_isJoin = join;
    JoinNo = 0;
    redrawNow();
}

void TMirelTable::setUseGuestWoman(bool use)
{
    if (use == m_useGuestWoman)
        return;
    m_useGuestWoman = use;
    redrawNow();
}

QStringList TMirelTable::Memo() const
{
    return m_memo->toPlainText().split(QLatin1Char('\n'));
}

void TMirelTable::setMemo(const QStringList &lines)
{
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
    m_memo->update();
}

QFont TMirelTable::MemoFont() const
{
    return m_memo->font();
}

void TMirelTable::setMemoFont(const QFont &font)
{
    m_memo->setFont(font);
    update();
}

void TMirelTable::setMemoSpace(int index, int value)
{
    m_memoSpace[index] = qint16(value);
    placeMemo();
    update();
}

void TMirelTable::placeMemo()
{
    const int left = m_memoSpace[0], top = m_memoSpace[1];
    m_memo->setGeometry(left, top, std::max(0, width() - left - m_memoSpace[2]),
                        std::max(0, height() - top - m_memoSpace[3]));
}

void TMirelTable::resizeEvent(QResizeEvent *event)
{
    placeMemo();
    QWidget::resizeEvent(event);
}

void TMirelTable::setMemoBorderStyle(int style)
{
    m_memoBorderStyle = style;
    m_memo->setFrameShape(style == 1 ? QFrame::Box : QFrame::NoFrame);
    update();
}

void TMirelTable::setMemoVisible(bool visible)
{
    m_memoVisible = visible;
    m_memo->setVisible(visible);
    update();
}

void TMirelTable::setMemoScrollBar(int bars)
{
    if (bars == m_memoScrollBar)
        return;
    m_memoScrollBar = bars;
    m_memo->setHorizontalScrollBarPolicy((bars & 1) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy((bars & 2) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_memo->setLineWrapMode((bars & 1) ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    update();
}

void TMirelTable::setMemoBgColor(int color)
{
    m_memoBgColor = color;
    QPalette pal = m_memo->palette();
    pal.setColor(QPalette::Base, colorFromRef(color));
    m_memo->setPalette(pal);
    m_memo->update();
}

void TMirelTable::setMemoTrim(int bytes)
{
    m_memoTrim = bytes;
    RefreshMemo();
}

void TMirelTable::RefreshMemo()
{
    m_memo->clear();
    QTextCursor cursor(m_memo->document());
    const int count = std::clamp(OrdCount, 0, OrdListSize);
    for (int i = 0; i < count; ++i) {
        const TOrdList &entry = OrdList[i];
        QTextCharFormat format;
        format.setFontStrikeOut(entry.Strike);
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(FitTextToBytes(entry.Name, m_memoTrim) + QLatin1Char(' ')
                              + shortestNumber(entry.Qty),
                          format);
    }
    m_memo->update();
}

QString TMirelTable::FitTextToBytes(const QString &text, int n)
{
    const QByteArray ansi = os::ToAnsi(text);
    if (ansi.size() > n) {
        // Cut on a character boundary so no double-byte character is split.
        const QByteArray head = os::CutAnsi(ansi, std::max(0, n - 2));
        return os::FromAnsi(head) + QStringLiteral("..");
    }
    if (ansi.size() < n - 1)
        return text + QString(n - 1 - ansi.size(), QLatin1Char(' '));
    return text;
}

void TMirelTable::SetSelected(bool selected)
{
    if (selected) {
        m_savedState = m_tableState;
        m_tableState = 2;
    } else {
        m_tableState = m_savedState;
    }
    redrawNow();
    if (m_memoVisible)
        m_memo->update();
}

void TMirelTable::unselectOtherHeld()
{
    if (!parentWidget())
        return;
    for (QObject *child : parentWidget()->children()) {
        auto *tile = qobject_cast<TMirelTable *>(child);
        if (tile && tile != this && tile->m_holdSelect && tile->m_tableState == 2)
            tile->SetSelected(false);
    }
}

void TMirelTable::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton && !m_holdSelect) {
        unselectOtherHeld();
        SetSelected(true);
    }
    emit OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
}

void TMirelTable::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!isEnabled())
        return;
    const Qt::MouseButton button = event->button();
    const Qt::KeyboardModifiers shift = event->modifiers();
    const QPoint pos = event->position().toPoint();
    QPointer<TMirelTable> self(this);
    if (button == Qt::LeftButton && rect().contains(pos))
        emit OnClick(this);
    if (!self || !isEnabled())
        return;
    if (button == Qt::LeftButton) {
        if (!m_holdSelect) {
            SetSelected(false);
        } else if (m_tableState != 2) {
            unselectOtherHeld();
            SetSelected(true);
        } else {
            SetSelected(false);
        }
    }
    emit OnMouseUp(this, button, shift, pos);
}

void TMirelTable::mouseMoveEvent(QMouseEvent *event)
{
    if (isEnabled())
        emit OnMouseMove(this, event->modifiers(), event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

bool TMirelTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonRelease)
        emit OnMemoClick(m_memo);
    return QWidget::eventFilter(watched, event);
}

void TMirelTable::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width(), H = height();
    const int Bb = m_borderBack, Bt = m_borderTitle, Be = m_borderExtra, D = m_boxDistance;
    const int v = Bb + D;

    // Shape.
    int fill = m_colorBackground;
    switch (m_tableState) {
    case 1: fill = m_colorBackUsing; break;
    case 2: fill = m_colorBackSelect; break;
    case 3: fill = m_colorBackBooking; break;
    default: break;
    }
    if (!m_pictureBack.isNull()) {
        p.drawPixmap(0, 0, m_pictureBack);
    } else {
        QPen pen(colorFromRef(m_colorBorder), std::max(0, Bb));
        pen.setJoinStyle(Qt::MiterJoin);
        const QRect r = (Bb % 2 != 0) ? corners(0, 0, W, H) : corners(1, 1, W, H);
        drawShape(p, r, pen, QBrush(colorFromRef(fill)), m_tableType == 1);
    }

    // Band height b and title height T.
    int b, T;
    if (m_tableType == 2) {
        b = (H - 2 * Bb - 4 * D) / 3 - 1;
        T = H - 2 * Bb - 4 * D - 2 * b;
    } else {
        b = (H - 2 * Bb - 5 * D) / 4 - 1;
        T = H - 2 * Bb - 5 * D - 3 * b;
    }

    // Title band.
    int titleFill = m_colorTitleBack;
    switch (m_tableState) {
    case 1: titleFill = m_colorTitleUsing; break;
    case 2: titleFill = m_colorTitleSelect; break;
    case 3: titleFill = m_colorTitleBooking; break;
    default: break;
    }
    const QPen titlePen = outline(Bt, m_colorTitleLine);
    const QBrush titleBrush = titleFill == m_colorBackground ? QBrush(Qt::NoBrush)
                                                             : QBrush(colorFromRef(titleFill));
    if (titlePen.style() != Qt::NoPen || titleBrush.style() != Qt::NoBrush)
        drawShape(p, corners(v, v, W - v, v + T), titlePen, titleBrush, false);

    // A tile too small for its bands draws the shape only.
    if (T <= 0)
        return;

    const double inner = W - 2 * v;
    QFont titleFont = font();
    titleFont.setBold(true);
    int titleSize = m_titleFontSize;
    if (titleSize < 6) {
        if (inner / T >= 5)
            titleSize = int(std::trunc((T - 4) * 4.0 / 5)) - 1;
        else
            titleSize = int(std::trunc(inner * (T - 4) * 4 / 25 / T)) - 1;
    }
    titleFont.setPointSize(std::max(1, titleSize));
    const QFontMetrics titleFm(titleFont);
    p.setFont(titleFont);
    p.setPen(colorFromRef(m_colorTitleFont));
    {
        const int th = titleFm.height();
        const int o = T / 2 - th / 2;
        const QRect r = corners(v + Bt + 2, v + Bt + o, W - v - Bt - 2, v + T + o - 2);
        if (r.isValid())
            p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_tableName);
    }

    // Join box.
    if (m_isJoin && JoinNo > 0) {
        const int right = int(inner / 3);
        const QBrush joinBrush = m_colorJoinBack == m_colorBackground
                                     ? QBrush(Qt::NoBrush)
                                     : QBrush(colorFromRef(m_colorJoinBack));
        if (titlePen.style() != Qt::NoPen || joinBrush.style() != Qt::NoBrush)
            drawShape(p, corners(v, v, right, v + T), titlePen, joinBrush, false);
        const QString number = QString::number(JoinNo);
        const int th = titleFm.height();
        const int o = T / 2 - th / 2;
        const QRect r = corners(v + Bt + 2, v + Bt + o, right - 2, v + Bt + o + th - 2);
        p.setFont(titleFont);
        p.setPen(colorFromRef(m_colorTitleFont));
        if (r.isValid())
            p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, number);
    }

    // Information bands.
    if (b <= 0)
        return;
    QFont bandFont = font();
    bandFont.setBold(false);
    // Font's own size when it is 6 points or more (also when the layout gave
    // it in pixels), else a size fitted to the band.
    if (mirel::fontPointSize(font()) < 6) {
        int bandSize;
        if (inner / b >= 6)
            bandSize = int(std::trunc((b - 4) * 4.0 / 5));
        else
            bandSize = int(std::trunc(inner * (b - 4) * 4 / 30 / b));
        bandFont.setPointSize(std::max(1, bandSize));
    }
    const QFontMetrics bandFm(bandFont);
    const QString bill = m_billAmount > 0 ? mirel::formatWhole(m_billAmount) : QString();
    const int h = bandFm.height();
    const int J = b / 2 - h / 2 + (Be == 0 ? 1 : 0);
    const QPen bandPen = outline(Be, m_colorExtraLine);

    auto drawBand = [&](int y, const QString &text) {
        if (Be > 0)
            drawShape(p, corners(v, y, W - v, y + b), bandPen, Qt::NoBrush, false);
        const QRect r = corners(v + Be + 2, y + Be + J - 1, W - v - Be - 2, y + b + J - 2);
        if (!text.isEmpty() && r.isValid()) {
            p.setFont(bandFont);
            p.setPen(colorFromRef(m_fontColor));
            p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
        }
    };

    int y = Bb + 2 * D + T;
    drawBand(y, bill);

    y += D + b;
    if (m_enterTime > noTime()) {
        qint64 elapsed = m_enterTime.secsTo(os::Now()) % 86400;
        if (elapsed < 0)
            elapsed += 86400;
        const QString text = m_enterTime.toString(QStringLiteral("hh:mm")) + QLatin1Char('(')
                             + QStringLiteral("%1:%2")
                                   .arg(elapsed / 3600, 2, 10, QLatin1Char('0'))
                                   .arg((elapsed % 3600) / 60, 2, 10, QLatin1Char('0'))
                             + QLatin1Char(')');
        drawBand(y, text);
    }

    y += D + b;
    const bool counted = m_guestMan != 0 || m_guestWoman != 0 || m_guestAll != 0;
    if (m_tableType != 2 && (counted || !m_tableCustName.isEmpty())) {
        QString text = m_tableCustName;
        if (counted)
            text += QStringLiteral("(%1/%2/%3)").arg(m_guestMan).arg(m_guestWoman).arg(m_guestAll);
        drawBand(y, text);
    }
}
