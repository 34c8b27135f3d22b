#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelPaint.h"

#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

namespace {

QString joined(QWidget *w)
{
    return TextRecorder::texts(w).join('|');
}

} // namespace

TEST(MirelMenuBtn, PriceInParenthesesUpAndBareWhilePressed)
{
    QWidget parent;
    auto *b = new TMirelMenuBtn(&parent);
    b->setItemName(QString::fromUtf8("김치"));
    b->setItemPrice(12500);
    parent.show();
    const auto up = TextRecorder::record(b);
    ASSERT_EQ(up.size(), 2);
    EXPECT_EQ(up[0].text, QString::fromUtf8("김치"));
    EXPECT_EQ(up[1].text, "(12,500)");
    EXPECT_GT(up[1].pos.y(), up[0].pos.y()); // price line under the name

    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(joined(b), QString::fromUtf8("김치|12,500"));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(joined(b), QString::fromUtf8("김치|(12,500)"));
}

TEST(MirelMenuBtn, WhatTheFaceShowsByNamePriceAndMode)
{
    struct Case {
        const char *name;
        const char *caption;
        int mode;
        double price[3];
        const char *shown;
    };
    const Case cases[] = {
        {"두부", "", 0, {0, 0, 0}, "두부"},                 // price 0: no price line
        {"두부", "", 1, {100, 2300.5, 0}, "두부|(2,301)"},  // mode picks the second price
        {"두부", "", 2, {100, 0, 999999}, "두부|(999,999)"},
        {"두부", "", 3, {100, 100, 100}, "두부"},           // no price for modes above 2
        {"", "단위", 0, {500, 0, 0}, "단위"},               // no name: the caption
        {"", "단위", -1, {500, 0, 0}, "단위"},
    };
    for (const Case &c : cases) {
        QWidget parent;
        auto *b = new TMirelMenuBtn(&parent);
        b->setCaption(QString::fromUtf8(c.caption));
        b->setItemName(QString::fromUtf8(c.name));
        b->setItemPriceMode(c.mode);
        b->setItemPrice(c.price[0]);
        b->setItemPrice2(c.price[1]);
        b->setItemPrice3(c.price[2]);
        EXPECT_EQ(joined(b), QString::fromUtf8(c.shown)) << c.name << " mode " << c.mode;
    }
}

TEST(MirelMenuBtn, ModeMinusOneMakesTheNameTheCaption)
{
    QWidget parent;
    auto *b = new TMirelMenuBtn(&parent);
    b->setItemPriceMode(-1);
    b->setItemName(QString::fromUtf8("생수"));
    b->setItemPrice(800);
    EXPECT_EQ(joined(b), QString::fromUtf8("생수"));
    EXPECT_EQ(b->Caption(), QString::fromUtf8("생수"));
}

TEST(MirelMenuBtn, CountersInTheTopCornersWithTheirSign)
{
    QWidget parent;
    auto *b = new TMirelMenuBtn(&parent);
    b->setCaption("A");
    EXPECT_EQ(joined(b), "A");
    b->setItemExtraCount(-3);
    b->setItemSaledCount(12);
    const auto runs = TextRecorder::record(b);
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[1].text, "-3");
    EXPECT_EQ(runs[2].text, "12");
    EXPECT_LT(runs[1].pos.x(), 10);                 // left corner
    EXPECT_GT(runs[2].pos.x(), b->width() - 30);    // right corner
}

TEST(MirelMenuBtn, OnlyChangedValuesRedraw)
{
    QWidget parent;
    auto *b = new TMirelMenuBtn(&parent);
    b->setItemPrice(12500);
    parent.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    b->installEventFilter(&counter);
    b->setItemPrice(12500);
    b->setItemName(QString());
    b->setItemExtraCount(0);
    EXPECT_EQ(counter.count, 0);
    b->setItemPrice(13000);
    EXPECT_EQ(counter.count, 1); // at once, not at the next paint cycle
    b->removeEventFilter(&counter);
}

// Which setters redraw at once (synchronously) with a new value: the item
// button redraws for its name, first price, mode and counters only; the
// other prices and the caption shifts are stored, unlike on the picture
// button, where a changed shift redraws.
TEST(MirelMenuBtn, SettersThatRedrawAtOnce)
{
    using Setter = std::function<void(TMirelButtonBase *)>;
    auto item = [](auto f) {
        return Setter([f](TMirelButtonBase *b) { f(static_cast<TMirelMenuBtn *>(b)); });
    };
    struct Case {
        const char *what;
        bool itemButton;
        Setter set;
        int paints;
    };
    const Case cases[] = {
        {"ItemName", true, item([](TMirelMenuBtn *b) { b->setItemName("X"); }), 1},
        {"ItemPrice", true, item([](TMirelMenuBtn *b) { b->setItemPrice(5); }), 1},
        {"ItemPriceMode", true, item([](TMirelMenuBtn *b) { b->setItemPriceMode(1); }), 1},
        {"ItemSaledCount", true, item([](TMirelMenuBtn *b) { b->setItemSaledCount(2); }), 1},
        {"ItemPrice2", true, item([](TMirelMenuBtn *b) { b->setItemPrice2(5); }), 0},
        {"ItemPrice3", true, item([](TMirelMenuBtn *b) { b->setItemPrice3(5); }), 0},
        {"CaptionMoveRight item", true, [](TMirelButtonBase *b) { b->setCaptionMoveRight(0); }, 0},
        {"CaptionMoveDown item", true, [](TMirelButtonBase *b) { b->setCaptionMoveDown(-1); }, 0},
        {"ColorForeground item", true, [](TMirelButtonBase *b) { b->setColorForeground(255); }, 1},
        {"CaptionMoveRight picture", false, [](TMirelButtonBase *b) { b->setCaptionMoveRight(0); }, 1},
        {"CaptionMoveDown picture", false, [](TMirelButtonBase *b) { b->setCaptionMoveDown(-1); }, 1},
        {"GroupIndex picture", false, [](TMirelButtonBase *b) { b->setGroupIndex(7); }, 0},
    };
    for (const Case &c : cases) {
        QWidget parent;
        TMirelButtonBase *b = c.itemButton ? static_cast<TMirelButtonBase *>(new TMirelMenuBtn(&parent))
                                           : new TMirelImgBtn(&parent);
        b->setCaption("A");
        parent.show();
        QCoreApplication::processEvents();
        PaintCounter counter;
        b->installEventFilter(&counter);
        c.set(b);
        EXPECT_EQ(counter.count, c.paints) << c.what;
        b->removeEventFilter(&counter);
    }
    // A stored price shows at the next paint.
    QWidget parent;
    auto *b = new TMirelMenuBtn(&parent);
    b->setItemName(QString::fromUtf8("두부"));
    b->setItemPriceMode(1);
    b->setItemPrice2(2300);
    EXPECT_EQ(joined(b), QString::fromUtf8("두부|(2,300)"));
}

TEST(MirelPaint, FormatsWholeUnitsWithSeparators)
{
    struct Case { double amount; const char *text; };
    const Case cases[] = {{0, "0"}, {12500, "12,500"}, {999.5, "1,000"}, {-1234567, "-1,234,567"}, {0.4, "0"}};
    for (const Case &c : cases)
        EXPECT_EQ(mirel::formatWhole(c.amount), c.text);
}

TEST(MirelFonts, KoreanWindowsFontsResolveToNanum)
{
    struct Case { const char *family; const char *resolved; };
    const Case cases[] = {
        {"굴림", "NanumGothic"}, {"돋움", "NanumGothic"}, {"맑은 고딕", "NanumGothic"},
        {"Tahoma", "NanumGothic"}, {"굴림체", "NanumGothicCoding"}, {"돋움체", "NanumGothicCoding"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(c.family))).family(), c.resolved) << c.family;

    const QFont f = mirel::makeFont(QString::fromUtf8("굴림체"), -16);
    EXPECT_EQ(f.pixelSize(), 16);
    EXPECT_EQ(mirel::fontPointSize(mirel::makeFont("Tahoma", -11)), 8);
}
