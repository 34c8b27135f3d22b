// The placed-order picker against the in-process head-office server and its
// demo orders: listing, touching, totals by tax kind, date change, "수 정",
// paging and deleting.

#include "documents/U652_EdOrder.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "DocumentsFixture.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ShellTestUtil.h"
#include "support/MessageResponder.h"
#include "ui_U652_EdOrder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimer>

namespace {

class EdOrderTest : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        rights.AddField(QStringLiteral("slpgid"), FieldType::String, 40);
        rights.AddField(QStringLiteral("deau"), FieldType::Boolean);
        rights.Open();
        setDeleteRight(true);
        SetProgramRights(&rights);
        w = std::make_unique<TF652_EdOrder>();
    }

    void TearDown() override
    {
        w.reset();
        DocumentsSuite::TearDown();
    }

    void setDeleteRight(bool deau)
    {
        if (rights.IsEmpty()) {
            rights.Append();
            rights.FieldByName(QStringLiteral("slpgid")).setAsString(QStringLiteral("F20_PURCHASEENTRY"));
        } else {
            rights.Edit();
        }
        rights.FieldByName(QStringLiteral("deau")).setAsBoolean(deau);
        rights.Post();
    }

    // Shows the picker (it lists today's orders) without entering its modal loop.
    void show()
    {
        w->show();
        QCoreApplication::processEvents();
    }

    void touch(int row)
    {
        w->cds_F2100_pat->setRecNo(row);
        w->grid_PetenlistCellClick();
    }

    QStringList listed(const char *field) const
    {
        QStringList out;
        DataSet &ds = *w->cds_F2100_pat;
        const Bookmark at = ds.GetBookmark();
        for (ds.First(); !ds.Eof(); ds.Next())
            out << ds.FieldByName(QLatin1String(field)).AsString();
        if (!at.isNull())
            ds.GotoBookmark(at);
        return out;
    }

    QStringList totals() const { return {w->form().edt_BaljuGong->text(), w->form().edt_BaljuVAT->text()}; }

    static std::string today()
    {
        auto lease = server().store().acquire();
        return lease.db().execAndGet("SELECT strftime('%Y%m%d', 'now', 'localtime')").getString();
    }

    DataSet rights;
    std::unique_ptr<TF652_EdOrder> w;
};

TEST_F(EdOrderTest, ListsTodaysOrdersAndTouchingShowsLinesSupplierAndTotals)
{
    show();
    EXPECT_EQ(w->form().date_Wantdate->date(), QDate::currentDate());
    EXPECT_EQ(listed("AHNAME"), (QStringList{"음료 발주", "제품 기본발주", "복합패턴"}));
    EXPECT_EQ(listed("absnam"), (QStringList{"데모음료", "생산센터", "데모포장"}));
    EXPECT_FALSE(w->cds_F2101_det->Active());
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("99999999"));

    touch(2); // order 4 to 0001: 3 × 12,000, VAT included
    ASSERT_TRUE(w->cds_F2101_det->Active());
    EXPECT_EQ(w->cds_F2101_det->RecordCount(), 1);
    EXPECT_EQ(w->cds_F2101_det->FieldByName(QStringLiteral("IMNAME")).AsString(), QStringLiteral("생크림케이크"));
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0001"));
    EXPECT_EQ(w->form().edt_BaljuSum->text(), QStringLiteral("36,000"));
    EXPECT_EQ(totals(), (QStringList{"32,727", "3,273"}));
    // A picture of the window with the order touched, when asked for.
    if (qEnvironmentVariableIsSet("RALD_SHOT_DIR"))
        w->grab().save(qEnvironmentVariable("RALD_SHOT_DIR") + QStringLiteral("/picker.png"));
}

TEST_F(EdOrderTest, TotalsSplitByTheOrdersTaxKindAndAnUnknownKindNeverKeepsTheLastFigures)
{
    exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB, PHTXGU) VALUES"
         " ('9999', '9999', '203001', 701, '20300115', '30000001', '1'),"
         " ('9999', '9999', '203001', 702, '20300115', '30000001', '2'),"
         " ('9999', '9999', '203001', 703, '20300115', '30000001', '3'),"
         " ('9999', '9999', '203001', 704, '20300115', '30000001', '4'),"
         " ('9999', '9999', '203001', 705, '20300115', '30000001', '1');"
         "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDQTY, PDUPRC, PDAMT) VALUES"
         " ('9999', '9999', '203001', 701, 1, '200001', 1, 4000, 4000), ('9999', '9999', '203001', 701, 2, '200002', 1, 6000, 6000),"
         " ('9999', '9999', '203001', 702, 1, '200001', 1, 10000, 10000),"
         " ('9999', '9999', '203001', 703, 1, '200001', 1, 10000, 10000),"
         " ('9999', '9999', '203001', 704, 1, '200001', 1, 10000, 10000)");
    show();
    w->form().date_Wantdate->setDate(QDate(2030, 1, 15));
    const struct {
        int row;
        QStringList shown;
    } cases[] = {{1, {"9,090", "910"}}, {2, {"10,000", "1,000"}}, {3, {"10,000", "0"}},
                 {4, {"10,000", "0"}},  {5, {"0", "0"}}, // an order without lines
                 {2, {"10,000", "1,000"}}, {4, {"10,000", "0"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.row);
        touch(c.row);
        EXPECT_EQ(totals(), c.shown);
    }
    exec("DELETE FROM F2100 WHERE PHMONTH = '203001'");
}

TEST_F(EdOrderTest, DateChangeClosesTheTouchedOrderAndEditReturnsTheTouchedRowAfterPaging)
{
    show();
    touch(1);
    ASSERT_TRUE(w->cds_F2101_det->Active());
    w->form().date_Wantdate->setDate(QDate(1999, 1, 1));
    EXPECT_TRUE(w->cds_F2100_pat->IsEmpty());
    EXPECT_FALSE(w->cds_F2101_det->Active());
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("99999999"));
    EXPECT_EQ(totals(), (QStringList{"0", "0"}));
    {
        MessageResponder responder;
        w->BTN_editClick();
        EXPECT_EQ(w->result(), 1);
        EXPECT_TRUE(responder.messages().isEmpty());
        EXPECT_FALSE(w->cds_F2101_det->Active());
    }

    // Touch order 3, page the list down and up: "수 정" hands back order 3.
    w->setResult(0);
    w->form().date_Wantdate->setDate(QDate::currentDate());
    touch(1);
    clickButton(w->form().btn_PetenlistDown);
    EXPECT_EQ(w->cds_F2100_pat->RecNo(), 3);
    MessageResponder responder;
    w->BTN_editClick();
    EXPECT_EQ(w->result(), 1);
    EXPECT_EQ(w->cds_F2100_pat->FieldByName(QStringLiteral("phnumb")).AsInteger(), 3);
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("30000001"));
    EXPECT_TRUE(responder.messages().isEmpty());

    // The gathered order: the notice, and still OK.
    touch(3);
    w->BTN_editClick();
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("복합패턴은 자료를 추가 할수 없습니다.."));
    EXPECT_EQ(responder.notices()[0].stayMs, 3000);
    EXPECT_EQ(w->result(), 1);
}

TEST_F(EdOrderTest, DeleteNeedsTheRightAsksAndReloadsOrShowsTheServersRefusal)
{
    // The previous month's order 90, listed under its own date.
    const int before = scalar("SELECT COUNT(*) FROM SYS_AUDIT");
    std::string day;
    {
        auto lease = server().store().acquire();
        day = lease.db().execAndGet("SELECT PHDATE FROM F2100 WHERE PHNUMB = 90").getString();
    }
    show();
    w->form().date_Wantdate->setDate(QDate::fromString(QString::fromStdString(day), QStringLiteral("yyyyMMdd")));
    ASSERT_EQ(listed("PHNUMB"), QStringList{"90"});
    touch(1);

    // The rights rows of the demo user 1002's group (002): no deleting of orders.
    auto groupRights = client("dspStoredProc2", "GP_SELECT_F0030_RALD");
    groupRights->Params().CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(QStringLiteral("9999"));
    groupRights->Params().CreateParam(FieldType::String, QStringLiteral("A_USGR")).setAsString(QStringLiteral("002"));
    groupRights->Open();
    ASSERT_TRUE(groupRights->Locate(QStringLiteral("slpgid"), QStringLiteral("F20_PURCHASEENTRY")));
    SetProgramRights(groupRights.get());
    {
        MessageResponder responder;
        server().clearCalls();
        w->btn_dClick();
        ASSERT_EQ(responder.messages().size(), 1);
        EXPECT_EQ(responder.messages()[0].text, QStringLiteral("삭제 권한이 없습니다."));
        EXPECT_EQ(responder.messages()[0].stayMs, 2000);
        EXPECT_EQ(callsOf(QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY")), 0);
    }
    SetProgramRights(&rights);
    setDeleteRight(true);
    {
        MessageResponder responder;
        responder.answer(mrNo);
        w->btn_dClick();
        EXPECT_EQ(callsOf(QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY")), 0);
        responder.answer(mrYes);
        w->btn_dClick();
        EXPECT_EQ(responder.questions().last().text, QStringLiteral("발주내역을 삭제 하시겠습니까?"));
    }
    EXPECT_EQ(callsOf(QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY")), 1);
    EXPECT_TRUE(w->cds_F2100_pat->IsEmpty());
    EXPECT_FALSE(w->cds_F2101_det->Active());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHNUMB = 90"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBUUT = '0001' AND OHBANUMB = 90"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYS_AUDIT"), before + 1);

    // Order 4 with a receipt naming it: the server's refusal, nothing deleted, the list as it was.
    const std::string month = today().substr(0, 6);
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB) VALUES ('9999', '9999', '" + month + "', 803);"
         "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDQTY, WDRFMONTH, WDRFNUMB, WDRFSEQ)"
         " VALUES ('9999', '9999', '" + month + "', 803, 1, '100005', 1, '" + month + "', 4, 1)");
    w->form().date_Wantdate->setDate(QDate::currentDate());
    touch(2);
    MessageResponder responder;
    responder.answer(mrYes);
    try {
        w->btn_dClick();
        ADD_FAILURE() << "the refusal did not raise";
    } catch (const std::exception &e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("입고된 발주는 삭제할 수 없습니다.")), -1) << e.what();
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHNUMB = 4"), 1);
    EXPECT_EQ(listed("PHNUMB"), (QStringList{"3", "4", "5"}));
    EXPECT_TRUE(w->isVisible());
    exec("DELETE FROM F3100 WHERE WHNUMB = 803");
}

TEST_F(EdOrderTest, DeleteActsOnTheTouchedOrderOnlyWhateverTheListsCurrentRow)
{
    exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB, PHTXGU) VALUES"
         " ('9999', '9999', '203001', 711, '20300120', '30000001', '1'),"
         " ('9999', '9999', '203001', 712, '20300120', '40000001', '3'),"
         " ('9999', '9999', '203001', 713, '20300120', '40000002', '2');"
         "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDQTY, PDUPRC, PDAMT) VALUES"
         " ('9999', '9999', '203001', 711, 1, '200001', 1, 8000, 8000),"
         " ('9999', '9999', '203001', 712, 1, '500002', 1, 3000, 3000),"
         " ('9999', '9999', '203001', 713, 1, '600001', 1, 25000, 25000)");
    show();
    w->form().date_Wantdate->setDate(QDate(2030, 1, 20));
    ASSERT_EQ(listed("PHNUMB"), (QStringList{"711", "712", "713"}));
    const QString del = QStringLiteral("GP_DELETE_F2100_PURCHASEENTRY");
    server().clearCalls();
    {
        // Nothing touched: the notice, no question, no call.
        MessageResponder responder;
        responder.setDefaultAnswer(mrYes);
        w->btn_dClick();
        EXPECT_TRUE(responder.questions().isEmpty());
        ASSERT_EQ(responder.notices().size(), 1);
        EXPECT_EQ(responder.notices()[0].text, QStringLiteral("삭제할 발주내역을 선택하십시오."));
        EXPECT_EQ(responder.notices()[0].stayMs, 2000);
        EXPECT_EQ(callsOf(del), 0);
        EXPECT_EQ(listed("PHNUMB"), (QStringList{"711", "712", "713"}));
    }

    // 711 touched, its lines shown, the list paged on to 713: 711 goes.
    touch(1);
    clickButton(w->form().btn_PetenlistDown);
    ASSERT_EQ(w->cds_F2100_pat->FieldByName(QStringLiteral("phnumb")).AsInteger(), 713);
    MessageResponder responder;
    responder.answer(mrYes);
    w->btn_dClick();
    EXPECT_EQ(responder.texts(), QStringList{"발주내역을 삭제 하시겠습니까?"});
    EXPECT_EQ(callsOf(del), 1);
    EXPECT_EQ(listed("PHNUMB"), (QStringList{"712", "713"}));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHMONTH = '203001' AND PHNUMB IN (712, 713)"), 2);
    exec("DELETE FROM F2101 WHERE PDMONTH = '203001'; DELETE FROM F2100 WHERE PHMONTH = '203001'");
}

} // namespace
