// Job-order entry against the in-process server and its demo data (received
// orders due today: #1 우유식빵 10, 단팥빵 20, 생크림케이크 2 and #50
// 커스터드크림 8,000 G; job orders #1 yesterday for today, #2 today and #50 on
// the 10th of last month for the 11th), signed in as 1001: the received-order
// search, registering new and reloaded job orders, a failed registration and
// its retry, the delete, the slip and what does nothing. Every test starts
// from the seeded job orders.

#include "ItemEntryFixture.h"
#include "PickerDriver.h"
#include "ReceiptCapture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1301_JobOrder.h"
#include "production/U1301_ObtainSearch.h"
#include "production/U1301_WorkDirections.h"
#include "support/MessageResponder.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1301_JobOrder.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

#include <functional>

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3310_WORKENTRY");
const QString kNumber = QStringLiteral("GP_SELECT_MAXNUMBER");
const QString kLines = QStringLiteral("GP_SELECT_F3311_WORKENTRY");
const QString kSearchState = QStringLiteral("수주 찾기 진행중");
const QString kReloadState = QStringLiteral("작업 지시서 진행중");
const QString kNoEntry = QStringLiteral("작업지시서 등록한 내역이 없습니다.");

class JobOrder : public ItemEntrySuite {
protected:
    void SetUp() override
    {
        ItemEntrySuite::SetUp();
        today = os::Now().date();
        MyConfig.pcprst = QStringLiteral("1"); // slips go to the receipt printer
        exec("DROP TABLE IF EXISTS keep_f3311; DROP TABLE IF EXISTS keep_f3310;"
             " CREATE TABLE keep_f3310 AS SELECT * FROM F3310; CREATE TABLE keep_f3311 AS SELECT * FROM F3311;");
    }
    void TearDown() override
    {
        exec("DELETE FROM F3311; DELETE FROM F3310; INSERT INTO F3310 SELECT * FROM keep_f3310;"
             " INSERT INTO F3311 SELECT * FROM keep_f3311; DROP TABLE keep_f3311; DROP TABLE keep_f3310;");
        ItemEntrySuite::TearDown();
    }

    static std::string key(const QString &month, qint64 number)
    {
        return "JHCMCD = '9999' AND JHBUUT = '9999' AND JHMONTH = '" + month.toStdString()
               + "' AND JHNUMB = " + std::to_string(number);
    }
    // The header's days, worker and form; empty when there is none.
    static QStringList header(const QString &month, qint64 number)
    {
        return rows("SELECT JHYEAR, JHDATE, JHSEDATE, JHNYDT, JHWORK, JHPGID FROM F3310 WHERE " + key(month, number));
    }
    static QStringList linesOf(const QString &month, qint64 number)
    {
        return rows("SELECT JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL FROM F3311 WHERE JDCMCD = '9999'"
                    " AND JDBUUT = '9999' AND JDMONTH = '" + month.toStdString() + "' AND JDNUMB = "
                    + std::to_string(number) + " ORDER BY JDSEQ");
    }
    static int jobOrders() { return scalar("SELECT COUNT(*) FROM F3310"); }
    static std::pair<QString, qint64> lastJobOrder()
    {
        const QStringList cells = rows("SELECT JHMONTH, JHNUMB FROM F3310 ORDER BY rowid DESC LIMIT 1").value(0).split('|');
        return {cells.value(0), cells.value(1).toLongLong()};
    }
    // The highest number drawn for job orders in a month.
    static int lastDrawn(const QString &month)
    {
        return scalar("SELECT COALESCE(MAX(NBLAST), 0) FROM SYS_NUMBER WHERE NBCMCD = '9999' AND NBBUUT = '9999'"
                      " AND NBGUBUN = 14 AND NBMONTH = '" + month.toStdString() + "'");
    }

    static void add(TF1301_JobOrder &s, const char *code, const char *name, const char *unit, const char *kind)
    {
        s.RegItemStock(QLatin1String(code), QString::fromUtf8(name), QLatin1String(unit), QStringLiteral("BOX"), 10,
                       true, true, 1, QLatin1String(kind));
    }
    // Sets the current line's quantity as the key pad leaves it, then OK.
    static void setQuantity(TF1301_JobOrder &s, const char *quantity)
    {
        s.edt_MouseUp(s.form().edt_Surang1);
        s.form().edt_Surang1->setText(QLatin1String(quantity));
        s.btn_OkClick();
    }
    // Registers with the answer 6 to the question.
    void registerJobOrder(TF1301_JobOrder &s)
    {
        responder.answer(6);
        clickButton(s.form().btn_Menu9);
    }

    // Reloads job order `number` through the list, its range starting `from`.
    static void reload(TF1301_JobOrder &s, const QDate &from, qint64 number)
    {
        inPicker<TF1301_WorkDirections>(s, TItemEntryScreen::TagReload, [from, number](auto &list) {
            EXPECT_EQ(list.ListMode, QStringLiteral("1"));
            child<QDateEdit>(list, "date_WdSearch1")->setDate(from);
            clickButton(child(list, "btn_chulgoStockHedsearch"));
            ASSERT_TRUE(list.cds_F3310_hed->Locate(QStringLiteral("JHNUMB"), number));
            list.grid_WorkDirectionhedCellClick();
            clickButton(child(list, "MirelImgBtn3"));
        });
    }
    static QStringList hidden(TF1301_JobOrder &s)
    {
        return {s.form().Edit30->text(), s.form().Edit31->text(), s.jobOrderForm().Edit32->text(),
                s.form().Edit33->text(), s.jobOrderForm().Edit100->text()};
    }

    // One slip as the port receives it, printed at `time`.
    static QStringList slip(const QString &title, const QDateTime &time, const QStringList &rows)
    {
        const QChar esc(0x1B);
        const int blanks = 42 - int(os::ToAnsi(title).size());
        QStringList lines{QString(esc) + "!" + QChar(0x10) + QString(blanks / 2, ' ') + title
                              + QString(blanks - blanks / 2, ' ') + esc + "!" + QChar(0),
                          QString(),
                          " 작업지시서 시각: " + time.toString("yyyy-MM-dd HH:mm") + QString(8, ' '),
                          QString(42, '='),
                          QStringLiteral("제품명                         수량       "),
                          QString(42, '-')};
        return lines << rows << QString(42, '=');
    }

    QDate today;
    MessageResponder responder;
};

TEST_F(JobOrder, TheDaysReceivedOrdersAreRegisteredAsANewJobOrderAndPrintedTwice)
{
    ClockGuard clock;
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    TF1301_JobOrder s;
    s.show();
    s.form().date_Wantdate->setDate(today.addDays(3));

    QStringList forecasts;
    inPicker<TF1301_ObtainSearch>(s, TItemEntryScreen::TagAction1, [&forecasts](auto &search) {
        clickButton(child(search, "btn_SujuCahgiSearch"));
        DataSet &d = *search.cds_F2401_s;
        for (int row = 0; row < d.rowCount(); ++row)
            forecasts << d.text(row, d.FieldByName("forcast_qty").Index());
        clickButton(child(search, "btn_SujuCahgiOk"));
    });
    ASSERT_EQ(forecasts, (QStringList{"0", "0", "0", "4000"}));
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 0", "2 100002 0", "3 100005 0", "4 300002 4000"}));
    QStringList units;
    for (int row = 0; row < s.vtb_STOCK->rowCount(); ++row) {
        DataSet::RowScope scope(*s.vtb_STOCK, row);
        units << s.vtb_STOCK->FieldByName("ADUNIT").AsString() + "/" + s.vtb_STOCK->FieldByName("ADLDAN").AsString()
                     + " " + s.vtb_STOCK->FieldByName("ohnydt").AsString();
    }
    const QString iso = today.toString(Qt::ISODate);
    EXPECT_EQ(units, (QStringList{"EA/EA " + iso, "EA/EA " + iso, "EA/EA " + iso, "G/G " + iso}));
    EXPECT_EQ(s.form().date_Wantdate->date(), today);
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), kSearchState);
    s.vtb_STOCK->Last();
    s.mgd_StockItemsMouseUp();
    EXPECT_EQ(s.form().btn_Danui1->Caption(), QStringLiteral("4000 G")); // the quantity, not the factor

    const QString month = today.toString("yyyyMM");
    const int drawn = lastDrawn(month);
    server().clearCalls();
    registerJobOrder(s);
    EXPECT_EQ(responder.questions().value(0).text, QStringLiteral("수주 등록 하시겠습니까?"));
    const auto [savedMonth, number] = lastJobOrder();
    EXPECT_EQ(savedMonth, month);
    EXPECT_EQ(number, drawn + 1);
    const QString d = today.toString("yyyyMMdd");
    EXPECT_EQ(header(month, number),
              QStringList{today.toString("yyyy") + "|" + d + "|" + d + "|" + d + "|90000001|F1301_JobOrder"});
    EXPECT_EQ(linesOf(month, number), (QStringList{"1|100001|EA|0.0|BOX|EA|10.0", "2|100002|EA|0.0|BOX|EA|10.0",
                                                  "3|100005|EA|0.0|EA|EA|1.0", "4|300002|G|4000.0|KG|G|1000.0"}));
    EXPECT_EQ(callsOf(kNumber), 1);
    EXPECT_EQ(s.SavedKind, 1);
    EXPECT_EQ(s.SavedNumb, QString::number(number));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());
    EXPECT_EQ(s.form().Edit3->text(), QStringLiteral("0"));

    const QDateTime at(today, QTime(14, 30));
    os::SetNow(at);
    clickButton(s.form().btn_Menu6);
    clickButton(s.form().btn_Menu6);
    const QStringList rows{
        QStringLiteral("우유식빵") + QString(19, ' ') + "    0.00" + "     EA",
        QStringLiteral("단팥빵") + QString(21, ' ') + "    0.00" + "     EA",
        QStringLiteral("생크림케이크") + QString(15, ' ') + "    0.00" + "     EA",
        QStringLiteral("커스터드크림") + QString(15, ' ') + "4,000.00" + "      G",
    };
    const QByteArray one = ReceiptCapture::copy(slip(QStringLiteral("[수주찾기 등록]"), at, rows));
    EXPECT_EQ(printer.waitForCopies(2), one + one);
    EXPECT_EQ(callsOf(kLines), 2);
    EXPECT_TRUE(printer.stop());
}

TEST_F(JobOrder, AReloadedJobOrderIsSavedUnderItsOwnNumberAndCanBeDeleted)
{
    TF1301_JobOrder s;
    s.show();
    add(s, "100001", "우유식빵", "EA", "1");
    add(s, "300001", "식빵반죽", "G", "3");
    setQuantity(s, "2500");
    registerJobOrder(s);
    const auto [month, number] = lastJobOrder();
    const int all = jobOrders();

    reload(s, today, number);
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 1", "2 300001 2500"}));
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), kReloadState);
    EXPECT_EQ(hidden(s), (QStringList{month, QString::number(number), today.toString("yyyy"),
                                      today.toString("yyyyMMdd"), today.toString(Qt::ISODate)}));
    s.vtb_STOCK->First();
    setQuantity(s, "12");
    server().clearCalls();
    registerJobOrder(s);
    EXPECT_EQ(responder.questions().last().text, QStringLiteral("작업 지시서 등록 하시겠습니까?"));
    EXPECT_EQ(callsOf(kNumber), 0);
    EXPECT_EQ(jobOrders(), all);
    EXPECT_EQ(linesOf(month, number), (QStringList{"1|100001|EA|12.0|BOX|EA|10.0", "2|300001|G|2500.0|BOX|G|10.0"}));
    EXPECT_EQ(s.SavedKind, 2);
    EXPECT_EQ(s.SavedNumb, QString::number(number));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_EQ(hidden(s).mid(2), (QStringList{"", "", ""}));

    reload(s, today, number);
    responder.answer(6);
    clickButton(s.form().btn_Menu8);
    EXPECT_EQ(responder.questions().last().text, QStringLiteral("한번 삭제되면 복구가 안됩니다 정말로 삭제하시겠습니까?"));
    EXPECT_EQ(jobOrders(), all - 1);
    EXPECT_TRUE(header(month, number).isEmpty());
    EXPECT_TRUE(linesOf(month, number).isEmpty());
    EXPECT_EQ(rows("SELECT AUPROC, AUKEY, AUWORK FROM SYS_AUDIT ORDER BY rowid DESC LIMIT 1"),
              QStringList{"GP_DELETE_F3310_WORKENTRY|9999/9999/" + month + "-"
                          + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0')) + "|90000001"});
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());
    EXPECT_EQ(s.SavedKind, 0);
    responder.clear();
    clickButton(s.form().btn_Menu6);
    EXPECT_EQ(responder.texts(), QStringList{kNoEntry});
}

TEST_F(JobOrder, JobOrdersOfLastMonthAreNumberedStoredAndReadBackUnderThatMonth)
{
    ClockGuard clock;
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    const QDate first = QDate(today.year(), today.month(), 1).addMonths(-1);
    const QDate day = first.addDays(19);
    const QString month = day.toString("yyyyMM");
    TF1301_JobOrder s;
    s.show();
    s.form().date_Wantdate->setDate(day);
    add(s, "100003", "소보로빵", "EA", "1");
    setQuantity(s, "7");
    registerJobOrder(s);
    const qint64 number = lastJobOrder().second;
    EXPECT_EQ(lastJobOrder().first, month);
    EXPECT_EQ(number, 51); // after the seeded #50 of that month
    const QString d = day.toString("yyyyMMdd");
    EXPECT_EQ(header(month, number),
              QStringList{day.toString("yyyy") + "|" + d + "|" + d + "|" + d + "|90000001|F1301_JobOrder"});

    const QDateTime at(today, QTime(8, 5));
    os::SetNow(at);
    clickButton(s.form().btn_Menu6);
    QByteArray expected = ReceiptCapture::copy(slip(QStringLiteral("[수주찾기 등록]"), at,
                                                    {QStringLiteral("소보로빵") + QString(19, ' ') + "    7.00     EA"}));
    EXPECT_EQ(printer.waitForCopies(1), expected);

    // Job order #50, found by widening the list's range, saved again: its
    // own month, number and days.
    reload(s, first, 50);
    EXPECT_EQ(hidden(s), (QStringList{month, "50", first.toString("yyyy"), first.addDays(9).toString("yyyyMMdd"),
                                      first.addDays(10).toString(Qt::ISODate)}));
    registerJobOrder(s);
    const QString tenth = first.addDays(9).toString("yyyyMMdd"), eleventh = first.addDays(10).toString("yyyyMMdd");
    EXPECT_EQ(header(month, 50), QStringList{first.toString("yyyy") + "|" + tenth + "|" + eleventh + "|" + eleventh
                                             + "|90000001|F1301_JobOrder"});
    EXPECT_EQ(linesOf(month, 50), (QStringList{"1|100003|EA|12.0|BOX|EA|10.0", "2|300001|G|5000.0|KG|G|1000.0"}));
    clickButton(s.form().btn_Menu6);
    expected += ReceiptCapture::copy(slip(QStringLiteral("[작업 지시서 등록]"), at,
                                          {QStringLiteral("소보로빵") + QString(19, ' ') + "   12.00     EA",
                                           QStringLiteral("식빵반죽") + QString(19, ' ') + "5,000.00      G"}));
    EXPECT_EQ(printer.waitForCopies(2), expected);
    EXPECT_TRUE(printer.stop());
}

// A registration whose second line fails, before or after the server wrote it.
TEST_F(JobOrder, AFailedRegistrationKeepsTheBasketAndItsRetryCompletesTheSameJobOrder)
{
    for (const auto mode : {TestServer::FailMode::BeforeRun, TestServer::FailMode::AfterCommit}) {
        SCOPED_TRACE(mode == TestServer::FailMode::BeforeRun ? "before" : "after");
        ErrorBoxWatcher errors;
        TF1301_JobOrder s;
        s.show();
        add(s, "100001", "우유식빵", "EA", "1");
        add(s, "100002", "단팥빵", "EA", "1");
        server().clearCalls();
        server().failCall(kInsert, 3, mode);
        registerJobOrder(s);
        EXPECT_EQ(errors.texts, QStringList{"test failure"});
        EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 1", "2 100002 1"}));
        EXPECT_EQ(s.SavedKind, 0);
        const qint64 held = s.form().Edit3->text().toLongLong();
        EXPECT_GT(held, 0);

        const int all = jobOrders();
        registerJobOrder(s);
        EXPECT_EQ(jobOrders(), all);
        const QString month = today.toString("yyyyMM");
        EXPECT_EQ(lastJobOrder(), std::make_pair(month, held));
        EXPECT_EQ(linesOf(month, held), (QStringList{"1|100001|EA|1.0|BOX|EA|10.0", "2|100002|EA|1.0|BOX|EA|10.0"}));
        EXPECT_EQ(callsOf(kNumber), 1);
        EXPECT_EQ(s.SavedKind, 1);
    }
}

// The held number belongs to its month: after the date moved on, the job
// order that holds that number in the new month stays as it was.
TEST_F(JobOrder, ARetryInAnotherMonthDrawsANewNumber)
{
    ErrorBoxWatcher errors;
    TF1301_JobOrder s;
    s.show();
    add(s, "100001", "우유식빵", "EA", "1");
    server().failCall(kInsert, 1, TestServer::FailMode::BeforeRun);
    registerJobOrder(s);
    ASSERT_EQ(errors.texts.size(), 1);
    const qint64 held = s.form().Edit3->text().toLongLong();

    const QDate next = QDate(today.year(), today.month(), 1).addMonths(1);
    const QString month = next.toString("yyyyMM");
    const std::string m = month.toStdString(), n = std::to_string(held);
    exec("INSERT INTO F3310 (JHCMCD, JHBUUT, JHMONTH, JHNUMB, JHDATE) VALUES ('9999', '9999', '" + m + "', " + n
         + ", '" + next.toString("yyyyMMdd").toStdString() + "');"
         " INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY) VALUES ('9999', '9999', '"
         + m + "', " + n + ", 1, '100005', 'EA', 4);"
         " INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST) VALUES ('9999', '9999', 14, '" + m + "', "
         + n + ") ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);");
    s.form().date_Wantdate->setDate(next.addDays(2));
    server().clearCalls();
    registerJobOrder(s);
    EXPECT_EQ(callsOf(kNumber), 1);
    const auto [savedMonth, number] = lastJobOrder();
    EXPECT_EQ(savedMonth, month);
    EXPECT_NE(number, held);
    EXPECT_EQ(linesOf(month, number), QStringList{"1|100001|EA|1.0|BOX|EA|10.0"});
    EXPECT_EQ(linesOf(month, held), QStringList{"1|100005|EA|4.0|||0.0"});
}

TEST_F(JobOrder, WithoutWorkTheButtonsDoNothingAndAPrintLeavesANewBasketAlone)
{
    ClockGuard clock;
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    TF1301_JobOrder s;
    s.show();
    const int all = jobOrders();
    server().clearCalls();
    const struct {
        const char *name;
        TMirelImgBtn *button;
        QStringList texts;
    } cases[] = {
        {"register, empty basket", s.form().btn_Menu9, {}},
        {"delete, nothing reloaded", s.form().btn_Menu8, {}},
        {"print, nothing registered", s.form().btn_Menu6, {kNoEntry}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        responder.clear();
        clickButton(c.button);
        EXPECT_EQ(responder.texts(), c.texts);
    }
    EXPECT_EQ(responder.notices().value(0).stayMs, 2000);
    EXPECT_TRUE(server().calls().isEmpty());
    EXPECT_EQ(jobOrders(), all);

    // A line of 12,345.67 G stands whole; the name gives way.
    add(s, "300002", "커스터드크림", "G", "3");
    setQuantity(s, "12345.67");
    registerJobOrder(s);
    MyConfig.pcprst = QStringLiteral("2");
    clickButton(s.form().btn_Menu6); // no slip at all
    EXPECT_FALSE(ReceiptPrintThread->PrintRequested);
    MyConfig.pcprst = QStringLiteral("1");

    // A basket started after the registration survives the print.
    add(s, "100002", "단팥빵", "EA", "1");
    const QDateTime at(today, QTime(6, 0));
    os::SetNow(at);
    clickButton(s.form().btn_Menu6);
    EXPECT_EQ(printer.waitForCopies(1),
              ReceiptCapture::copy(slip(QStringLiteral("[수주찾기 등록]"), at,
                                        {QStringLiteral("커스터드크림") + QString(14, ' ') + "12,345.67      G"})));
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), QStringList{"1 100002 1"});
    EXPECT_EQ(s.SavedKind, 1);

    // All-delete forgets the registered job order.
    responder.answer(6);
    clickButton(s.form().btn_AllDel);
    EXPECT_EQ(s.SavedKind, 0);
    responder.clear();
    clickButton(s.form().btn_Menu6);
    EXPECT_EQ(responder.texts(), QStringList{kNoEntry});
    EXPECT_TRUE(printer.stop());
}

TEST_F(JobOrder, TheScreenOffersProductsAndSemiProductsInItsOwnFont)
{
    TF1301_JobOrder s;
    s.show();
    EXPECT_EQ(s.objectName(), QStringLiteral("F1301_JobOrder"));
    EXPECT_FALSE(s.form().btn_Menu4->isVisible());
    EXPECT_FALSE(s.form().btn_Menu11->isVisible());
    EXPECT_TRUE(s.form().btn_Menu9->isVisible());
    EXPECT_EQ(s.form().btn_Menu10->objectName(), QStringLiteral("btn_BarjuList"));
    ASSERT_FALSE(s.ButtonsItems.isEmpty());
    EXPECT_EQ(s.ButtonsItems[0]->font().family(), QStringLiteral("굴림체"));
    EXPECT_TRUE(s.ButtonsItems[0]->font().bold());

    // A search finds products, goods and semi-products, never materials.
    s.form().edt_JepumSearch->setText(QStringLiteral("우유"));
    QTest::mouseClick(s.form().edt_JepumSearch, Qt::LeftButton);
    EXPECT_FALSE(s.form().edt_JepumSearch->hasSelectedText());
    clickButton(s.form().btn_JepumSearch);
    QStringList shown;
    for (TMirelMenuBtn *b : s.ButtonsItems)
        if (!b->ItemCode.isEmpty())
            shown << b->ItemName2;
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"우유식빵", "흰우유200ml"}));
}

} // namespace
