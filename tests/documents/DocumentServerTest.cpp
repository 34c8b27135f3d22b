// The shared store-document pieces that talk to the server: held document
// numbers, the write right, the supplier combo pair and the unit chooser.

#include "DocumentsFixture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Dispatcher.h"
#include "Documents.h"
#include "documents/DocumentLines.h"
#include "documents/DocumentNumber.h"
#include "documents/DocumentRights.h"
#include "documents/SupplierCombos.h"
#include "documents/UnitChooser.h"
#include "shell/U405_Dialog.h"
#include "support/MessageResponder.h"
#include "ui_U405_Dialog.h"

#include <QApplication>
#include <QComboBox>

namespace {

class DocumentPieces : public DocumentsSuite {};

const QString kMaxNumber = QStringLiteral("GP_SELECT_MAXNUMBER");

TEST_F(DocumentPieces, DocumentNumberHoldsOneDrawUntilTheSaveCompletes)
{
    auto query = client("dspStoredProc7", "[GP_SELECT_MAXNUMBER]");
    DocumentNumber number(*query);
    const auto last = [] {
        return scalar("SELECT COALESCE(MAX(NBLAST), 0) FROM SYS_NUMBER WHERE NBCMCD = '9999' AND NBBUUT = '9999'"
                      " AND NBGUBUN = 10 AND NBMONTH = '209901'");
    };
    const qint64 first = number.numberFor(10, QStringLiteral("209901"), QStringLiteral("40000001"));
    EXPECT_EQ(number.numberFor(10, QStringLiteral("209901"), QStringLiteral("40000001")), first);
    EXPECT_EQ(callsOf(kMaxNumber), 1);
    EXPECT_EQ(last(), first); // one step of the counter

    // Another owner, kind or month draws anew.
    const qint64 other = number.numberFor(10, QStringLiteral("209901"), QStringLiteral("40000002"));
    EXPECT_EQ(other, first + 1);
    EXPECT_EQ(number.numberFor(11, QStringLiteral("209901"), QStringLiteral("40000002")), 1);
    EXPECT_EQ(number.numberFor(11, QStringLiteral("209902"), QStringLiteral("40000002")), 1);
    EXPECT_EQ(callsOf(kMaxNumber), 4);

    // After a completed save the same three draw a new number.
    const qint64 held = number.numberFor(10, QStringLiteral("209901"));
    number.completed();
    EXPECT_FALSE(number.holds());
    EXPECT_EQ(number.numberFor(10, QStringLiteral("209901")), held + 1);
    EXPECT_EQ(callsOf(kMaxNumber), 6);

    // A draw that fails holds nothing new; the next ask draws again.
    number.completed();
    server().failCall(kMaxNumber, 1, TestServer::FailMode::BeforeRun);
    EXPECT_ANY_THROW(number.numberFor(10, QStringLiteral("209903")));
    EXPECT_FALSE(number.holds());
    EXPECT_EQ(number.numberFor(10, QStringLiteral("209903")), 1);
}

// A save of a purchase order through the Documents helper, as the insert
// procedures write: the retry of a failed save resends the held key and
// leaves one document, whichever way the save failed.
TEST_F(DocumentPieces, RetryOfAFailedSaveResendsTheHeldNumberAndLeavesOneDocument)
{
    server().dispatcher().registry().add(QStringLiteral("TEST_SAVE_ORDER"), true, [](hq::Call &call) {
        const QString month = call.text(QStringLiteral("A_MONTH"));
        const qint64 numb = call.integer(QStringLiteral("A_NUMB"));
        const QString gubun = call.text(QStringLiteral("A_GUBUN"));
        const auto key = [&](const char *p) {
            const QString prefix = QString::fromLatin1(p);
            return hq::RowValues{{prefix + QStringLiteral("CMCD"), QStringLiteral("9999")},
                                 {prefix + QStringLiteral("BUUT"), QStringLiteral("9999")},
                                 {prefix + QStringLiteral("MONTH"), month},
                                 {prefix + QStringLiteral("NUMB"), numb}};
        };
        if (gubun == QLatin1String("1")) {
            hq::writeHeader(call.db, hq::docs::purchaseOrder(), key("PH"));
        } else {
            hq::RowValues line = key("PD");
            line.append({QStringLiteral("PDSEQ"), call.integer(QStringLiteral("A_SEQ"))});
            hq::insertRow(call.db, QStringLiteral("F2101"), line);
        }
    });
    auto query = client("dspStoredProc7", "[GP_SELECT_MAXNUMBER]");
    auto save = client("dspStoredProc5", "[TEST_SAVE_ORDER]");
    DocumentNumber number(*query);
    const QString month = QStringLiteral("209904");
    const auto saveOrder = [&] {
        const qint64 n = number.numberFor(10, month, QStringLiteral("40000001"));
        for (int row = 0; row <= 2; ++row) {
            save->Params().CreateParam(FieldType::String, QStringLiteral("A_GUBUN"))
                .setAsString(row == 0 ? QStringLiteral("1") : QStringLiteral("2"));
            save->Params().CreateParam(FieldType::String, QStringLiteral("A_MONTH")).setAsString(month);
            save->Params().CreateParam(FieldType::Integer, QStringLiteral("A_NUMB")).setAsInteger(int(n));
            save->Params().CreateParam(FieldType::Integer, QStringLiteral("A_SEQ")).setAsInteger(row);
            save->Execute();
        }
        number.completed();
    };
    const std::string headers = "SELECT count(*) FROM F2100 WHERE PHMONTH = '209904'";
    const std::string lines = "SELECT count(*) FROM F2101 WHERE PDMONTH = '209904'";

    for (auto mode : {TestServer::FailMode::BeforeRun, TestServer::FailMode::AfterCommit}) {
        SCOPED_TRACE(mode == TestServer::FailMode::BeforeRun ? "nothing written" : "written, reported failed");
        exec("DELETE FROM F2100 WHERE PHMONTH = '209904'");
        server().failCall(QStringLiteral("TEST_SAVE_ORDER"), 3, mode); // the second line
        EXPECT_ANY_THROW(saveOrder());
        EXPECT_TRUE(number.holds());
        EXPECT_EQ(scalar(lines), mode == TestServer::FailMode::BeforeRun ? 1 : 2);
        const qint64 held = number.held();
        saveOrder(); // the retry
        EXPECT_EQ(scalar(headers), 1);
        EXPECT_EQ(scalar(lines), 2);
        EXPECT_EQ(scalar("SELECT PHNUMB FROM F2100 WHERE PHMONTH = '209904'"), held);
        EXPECT_FALSE(number.holds());
    }
}

TEST_F(DocumentPieces, WriteRightFromTheRightsRowsAndTheCloseGuard)
{
    DataSet rights;
    rights.AddField(QStringLiteral("slpgid"), FieldType::String, 40);
    rights.AddField(QStringLiteral("wrau"), FieldType::Boolean);
    rights.Open();
    for (auto [id, wrau] : {std::pair{"F20_PURCHASEENTRY", true}, std::pair{"F30_WAREHOUSEENTRY", false}}) {
        rights.Append();
        rights.FieldByName(QStringLiteral("slpgid")).setAsString(QString::fromLatin1(id));
        rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(wrau);
        rights.Post();
    }
    const struct {
        bool registered;
        const char *program;
        bool right;
    } cases[] = {{true, "F20_PURCHASEENTRY", true},
                 {true, "F30_WAREHOUSEENTRY", false},
                 {true, "F30_DELIVERYENTRY", false},
                 {false, "F20_PURCHASEENTRY", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.program);
        SetProgramRights(c.registered ? &rights : nullptr);
        MessageResponder responder;
        EXPECT_EQ(HasWriteRight(QString::fromLatin1(c.program)), c.right);
        if (c.right) {
            EXPECT_TRUE(responder.messages().isEmpty());
        } else {
            ASSERT_EQ(responder.messages().size(), 1);
            EXPECT_EQ(responder.messages()[0].text, QStringLiteral("등록(수정) 권한이 없습니다."));
            EXPECT_EQ(responder.messages()[0].kind, 2);
            EXPECT_EQ(responder.messages()[0].stayMs, 2000);
        }
    }
    {
        DataSet gone;
        SetProgramRights(&gone);
    }
    EXPECT_EQ(ProgramRights(), nullptr); // a destroyed data set is no registry

    MessageResponder responder;
    EXPECT_TRUE(ConfirmClose(0));
    EXPECT_TRUE(responder.messages().isEmpty());
    responder.answer({mrYes, mrNo});
    EXPECT_TRUE(ConfirmClose(3));
    EXPECT_FALSE(ConfirmClose(1));
    ASSERT_EQ(responder.questions().size(), 2);
    EXPECT_EQ(responder.questions()[0].text,
              QStringLiteral("작업이 끝나지 않았으면 취소를 누르시고 숨기기 버튼을 이용해 누르세요, 확인을 누르시면 "
                             "입력하신 자료가 소멸됩니다"));
    EXPECT_EQ(responder.questions()[0].kind, 1);
}

TEST_F(DocumentPieces, SupplierCombosLoadSetByCodeAndCheckTheUsersChoice)
{
    QComboBox names, codes;
    TSupplierCombos combos(&names, &codes);
    auto query = client("dspStoredProc1", "[GP_SELECT_F0100_RegOrder_Susin_Search]");
    combos.Load(*query);
    QStringList shown;
    for (int i = 0; i < names.count(); ++i)
        shown << names.itemText(i);
    EXPECT_EQ(shown, (QStringList{"", "생산센터", "가맹1호", "직영2호", "카페데모", "데모음료", "미수거래처", "데모제분",
                                  "데모포장"}));
    EXPECT_EQ(codes.itemText(0), QStringLiteral("99999999"));
    EXPECT_EQ(codes.itemText(7), QStringLiteral("40000001"));
    DataSet &susin = *DM->vtb_Susin;
    EXPECT_EQ(susin.RecordCount(), 8);
    ASSERT_TRUE(susin.Locate(QStringLiteral("ABSeq"), 8));
    EXPECT_EQ(susin.FieldByName(QStringLiteral("MYADNB")).AsString(), QStringLiteral("40000002"));

    // Set by code: no block check, no signal; an unknown code leaves the name blank.
    int chosen = 0;
    QObject::connect(&combos, &TSupplierCombos::userChose, [&] { ++chosen; });
    server().clearCalls();
    combos.SetSupplier(QStringLiteral("30000009"));
    EXPECT_EQ(combos.Name(), QStringLiteral("미수거래처"));
    combos.SetSupplier(QStringLiteral("77777777"));
    EXPECT_EQ(names.currentIndex(), -1);
    EXPECT_EQ(combos.Code(), QStringLiteral("77777777"));
    EXPECT_TRUE(server().calls().isEmpty());
    EXPECT_EQ(chosen, 0);

    // Chosen by the user: a blocked supplier clears both after the notice.
    MessageResponder responder;
    emit names.activated(6); // 미수거래처
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].stayMs, 5000);
    EXPECT_EQ(names.currentIndex(), -1);
    EXPECT_EQ(codes.currentIndex(), -1);
    EXPECT_EQ(combos.Code(), QString());
    EXPECT_EQ(chosen, 0);
    emit names.activated(7); // 데모제분
    EXPECT_EQ(combos.Code(), QStringLiteral("40000001"));
    EXPECT_EQ(codes.currentIndex(), 7);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(responder.notices().size(), 1);
}

TEST_F(DocumentPieces, UnitChooserSetsTheChosenUnitOrNothing)
{
    exec("INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMNAME, IMMDAN, IMLDAN) VALUES "
         "('9999', '9999', '50''01', '따옴표품목', 'BOX', 'EA')");
    DataSet lines;
    lines.AddFields(PatternLineFields());
    lines.Open();
    const auto line = [&](const char *item) {
        lines.EmptyTable();
        lines.Append();
        lines.FieldByName(QStringLiteral("IMITNB")).setAsString(QString::fromUtf8(item));
        lines.FieldByName(QStringLiteral("ADUNIT")).setAsString(QStringLiteral("KG"));
        lines.Post();
    };
    const struct {
        const char *item;
        const char *press; // nullptr: closed without a choice
        int result;
        const char *unit, *ok, *yes;
    } cases[] = {
        {"500001", "MirelImg_ok", 1, "G", "G", "포대"},
        {"500001", "MirelImg_yes", 6, "포대", "G", "포대"},
        {"500001", nullptr, 2, "KG", "G", "포대"},
        {"50'01", "MirelImg_yes", 6, "BOX", "EA", "BOX"},
        {"999999", nullptr, 2, "KG", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + (c.press ? c.press : "close"));
        line(c.item);
        QString okCaption, yesCaption;
        whenLoopRuns([&] {
            auto *dlg = qobject_cast<TF405_Dialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            okCaption = dlg->form().MirelImg_ok->Caption();
            yesCaption = dlg->form().MirelImg_yes->Caption();
            if (c.press)
                clickButton(dlg->findChild<TMirelImgBtn *>(QString::fromLatin1(c.press)));
            else
                dlg->done(2);
        });
        EXPECT_EQ(ChooseLineUnit(lines), c.result);
        EXPECT_EQ(okCaption, QString::fromUtf8(c.ok));
        EXPECT_EQ(yesCaption, QString::fromUtf8(c.yes));
        EXPECT_EQ(lines.State(), DataSetState::Browse);
        EXPECT_EQ(lines.FieldByName(QStringLiteral("ADUNIT")).AsString(), QString::fromUtf8(c.unit));
    }
    exec("DELETE FROM F0200 WHERE IMITNB = '50''01'");
    EXPECT_EQ(server().calls().count(QStringLiteral("SQL:units")), 5);
    EXPECT_EQ(server().calls().count(QStringLiteral("SQL:other")), 0);
}

} // namespace
