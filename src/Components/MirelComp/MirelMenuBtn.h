#pragma once
// A touch button that carries one catalogue entry (category, item or
// supplier): looks and behaves like TMirelImgBtn (own class, so its radio
// groups are formed among item buttons only) and draws the entry's name, a
// price line and two small counters in the top corners.
//
// The button reads ItemName, the three prices, ItemPriceMode, the two
// counters and the two fonts; the other Item properties are slots kept for
// the screens. Prices are currency values (four decimals) held as double.

#include "Components/MirelComp/MirelButtonBase.h"

#include <QFont>

class TMirelMenuBtn : public TMirelButtonBase {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex MEMBER ItemIndex)
    Q_PROPERTY(QString ItemCode MEMBER ItemCode)
    Q_PROPERTY(QString ItemBarCode MEMBER ItemBarCode)
    Q_PROPERTY(QString ItemName READ ItemName WRITE setItemName)
    Q_PROPERTY(QString ItemName2 MEMBER ItemName2)
    Q_PROPERTY(QString ItemNick MEMBER ItemNick)
    Q_PROPERTY(int ItemType MEMBER ItemType)
    Q_PROPERTY(double ItemPrice READ ItemPrice WRITE setItemPrice)
    Q_PROPERTY(double ItemPrice2 READ ItemPrice2 WRITE setItemPrice2)
    Q_PROPERTY(double ItemPrice3 READ ItemPrice3 WRITE setItemPrice3)
    Q_PROPERTY(int ItemPriceMode READ ItemPriceMode WRITE setItemPriceMode)
    Q_PROPERTY(bool ItemVATON MEMBER ItemVATON)
    Q_PROPERTY(bool ItemIncludeVatYN MEMBER ItemIncludeVatYN)
    Q_PROPERTY(bool ItemDiscountYN MEMBER ItemDiscountYN)
    Q_PROPERTY(bool ItemPointYN MEMBER ItemPointYN)
    Q_PROPERTY(bool ItemCookeryYN MEMBER ItemCookeryYN)
    Q_PROPERTY(bool ItemSetItemYN MEMBER ItemSetItemYN)
    Q_PROPERTY(QString ItemCookType MEMBER ItemCookType)
    Q_PROPERTY(bool ItemVoucherYN MEMBER ItemVoucherYN)
    Q_PROPERTY(bool ItemEventYN MEMBER ItemEventYN)
    Q_PROPERTY(bool ItemServiceYN MEMBER ItemServiceYN)
    Q_PROPERTY(bool ItemCombineYN MEMBER ItemCombineYN)
    Q_PROPERTY(int ItemCombineCode MEMBER ItemCombineCode)
    Q_PROPERTY(int ItemFixedPoint MEMBER ItemFixedPoint)
    Q_PROPERTY(float ItemRatioPoint MEMBER ItemRatioPoint)
    Q_PROPERTY(double ItemFixedDiscount MEMBER ItemFixedDiscount)
    Q_PROPERTY(float ItemRatioDiscount MEMBER ItemRatioDiscount)
    Q_PROPERTY(QChar ItemFlag MEMBER ItemFlag)
    Q_PROPERTY(int ItemExtraCount READ ItemExtraCount WRITE setItemExtraCount)
    Q_PROPERTY(int ItemSaledCount READ ItemSaledCount WRITE setItemSaledCount)
    Q_PROPERTY(bool ItemExtraSwitch1 MEMBER ItemExtraSwitch1)
    Q_PROPERTY(bool ItemExtraSwitch2 MEMBER ItemExtraSwitch2)
    Q_PROPERTY(QString ItemImCurPrcgu MEMBER ItemImCurPrcgu)
    Q_PROPERTY(QFont FontPrice READ FontPrice WRITE setFontPrice)
    Q_PROPERTY(QFont FontStock READ FontStock WRITE setFontStock)
    Q_PROPERTY(int FontPriceColor MEMBER FontPriceColor)
    Q_PROPERTY(int FontStockColor MEMBER FontStockColor)

public:
    explicit TMirelMenuBtn(QWidget *parent = nullptr);

    // Slots kept for the screens; the button never reads them.
    int ItemIndex = 0;
    QString ItemCode;
    QString ItemBarCode;
    QString ItemName2;
    QString ItemNick;
    int ItemType = 0;
    bool ItemVATON = false;
    bool ItemIncludeVatYN = false;
    bool ItemDiscountYN = false;
    bool ItemPointYN = false;
    bool ItemCookeryYN = false;
    bool ItemSetItemYN = false;
    QString ItemCookType;
    bool ItemVoucherYN = false;
    bool ItemEventYN = false;
    bool ItemServiceYN = false;
    bool ItemCombineYN = false;
    int ItemCombineCode = 0;
    int ItemFixedPoint = 0;
    float ItemRatioPoint = 0;
    double ItemFixedDiscount = 0;
    float ItemRatioDiscount = 0;
    QChar ItemFlag;
    bool ItemExtraSwitch1 = false;
    bool ItemExtraSwitch2 = false;
    QString ItemImCurPrcgu;
    int FontPriceColor = 0; // colour references of the two small fonts
    int FontStockColor = 0;

    // Drawn properties: setting ItemName, ItemPrice, ItemPriceMode or a
    // counter redraws at once when the value changed. ItemPrice2, ItemPrice3
    // and the caption shifts are only stored; the face shows them at its
    // next paint.
    QString ItemName() const { return m_itemName; }
    void setItemName(const QString &name);
    double ItemPrice() const { return m_price[0]; }
    void setItemPrice(double price) { setPrice(0, price); }
    double ItemPrice2() const { return m_price[1]; }
    void setItemPrice2(double price) { m_price[1] = price; } // stored only
    double ItemPrice3() const { return m_price[2]; }
    void setItemPrice3(double price) { m_price[2] = price; } // stored only
    // -1: the name becomes the caption, no price; 0, 1, 2: name plus the
    // price of that mode; above 2: name without a price line.
    int ItemPriceMode() const { return m_priceMode; }
    void setItemPriceMode(int mode);
    int ItemExtraCount() const { return m_extraCount; }
    void setItemExtraCount(int count);
    int ItemSaledCount() const { return m_saledCount; }
    void setItemSaledCount(int count);

    QFont FontPrice() const { return m_fontPrice; }
    void setFontPrice(const QFont &font) { m_fontPrice = font; }
    QFont FontStock() const { return m_fontStock; }
    void setFontStock(const QFont &font) { m_fontStock = font; }

    // Only a changed caption asks for a (deferred) repaint.
    void setCaption(const QString &caption) override;

    // The price of the current mode as drawn: rounded to a whole unit with
    // thousands separators ("12,500", "0"); "0" for modes without a price.
    QString priceText() const;

protected:
    void paintContent(QPainter &p, bool pressedLook) override;
    bool redrawsOnCaptionMove() const override { return false; }

private:
    void setPrice(int index, double price);

    QString m_itemName;
    double m_price[3] = {0, 0, 0};
    qint8 m_priceMode = 0;
    int m_extraCount = 0;
    int m_saledCount = 0;
    QFont m_fontPrice;
    QFont m_fontStock;
};
