#include "Components/MirelComp/MirelMenuBtn.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

using mirel::colorFromRef;

TMirelMenuBtn::TMirelMenuBtn(QWidget *parent) : TMirelButtonBase(parent)
{
    m_fontPrice = font();
    m_fontStock = font();
}

void TMirelMenuBtn::setItemName(const QString &name)
{
    if (name == m_itemName)
        return;
    m_itemName = name;
    redrawNow();
}

void TMirelMenuBtn::setPrice(int index, double price)
{
    if (price == m_price[index])
        return;
    m_price[index] = price;
    redrawNow();
}

void TMirelMenuBtn::setItemPriceMode(int mode)
{
    if (qint8(mode) == m_priceMode)
        return;
    m_priceMode = qint8(mode);
    redrawNow();
}

void TMirelMenuBtn::setItemExtraCount(int count)
{
    if (count == m_extraCount)
        return;
    m_extraCount = count;
    redrawNow();
}

void TMirelMenuBtn::setItemSaledCount(int count)
{
    if (count == m_saledCount)
        return;
    m_saledCount = count;
    redrawNow();
}

void TMirelMenuBtn::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    TMirelButtonBase::setCaption(caption);
}

QString TMirelMenuBtn::priceText() const
{
    if (m_priceMode < 0 || m_priceMode > 2)
        return QStringLiteral("0");
    return mirel::formatWhole(m_price[m_priceMode]);
}

namespace {

QSize measure(const QFont &font, const QString &text, int width)
{
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, std::max(0, width), 0), Qt::AlignLeft | Qt::AlignTop,
                      mirel::normalizeBreaks(text))
        .size();
}

void drawAt(QPainter &p, const QFont &font, const QColor &color, const QRect &r, const QString &text)
{
    p.save();
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignHCenter | Qt::AlignTop, mirel::normalizeBreaks(text));
    p.restore();
}

} // namespace

void TMirelMenuBtn::paintContent(QPainter &p, bool pressedLook)
{
    const int w = width(), h = height();
    const bool pressed = pressedLook || Down();
    const QPoint shift = captionShift(pressed);
    const int margin = CaptionMargin();
    const QColor fontColor = colorFromRef(FontColor());

    if (!m_itemName.isEmpty() && m_priceMode == -1)
        setCaption(m_itemName);

    if (!m_itemName.isEmpty() && m_priceMode >= 0) {
        const QSize name = measure(font(), m_itemName, w - 2 * margin);
        QRect r(QPoint(0, 0), name);
        r.translate((w - name.width()) / 2 + shift.x(),
                    (h - name.height() - mirel::fontPointSize(m_fontPrice) - 1) / 2 + shift.y());
        drawAt(p, font(), fontColor, r, m_itemName);

        const QString price = priceText();
        if (price != QLatin1String("0")) {
            const QString line = pressedLook ? price : QLatin1Char('(') + price + QLatin1Char(')');
            const QSize s = measure(m_fontPrice, line, w - 2 * margin);
            QRect pr(QPoint(0, 0), s);
            pr.translate((w - s.width()) / 2 + shift.x(), h - 3 - s.height() + shift.y());
            drawAt(p, m_fontPrice, colorFromRef(FontPriceColor), pr, line);
        }
    } else if (!m_caption.isEmpty()) {
        mirel::drawCaption(p, m_caption, font(), fontColor, w, h, margin, shift);
    }

    const QColor stockColor = colorFromRef(FontStockColor);
    if (m_extraCount != 0) {
        const QString text = QString::number(m_extraCount);
        const QFontMetrics fm(m_fontStock);
        QRect r(QPoint(3, 3) + shift, QSize(fm.horizontalAdvance(text), fm.height()));
        drawAt(p, m_fontStock, stockColor, r, text);
    }
    if (m_saledCount != 0) {
        const QString text = QString::number(m_saledCount);
        const QFontMetrics fm(m_fontStock);
        const int tw = fm.horizontalAdvance(text);
        QRect r(QPoint(w - 3 - tw, 3) + shift, QSize(tw, fm.height()));
        drawAt(p, m_fontStock, stockColor, r, text);
    }
}
