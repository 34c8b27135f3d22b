#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelBack.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelTable.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"

#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

QString shown(TMirelTable *t)
{
    return TextRecorder::texts(t).join('|');
}

void click(QWidget *w)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

} // namespace

TEST(MirelTable, FitTextToBytesKeepsDoubleByteCharactersWhole)
{
    const QString six = QString::fromUtf8("가나다라마바");
    struct Case { QString text; int n; QString fitted; };
    const Case cases[] = {
        {six, 10, QString::fromUtf8("가나다라..")},
        {"AB", 10, "AB       "},                                        // padded to 9 bytes
        {"ABCDEFGHI", 10, "ABCDEFGHI"},                                  // n - 1 bytes: as is
        {"ABCDEFGHIJ", 10, "ABCDEFGHIJ"},                                // n bytes: as is
        {QString::fromUtf8("A가나다라마"), 10, QString::fromUtf8("A가나다..")}, // cut would split: one byte less
        {QString::fromUtf8("똠똠똠똠똠똠"), 9, QString::fromUtf8("똠똠똠..")},   // trail bytes in the ASCII range
        {"ABCDEFGHIJK", 10, "ABCDEFGH.."},
        {"", 3, "  "},
    };
    for (const Case &c : cases) {
        const QString out = TMirelTable::FitTextToBytes(c.text, c.n);
        EXPECT_EQ(out, c.fitted) << c.text.toStdString() << " / " << c.n;
        EXPECT_LE(os::ToAnsi(out).size(), std::max(c.n, 2));
    }
}

TEST(MirelTable, NewTileShowsItsNameOnly)
{
    TMirelTable t;
    EXPECT_EQ(t.size(), QSize(150, 100));
    EXPECT_EQ(shown(&t), "Table - 0");
    const QImage img = snapshot(&t);
    EXPECT_EQ(img.pixel(75, 90), qRgb(255, 255, 255));   // white shape
    EXPECT_EQ(img.pixel(0, 50), qRgb(200, 200, 200));    // grey outline
    EXPECT_EQ(img.pixel(4, 4), qRgb(232, 232, 232));     // grey title band
}

TEST(MirelTable, InformationBandsByContent)
{
    const QDateTime now = os::Now();
    struct Case {
        const char *name;
        int type;
        double bill;
        qint64 arrivedSecsAgo; // < 0: no arrival time
        const char *customer;
        int counts[3];
        QStringList expected; // after the title
    };
    const QString t95 = now.addSecs(-95 * 60).toString("hh:mm");
    const QString t25h = now.addSecs(-25 * 3600).toString("hh:mm");
    const Case cases[] = {
        {"bill", 0, 1500, -1, "", {0, 0, 0}, {"1,500"}},
        {"no bill", 0, 0, -1, "", {0, 0, 0}, {}},
        {"95 minutes", 0, 0, 95 * 60, "", {0, 0, 0}, {t95 + "(01:35)"}},
        {"25 hours", 0, 0, 25 * 3600, "", {0, 0, 0}, {t25h + "(01:00)"}},
        {"customer with counts", 0, 0, -1, "홍길동", {2, 1, 3}, {QString::fromUtf8("홍길동(2/1/3)")}},
        {"customer alone", 0, 0, -1, "홍길동", {0, 0, 0}, {QString::fromUtf8("홍길동")}},
        {"counts alone", 1, 0, -1, "", {0, 0, 4}, {"(0/0/4)"}},
        {"takeaway shows no customer", 2, 700, -1, "홍길동", {1, 1, 2}, {"700"}},
    };
    for (const Case &c : cases) {
        TMirelTable t;
        t.resize(160, 120);
        t.setTableType(c.type);
        t.setBillAmount(c.bill);
        if (c.arrivedSecsAgo >= 0)
            t.setEnterTime(now.addSecs(-c.arrivedSecsAgo));
        t.setTableCustName(QString::fromUtf8(c.customer));
        t.setGuestCntMan(c.counts[0]);
        t.setGuestCntWoman(c.counts[1]);
        t.setGuestCntAll(c.counts[2]);
        QStringList texts = TextRecorder::texts(&t);
        ASSERT_FALSE(texts.isEmpty()) << c.name;
        EXPECT_EQ(texts.takeFirst(), "Table - 0") << c.name;
        EXPECT_EQ(texts.join(""), c.expected.join("")) << c.name;
    }
    TMirelTable t;
    t.setEnterTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    EXPECT_EQ(shown(&t), "Table - 0");
}

TEST(MirelTable, BandTextTakesTheFontFromSixPointsUpElseAFittedSize)
{
    // A 150 x 100 tile with the outlines and gaps on creation has 22-pixel
    // bands, 146 pixels wide: a fitted band font is trunc(18 * 4 / 5) = 14 pt.
    struct Case {
        const char *what;
        QFont font;
        int points;  // expected point size, or -1 when given in pixels
        int pixels;  // expected pixel size, or -1 when given in points
    };
    QFont onePoint, ninePoints;
    onePoint.setPointSize(1);
    ninePoints.setPointSize(9);
    const Case cases[] = {
        {"1 pt (on creation)", onePoint, 14, -1},
        {"9 pt", ninePoints, 9, -1},
        {"height -16 (12 pt)", mirel::makeFont("Tahoma", -16), -1, 16},
        {"height -1 (settings screen)", mirel::makeFont("Tahoma", -1), 14, -1},
    };
    for (const Case &c : cases) {
        TMirelTable t;
        t.setFont(c.font);
        t.setBillAmount(1500);
        const auto runs = TextRecorder::record(&t);
        ASSERT_EQ(runs.size(), 2) << c.what;
        EXPECT_EQ(runs[1].text, "1,500");
        EXPECT_EQ(runs[1].font.pointSize(), c.points) << c.what;
        EXPECT_EQ(runs[1].font.pixelSize(), c.pixels) << c.what;
        EXPECT_FALSE(runs[1].font.bold());
    }
}

TEST(MirelTable, TooSmallTilesPaintWithoutText)
{
    for (QSize size : {QSize(10, 10), QSize(1, 1), QSize(0, 0), QSize(200, 6), QSize(6, 200)}) {
        TMirelTable t;
        t.setBorderExtra(2);
        t.setBillAmount(1500);
        t.setTableCustName("X");
        t.resize(size);
        const QImage img = snapshot(&t);
        EXPECT_EQ(img.size(), size);
        TextRecorder::texts(&t);
    }
    TMirelTable ten;
    ten.resize(10, 10);
    EXPECT_TRUE(TextRecorder::texts(&ten).isEmpty());
}

TEST(MirelTable, TitleBandOmittedWhenItHasNeitherFillNorOutline)
{
    TMirelTable t;
    t.setColorBackground(16777215);
    t.setColorTitleBack(16777215);
    t.setBorderTitle(0);
    const QImage img = snapshot(&t);
    EXPECT_EQ(img.pixel(4, 4), qRgb(255, 255, 255));
    EXPECT_EQ(shown(&t), "Table - 0");
}

TEST(MirelTable, JoinBoxNeedsIsJoinAndANumber)
{
    TMirelTable t;
    t.setIsJoin(true);
    EXPECT_EQ(shown(&t), "Table - 0");
    t.JoinNo = 3;
    EXPECT_EQ(shown(&t), "Table - 0|3");
    t.setIsJoin(false);
    EXPECT_EQ(t.JoinNo, 0);
    EXPECT_EQ(shown(&t), "Table - 0");
}

TEST(MirelTable, SelectionOfHeldAndUnheldTiles)
{
    QWidget parent;
    auto *a = new TMirelTable(&parent);
    auto *b = new TMirelTable(&parent);
    auto *c = new TMirelTable(&parent);
    a->setHoldSelect(true);
    b->setHoldSelect(true);
    b->setTableState(1);
    parent.show();

    click(a);
    EXPECT_EQ(a->TableState(), 2);
    click(b);
    EXPECT_EQ(b->TableState(), 2);
    EXPECT_EQ(a->TableState(), 0); // the other held tile is unselected
    click(b);
    EXPECT_EQ(b->TableState(), 1); // releasing on the selected one returns its state

    // A tile without HoldSelect is selected only while pressed, and its press
    // unselects the held ones.
    click(a);
    QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(c->TableState(), 2);
    EXPECT_EQ(a->TableState(), 0);
    QTest::mouseRelease(c, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(c->TableState(), 0);
}

TEST(MirelTable, EventsFollowTheSelectionStep)
{
    QWidget parent;
    auto *t = new TMirelTable(&parent);
    t->setHoldSelect(true);
    parent.show();
    QStringList events;
    QObject::connect(t, &TMirelTable::OnMouseDown, [&](QWidget *, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        events << QStringLiteral("down%1").arg(t->TableState());
    });
    QObject::connect(t, &TMirelTable::OnClick, [&](QWidget *) { events << QStringLiteral("click%1").arg(t->TableState()); });
    QObject::connect(t, &TMirelTable::OnMouseUp, [&](QWidget *, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        events << QStringLiteral("up%1").arg(t->TableState());
    });
    click(t);
    QTest::mousePress(t, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(t, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(events, QStringList({"down0", "click0", "up2", "down2", "up2"}));
    t->setEnabled(false);
    events.clear();
    click(t);
    EXPECT_TRUE(events.isEmpty());
}

TEST(MirelTable, MemoListsTheOrderLinesFitted)
{
    TMirelTable t;
    t.OrdList[0] = {QString::fromUtf8("비빔밥정식세트"), 2, false};
    t.OrdList[1] = {"Cola", 1.5, true};
    t.OrdCount = 2;
    t.setMemoTrim(8);
    EXPECT_EQ(t.Memo(), QStringList({QString::fromUtf8("비빔밥.. 2"), "Cola    1.5"}));
    t.setMemoLeftSpace(5);
    t.setMemoRightSpace(10);
    EXPECT_EQ(t.memoWidget()->geometry(), QRect(5, 0, 135, 100));
}

TEST(MirelBack, FiveRingsAroundTheFace)
{
    TMirelBack back;
    EXPECT_EQ(back.size(), QSize(200, 100));
    const QImage img = snapshot(&back);
    const QRgb orange = qRgb(246, 134, 31), white = qRgb(255, 255, 255), grey = qRgb(128, 128, 128),
               silver = qRgb(212, 208, 200);
    EXPECT_EQ(img.pixel(0, 50), orange);
    EXPECT_EQ(img.pixel(199, 50), orange);
    EXPECT_EQ(img.pixel(1, 50), white);
    EXPECT_EQ(img.pixel(100, 1), white);
    EXPECT_EQ(img.pixel(198, 50), grey);
    EXPECT_EQ(img.pixel(100, 98), grey);
    EXPECT_EQ(img.pixel(2, 50), silver);
    EXPECT_EQ(img.pixel(3, 50), white);
    EXPECT_EQ(img.pixel(196, 50), white);
    EXPECT_EQ(img.pixel(4, 50), silver);
    EXPECT_EQ(img.pixel(5, 50), qRgb(254, 249, 215));
    EXPECT_EQ(img.pixel(5, 5), qRgb(254, 249, 215)); // no stray pixel inside the rings

    back.setColorShadow2(255);
    EXPECT_EQ(snapshot(&back).pixel(198, 50), qRgb(255, 0, 0));
    back.setEnabled(false);
    const QImage off = snapshot(&back);
    EXPECT_EQ(off.pixel(0, 0), white);
    EXPECT_EQ(off.pixel(100, 50), qRgb(192, 192, 192));
}

TEST(MirelBack, EventsOnlyForTheLeftButtonWhileEnabled)
{
    QWidget parent;
    auto *back = new TMirelBack(&parent);
    parent.show();
    QStringList events;
    QObject::connect(back, &TMirelBack::OnMouseDown, [&](QWidget *, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { events << "down"; });
    QObject::connect(back, &TMirelBack::OnClick, [&](QWidget *) { events << "click"; });
    QObject::connect(back, &TMirelBack::OnMouseUp, [&](QWidget *, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { events << "up"; });
    click(back);
    QTest::mousePress(back, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(back, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    back->setEnabled(false);
    click(back);
    EXPECT_EQ(events, QStringList({"down", "click", "up"}));
}
