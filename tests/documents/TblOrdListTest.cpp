// The table-order and delivery-order window against a local database written
// by a second program and the in-process head-office server.

#include "documents/U618_TblOrdList.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "DocumentsFixture.h"
#include "platform/os/Keys.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ShellTestUtil.h"
#include "shell/U403_Keyboard.h"
#include "ui_U618_TblOrdList.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStackedWidget>
#include <QStandardPaths>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(12, 30, 0));

class TblOrdListTest : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        if (sqlite.isEmpty())
            GTEST_SKIP() << "sqlite3 command not installed";
        ASSERT_TRUE(dm->LDB_Open());
        os::SetNow(kNow);
        isolateSharedBlocks(); // the keyboard's block, apart from other test processes
        keyboard = std::make_unique<TF403_Keyboard>();
        F403_Keyboard = keyboard.get();
        w = std::make_unique<TF618_TblOrdList>();
    }

    void TearDown() override
    {
        w.reset();
        keyboard.reset();
        os::ResetHeldModifiers();
        DocumentsSuite::TearDown();
    }

    // The other program: the sqlite3 command on the same file.
    QString other(const QString &sql)
    {
        QProcess p;
        p.start(sqlite, {QStringLiteral("-cmd"), QStringLiteral(".timeout 5000"), dm->LocalConnection.filePath(), sql});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    // Three lines of two tables, their memos and place names, as the
    // table-order program writes them.
    void writeThreeOrders()
    {
        other(QStringLiteral(
            "INSERT INTO TBLCNF (FL_NO, TBL_NO, TNAME) VALUES (0, 0, '창가1'), (0, 1, '창가2');"
            "INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME, ITEM_QTY, ORD_DT) VALUES"
            " (1, 1, 1, '아메리카노', 2, '2026-12-10 12:05:00.000'),"
            " (1, 2, 1, '라떼', 1, '2026-12-10 11:00:00.000'),"
            " (1, 2, 2, '치즈케이크', 1, '2026-12-10 11:10:00.000');"
            "INSERT INTO TBLMMO (FL_NO, TBL_NO, ITEM_IDX, MMO) VALUES"
            " (1, 2, 1, '샷 추가'), (1, 2, 0, '창가 자리'), (1, 1, 0, '포장');"));
    }

    QString shown(TMirelGrid *grid, int row, const char *field)
    {
        DataSet *ds = grid->DataSource();
        return ds->displayText(row, ds->fieldIndex(QLatin1String(field)));
    }

    QStringList column(TMirelGrid *grid, const char *field)
    {
        QStringList out;
        for (int r = 0; r < grid->DataSource()->rowCount(); ++r)
            out << shown(grid, r, field);
        return out;
    }

    void showWindow()
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    void touch(TMirelGrid *grid, int row)
    {
        const QRect r = grid->CellRect(1, row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.translated(-grid->viewport()->pos()).center());
    }

    // CKDATE of every TBLDTL row by item name, as stored.
    QString stamps() { return other(QStringLiteral("SELECT ITEM_NAME || '=' || IFNULL(substr(CKDATE, 1, 19), '-') FROM TBLDTL ORDER BY rowid")); }

    // The keyboard stands in the wide layout at the window's left, 533 below
    // its top, typing into the window.
    void expectKeyboardUnderTheWindow()
    {
        ASSERT_TRUE(keyboard->isVisible());
        EXPECT_EQ(keyboard->TargetForm, w.get());
        EXPECT_EQ(keyboard->KeyboardMode, 0);
        EXPECT_EQ(keyboard->pos(), w->pos() + QPoint(0, 533));
        EXPECT_EQ(keyboard->size(), QSize(1024, 236));
    }

    QString sqlite;
    std::unique_ptr<TF403_Keyboard> keyboard;
    std::unique_ptr<TF618_TblOrdList> w;
};

} // namespace

TEST_F(TblOrdListTest, OrdersWrittenAfterCreationAreListedAndConfirmedOnesLeave)
{
    // Created (and shown once) while the table is empty: nothing to list, no toggling.
    showWindow();
    EXPECT_EQ(w->form().mgd_TableJumunList->DataSource()->RecordCount(), 0);
    EXPECT_FALSE(w->form().mgd_TableJumunList->ToggleSelect());
    EXPECT_EQ(w->form().mgd_TableJumunList->Options(), TF618_TblOrdList::SingleSelectOptions);
    clickButton(w->form().btnClose);
    EXPECT_EQ(w->result(), 2);

    writeThreeOrders();
    showWindow();
    TMirelGrid *grid = w->form().mgd_TableJumunList;
    EXPECT_TRUE(grid->ToggleSelect());
    EXPECT_EQ(grid->Options(), TF618_TblOrdList::MultiSelectOptions);
    EXPECT_EQ(column(grid, "TableBenho"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(grid, "TableName"), (QStringList{"창가1", "창가2", "창가2"}));
    EXPECT_EQ(column(grid, "ORD_DT"), (QStringList{"00:25", "01:30", "01:20"}));
    EXPECT_EQ(column(grid, "ITEM_NAME"), (QStringList{"아메리카노", "라떼", "치즈케이크"}));
    EXPECT_EQ(column(grid, "TableMemo"), (QStringList{"포장", "샷 추가, 창가 자리", "창가 자리"}));

    // Confirming with nothing selected changes nothing.
    clickButton(w->form().btn_JumunOk);
    EXPECT_EQ(stamps(), QStringLiteral("아메리카노=-\n라떼=-\n치즈케이크=-"));

    touch(grid, 0);
    touch(grid, 2);
    touch(grid, 1);
    touch(grid, 1); // touched twice: not selected
    ASSERT_EQ(grid->SelectedRows().Count(), 2);
    // Meanwhile the other program changes another column of a selected line.
    other(QStringLiteral("UPDATE TBLDTL SET ITEM_QTY = 5 WHERE ITEM_NAME = '치즈케이크'"));

    os::SetNow(kNow.addSecs(90));
    clickButton(w->form().btn_JumunOk);
    EXPECT_EQ(stamps(), QStringLiteral("아메리카노=2026-12-10 12:31:30\n라떼=-\n치즈케이크=2026-12-10 12:31:30"));
    EXPECT_EQ(other(QStringLiteral("SELECT ITEM_QTY FROM TBLDTL WHERE ITEM_NAME = '치즈케이크'")), QStringLiteral("5.0"));
    EXPECT_EQ(column(grid, "ITEM_NAME"), QStringList{"라떼"});
    EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);

    // Closed: unfiltered again, the grid back in single selection.
    w->close();
    EXPECT_FALSE(dm->adt_TBLDTL->Filtered());
    EXPECT_EQ(dm->adt_TBLDTL->RecordCount(), 3);
    EXPECT_FALSE(grid->ToggleSelect());
}

TEST_F(TblOrdListTest, OnlyLinesWithoutAStampAfterTheTurnOfTheCenturyAreListed)
{
    other(QStringLiteral(
        "INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME, CKDATE) VALUES"
        " (1, 1, 1, '미확인', NULL), (1, 1, 2, '1999년', '1999-12-31 18:00:00.000'),"
        " (1, 1, 3, '2000년', '2000-01-02 09:00:00.000'), (1, 1, 4, '정오 직전', '2000-01-01 11:59:59.000'),"
        " (1, 1, 5, '오늘', '2026-12-10 12:00:00.000')"));
    showWindow();
    EXPECT_EQ(column(w->form().mgd_TableJumunList, "ITEM_NAME"), (QStringList{"미확인", "1999년", "정오 직전"}));
}

TEST_F(TblOrdListTest, PagesAndEveryWayOfClosingLeaveNoKeyHeldAndTheTableUnfiltered)
{
    writeThreeOrders();
    const std::function<void()> closers[] = {
        [this] { clickButton(w->form().btnClose); },
        [this] { emit w->form().btn_Smoll->OnClick(w->form().btn_Smoll); },
        [this] { QTest::keyClick(w.get(), Qt::Key_Escape); },
        [this] { w->close(); },
    };
    const int results[] = {2, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        w->move(30 * i, 10 * i);
        showWindow();
        EXPECT_TRUE(w->form().Panel15->isVisible());
        EXPECT_FALSE(w->form().Panel5->isVisible());
        clickButton(w->form().btn_NapPum);
        expectKeyboardUnderTheWindow();
        EXPECT_EQ(w->form().pgc_TblOrdList->currentIndex(), 1);
        EXPECT_FALSE(w->form().Panel15->isVisible());
        EXPECT_TRUE(w->form().Panel5->isVisible());
        EXPECT_FALSE(w->form().mgd_TableJumunList->ToggleSelect());
        EXPECT_TRUE(w->form().edt_Deliveredsearch->hasFocus());
        clickButton(w->form().btn_AllJumunList);
        EXPECT_FALSE(keyboard->isVisible());
        EXPECT_EQ(w->form().pgc_TblOrdList->currentIndex(), 0);
        EXPECT_TRUE(w->form().mgd_TableJumunList->ToggleSelect());
        EXPECT_TRUE(w->form().Panel15->isVisible());
        EXPECT_FALSE(w->form().Panel5->isVisible());
        clickButton(w->form().btn_NapPum);
        ASSERT_TRUE(keyboard->isVisible());
        closers[i]();
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(keyboard->isVisible());
        EXPECT_EQ(keyboard->TargetForm, nullptr);
        EXPECT_EQ(w->result(), results[i]);
        EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);
        EXPECT_FALSE(dm->adt_TBLDTL->Filtered());
        EXPECT_FALSE(w->form().mgd_TableJumunList->ToggleSelect());
    }
    // Shown again after closing on page 1: page 0 with its panel.
    showWindow();
    EXPECT_EQ(w->form().pgc_TblOrdList->currentIndex(), 0);
    EXPECT_TRUE(w->form().btn_AllJumunList->Down());
    EXPECT_TRUE(w->form().Panel15->isVisible());
    EXPECT_FALSE(w->form().Panel5->isVisible());
}

TEST_F(TblOrdListTest, DeliveryOrderSearchShowsLinesAndReceiver)
{
    showWindow();
    server().clearCalls();
    clickButton(w->form().btn_NapPum);
    expectKeyboardUnderTheWindow();
    // The page opens with the search of the empty text: bookings due from today.
    EXPECT_EQ(w->cds_F4104->ParamByName(QStringLiteral("edt_Deliveredsearch")).AsString(), QString());
    EXPECT_FALSE(w->cds_F4104->ParamByName(QStringLiteral("edt_Deliveredsearch")).IsNull());
    EXPECT_EQ(column(w->form().grid_Supporderlist, "OBJUPE"), (QStringList{"홍길동", "김영희"}));
    EXPECT_EQ(server().calls(), QStringList{"GP_SELECT_F4104_SUPPORDER_JUMUNSEARCH"});

    w->form().edt_Deliveredsearch->setText(QStringLiteral("홍"));
    clickButton(w->form().btn_Search);
    TMirelGrid *orders = w->form().grid_Supporderlist;
    ASSERT_EQ(orders->DataSource()->RecordCount(), 1);
    EXPECT_EQ(shown(orders, 0, "OBJUPE"), QStringLiteral("홍길동"));
    EXPECT_EQ(shown(orders, 0, "SHAMT"), QStringLiteral("25,000"));

    touch(orders, 0);
    TMirelGrid *lines = w->form().grid_SupporderDet;
    ASSERT_TRUE(w->cds_F4101_dt->Active());
    ASSERT_EQ(lines->DataSource()->RecordCount(), 1);
    EXPECT_EQ(shown(lines, 0, "IMNAME"), QStringLiteral("생크림케이크"));
    EXPECT_EQ(shown(lines, 0, "SDQTY"), QStringLiteral("1"));
    EXPECT_EQ(shown(lines, 0, "SDAMT"), QStringLiteral("25,000"));
    EXPECT_EQ(w->form().edt_Receive->text(), QStringLiteral("홍길동"));
    EXPECT_EQ(w->form().edt_Telephone->text(), QStringLiteral("01012345678"));
    EXPECT_EQ(w->form().edt_Memo->text(), QStringLiteral("초 3개 넣어 주세요"));
    EXPECT_TRUE(w->form().edt_Receive->isReadOnly() && w->form().edt_Telephone->isReadOnly() && w->form().edt_Memo->isReadOnly());

    // A search that finds nothing: touching the list closes the lines and
    // clears the receiver.
    w->form().edt_Deliveredsearch->setText(QStringLiteral("없는손님"));
    clickButton(w->form().btn_Search);
    ASSERT_EQ(orders->DataSource()->RecordCount(), 0);
    touch(orders, 0);
    QTest::mouseClick(orders->viewport(), Qt::LeftButton, {}, QPoint(20, orders->viewport()->height() - 5));
    EXPECT_TRUE(w->form().edt_Receive->text().isEmpty());
    EXPECT_TRUE(w->form().edt_Memo->text().isEmpty());
}

TEST_F(TblOrdListTest, PagingButtonsMoveByAPageOfTheirGrid)
{
    const auto exec = [](const char *sql) {
        auto lease = server().store().acquire();
        lease.db().exec(sql);
    };
    struct Cleanup {
        std::function<void()> run;
        ~Cleanup() { run(); }
    } cleanup{[&] { exec("DELETE FROM F4104 WHERE OBNUMB > 100; DELETE FROM F4101 WHERE SDPOID = '98'; DELETE FROM F4100 WHERE SHPOID = '98'"); }};
    {
        exec(
            "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 20)"
            " INSERT INTO F4104 (OBCMCD, OBBUUT, OBNUMB, OBJUPE, OBYEDT, OBSHDATE, OBSHPOID, OBSHNUMB)"
            " SELECT '9999', '9999', 100 + k, '손님' || k, date('now', 'localtime', '+5 days'), '20261210', '98', 1 FROM n;"
            "INSERT INTO F4100 (SHCMCD, SHBUUT, SHDATE, SHPOID, SHNUMB, SHAMT) VALUES ('9999', '9999', '20261210', '98', 1, 30000);"
            "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 30)"
            " INSERT INTO F4101 (SDCMCD, SDBUUT, SDDATE, SDPOID, SDNUMB, SDSEQ, SDITNB, SDQTY, SDAMT)"
            " SELECT '9999', '9999', '20261210', '98', 1, k, '100001', k, 1000 FROM n;");
    }
    other(QStringLiteral("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 60)"
                         " INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME) SELECT 1, 1, k, '품목' || k FROM n"));
    showWindow();

    struct Case {
        TMirelGrid *grid;
        const char *up, *down;
        int rows;
    };
    clickButton(w->form().btn_NapPum);
    touch(w->form().grid_Supporderlist, 2); // the sale with 30 lines
    const Case cases[] = {
        {w->form().grid_Supporderlist, "btn_Up1", "btn_Down1", 9},
        {w->form().grid_SupporderDet, "btn_Up2", "btn_Down2", 14},
        {w->form().mgd_TableJumunList, "btn_grid_TableOrdlistUp", "btn_grid_TableOrdlistDown", 24},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.down);
        DataSet *ds = c.grid->DataSource();
        ASSERT_GT(ds->RecordCount(), 2 * c.rows);
        ds->First();
        auto *down = w->findChild<TMirelImgBtn *>(QLatin1String(c.down));
        auto *up = w->findChild<TMirelImgBtn *>(QLatin1String(c.up));
        ASSERT_TRUE(down && up);
        if (!down->isVisible()) // the table orders' buttons are on page 0
            clickButton(w->form().btn_AllJumunList);
        emit down->OnClick(down);
        EXPECT_EQ(ds->RecNo(), 1 + c.rows);
        emit down->OnClick(down);
        EXPECT_EQ(ds->RecNo(), 1 + 2 * c.rows);
        emit up->OnClick(up);
        EXPECT_EQ(ds->RecNo(), 1 + c.rows);
        EXPECT_TRUE(c.grid->hasFocus());
    }
}

TEST_F(TblOrdListTest, DemoWriterOrdersAreListedWithPlaceNamesAndMemos)
{
    QString binDir = qEnvironmentVariable("RALD_BIN_DIR");
    if (binDir.isEmpty())
        binDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/../bin");
    const QString tool = binDir + QStringLiteral("/tableorders");
    ASSERT_TRUE(QFileInfo::exists(tool)) << tool.toStdString();
    // A place name set by the table-order program is kept.
    other(QStringLiteral("INSERT INTO TBLCNF (FL_NO, TBL_NO, TNAME) VALUES (0, 1, '테라스')"));
    showWindow();
    for (int run = 0; run < 2; ++run) {
        QProcess p;
        p.start(tool, {dm->LocalConnection.filePath()});
        ASSERT_TRUE(p.waitForFinished(30000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    clickButton(w->form().btnClose);
    showWindow();
    TMirelGrid *grid = w->form().mgd_TableJumunList;
    ASSERT_EQ(grid->DataSource()->RecordCount(), 6);
    EXPECT_EQ(column(grid, "TableName").mid(0, 3), (QStringList{"테이블1", "테이블1", "테라스"}));
    EXPECT_EQ(column(grid, "TableMemo").mid(0, 3), (QStringList{"얼음 적게", "", "창가 자리"}));
    EXPECT_TRUE(grid->ToggleSelect());
}
