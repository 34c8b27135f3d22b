#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "Components/MirelComp/MirelTrnBtn.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRgb kFace = qRgb(254, 249, 215);
const QRgb kLight = qRgb(255, 255, 255);
const QRgb kShadow = qRgb(107, 65, 37);

// Records the events of a button with the Down value seen by each handler.
struct EventLog {
    QStringList events;
    void watch(TMirelButtonBase *b)
    {
        QObject::connect(b, &TMirelButtonBase::OnMouseDown, [this, b](QWidget *s, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
            events << QStringLiteral("down:%1:%2").arg(s == b).arg(b->Down());
        });
        QObject::connect(b, &TMirelButtonBase::OnClick, [this, b](QWidget *s) {
            events << QStringLiteral("click:%1:%2").arg(s == b).arg(b->Down());
        });
        QObject::connect(b, &TMirelButtonBase::OnMouseUp, [this, b](QWidget *s, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
            events << QStringLiteral("up:%1:%2").arg(s == b).arg(b->Down());
        });
    }
};

QPixmap solid(QSize size, QColor color)
{
    QPixmap p(size);
    p.fill(color);
    return p;
}

void press(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(w, button, Qt::NoModifier, QPoint(10, 10));
}

void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(10, 10))
{
    QTest::mouseRelease(w, button, Qt::NoModifier, at);
}

} // namespace

TEST(MirelButton, PressAndReleaseFireDownClickUpInOrder)
{
    struct Case { int group; bool allowAllUp; bool downBefore; bool downAfter; };
    const Case cases[] = {
        {0, false, false, false},
        {0, false, true, false},  // no group: always up after a release
        {5, false, false, true},
        {5, false, true, true},   // the only down button of its group stays down
        {5, true, true, false},
    };
    for (const Case &c : cases) {
        QWidget parent;
        auto *b = new TMirelImgBtn(&parent);
        b->setGroupIndex(c.group);
        b->setAllowAllUp(c.allowAllUp);
        b->setDown(c.downBefore);
        parent.show();
        EventLog log;
        log.watch(b);
        press(b);
        EXPECT_TRUE(b->isPressedLook());
        release(b);
        EXPECT_FALSE(b->isPressedLook());
        const QString before = QString::number(c.downBefore);
        EXPECT_EQ(log.events, QStringList({"down:1:" + before, "click:1:" + before,
                                           "up:1:" + QString::number(c.downAfter)}))
            << "group " << c.group << " down " << c.downBefore;
        EXPECT_EQ(b->Down(), c.downAfter);
    }
}

TEST(MirelButton, ReleaseOutsideFiresNoClickButStillMouseUp)
{
    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    parent.resize(400, 300);
    parent.show();
    EventLog log;
    log.watch(b);
    press(b);
    release(b, Qt::LeftButton, QPoint(300, 200));
    EXPECT_EQ(log.events, QStringList({"down:1:0", "up:1:0"}));
}

TEST(MirelButton, DisabledOrOtherButtonsFireAndDrawNothing)
{
    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    b->setPictureOver(solid({60, 40}, Qt::blue));
    parent.show();
    EventLog log;
    log.watch(b);

    press(b, Qt::RightButton);
    EXPECT_FALSE(b->isPressedLook());
    release(b, Qt::RightButton);

    b->setEnabled(false);
    const QImage before = snapshot(b);
    press(b);
    EXPECT_FALSE(b->isPressedLook());
    EXPECT_EQ(snapshot(b), before);
    release(b);
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join(',').toStdString();

    // Disabled look: grey face, white and grey bevel, never the picture.
    b->setDown(true);
    const QImage img = snapshot(b);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(b->width() - 1, b->height() - 1), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(b->width() / 2, b->height() / 2), qRgb(192, 192, 192));
}

TEST(MirelButton, BevelFollowsDownAndPressedLookIsImmediate)
{
    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    parent.show();
    QImage up = snapshot(b);
    EXPECT_EQ(b->size(), QSize(120, 50));
    EXPECT_EQ(up.pixel(0, 0), kLight);
    EXPECT_EQ(up.pixel(1, 1), kLight);
    EXPECT_EQ(up.pixel(119, 49), kShadow);
    EXPECT_EQ(up.pixel(118, 48), kShadow);
    EXPECT_EQ(up.pixel(60, 25), kFace);

    b->setGroupIndex(1);
    b->setDown(true);
    QImage down = snapshot(b);
    EXPECT_EQ(down.pixel(0, 0), kShadow);
    EXPECT_EQ(down.pixel(119, 49), kLight);

    // The pressed look of an up button with only PictureOver is the pressed
    // bevel; after the release its picture is back.
    auto *p = new TMirelImgBtn(&parent);
    p->setPictureOver(solid({80, 30}, Qt::blue));
    EXPECT_EQ(p->size(), QSize(80, 30));
    EXPECT_EQ(snapshot(p).pixel(0, 0), QColor(Qt::blue).rgb());
    press(p);
    EXPECT_EQ(snapshot(p).pixel(0, 0), kShadow);
    release(p);
    EXPECT_EQ(snapshot(p).pixel(0, 0), QColor(Qt::blue).rgb());
}

TEST(MirelButton, PicturesChosenByStateAndSizeTheButton)
{
    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    b->setGroupIndex(3);
    b->setPictureOver(solid({70, 40}, Qt::blue));
    b->setPictureDown(solid({90, 45}, Qt::red));
    parent.show();
    EXPECT_EQ(b->size(), QSize(70, 40));
    press(b);
    EXPECT_EQ(b->size(), QSize(90, 45));
    EXPECT_EQ(snapshot(b).pixel(5, 5), QColor(Qt::red).rgb());
    release(b);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->size(), QSize(90, 45));
    EXPECT_EQ(snapshot(b).pixel(5, 5), QColor(Qt::red).rgb());
}

TEST(MirelButton, TransparentButtonLeavesTheParentVisibleUnderItsPicture)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, Qt::green);
    parent.setPalette(pal);
    auto *b = new TMirelTrnBtn(&parent);
    QPixmap ring(40, 40);
    ring.fill(Qt::transparent);
    {
        QPainter p(&ring);
        p.fillRect(0, 0, 40, 5, Qt::blue);
    }
    b->setPictureOver(ring);
    EXPECT_EQ(b->size(), QSize(40, 40));
    parent.resize(100, 100);
    parent.show();
    const QImage img = parent.grab().toImage();
    EXPECT_EQ(img.pixel(2, 2), QColor(Qt::blue).rgb());
    EXPECT_EQ(img.pixel(20, 20), QColor(Qt::green).rgb()); // no face fill
    // An empty picture keeps the size.
    b->setPictureDown(QPixmap());
    EXPECT_EQ(b->size(), QSize(40, 40));
}

TEST(MirelButton, CaptionMovesByItsShiftUpAndDown)
{
    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    b->setCaptionMoveRight(0);
    b->setCaptionMoveDown(-1);
    b->setGroupIndex(0);
    b->setCaption(QString::fromUtf8("가나"));
    b->setFont(QFont("굴림", 14));
    parent.show();
    auto captionBox = [&](const QImage &img) {
        return inkBox(img.copy(3, 3, b->width() - 6, b->height() - 6), kFace).translated(3, 3);
    };
    const QRect up = captionBox(snapshot(b));
    press(b);
    const QRect pressed = captionBox(snapshot(b));
    release(b);
    ASSERT_FALSE(up.isEmpty());
    EXPECT_EQ(up.top() - pressed.top(), 2); // one below centre up, one above pressed
    EXPECT_EQ(up.left(), pressed.left());

    // A caption wider than the button stays centred (negative offsets).
    auto *wide = new TMirelImgBtn(&parent);
    wide->resize(30, 20);
    wide->setCaptionMoveRight(0);
    wide->setCaptionMoveDown(0);
    wide->setCaption("WWWWWWWWWWWW");
    const auto runs = TextRecorder::record(wide);
    ASSERT_EQ(runs.size(), 1);
    const int textWidth = QFontMetrics(wide->font()).horizontalAdvance("WWWWWWWWWWWW");
    EXPECT_NEAR(runs[0].pos.x() + textWidth / 2.0, 15, 1.5);
}

TEST(MirelButton, GroupRules)
{
    // Three buttons of one group on one parent; an action on button 0.
    enum Action { SetDown, SetUp, Click };
    struct Case {
        const char *name;
        bool allowAllUp;
        std::array<bool, 3> before;
        Action action;
        std::array<bool, 3> after;
    };
    const Case cases[] = {
        {"down releases every other", false, {false, true, true}, SetDown, {true, false, false}},
        {"only down refuses release", false, {true, false, false}, SetUp, {true, false, false}},
        {"release with another down", false, {true, true, false}, SetUp, {false, true, false}},
        {"allow all up releases", true, {true, false, false}, SetUp, {false, false, false}},
        {"click an up button", false, {false, true, false}, Click, {true, false, false}},
        {"click the down button", false, {true, false, false}, Click, {true, false, false}},
        {"click down, allow all up", true, {true, false, false}, Click, {false, false, false}},
    };
    for (const Case &c : cases) {
        QWidget parent;
        TMirelImgBtn *b[3];
        for (int i = 0; i < 3; ++i) {
            b[i] = new TMirelImgBtn(&parent);
            b[i]->setDown(c.before[i]); // no group yet: stored as given
            b[i]->setGroupIndex(7);
            b[i]->setAllowAllUp(c.allowAllUp);
        }
        parent.show();
        switch (c.action) {
        case SetDown: b[0]->setDown(true); break;
        case SetUp: b[0]->setDown(false); break;
        case Click: press(b[0]); release(b[0]); break;
        }
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(b[i]->Down(), c.after[i]) << c.name << " button " << i;
    }
}

TEST(MirelButton, GroupsAreFormedPerClassAndPerParent)
{
    QWidget parent, other;
    auto *img = new TMirelImgBtn(&parent);
    auto *trn = new TMirelTrnBtn(&parent);
    auto *menu = new TMirelMenuBtn(&parent);
    auto *far = new TMirelImgBtn(&other);
    for (TMirelButtonBase *b : {static_cast<TMirelButtonBase *>(img), static_cast<TMirelButtonBase *>(trn),
                                static_cast<TMirelButtonBase *>(menu), static_cast<TMirelButtonBase *>(far)}) {
        b->setGroupIndex(901);
        b->setDown(true);
    }
    EXPECT_TRUE(img->Down());
    EXPECT_TRUE(trn->Down());
    EXPECT_TRUE(menu->Down());
    EXPECT_TRUE(far->Down());

    // Two item buttons of group 901 release each other, not those of 902.
    auto *menu2 = new TMirelMenuBtn(&parent);
    auto *menu902 = new TMirelMenuBtn(&parent);
    menu2->setGroupIndex(901);
    menu902->setGroupIndex(902);
    menu902->setDown(true);
    parent.show();
    press(menu2);
    release(menu2);
    EXPECT_TRUE(menu2->Down());
    EXPECT_FALSE(menu->Down());
    EXPECT_TRUE(menu902->Down());
    EXPECT_TRUE(img->Down());
    EXPECT_TRUE(trn->Down());
}

TEST(MirelButton, ButtonWithoutParentCannotBeReleasedFromItsGroup)
{
    TMirelImgBtn b;
    b.setGroupIndex(4);
    b.setDown(true);
    b.setDown(false);
    EXPECT_TRUE(b.Down());
    b.setAllowAllUp(true);
    b.setDown(false);
    EXPECT_FALSE(b.Down());
}

TEST(MirelButton, NeverTakesTheFocus)
{
    TMirelImgBtn b;
    TMirelMenuBtn m;
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(m.focusPolicy(), Qt::NoFocus);
}

TEST(MirelButton, MissingPictureFileFallsBackToTheBevelAndLogsOnce)
{
    QStringList lines;
    mirel::setLogHandler([&](const QString &line) { lines << line; });
    QTemporaryDir dir;
    mirel::setPictureFolder(dir.path());
    solid({64, 32}, Qt::blue).save(dir.filePath("btn_ok01.png"));

    QWidget parent;
    auto *b = new TMirelImgBtn(&parent);
    EXPECT_TRUE(b->setPictureOverFile("btn_ok01.png"));
    EXPECT_EQ(b->size(), QSize(64, 32));
    EXPECT_FALSE(b->setPictureDownFile("btn_ok02.png"));
    EXPECT_TRUE(b->PictureDown().isNull());
    EXPECT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.value(0).contains("btn_ok02.png"));

    auto *none = new TMirelImgBtn(&parent);
    EXPECT_FALSE(none->setPictureOverFile("missing01.png"));
    EXPECT_EQ(snapshot(none).pixel(0, 0), kLight);
    mirel::setLogHandler(nullptr);
    mirel::setPictureFolder(QString());
}

TEST(MirelColor, ReferencesHaveRedInTheLowByte)
{
    EXPECT_EQ(mirel::colorFromRef(2441579), QColor(107, 65, 37));
    EXPECT_EQ(mirel::colorFromRef(14154238), QColor(254, 249, 215));
    EXPECT_EQ(mirel::refFromColor(QColor(246, 134, 31)), 2066166);
}
