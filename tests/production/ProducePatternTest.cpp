// The production patterns against the in-process server and its demo
// patterns (1 "아침 빵 생산" on line 001: 우유식빵 20, 단팥빵 30, 소보로빵 30,
// 크림빵 20; 2 "케이크 생산" on line 002: 생크림케이크 5, 커스터드크림 1500 G;
// 3 "반죽 생산"), signed in as 1001: the way there and back from production
// entry, the temporary saves, the direct save with its failure and retry,
// and the slip.

#include "ItemEntryFixture.h"
#include "ReceiptCapture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/ProgramRights.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1003_Produce.h"
#include "production/U1012_ProducePattern.h"
#include "support/MessageResponder.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1003_Produce.h"
#include "ui_U1012_ProducePattern.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3300_PRODUCTENTRY");
const QString kNumber = QStringLiteral("GP_SELECT_MAXNUMBER");
const QString kMorning = QStringLiteral("아침 빵 생산");
const QString kCake = QStringLiteral("케이크 생산");
const QString kDough = QStringLiteral("반죽 생산");

class ProducePattern : public ItemEntrySuite {
protected:
    void SetUp() override
    {
        ItemEntrySuite::SetUp();
        MyConfig.UIADNB = QStringLiteral("90000001");
        rights = client("dspStoredProc2", "GP_SELECT_F0030_RALD");
        rights->Params().CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(QStringLiteral("9999"));
        rights->Params().CreateParam(FieldType::String, QStringLiteral("A_USGR")).setAsString(QStringLiteral("001"));
        rights->Open();
        SetProgramRights(rights.get());
        produce = std::make_unique<TF1003_Produce>();
        produce->show();
    }
    void TearDown() override
    {
        close();
        produce.reset();
        ItemEntrySuite::TearDown();
    }

    // The pattern screen over production entry's basket and calls, shown
    // and active (the key pad types into the focused grid).
    TF1012_ProducePattern &open()
    {
        patterns = std::make_unique<TF1012_ProducePattern>(*produce->vtb_STOCK, *produce->cds_BicgoAll,
                                                           *produce->cds_Sengsan, produce.get());
        activate(*patterns);
        return *patterns;
    }
    // Closes the screen as the close button does (the basket comes back).
    void close()
    {
        if (patterns && patterns->isVisible())
            patterns->btn_CloseClick();
        patterns.reset();
    }
    static void activate(QWidget &w)
    {
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    static void choose(TF1012_ProducePattern &p, const QString &name)
    {
        ASSERT_TRUE(p.cds_F3320_hed->Locate(QStringLiteral("UHNAME"), name)) << name.toStdString();
        p.grid_PrpaStock1CellClick();
    }
    static void touchSave(TF1012_ProducePattern &p, const QString &name)
    {
        ASSERT_TRUE(p.vtb_PetenImsi->Locate(QStringLiteral("ImsiName"), name)) << name.toStdString();
        p.grid_SengsanSaveListCellClick();
    }
    // Keys of the pad: digits, "." and "<" for backspace.
    static void type(TF1012_ProducePattern &p, const char *keys)
    {
        for (const char *k = keys; *k; ++k) {
            const int tag = *k == '.' ? 190 : *k == '<' ? -10 : 48 + (*k - '0');
            for (TMirelImgBtn *key : p.form().RbPanel2->findChildren<TMirelImgBtn *>())
                if (key->Tag() == tag)
                    clickButton(key);
        }
    }
    // Lines as "pattern:item:quantity", in table order.
    static QStringList tagged(const DataSet &lines)
    {
        QStringList out;
        for (int row = 0; row < lines.rowCount(); ++row) {
            DataSet::RowScope scope(lines, row);
            out << QStringLiteral("%1:%2:%3")
                       .arg(lines.FieldByName(QStringLiteral("ADNUMB")).AsInteger())
                       .arg(lines.FieldByName(QStringLiteral("IMITNB")).AsString())
                       .arg(lines.FieldByName(QStringLiteral("ADQTY")).AsFloat());
        }
        return out;
    }
    // Every field of every line, as text.
    static QStringList everything(const DataSet &lines)
    {
        QStringList out;
        for (int row = 0; row < lines.rowCount(); ++row) {
            QStringList cells;
            for (int f = 0; f < lines.FieldCount(); ++f)
                cells << lines.text(row, f);
            out << cells.join('|');
        }
        return out;
    }
    static QStringList saves(const TF1012_ProducePattern &p)
    {
        QStringList out;
        for (int row = 0; row < p.vtb_PetenImsi->rowCount(); ++row) {
            DataSet::RowScope scope(*p.vtb_PetenImsi, row);
            out << QStringLiteral("%1 %2")
                       .arg(p.vtb_PetenImsi->FieldByName(QStringLiteral("UHNUMB")).AsInteger())
                       .arg(p.vtb_PetenImsi->FieldByName(QStringLiteral("ImsiName")).AsString());
        }
        return out;
    }
    // A line as a touched item makes it on production entry.
    void add(const char *code, const char *name)
    {
        produce->RegItemStock(QLatin1String(code), QString::fromUtf8(name), QStringLiteral("EA"), QStringLiteral("BOX"),
                              10, true, true, 1, QStringLiteral("1"), 1700);
    }

    static int productions() { return scalar("SELECT COUNT(*) FROM F3300"); }
    static std::pair<QString, qint64> lastProduction()
    {
        const QStringList cells = rows("SELECT RHMONTH, RHNUMB FROM F3300 ORDER BY rowid DESC LIMIT 1").value(0).split('|');
        return {cells.value(0), cells.value(1).toLongLong()};
    }
    static QStringList header(const QString &month, qint64 number)
    {
        return rows("SELECT RHDATE, RHLINB, RHADNB, RHPGID FROM F3300 WHERE RHCMCD = '9999' AND RHBUUT = '9999'"
                    " AND RHMONTH = '" + month.toStdString() + "' AND RHNUMB = " + std::to_string(number));
    }
    static std::string lineKey(const QString &month, qint64 number)
    {
        return " RDCMCD = '9999' AND RDBUUT = '9999' AND RDMONTH = '" + month.toStdString()
               + "' AND RDNUMB = " + std::to_string(number);
    }
    // "seq|item|line|quantity" of a production's lines, with "|cost" where
    // the line has one.
    static QStringList linesOf(const QString &month, qint64 number)
    {
        return rows("SELECT RDSEQ || '|' || RDITNB || '|' || RDLINB || '|' || printf('%.1f', RDQTY)"
                    " || CASE WHEN RDWPRC = 0 THEN '' ELSE printf('|%.1f', RDWPRC) END FROM F3301 WHERE"
                    + lineKey(month, number) + " ORDER BY RDSEQ");
    }
    // Lines whose cost is not their quantity at the recipe's unit cost.
    static int costsOffTheRecipe(const QString &month, qint64 number)
    {
        return scalar("SELECT COUNT(*) FROM F3301 LEFT JOIN F0230 ON MHCMCD = RDCMCD AND MHBUUT = RDBUUT"
                      " AND MHITNB = RDITNB WHERE" + lineKey(month, number)
                      + " AND abs(RDWPRC - RDQTY * COALESCE(MHEPRI, 0)) > 0.01");
    }

    std::unique_ptr<ClientDataSet> rights;
    std::unique_ptr<TF1003_Produce> produce;
    std::unique_ptr<TF1012_ProducePattern> patterns;
    MessageResponder responder;
};

TEST_F(ProducePattern, LooksThenKeepsAndHandsTwoPatternsToProductionEntryWhichSavesThem)
{
    TF1003_Produce &s = *produce;
    add("100006", "고구마케이크");
    add("100001", "우유식빵");
    s.vtb_STOCK->First();
    const QStringList typed = everything(*s.vtb_STOCK);

    // Opened to look and closed: the typed lines are back.
    whenLoopRuns([&s] {
        auto *p = s.findChild<TF1012_ProducePattern *>();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0); // the temporary saves' place while open
        clickButton(p->form().btn_Close);
    });
    s.btn_MenuClick(TItemEntryScreen::TagAction1);
    EXPECT_EQ(everything(*s.vtb_STOCK), typed);
    EXPECT_EQ(s.vtb_STOCK->RecNo(), 1);
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());

    whenLoopRuns([this, &s] {
        auto *p = s.findChild<TF1012_ProducePattern *>();
        ASSERT_NE(p, nullptr);
        activate(*p);
        EXPECT_EQ(p->cds_F3320_hed->RecordCount(), 3);
        type(*p, "5"); // no pattern line: nothing
        EXPECT_EQ(p->vtb_SengsanPeten->RecordCount(), 0);

        choose(*p, kMorning);
        EXPECT_EQ(tagged(*p->vtb_SengsanPeten), (QStringList{"1:100001:20", "1:100002:30", "1:100003:30", "1:100004:20"}));
        EXPECT_EQ(p->vtb_SengsanPeten->FieldByName(QStringLiteral("IMITTY")).AsString(), QStringLiteral("제품"));
        type(*p, "26<5"); // backspace takes the 6
        clickButton(p->form().btn_Enter);
        type(*p, "0");
        clickButton(p->form().btn_ImsiSave);
        EXPECT_EQ(p->vtb_SengsanPeten->RecordCount(), 0);

        choose(*p, kCake);
        p->vtb_SengsanPeten->Last();
        EXPECT_EQ(p->vtb_SengsanPeten->FieldByName(QStringLiteral("IMITTY")).AsString(), QStringLiteral("반제"));
        clickButton(p->form().btn_Ok);
    });
    s.btn_MenuClick(TItemEntryScreen::TagAction1);
    EXPECT_EQ(BasketLines(*s.vtb_STOCK),
              (QStringList{"1 100001 25", "2 100003 30", "3 100004 20", "4 100005 5", "5 300002 1500"}));
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), QStringLiteral("생산 패턴 진행중"));
    EXPECT_EQ(s.produceForm().Edit10->text(), QStringLiteral("002"));
    EXPECT_EQ(s.produceForm().ComboBox3->currentText(), QStringLiteral("002"));
    EXPECT_EQ(s.produceForm().combo_SengsangLine->currentText(), QStringLiteral("2라인(케이크)"));

    const int all = productions();
    responder.answer(6);
    clickButton(s.form().btn_Menu9);
    ASSERT_EQ(productions(), all + 1);
    const auto [month, number] = lastProduction();
    EXPECT_EQ(header(month, number).value(0).section('|', 1), QStringLiteral("002|90000001|F1003_Produce"));
    EXPECT_EQ(linesOf(month, number).size(), 5);
    EXPECT_EQ(linesOf(month, number).value(0), QStringLiteral("1|100001|002|25.0|42500.0"));
}

// Each row acts on one opening of the screen and then reads the basket, where
// the temporary saves keep their lines.
TEST_F(ProducePattern, ATemporarySaveReplacesExactlyItsOwnPatternsLines)
{
    const QStringList morning{"1:100001:20", "1:100002:30", "1:100003:30", "1:100004:20"};
    const QStringList cake{"2:100005:5", "2:300002:1500"};
    struct Case {
        const char *name;
        std::function<void(TF1012_ProducePattern &)> act;
        QStringList basket, saves;
    };
    const auto keepBoth = [](TF1012_ProducePattern &p) {
        choose(p, kMorning);
        type(p, "7");
        clickButton(p.form().btn_ImsiSave);
        choose(p, kCake);
        clickButton(p.form().btn_ImsiSave);
    };
    const Case cases[] = {
        {"keep A, keep B, choose A again, type and keep: A once, B untouched",
         [&](TF1012_ProducePattern &p) {
             keepBoth(p);
             choose(p, kMorning);
             type(p, "8");
             clickButton(p.form().btn_ImsiSave);
         },
         cake + QStringList{"1:100001:8", "1:100002:30", "1:100003:30", "1:100004:20"},
         {"1 " + kMorning, "2 " + kCake}},
        {"touch B's save, then choose A and keep: B untouched",
         [&](TF1012_ProducePattern &p) {
             keepBoth(p);
             touchSave(p, kCake);
             choose(p, kMorning);
             clickButton(p.form().btn_ImsiSave);
         },
         cake + morning, {"1 " + kMorning, "2 " + kCake}},
        {"touch A's save, type and keep: A as typed",
         [&](TF1012_ProducePattern &p) {
             keepBoth(p);
             touchSave(p, kMorning);
             EXPECT_EQ(tagged(*p.vtb_SengsanPeten).value(0), QStringLiteral("1:100001:7"));
             p.vtb_SengsanPeten->Last();
             type(p, "9");
             clickButton(p.form().btn_ImsiSave);
         },
         cake + QStringList{"1:100001:7", "1:100002:30", "1:100003:30", "1:100004:9"},
         {"1 " + kMorning, "2 " + kCake}},
        {"delete the save touched last, wherever the list stands",
         [&](TF1012_ProducePattern &p) {
             keepBoth(p);
             touchSave(p, kMorning);
             p.vtb_PetenImsi->Last(); // paged to the cake's entry
             clickButton(p.form().btn_Del);
             clickButton(p.form().btn_Del); // gone: nothing
         },
         cake, {"2 " + kCake}},
        {"OK without shown lines stays, as does a keep",
         [&](TF1012_ProducePattern &p) {
             keepBoth(p);
             clickButton(p.form().btn_ImsiSave);
             clickButton(p.form().btn_Ok);
             EXPECT_TRUE(p.isVisible());
         },
         QStringList{"1:100001:7", "1:100002:30", "1:100003:30", "1:100004:20"} + cake,
         {"1 " + kMorning, "2 " + kCake}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TF1012_ProducePattern &p = open();
        c.act(p);
        EXPECT_EQ(tagged(*produce->vtb_STOCK), c.basket);
        EXPECT_EQ(saves(p), c.saves);
        EXPECT_TRUE(responder.messages().isEmpty());
        close();
        EXPECT_EQ(produce->vtb_STOCK->RecordCount(), 0);
    }

    TF1012_ProducePattern &p = open();
    clickButton(p.form().btn_Del);
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("생산패턴 임시저장 삭제할 항목이 없습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 3000);

    // What a person sees: a chosen pattern, its first quantity typed, beside
    // two temporary saves.
    for (const QString &kept : {kCake, kDough}) {
        choose(p, kept);
        clickButton(p.form().btn_ImsiSave);
    }
    choose(p, kMorning);
    type(p, "25");
    EXPECT_EQ(tagged(*produce->vtb_STOCK), cake + QStringList{"3:300001:10000"});
    if (qEnvironmentVariableIsSet("RALD_SHOT_DIR"))
        p.grab().save(qEnvironmentVariable("RALD_SHOT_DIR") + QStringLiteral("/producepattern.png"));
}

TEST_F(ProducePattern, DirectSaveWritesTodayWithEachLinesLineAndARetryCompletesTheSameDocument)
{
    ClockGuard clock;
    const QDate today = os::Now().date();
    TF1012_ProducePattern &p = open();

    // Shown lines beside temporary saves: nothing, not even the question.
    choose(p, kMorning);
    clickButton(p.form().btn_ImsiSave);
    choose(p, kDough);
    server().clearCalls();
    clickButton(p.form().btn_Sengsan);
    EXPECT_TRUE(responder.questions().isEmpty());
    EXPECT_TRUE(server().calls().isEmpty());

    // The temporary saves of two lines, the third call refused; the retry
    // after midnight into the next month still completes that document.
    touchSave(p, kMorning); // the shown lines: 아침 빵 생산 again
    clickButton(p.form().btn_ImsiSave);
    choose(p, kCake);
    clickButton(p.form().btn_ImsiSave);
    const int all = productions();
    server().failCall(kInsert, 3, TestServer::FailMode::BeforeRun);
    responder.answer(6);
    clickButton(p.form().btn_Sengsan);
    EXPECT_EQ(responder.questions().value(0).text, QStringLiteral("생산 등록 하시겠습니까?"));
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("생산 저장에 실패하였습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 3000);
    EXPECT_TRUE(logText().contains(QStringLiteral("F1012_ProducePattern.cds_Sengsan.생산 저장 Error:")));
    EXPECT_EQ(produce->vtb_STOCK->RecordCount(), 6);
    EXPECT_EQ(saves(p).size(), 2);
    const auto [month, number] = lastProduction();
    EXPECT_EQ(p.form().Edit5->text(), QString::number(number));
    EXPECT_TRUE(p.SavedNumb.isEmpty());

    os::SetNow(QDateTime(QDate(today.year(), today.month(), 1).addMonths(1), QTime(0, 10)));
    responder.answer(6);
    clickButton(p.form().btn_Sengsan);
    EXPECT_EQ(productions(), all + 1);
    EXPECT_EQ(callsOf(kNumber), 1);
    EXPECT_EQ(month, today.toString("yyyyMM"));
    EXPECT_EQ(header(month, number), QStringList{today.toString("yyyyMMdd") + "|001|90000001|F1012_ProducePattern"});
    // Each line on its own line; the cost is the recipe's (우유식빵 1,700,
    // 단팥빵 640 and 생크림케이크 4,060 a unit), on every line.
    EXPECT_EQ(linesOf(month, number),
              (QStringList{"1|100001|001|20.0|34000.0", "2|100002|001|30.0|19200.0", "3|100003|001|30.0",
                           "4|100004|001|20.0", "5|100005|002|5.0|20300.0", "6|300002|002|1500.0"}));
    EXPECT_EQ(costsOffTheRecipe(month, number), 0);
    EXPECT_EQ(p.SavedNumb, QString::number(number));
    EXPECT_EQ(p.form().Edit5->text(), QStringLiteral("0"));
    EXPECT_EQ(produce->vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(saves(p).isEmpty());

    // A second save in the same opening, of shown lines, draws its own number.
    choose(p, kDough);
    responder.answer(6);
    clickButton(p.form().btn_Sengsan);
    const auto [secondMonth, second] = lastProduction();
    EXPECT_NE(std::make_pair(secondMonth, second), std::make_pair(month, number));
    EXPECT_EQ(linesOf(secondMonth, second), QStringList{"1|300001|001|10000.0|30800.0"});
    EXPECT_EQ(costsOffTheRecipe(secondMonth, second), 0);
    EXPECT_EQ(p.vtb_SengsanPeten->RecordCount(), 0);
    EXPECT_EQ(responder.notices().size(), 1);
}

TEST_F(ProducePattern, ThePrintRereadsTheSavedProductionUnderItsOwnDate)
{
    ClockGuard clock;
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    MyConfig.pcprst = QStringLiteral("1");
    const QDate today = os::Now().date();
    TF1012_ProducePattern &p = open();
    clickButton(p.form().btn_A4ysPrint);
    EXPECT_EQ(responder.texts(), QStringList{"생산한 내역이 없습니다."});

    choose(p, kCake);
    responder.answer(6);
    clickButton(p.form().btn_Sengsan);
    ASSERT_FALSE(p.SavedNumb.isEmpty());

    // Printed after midnight into the next month.
    os::SetNow(QDateTime(QDate(today.year(), today.month(), 1).addMonths(1), QTime(0, 5)));
    clickButton(p.form().btn_A4ysPrint);
    const QDate printed = os::Now().date();
    const QChar esc(0x1B);
    const QStringList slip{
        QString(esc) + "!" + QChar(0x10) + QString(16, ' ') + "[생   산]" + QString(17, ' ') + esc + "!" + QChar(0),
        QString(),
        " 생산 시각: " + printed.toString("yyyy-MM-dd") + " 00:05" + QString(14, ' '),
        QString(42, '='),
        QStringLiteral("제품명             총생산량  손실량 생산량"),
        QString(42, '-'),
        QStringLiteral("생크림케이크   EA         5       0      5"),
        QStringLiteral("커스터드크림    G     1,500       0  1,500"),
        QString(42, '='),
    };
    EXPECT_EQ(printer.waitForCopies(1), ReceiptCapture::copy(slip));
    EXPECT_TRUE(printer.stop());
    EXPECT_EQ(responder.notices().size(), 1);
}

} // namespace
