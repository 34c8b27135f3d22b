// Shows one form with each control of the library in its typical looks.
// Pictures come from $RALD_BIN_DIR/img (the build's program folder). The
// form closes by itself after the number of seconds given (default 30).

#include "Components/MirelComp/MirelBack.h"
#include "Components/MirelComp/MirelDBEdit.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "Components/MirelComp/MirelTable.h"
#include "Components/MirelComp/MirelTrnBtn.h"
#include "platform/os/Clock.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->setFont(mirel::makeFont(QString::fromUtf8("돋움"), -13, true));
    l->move(x, y);
    l->adjustSize();
    return l;
}

TMirelImgBtn *button(QWidget *parent, const QString &caption, QRect geometry)
{
    auto *b = new TMirelImgBtn(parent);
    b->setGeometry(geometry);
    b->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -15, true));
    b->setCaptionMoveRight(0);
    b->setCaptionMoveDown(-1);
    b->setCaption(caption);
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    mirel::installFontSubstitutions();
    const QByteArray bin = qgetenv("RALD_BIN_DIR");
    if (!bin.isEmpty())
        mirel::setPictureFolder(QString::fromLocal8Bit(bin) + "/img");

    QWidget form;
    form.setWindowTitle("MirelComp");
    form.setFixedSize(1024, 768);
    form.setAutoFillBackground(true);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(254, 249, 215));
    form.setPalette(pal);

    auto *plate = new TMirelBack(&form);
    plate->setGeometry(8, 8, 500, 250);
    label(plate, QString::fromUtf8("그림 단추 (그림 없음: 테두리)"), 14, 10);
    button(plate, QString::fromUtf8("발주"), {14, 34, 112, 40});
    auto *saved = button(plate, QString::fromUtf8("임시저장"), {134, 34, 112, 40});
    saved->setGroupIndex(1);
    saved->setDown(true);
    button(plate, QString::fromUtf8("닫기"), {254, 34, 112, 40})->setGroupIndex(1);
    button(plate, QString::fromUtf8("사용 안 함"), {374, 34, 112, 40})->setEnabled(false);

    label(plate, QString::fromUtf8("그림 단추 (img 폴더의 그림)"), 14, 86);
    const char *faces[][2] = {
        {"face_menu_63x55_01.png", "face_menu_63x55_02.png"},
        {"face_minimize_61x55_01.png", "face_minimize_61x55_02.png"},
        {"face_close_63x55_01.png", "face_close_63x55_02.png"},
        {"face_tempsave_89x32_01.png", "face_tempsave_89x32_02.png"},
        {"face_order_89x32_01.png", "face_order_89x32_02.png"},
    };
    int x = 14;
    for (auto &f : faces) {
        auto *b = new TMirelImgBtn(plate);
        b->move(x, 110);
        b->setPictureOverFile(f[0]);
        b->setPictureDownFile(f[1]);
        x += b->width() + 8;
    }
    x = 14;
    for (int digit : {7, 8, 9}) {
        auto *b = new TMirelImgBtn(plate);
        b->move(x, 175);
        b->setPictureOverFile(QString("face_key%1_73x50_01.png").arg(digit));
        b->setPictureDownFile(QString("face_key%1_73x50_02.png").arg(digit));
        x += 75;
    }
    // A transparent button over a striped panel: the stripes show through.
    auto *stripes = new QLabel(plate);
    QPixmap bg(120, 60);
    bg.fill(QColor(212, 208, 200));
    {
        QPainter p(&bg);
        for (int i = 0; i < 120; i += 12)
            p.fillRect(i, 0, 6, 60, QColor(246, 134, 31));
    }
    stripes->setPixmap(bg);
    stripes->setGeometry(250, 170, 120, 60);
    QPixmap ring(100, 44);
    ring.fill(Qt::transparent);
    {
        QPainter p(&ring);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(58, 98, 158), 4));
        p.drawRoundedRect(QRectF(2, 2, 96, 40), 10, 10);
    }
    auto *trn = new TMirelTrnBtn(plate);
    trn->move(260, 178);
    trn->setPictureOver(ring);
    trn->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -15, true));
    trn->setCaption(QString::fromUtf8("투명"));

    // Item pad.
    auto *pad = new QWidget(&form);
    pad->setGeometry(520, 8, 496, 250);
    label(pad, QString::fromUtf8("품목 단추"), 4, 4);
    const struct { const char *name; double price; int extra; int sold; } items[] = {
        {"두부", 12500, 0, 0}, {"김치", 3000, 2, 5}, {"생수", 0, 0, 0},
        {"비빔밥", 8000, -3, 0}, {"떡볶이", 4500, 0, 12},
    };
    int i = 0;
    for (const auto &it : items) {
        auto *m = new TMirelMenuBtn(pad);
        m->move(3 + (i % 5) * 97, 28);
        m->setColorForeground(16645629);
        m->setColorLight(12698049);
        m->setColorShadow(12698049);
        m->setPictureOverFile("btn_box0201.png");
        m->setPictureDownFile("btn_box0202.png");
        m->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -16, true));
        QFont small = mirel::makeFont("Tahoma", -11);
        m->setFontPrice(small);
        m->setFontStock(small);
        m->FontPriceColor = 255;
        m->setItemName(QString::fromUtf8(it.name));
        m->setItemPrice(it.price);
        m->setItemExtraCount(it.extra);
        m->setItemSaledCount(it.sold);
        m->setGroupIndex(902);
        ++i;
    }
    const char *cats[] = {"◀", "채소", "양념", "음료", "▶"};
    for (int c = 0; c < 5; ++c) {
        auto *m = new TMirelMenuBtn(pad);
        m->move(3 + c * 97, 110);
        m->setColorForeground(16645629);
        m->setColorLight(8828895);
        m->setColorShadow(6193304);
        const bool paging = c == 0 || c == 4;
        m->setPictureOverFile(paging ? (c == 0 ? "btn_box_p0101.png" : "btn_box_n0101.png") : "btn_box0101.png");
        m->setPictureDownFile(paging ? (c == 0 ? "btn_box_p0102.png" : "btn_box_n0102.png") : "btn_box0102.png");
        m->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -16, true));
        if (!paging)
            m->setCaption(QString::fromUtf8(cats[c]));
        m->setGroupIndex(901);
        if (c == 1)
            m->setDown(true);
    }
    auto *unit = new TMirelMenuBtn(pad);
    unit->setGeometry(3, 190, 120, 50);
    unit->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -15, true));
    unit->setCaption(QString::fromUtf8("중단위"));

    // Restaurant tiles.
    label(&form, QString::fromUtf8("테이블 타일"), 12, 270);
    const QDateTime now = os::Now();
    struct Tile { const char *name; int state; int type; double bill; int minutes; const char *cust; int g[3]; int join; };
    const Tile tiles[] = {
        {"Table - 0", 0, 0, 0, -1, "", {0, 0, 0}, 0},
        {"창가 1", 1, 0, 38500, 95, "홍길동", {2, 1, 3}, 0},
        {"룸 A", 3, 1, 0, -1, "예약 김", {0, 0, 4}, 0},
        {"포장 1", 1, 2, 12000, 12, "", {0, 0, 0}, 0},
        {"홀 5", 2, 0, 1500, 30, "", {1, 0, 1}, 2},
    };
    i = 0;
    for (const Tile &t : tiles) {
        auto *tile = new TMirelTable(&form);
        tile->setGeometry(12 + i * 200, 295, 180, 130);
        tile->setColorBackground(14154238);
        tile->setColorBackSelect(14154238);
        tile->setColorBackUsing(14154238);
        tile->setColorBackBooking(14154238);
        tile->setColorBorder(2066166);
        tile->setColorTitleLine(2066166);
        tile->setColorExtraLine(2066166);
        tile->setColorTitleBack(10940415);
        tile->setColorTitleUsing(1746682);
        tile->setColorTitleFont(6214);
        tile->setBorderExtra(1);
        tile->setFont(mirel::makeFont("Tahoma", -1));
        tile->setTableName(QString::fromUtf8(t.name));
        tile->setTableType(t.type);
        tile->setTableState(t.state);
        tile->setBillAmount(t.bill);
        if (t.minutes >= 0)
            tile->setEnterTime(now.addSecs(-60 * t.minutes));
        tile->setTableCustName(QString::fromUtf8(t.cust));
        tile->setGuestCntMan(t.g[0]);
        tile->setGuestCntWoman(t.g[1]);
        tile->setGuestCntAll(t.g[2]);
        if (t.join) {
            tile->setIsJoin(true);
            tile->JoinNo = t.join;
        }
        tile->setHoldSelect(true);
        ++i;
    }
    auto *memoTile = new TMirelTable(&form);
    memoTile->setGeometry(12, 440, 180, 130);
    memoTile->OrdList[0] = {QString::fromUtf8("비빔밥정식세트"), 2, false};
    memoTile->OrdList[1] = {QString::fromUtf8("된장찌개"), 1, true};
    memoTile->OrdList[2] = {"Cola", 1.5, false};
    memoTile->OrdCount = 3;
    memoTile->setMemoFont(mirel::makeFont(QString::fromUtf8("굴림체"), -13));
    memoTile->setMemoTopSpace(40);
    memoTile->setMemoLeftSpace(6);
    memoTile->setMemoRightSpace(6);
    memoTile->setMemoBottomSpace(6);
    memoTile->setMemoBgColor(15663103);
    memoTile->setMemoTrim(10);
    memoTile->setMemoVisible(true);
    memoTile->setTableName(QString::fromUtf8("메모 타일"));
    auto *tiny = new TMirelTable(&form);
    tiny->setGeometry(200, 440, 10, 10);

    // Totals box as the screens use it, and a bound edit.
    label(&form, QString::fromUtf8("합계 칸 / 데이터 편집"), 420, 440);
    auto *total = new TMirelDBEdit(&form);
    total->setGeometry(420, 465, 200, 26);
    total->setFont(mirel::makeFont(QString::fromUtf8("굴림체"), -16));
    total->setBorderStyle(0);
    total->setEnabled(false);
    total->setText(QString::fromUtf8("합계 수량 12,500"));

    DataSet ds;
    ds.AddField("ITEM", FieldType::String, 30);
    ds.AddField("AMT", FieldType::Integer);
    ds.Open();
    ds.Append();
    ds.FieldByName("ITEM").setAsString(QString::fromUtf8("고추장 3kg"));
    ds.FieldByName("AMT").setAsInteger(1234567);
    ds.Post();
    ds.FieldByName("AMT").setDisplayFormat(",0");
    auto *name = new TMirelDBEdit(&form);
    name->setGeometry(420, 500, 200, 28);
    name->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -15));
    name->setDataSource(&ds);
    name->setDataField("ITEM");
    auto *amount = new TMirelDBEdit(&form);
    amount->setGeometry(630, 500, 150, 28);
    amount->setFont(mirel::makeFont(QString::fromUtf8("굴림"), -15));
    amount->setDataSource(&ds);
    amount->setDataField("AMT");

    form.show();
    const int seconds = argc > 1 ? QString(argv[1]).toInt() : 30;
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
