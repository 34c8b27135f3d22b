// The supplier picker against the test server: its two choices, the touch
// that hands a code back, paging over many partners and wrapped names.

#include "DocumentsFixture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelTrnBtn.h"
#include "documents/PadPages.h"
#include "documents/SupplierCombos.h"
#include "documents/U651_Susin.h"
#include "support/MessageResponder.h"
#include "ui_U651_Susin.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

class SupplierPicker : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        useBuildPictures();
    }

    // What the pad shows: "<" and ">" for the paging slots, else each slot's caption.
    static QStringList pad(const TF651_Susin &picker)
    {
        QStringList out;
        for (TMirelMenuBtn *b : picker.Buttons()) {
            if (b->ItemExtraSwitch1)
                out << (b->Tag() == PadPreviousTag ? "<" : b->Tag() == PadNextTag ? ">" : "?");
            else
                out << b->Caption();
        }
        return out;
    }

    static void touch(TMirelMenuBtn *button) { clickButton(button); }

    // Partners "P01" ... as suppliers of the store, after the five of the demo.
    static void addSuppliers(int count)
    {
        for (int i = 1; i <= count; ++i)
            exec(QStringLiteral("INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABSNAM) VALUES "
                                "('9999', '9999', '5%1', '002', 'P%2', 'P%2')")
                     .arg(i, 7, 10, QLatin1Char('0'))
                     .arg(i + 5, 2, 10, QLatin1Char('0'))
                     .toStdString());
    }
    static void removeSuppliers() { exec("DELETE FROM F0100 WHERE ABADNB LIKE '5%'"); }
};

QStringList blanks(int n)
{
    return QStringList(n, QString());
}

TEST_F(SupplierPicker, BusinessUnitsFirstThenSuppliersAndATouchHandsTheCodeBack)
{
    TF651_Susin picker;
    picker.show();
    ASSERT_EQ(picker.Buttons().size(), 24);
    EXPECT_TRUE(picker.form().radio_1->isChecked());
    EXPECT_EQ(pad(picker), (QStringList{"생산센터", "가맹1호", "직영2호"} + blanks(21)));
    EXPECT_EQ(DM->vtb_Susin->RecordCount(), 3);
    EXPECT_TRUE(picker.Buttons()[0]->Down());
    EXPECT_EQ(picker.ChosenCode(), QStringLiteral("0001"));
    EXPECT_EQ(picker.Buttons()[5]->geometry(), QRect(5 * 95 + 3, 2, 93, 57));
    EXPECT_EQ(picker.Buttons()[23]->objectName(), QStringLiteral("btn_MenuA24"));

    clickButton(picker.form().radio_2);
    ASSERT_EQ(picker.Buttons().size(), 24);
    EXPECT_EQ(pad(picker), (QStringList{"카페데모", "데모음료", "미수거래처", "데모제분", "데모포장"} + blanks(19)));
    DataSet &susin = *DM->vtb_Susin;
    EXPECT_EQ(susin.RecordCount(), 5);
    for (susin.First(); !susin.Eof(); susin.Next())
        EXPECT_NE(susin.FieldByName(QStringLiteral("ABADNB")).AsString(), QStringLiteral("00000000"));

    server().clearCalls();
    touch(picker.Buttons()[10]); // a blank slot does nothing
    EXPECT_TRUE(picker.isVisible());
    touch(picker.Buttons()[3]); // 데모제분
    EXPECT_EQ(picker.result(), 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.form().Label2->text(), QStringLiteral("40000001"));

    // The caller sets its combos to the code: no block check runs.
    QComboBox nameCombo, codeCombo;
    TSupplierCombos combos(&nameCombo, &codeCombo);
    auto query = client("dspStoredProc1", "[GP_SELECT_F0100_RegOrder_Susin_Search]");
    combos.Load(*query);
    server().clearCalls();
    combos.SetSupplier(picker.form().Label2->text());
    EXPECT_EQ(combos.Name(), QStringLiteral("데모제분"));
    EXPECT_TRUE(server().calls().isEmpty());
}

TEST_F(SupplierPicker, CloseReturnsNoChoice)
{
    TF651_Susin picker;
    picker.show();
    clickButton(picker.form().btn_Close);
    EXPECT_EQ(picker.result(), 2);
    EXPECT_EQ(picker.form().Label2->text(), QString());
}

TEST_F(SupplierPicker, PagesOverManyPartners)
{
    const auto partners = [](int from, int to) {
        QStringList out;
        const QStringList demo = {"카페데모", "데모음료", "미수거래처", "데모제분", "데모포장"};
        for (int i = from; i <= to; ++i)
            out << (i <= 5 ? demo[i - 1] : QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')));
        return out;
    };
    struct Step {
        const char *touch; // "<", ">" or "" for the first fill
        int page;
        QStringList pad;
    };
    const struct {
        int count;
        QList<Step> steps;
    } cases[] = {
        {24, {{"", 0, partners(1, 24)}}},
        {25,
         {{"", 0, QStringList{"<"} + partners(1, 22) + QStringList{">"}},
          {"<", 0, QStringList{"<"} + partners(1, 22) + QStringList{">"}},
          {">", 1, QStringList{"<"} + partners(23, 25) + blanks(19) + QStringList{">"}},
          {">", 1, QStringList{"<"} + partners(23, 25) + blanks(19) + QStringList{">"}},
          {"<", 0, QStringList{"<"} + partners(1, 22) + QStringList{">"}}}},
        {45,
         {{">", 1, QStringList{"<"} + partners(23, 44) + QStringList{">"}},
          {">", 2, QStringList{"<"} + partners(45, 45) + blanks(21) + QStringList{">"}},
          {">", 2, QStringList{"<"} + partners(45, 45) + blanks(21) + QStringList{">"}}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.count);
        addSuppliers(c.count - 5);
        TF651_Susin picker;
        picker.show();
        clickButton(picker.form().radio_2);
        for (const Step &step : c.steps) {
            SCOPED_TRACE(std::string("touch ") + step.touch);
            if (*step.touch == '<')
                touch(picker.Buttons().first());
            else if (*step.touch == '>')
                touch(picker.Buttons().last());
            EXPECT_EQ(picker.Page(), step.page);
            EXPECT_EQ(pad(picker), step.pad);
            // Paging leaves slot 1 set down and its partner remembered.
            if (*step.touch) {
                EXPECT_TRUE(picker.Buttons()[1]->Down());
                EXPECT_EQ(picker.ChosenCode(), picker.Buttons()[1]->ItemCode);
            }
            EXPECT_TRUE(picker.isVisible());
        }
        removeSuppliers();
    }
}

TEST_F(SupplierPicker, LongNamesWrapAtTenBytesWithoutSplittingASyllable)
{
    exec("INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABSNAM) VALUES "
         "('9999', '9999', '50000001', '002', '', '긴이름의거래처상사'),"
         "('9999', '9999', '50000002', '002', '', 'A가나다라마바')");
    TF651_Susin picker;
    picker.show();
    clickButton(picker.form().radio_2);
    removeSuppliers();
    const QString crlf = QStringLiteral("\r\n");
    EXPECT_EQ(picker.Buttons()[5]->Caption(), QStringLiteral("긴이름의거") + crlf + QStringLiteral("래처상사"));
    EXPECT_EQ(picker.Buttons()[6]->Caption(), QStringLiteral("A가나다라") + crlf + QStringLiteral("마바"));
}

TEST_F(SupplierPicker, MissingPicturesAreLoggedAndNothingIsShown)
{
    os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD"))); // a program folder without img/
    MessageResponder responder;
    TF651_Susin picker;
    picker.show();
    EXPECT_TRUE(logText().contains(QStringLiteral("Item버튼 생성 실패.")));
    EXPECT_TRUE(responder.messages().isEmpty());
    EXPECT_TRUE(picker.isVisible());
}

TEST_F(SupplierPicker, WithoutADataModuleTheFillIsLoggedNotFatal)
{
    DM = nullptr;
    TF651_Susin picker;
    picker.show();
    EXPECT_EQ(picker.Buttons().size(), 24);
    EXPECT_TRUE(logText().contains(QStringLiteral("StockSusinBtn Error.")));
    touch(picker.Buttons()[0]); // blank: nothing happens
    EXPECT_TRUE(picker.isVisible());
}

} // namespace
