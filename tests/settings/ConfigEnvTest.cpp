// The settings screen against the test server: what its controls show of the
// settings record, what a save writes into the configuration row and the
// printer-kind row, refused input, and the table-layout editor.

#include "core/DataModuleFixture.h"
#include "shell/ShellTestUtil.h"
#include "support/MessageResponder.h"

#include "Components/MirelComp/MirelTable.h"
#include "settings/u302_ConfigEnv.h"

#include "Store.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

using Row = QMap<QString, QVariant>;

const QString kConfigKey = QStringLiteral("SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99'");
const QString kKindKey = QStringLiteral("PCCMCD = '9999' AND PCBUUT = '9999' AND PCPOID = '99'");
const char *const kUser = "90000001"; // user 1001

class ConfigEnvTest : public DataModuleSuite {
public:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        DM = dm.get();
        // The demo rows as seeded, kept once for putting them back after each test.
        execOnServer("CREATE TABLE IF NOT EXISTS keep_F0000 AS SELECT * FROM F0000 WHERE " + kConfigKey);
        execOnServer("CREATE TABLE IF NOT EXISTS keep_F0003 AS SELECT * FROM F0003 WHERE " + kKindKey);
        ASSERT_TRUE(dm->SDB_Open());
        server().clearCalls();
    }

    void TearDown() override
    {
        screen.reset();
        execOnServer("DELETE FROM F0000 WHERE " + kConfigKey);
        execOnServer("INSERT INTO F0000 SELECT * FROM keep_F0000");
        execOnServer("DELETE FROM F0003 WHERE " + kKindKey);
        execOnServer("INSERT INTO F0003 SELECT * FROM keep_F0003");
        DM = nullptr;
        DataModuleSuite::TearDown();
    }

    // Loads the record as start-up and sign-in do (user 1001 in the user
    // slot) and opens the screen.
    TF302_ConfigEnv *open()
    {
        EXPECT_TRUE(dm->LoadConfig()) << logText().toStdString();
        EXPECT_TRUE(dm->SsLoadConfig()) << logText().toStdString();
        MyConfig.UIADNB = QLatin1String(kUser);
        server().clearCalls();
        return openOnRecord();
    }

    // Opens the screen on the record as it is.
    TF302_ConfigEnv *openOnRecord()
    {
        screen = std::make_unique<TF302_ConfigEnv>();
        screen->show();
        return screen.get();
    }

    template <typename T> T *child(const QString &name)
    {
        T *w = screen->findChild<T *>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    QLineEdit *edit(const QString &name) { return child<QLineEdit>(name); }
    QComboBox *combo(const QString &name) { return child<QComboBox>(name); }
    TMirelImgBtn *button(const QString &name) { return child<TMirelImgBtn>(name); }

    // Chooses an item as the user does.
    static void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Replaces the text of an edit by typing.
    static void type(QLineEdit *line, const QString &text)
    {
        line->clear();
        QTest::keyClicks(line, text);
    }

    void saveAnswering(MessageResponder &responder)
    {
        responder.answer(mrYes);
        clickButton(button("btn_Save"));
    }

    void execOnServer(const QString &sql)
    {
        auto lease = server().store().acquire();
        lease.db().exec(sql.toStdString());
    }

    Row serverRow(const char *table, const QString &key)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, key).toStdString());
        Row row;
        if (!st.executeStep())
            return row;
        for (int i = 0; i < st.getColumnCount(); ++i) {
            const SQLite::Column c = st.getColumn(i);
            QVariant v;
            if (c.isInteger())
                v = qlonglong(c.getInt64());
            else if (c.isFloat())
                v = c.getDouble();
            else if (!c.isNull())
                v = QString::fromUtf8(static_cast<const char *>(c.getBlob()), c.getBytes());
            row.insert(QString::fromUtf8(st.getColumnName(i)), v);
        }
        return row;
    }
    Row configRow() { return serverRow("F0000", kConfigKey); }
    Row kindRow() { return serverRow("F0003", kKindKey); }

    // The record as the configuration row carries it.
    static Row recordValues()
    {
        Row values;
        for (const ConfigField &f : ConfigFields())
            values.insert(QLatin1String(f.name), ConfigFieldValue(MyConfig, f));
        return values;
    }

    // The columns that differ between two rows, in name order. Left out: the
    // audit columns and StartDate, which every load sets to its own time and
    // every save writes.
    static QStringList changedColumns(const Row &before, const Row &after)
    {
        QStringList changed;
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (it.key() == u"SCLADT" || it.key() == u"PCLADT" || it.key() == u"StartDate")
                continue;
            if (after.value(it.key()) != it.value())
                changed << it.key();
        }
        return changed;
    }

    std::unique_ptr<TF302_ConfigEnv> screen;
};

// ---- load and save ----------------------------------------------------------

TEST_F(ConfigEnvTest, SavingUnchangedKeepsTheRowsExceptTheDayFlagAndUnknownPorts)
{
    execOnServer("UPDATE F0000 SET PortBarcode = 'USB1' WHERE " + kConfigKey);
    const Row before = configRow();
    const Row kindBefore = kindRow();
    ASSERT_EQ(before.value("NextDayFlag"), QStringLiteral(" "));
    ASSERT_EQ(before.value("VANName"), QStringLiteral("KISVAN|") + QChar(0));

    open();
    MessageResponder responder;
    saveAnswering(responder);

    EXPECT_EQ(responder.questions().value(0).text, QString::fromUtf8("저장하시겠습니까?"));
    EXPECT_TRUE(responder.notices().isEmpty()) << "the save shows no result";
    EXPECT_EQ(server().calls(),
              (QStringList{"GP_UPSERT_F0000_POS_CONFIG", "GP_INSERT_F0003_PRODUCTPOSCONFIG"}));

    const Row after = configRow();
    EXPECT_EQ(changedColumns(before, after), (QStringList{"NextDayFlag", "PortBarcode", "SCWORK"}));
    EXPECT_EQ(after.value("NextDayFlag"), QStringLiteral("2"));
    EXPECT_EQ(after.value("PortBarcode"), QString());
    EXPECT_EQ(after.value("SCWORK"), QLatin1String(kUser));

    const Row kindAfter = kindRow();
    EXPECT_EQ(kindAfter.value("PCPRST"), kindBefore.value("PCPRST"));
    EXPECT_EQ(kindAfter.value("PCWORK"), QLatin1String(kUser));
    EXPECT_FALSE(screen->layoutChanged());
    EXPECT_TRUE(screen->isVisible()) << "the screen stays open";
}

TEST_F(ConfigEnvTest, WithTheConnectionDownOnlyThePrinterKindIsSent)
{
    const Row before = configRow();
    open();
    choose(combo("PrintCongif"), 1);
    edit("edt_PrMessage1")->setText(QStringLiteral("오프라인 문구"));
    dm->RODataSnapConnection->Disconnect();

    MessageResponder responder;
    saveAnswering(responder);

    EXPECT_EQ(server().calls(), QStringList{"GP_INSERT_F0003_PRODUCTPOSCONFIG"});
    EXPECT_TRUE(changedColumns(before, configRow()).isEmpty());
    // The configuration row did not reach the server: the user is told.
    EXPECT_EQ(responder.texts(), (QStringList{"저장하시겠습니까?", "서버에 환경 설정을 저장하지 못했습니다."}));
    EXPECT_EQ(kindRow().value("PCPRST"), QStringLiteral("2"));
    // The record keeps the change for the rest of the run.
    EXPECT_EQ(MyConfig.PrMessage1, QStringLiteral("오프라인 문구"));
}

TEST_F(ConfigEnvTest, AFailedServerSaveIsLoggedAndTold)
{
    const struct {
        const char *procedure, *logged;
    } cases[] = {{"GP_UPSERT_F0000_POS_CONFIG", "TDM.SaveConfig Error:"},
                 {"GP_INSERT_F0003_PRODUCTPOSCONFIG", "TDM.cds_SangsanSaveConfig Error:"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.procedure);
        open();
        edit("edt_PcStockOD")->setText("3");
        server().failCall(QLatin1String(c.procedure), 1, TestServer::FailMode::BeforeRun);
        MessageResponder responder;
        saveAnswering(responder);
        ASSERT_EQ(responder.notices().size(), 1);
        EXPECT_EQ(responder.notices()[0].text, QStringLiteral("서버에 환경 설정을 저장하지 못했습니다."));
        EXPECT_EQ(responder.notices()[0].stayMs, 3000);
        EXPECT_TRUE(logText().contains(QLatin1String(c.logged))) << logText().toStdString();
        EXPECT_TRUE(screen->isVisible());
        EXPECT_EQ(MyConfig.CountStockOD, 3);
        TearDown();
        SetUp();
    }
}

TEST_F(ConfigEnvTest, AnsweringNoSavesNothing)
{
    open();
    edit("edt_PcStockOD")->setText("5");
    MessageResponder responder;
    responder.answer(mrNo);
    clickButton(button("btn_Save"));
    EXPECT_TRUE(server().calls().isEmpty());
    EXPECT_EQ(MyConfig.CountStockOD, 1);
}

TEST_F(ConfigEnvTest, EachConversionLandsInTheServerRow)
{
    struct Case {
        const char *what;
        QString storedBefore; // SQL assignments for the row before loading, or empty
        std::function<void(ConfigEnvTest &)> act;
        const char *column;
        QString expected;
    };
    const QString cleared(QChar(0));
    const auto cookeryPorts = [&](const QString &third) {
        QStringList e(21, cleared);
        e[0] = QString();
        e[2] = third;
        return e.join('|');
    };
    const Case cases[] = {
        {"copy count", {}, [](ConfigEnvTest &t) { t.edit("edt_PcStockOD")->setText("3"); }, "CountStockOD", "3"},
        {"ratio", {}, [](ConfigEnvTest &t) { t.edit("edt_TipRatio")->setText("12.5"); }, "TipRatio", "12.5"},
        {"code combo", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_PosMode"), 2); }, "PosMode", "2"},
        {"code combo of printer mode", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_CookeryMode"), 5); }, "SCKMTY",
         "5"},
        {"login position second", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_LoginPosition"), 1); },
         "LoginPosition", "2"},
        {"login position first", "LoginPosition = '2'",
         [](ConfigEnvTest &t) { choose(t.combo("cbx_LoginPosition"), 0); }, "LoginPosition", "1"},
        {"day flag first", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_NextDayFlag"), 0); }, "NextDayFlag", "1"},
        {"closing time with blanks", "OrderClosingTime = '21 30'", [](ConfigEnvTest &) {}, "OrderClosingTime",
         "2130"},
        {"closing time chosen", {},
         [](ConfigEnvTest &t) { t.child<QTimeEdit>("dtp_OrderLimit")->setTime(QTime(7, 5)); }, "OrderClosingTime",
         "0705"},
        {"cut point", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_autocutpoint"), 3); }, "autocutpoint", "100"},
        {"lines by index", "TypeBLines = 3", [](ConfigEnvTest &t) { choose(t.combo("cbx_TypeA"), 4); }, "TypeALines",
         "4"},
        {"check box", {}, [](ConfigEnvTest &t) { t.child<QCheckBox>("ckb_CbCoupon")->setChecked(true); }, "CbCoupon",
         "1"},
        {"port", {}, [](ConfigEnvTest &t) { choose(t.combo("cbx_PortReceipt"), t.combo("cbx_PortReceipt")->findText("LPT1")); },
         "PortReceipt", "LPT1"},
        {"kitchen port in row 3", {},
         [](ConfigEnvTest &t) { t.child<QTableWidget>("vle_Port")->item(2, 1)->setText("COM7"); }, "PortCookery",
         cookeryPorts("COM7")},
        {"second VAN typed", {}, [](ConfigEnvTest &t) { t.edit("edt_VanName2")->setText("NICE"); }, "VANName",
         "KISVAN|NICE"},
        {"no number in an int field", {}, [](ConfigEnvTest &t) { t.edit("edt_CouponTerm")->setText("abc"); },
         "CouponTerm", "0"},
        {"no number in a ratio field", {}, [](ConfigEnvTest &t) { t.edit("edt_PtStoreCash")->setText("x"); },
         "PtStoreCash", "0"},
        {"floor count", {}, [](ConfigEnvTest &t) { t.edit("edt_LayerCount")->setText("5"); }, "LayerCounter", "5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.storedBefore.isEmpty())
            execOnServer("UPDATE F0000 SET " + c.storedBefore + " WHERE " + kConfigKey);
        const Row before = configRow();
        open();
        c.act(*this);
        MessageResponder responder;
        saveAnswering(responder);
        const Row after = configRow();
        EXPECT_EQ(after.value(c.column).toString(), c.expected);
        QStringList changed = changedColumns(before, after);
        changed.removeAll("NextDayFlag");
        changed.removeAll("SCWORK");
        changed.removeAll(QLatin1String(c.column));
        EXPECT_TRUE(changed.isEmpty()) << changed.join(", ").toStdString();
        TearDown();
        SetUp();
    }
}

TEST_F(ConfigEnvTest, PrinterKindFollowsTheChosenItem)
{
    open();
    QComboBox *kind = combo("PrintCongif");
    EXPECT_EQ(kind->currentIndex(), 0);
    EXPECT_EQ(screen->PrinterKind, "1");
    choose(kind, 1);
    EXPECT_EQ(screen->PrinterKind, "2");
    MessageResponder responder;
    saveAnswering(responder);
    EXPECT_EQ(kindRow().value("PCPRST"), "2");
    EXPECT_EQ(MyConfig.pcprst, "2");

    // Loaded as "2", it shows the driver printer and stays so.
    screen.reset();
    openOnRecord();
    EXPECT_EQ(combo("PrintCongif")->currentIndex(), 1);
    EXPECT_EQ(screen->PrinterKind, "2");
}

TEST_F(ConfigEnvTest, LoadingShowsTheRecordAndGetsPastAnUnreadableCode)
{
    execOnServer("UPDATE F0000 SET PtMode = 'x', TipRatio = 12.5, OrderClosingTime = '9', CountStockOD = 4, "
                 "VFDType = '2' WHERE " + kConfigKey);
    open();
    EXPECT_EQ(combo("cbx_PtMode")->currentIndex(), 0);
    // Controls loaded after the code still show their values.
    EXPECT_EQ(edit("edt_PtStoreCash")->text(), "5.00");
    EXPECT_EQ(edit("edt_PcStockOD")->text(), "4");
    EXPECT_EQ(combo("cbx_VFDType")->currentIndex(), 2);
    EXPECT_EQ(edit("edt_TipRatio")->text(), "12.50");
    EXPECT_EQ(child<QTimeEdit>("dtp_OrderLimit")->time(), QTime(9, 0));
    EXPECT_EQ(edit("edt_VanName1")->text(), "KISVAN");
    EXPECT_EQ(edit("edt_VanName2")->text(), "") << "a cleared element shows as empty";
    EXPECT_EQ(combo("cbx_SignPort1")->currentText(), "COM5");
    EXPECT_EQ(combo("cbx_SignPort2")->currentIndex(), -1);
    EXPECT_EQ(edit("edt_StoreName")->text(), QString::fromUtf8("데모지점"));
    EXPECT_FALSE(edit("edt_StoreName")->isEnabled());
    EXPECT_EQ(edit("edt_PosID")->text(), "99");
    EXPECT_EQ(combo("cbx_NextDayFlag")->currentIndex(), 1) << "a blank flag shows the second item";
    EXPECT_TRUE(button("btn_IncludeVat1")->Down());
    EXPECT_FALSE(button("btn_IncludeVat2")->Down());
    EXPECT_EQ(child<QTableWidget>("vle_Port")->item(19, 0)->text(), QString::fromUtf8("주방20"));

    // An unreadable code is written back as the shown item.
    MessageResponder responder;
    saveAnswering(responder);
    EXPECT_EQ(configRow().value("PtMode"), "0");
}

TEST_F(ConfigEnvTest, BadNumbersAreRefusedNamingTheFieldAndNothingIsCopied)
{
    struct Case { const char *control; const char *text; const char *field; bool combo; };
    const Case cases[] = {
        {"edt_PcStockOD", "200", "CountStockOD", false},   // 8 bits
        {"edt_CouponTerm", "40000", "CouponTerm", false},  // 16 bits
        {"edt_MaxStore", "3000000000", "PtMaxStore", false}, // 32 bits
        {"EDT_STARTBELL", "abc", "startbell", false},
        {"EDT_ENDBELL", "", "endbell", false},
        {"cbx_autocutpoint", "abc", "autocutpoint", true},
        {"cbx_pointcut", "99999", "pointcut", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control);
        const Row before = configRow();
        const Row kindBefore = kindRow();
        open();
        const Row record = recordValues();
        // Earlier fields are changed too: none of them may reach the record.
        edit("edt_PrMessage1")->setText("바뀐 문구");
        choose(combo("PrintCongif"), 1);
        if (c.combo)
            combo(c.control)->setEditText(QString::fromUtf8(c.text));
        else
            edit(c.control)->setText(QString::fromUtf8(c.text));

        MessageResponder responder;
        saveAnswering(responder);
        ASSERT_EQ(responder.notices().size(), 1);
        const auto notice = responder.notices().first();
        EXPECT_TRUE(notice.text.contains(QLatin1String(c.field))) << notice.text.toStdString();
        EXPECT_EQ(notice.kind, 2);
        EXPECT_EQ(notice.stayMs, 3000);
        EXPECT_EQ(recordValues(), record);
        EXPECT_TRUE(server().calls().isEmpty());
        EXPECT_EQ(configRow(), before);
        EXPECT_EQ(kindRow(), kindBefore);
        TearDown();
        SetUp();
    }
}

TEST_F(ConfigEnvTest, RefusalShowsThePageOfTheField)
{
    open();
    edit("edt_PcStockOD")->setText("128");
    MessageResponder responder;
    saveAnswering(responder);
    EXPECT_EQ(child<QTabWidget>("pgc_Config")->currentIndex(), 2);
    EXPECT_TRUE(button("btn_Page3")->Down());
    // 127 fits in the field.
    edit("edt_PcStockOD")->setText("127");
    saveAnswering(responder);
    EXPECT_EQ(configRow().value("CountStockOD").toInt(), 127);
}

// ---- field helpers ------------------------------------------------------------

TEST_F(ConfigEnvTest, FieldHelpersFollowTheUsersChoices)
{
    open();
    auto *byRatio = child<QCheckBox>("ckb_PtStoreRatio");
    auto *byAmount = child<QCheckBox>("ckb_PtStorePoint");
    // Demo row: PtRatio 5, PTStore 0, PtMode "0".
    EXPECT_TRUE(byRatio->isChecked());
    EXPECT_FALSE(byAmount->isChecked());
    EXPECT_TRUE(edit("edt_PtRatio")->isEnabled());
    EXPECT_FALSE(edit("edt_PtStoreCash")->isEnabled());

    choose(combo("cbx_PtMode"), 1);
    EXPECT_FALSE(edit("edt_PtRatio")->isEnabled());
    EXPECT_FALSE(byRatio->isEnabled());
    for (const char *name : {"edt_PtStoreCash", "edt_PtStoreCard", "edt_PtStroeStock", "edt_PtStorePrepay",
                             "edt_PtStorePoint", "edt_StoreCoupon", "edt_PtStoreVoucher"})
        EXPECT_TRUE(edit(name)->isEnabled()) << name;
    choose(combo("cbx_PtMode"), 0);

    byRatio->click(); // untick
    EXPECT_EQ(edit("edt_PtRatio")->text(), "0");
    EXPECT_FALSE(edit("edt_PtRatio")->isEnabled());
    byRatio->click(); // tick: the record's ratio comes back
    EXPECT_EQ(edit("edt_PtRatio")->text(), "5.00");
    EXPECT_TRUE(edit("edt_PtRatio")->isEnabled());
    type(edit("edt_PtRatio"), "0.5");
    EXPECT_FALSE(byRatio->isChecked());
    type(edit("edt_PtStore"), "300");
    EXPECT_TRUE(byAmount->isChecked());

    // Printed lines: A needs B at 1 or more; B cannot drop to 0 while A is in use.
    QComboBox *a = combo("cbx_TypeA");
    QComboBox *b = combo("cbx_TypeB");
    choose(b, 0);
    EXPECT_EQ(b->currentIndex(), 1) << "A is at 2";
    choose(a, 0);
    choose(b, 0);
    EXPECT_EQ(b->currentIndex(), 0);
    choose(a, 3);
    EXPECT_EQ(a->currentIndex(), 0);

    choose(combo("cbx_NextDayFlag"), 0);
    choose(combo("cbx_baseCostMethod"), 0);
    EXPECT_EQ(combo("cbx_NextDayFlag")->currentIndex(), 1);
}

TEST_F(ConfigEnvTest, FileButtonsTakeTheChosenFileAndKeepTheNameWhenCancelled)
{
    struct Call { QString title, filter; };
    QList<Call> calls;
    QString answer;
    const auto previous = TF302_ConfigEnv::SetFileChooser([&](QWidget *, const QString &title, const QString &filter) {
        calls.append({title, filter});
        return answer;
    });
    MyConfig.SubLogoMedia = QStringLiteral("/media/intro.swf");
    openOnRecord();
    QLineEdit *media = edit("edt_SubMediaFile");

    answer.clear(); // cancelled
    clickButton(button("btn_SubMediaFile"));
    EXPECT_EQ(media->text(), "/media/intro.swf");
    EXPECT_EQ(media->cursorPosition(), media->text().size());

    answer = QStringLiteral("/media/logo.jpg");
    clickButton(button("btn_SubLogoFile"));
    EXPECT_EQ(edit("edt_SubLogoFile")->text(), "/media/logo.jpg");
    EXPECT_EQ(media->text(), "/media/intro.swf");

    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].title, QString::fromUtf8("FlashFile 불러오기"));
    EXPECT_EQ(calls[0].filter, "SWF|*.SWF");
    EXPECT_EQ(calls[1].filter, "SWF|*.SWF|JPG|*.JPG");
    TF302_ConfigEnv::SetFileChooser(previous);
}

TEST_F(ConfigEnvTest, PageButtonsTurnThePages)
{
    openOnRecord();
    auto *pages = child<QTabWidget>("pgc_Config");
    EXPECT_FALSE(pages->tabBar()->isVisible());
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(button("btn_Page1")->Down());
    clickButton(button("btn_Page4"));
    EXPECT_EQ(pages->currentIndex(), 3);
    EXPECT_TRUE(button("btn_Page4")->Down());
    EXPECT_FALSE(button("btn_Page1")->Down());
}

TEST_F(ConfigEnvTest, ExecuteRunsTheScreenModallyAndFreesIt)
{
    TF302_ConfigEnv *during = nullptr;
    whenLoopRuns([&] {
        during = F302_ConfigEnv;
        ASSERT_TRUE(during);
        EXPECT_TRUE(during->isVisible());
        clickButton(during->findChild<TMirelImgBtn *>("btn_Close2"));
    });
    EXPECT_EQ(TF302_ConfigEnv::Execute(), 2);
    EXPECT_TRUE(during);
    EXPECT_EQ(F302_ConfigEnv, nullptr);
}

// ---- table-layout editor ----------------------------------------------------

class ConfigLayoutEditorTest : public ConfigEnvTest {
protected:
    void SetUp() override
    {
        ConfigEnvTest::SetUp();
        // The built-in layout: floors "1층" 10 + 3, "2층" 14 + 1, "3층" 20 + 0.
        openOnRecord();
    }

    TMirelTable *tile(int k) { return screen->tiles().value(k); }

    // Presses a tile, moves the mouse by delta and releases it.
    static void drag(TMirelTable *t, QPoint delta)
    {
        const QPoint start(20, 20);
        QTest::mousePress(t, Qt::LeftButton, {}, start);
        const QPoint to = start + delta;
        QMouseEvent move(QEvent::MouseMove, QPointF(to), t->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(t, &move);
        QTest::mouseRelease(t, Qt::LeftButton, {}, start); // the tile moved under the mouse
    }
};

TEST_F(ConfigLayoutEditorTest, TenTablesAndThreePlacesFillThreeColumnsOfFiveRows)
{
    ASSERT_EQ(screen->tiles().size(), 13);
    for (int k = 0; k < 13; ++k) {
        TMirelTable *t = tile(k);
        EXPECT_EQ(t->geometry(), QRect((k % 3) * 258 + 3, (k / 3) * 119 + 3, 256, 117)) << k;
        EXPECT_EQ(t->TableName(), k < 10 ? QStringLiteral("Table - %1").arg(k + 1)
                                         : QStringLiteral("Pack - %1").arg(k - 9))
            << k;
        EXPECT_EQ(t->TableType(), k < 10 ? 0 : 2) << k;
        EXPECT_EQ(t->TableNo, k);
        EXPECT_EQ(t->TableState(), 0);
        EXPECT_TRUE(t->HoldSelect());
        EXPECT_EQ(t->parentWidget()->objectName(), "pnl_Layout");
    }
    // The floor's counts and name are in their edits, the floor buttons show the floors.
    EXPECT_EQ(edit("edt_TableCnt")->text(), "10");
    EXPECT_EQ(edit("edt_PackCnt")->text(), "3");
    EXPECT_EQ(edit("edt_LayerName")->text(), QString::fromUtf8("1층"));
    EXPECT_TRUE(button("btnLayer1")->Down());
    EXPECT_EQ(button("btnLayer3")->Caption(), QString::fromUtf8("3층"));
    EXPECT_TRUE(button("btnLayer3")->isEnabled());
    EXPECT_FALSE(button("btnLayer4")->isEnabled());
    EXPECT_EQ(button("btnLayer4")->Caption(), "");
}

TEST_F(ConfigLayoutEditorTest, ClickingSelectsATileAndDraggingMovesIt)
{
    QTest::mouseClick(tile(4), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(screen->selectedTile(), tile(4));
    EXPECT_EQ(tile(4)->TableState(), 2);
    EXPECT_EQ(edit("edt_TableName")->text(), "Table - 5");
    EXPECT_FALSE(screen->layoutChanged()) << "a click moves nothing";

    // Selecting another tile releases the first.
    const QPoint at = tile(0)->pos();
    drag(tile(0), QPoint(30, 20));
    EXPECT_EQ(tile(0)->pos(), at + QPoint(30, 20));
    EXPECT_EQ(tile(0)->TableState(), 2);
    EXPECT_EQ(tile(4)->TableState(), 0);
    EXPECT_EQ(screen->selectedTile(), tile(0));
    EXPECT_TRUE(screen->layoutChanged());

    edit("edt_TableName")->setText(QString::fromUtf8("창가"));
    clickButton(button("btn_TableNameApply"));
    EXPECT_EQ(tile(0)->TableName(), QString::fromUtf8("창가"));
}

TEST_F(ConfigLayoutEditorTest, FloorActionsAskWhileTheLayoutIsChanged)
{
    drag(tile(0), QPoint(15, 15));
    const QPoint moved = tile(0)->pos();
    MessageResponder responder;
    responder.answer(mrNo);
    clickButton(button("btnLayer2"));
    ASSERT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(responder.questions()[0].text,
              QString::fromUtf8("테이블 변경 내역이 있습니다. 변경내역을 무시하고 계속 진행하시겠습니까?"));
    EXPECT_EQ(responder.questions()[0].kind, 1);
    EXPECT_EQ(screen->currentFloor(), 0);
    EXPECT_TRUE(button("btnLayer1")->Down());
    EXPECT_FALSE(button("btnLayer2")->Down());
    EXPECT_EQ(tile(0)->pos(), moved) << "the layout was kept";

    responder.answer(mrYes);
    clickButton(button("btnLayer2"));
    EXPECT_EQ(screen->currentFloor(), 1);
    EXPECT_FALSE(screen->layoutChanged());
    EXPECT_EQ(screen->tiles().size(), 15);
    EXPECT_EQ(edit("edt_TableCnt")->text(), "14");
    EXPECT_EQ(edit("edt_PackCnt")->text(), "1");
    EXPECT_EQ(edit("edt_LayerName")->text(), QString::fromUtf8("2층"));

    // Unchanged, a floor button asks nothing.
    clickButton(button("btnLayer3"));
    EXPECT_EQ(screen->currentFloor(), 2);
    EXPECT_EQ(responder.questions().size(), 2);
}

TEST_F(ConfigLayoutEditorTest, PageTurnsShowSixFloorsAPage)
{
    MyConfig.LayerCounter = 8;
    MyConfig.LayerTitle[7] = QString::fromUtf8("옥상");
    MyConfig.TableCount[7] = 2;
    clickButton(button("btnLayer2"));
    clickButton(button("btn_LayerNext"));
    EXPECT_EQ(screen->floorPage(), 1);
    EXPECT_EQ(screen->currentFloor(), 7) << "floor 1 + 6";
    EXPECT_TRUE(button("btnLayer2")->Down());
    EXPECT_EQ(button("btnLayer1")->Caption(), "") << "floor 7 has a cleared name";
    EXPECT_TRUE(button("btnLayer1")->isEnabled());
    EXPECT_EQ(button("btnLayer2")->Caption(), QString::fromUtf8("옥상"));
    EXPECT_FALSE(button("btnLayer3")->isEnabled());
    EXPECT_EQ(screen->tiles().size(), 2);
    EXPECT_EQ(edit("edt_LayerName")->text(), QString::fromUtf8("옥상"));

    clickButton(button("btn_LayerNext")); // no ninth floor
    EXPECT_EQ(screen->floorPage(), 1);
    clickButton(button("btn_LayerPrev"));
    EXPECT_EQ(screen->floorPage(), 0);
    EXPECT_EQ(screen->currentFloor(), 1);
    EXPECT_TRUE(button("btnLayer2")->Down());
    clickButton(button("btn_LayerPrev")); // already on the first page
    EXPECT_EQ(screen->floorPage(), 0);

    MyConfig.LayerCounter = 6;
    clickButton(button("btn_LayerNext"));
    EXPECT_EQ(screen->floorPage(), 0) << "six floors fit on one page";
}

TEST_F(ConfigLayoutEditorTest, CountEditsAreHeldToTheirLimits)
{
    MessageResponder responder;
    responder.setDefaultAnswer(mrOk);
    edit("edt_TableCnt")->setText("30");
    type(edit("edt_PackCnt"), "34");
    ASSERT_EQ(responder.messages().size(), 1);
    EXPECT_EQ(responder.messages()[0].text,
              QString::fromUtf8("사용 가능한 테이블 수는 0~33입니다. 0~33 사이의 수를 입력해 주세요."));
    EXPECT_EQ(responder.messages()[0].kind, 0);
    EXPECT_EQ(edit("edt_PackCnt")->text(), "33");

    type(edit("edt_TableCnt"), "-1");
    EXPECT_EQ(edit("edt_TableCnt")->text(), "30") << "63 - 33";

    type(edit("edt_LayerCount"), "21");
    EXPECT_EQ(responder.messages().last().text,
              QString::fromUtf8("사용 가능한 층 수는 1~20입니다. 1~20 사이의 수를 입력해 주세요."));
    EXPECT_EQ(responder.messages().last().kind, 0);
    EXPECT_EQ(edit("edt_LayerCount")->text(), "20");
    type(edit("edt_LayerCount"), "0");
    EXPECT_EQ(edit("edt_LayerCount")->text(), "20");
    const int notices = int(responder.messages().size());
    type(edit("edt_LayerCount"), "7");
    EXPECT_EQ(responder.messages().size(), notices);
}

TEST_F(ConfigLayoutEditorTest, ApplyingCountsKeepsTheFloorBelowSixtyFourTiles)
{
    MessageResponder responder;
    edit("edt_TableCnt")->setText("60");
    edit("edt_PackCnt")->setText("10");
    clickButton(button("btn_TableCntApply"));
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QString::fromUtf8("최대 테이블 수량을 초과했습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 2000);
    EXPECT_EQ(edit("edt_TableCnt")->text(), "53");
    EXPECT_EQ(MyConfig.TableCount[0], 53);
    EXPECT_EQ(screen->tiles().size(), 56) << "53 tables and the 3 places in the record";

    edit("edt_PackCnt")->setText("4");
    clickButton(button("btn_PackCntApply"));
    EXPECT_EQ(MyConfig.PackCount[0], 4);
    EXPECT_EQ(screen->tiles().size(), 57);
    EXPECT_EQ(tile(56)->TableName(), "Pack - 4");
    EXPECT_TRUE(screen->layoutChanged());
}

TEST_F(ConfigLayoutEditorTest, FloorNameIsCutToFifteenBytes)
{
    edit("edt_LayerName")->setText(QString::fromUtf8("가나다라마바사아자차카타파하가나다라마바"));
    clickButton(button("btn_LayerNameApply"));
    EXPECT_EQ(MyConfig.LayerTitle[0], QString::fromUtf8("가나다라마바사"));
    EXPECT_EQ(button("btnLayer1")->Caption(), QString::fromUtf8("가나다라마바사"));

    edit("edt_LayerName")->setText(QString::fromUtf8("테라스"));
    clickButton(button("btn_LayerNameApply"));
    EXPECT_EQ(MyConfig.LayerTitle[0], QString::fromUtf8("테라스"));

    edit("edt_LayerCount")->setText("4");
    clickButton(button("btn_LayerCountApply"));
    EXPECT_EQ(MyConfig.LayerCounter, 4);
    EXPECT_TRUE(button("btnLayer4")->isEnabled());
}

TEST_F(ConfigLayoutEditorTest, SizeAndAlignmentButtonsActOnTheSelectedTile)
{
    // Without a selected tile the size buttons change nothing.
    const QSize cell(256, 117);
    clickButton(button("btn_SizeUp"));
    EXPECT_EQ(tile(0)->size(), cell);

    QTest::mouseClick(tile(1), Qt::LeftButton, {}, QPoint(5, 5));
    struct Step { const char *button; QSize size; };
    const Step steps[] = {
        {"btn_SizeUp", {261, 122}},  {"btn_SizeDown", {256, 117}}, {"btn_Left", {251, 117}},
        {"btn_Up", {251, 112}},      {"btn_Right", {256, 112}},    {"btn_Down", {256, 117}},
        {"btn_SizeReset", {261, 118}}, // 13 tiles: 790 div 3 - 2, 600 div 5 - 2
    };
    for (const Step &s : steps) {
        clickButton(button(s.button));
        EXPECT_EQ(tile(1)->size(), s.size) << s.button;
    }
    clickButton(button("btn_SizeAll"));
    for (TMirelTable *t : screen->tiles())
        EXPECT_EQ(t->size(), QSize(261, 118));

    // "초기화" with empty counts does nothing.
    edit("edt_TableCnt")->clear();
    edit("edt_PackCnt")->clear();
    clickButton(button("btn_SizeUp"));
    clickButton(button("btn_SizeReset"));
    EXPECT_EQ(tile(1)->size(), QSize(266, 123));

    // Column alignment: the moved tile goes back under the one above it.
    tile(3)->move(tile(3)->x() + 7, tile(3)->y());
    tile(4)->move(tile(4)->x() - 6, tile(4)->y());
    clickButton(button("btn_AlignCol"));
    EXPECT_EQ(tile(3)->x(), 3);
    EXPECT_EQ(tile(4)->x(), 261);
    tile(5)->move(tile(5)->x(), tile(5)->y() + 9);
    clickButton(button("btn_AlignRow"));
    EXPECT_EQ(tile(5)->y(), 122);
}

TEST_F(ConfigLayoutEditorTest, EmptyFloorHasNoTilesAndResetDoesNothing)
{
    MyConfig.TableCount[0] = 0;
    MyConfig.PackCount[0] = 0;
    screen.reset();
    openOnRecord();
    EXPECT_TRUE(screen->tiles().isEmpty());
    EXPECT_EQ(edit("edt_TableCnt")->text(), "0");
    clickButton(button("btn_SizeReset"));
    EXPECT_TRUE(screen->tiles().isEmpty());
}

TEST_F(ConfigLayoutEditorTest, OnlyCountsNamesAndTheFloorCountReachTheServer)
{
    ASSERT_TRUE(dm->LoadConfig());
    ASSERT_TRUE(dm->SsLoadConfig());
    screen.reset();
    openOnRecord();
    const Row before = configRow();
    MessageResponder responder;

    drag(tile(2), QPoint(40, 40));
    QTest::mouseClick(tile(2), Qt::LeftButton, {}, QPoint(5, 5));
    clickButton(button("btn_SizeUp"));
    edit("edt_TableCnt")->setText("12");
    clickButton(button("btn_TableCntApply"));
    edit("edt_LayerName")->setText(QString::fromUtf8("홀"));
    clickButton(button("btn_LayerNameApply"));
    edit("edt_LayerCount")->setText("4");
    clickButton(button("btn_LayerCountApply"));
    saveAnswering(responder);
    EXPECT_FALSE(screen->layoutChanged());

    const Row after = configRow();
    QStringList changed = changedColumns(before, after);
    changed.removeAll("NextDayFlag");
    changed.removeAll("SCWORK");
    EXPECT_EQ(changed, (QStringList{"LayerCounter", "LayerTitle", "TableCount"}));
    EXPECT_EQ(after.value("LayerCounter").toInt(), 4);
    EXPECT_TRUE(after.value("TableCount").toString().startsWith("12|14|20|0|"));
    EXPECT_TRUE(after.value("LayerTitle").toString().startsWith(QString::fromUtf8("홀|2층|3층|")));
}

} // namespace
