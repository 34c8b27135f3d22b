#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelPaint.h"

#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>

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
