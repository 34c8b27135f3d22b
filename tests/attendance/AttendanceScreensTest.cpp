// The staff time clock, the attendance details and holiday management,
// driven by component name against the test server with a fixed application
// clock. Each test works on days of its own, far from the demo data.

#include "ScreenTestUtil.h"

#include "Components/MirelComp/MirelGrid.h"
#include "attendance/U637_DiligenceDetailsEdit.h"
#include "attendance/U638_AttendModify.h"
#include "attendance/U680_Vacamng.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"
#include "support/DemoTerminal.h"
#include "support/MessageResponder.h"
#include "support/TestServer.h"

#include "Dispatcher.h"
#include "Store.h"
#include "ui_U637_DiligenceDetailsEdit.h"
#include "ui_U638_AttendModify.h"
#include "ui_U680_Vacamng.h"

#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QSet>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimeEdit>

#include <SQLiteCpp/Database.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kLee = QStringLiteral("90000002");  // 이직원, row 1 of the list
const QString kKim = QStringLiteral("90000001");  // 김관리, manager, row 0
const QString kChoi = QStringLiteral("90000004"); // 최제빵, row 2
const QString kPark = QStringLiteral("90000003"); // 박조회, row 3

class AttendanceScreens : public TestServerSuite {
protected:
    void SetUp() override
    {
        saved = MyConfig;
        MyConfig = DemoTerminalConfig(server());
        MyConfig.UIADNB = kKim;
        ASSERT_TRUE(dir.isValid());
        LogFileName = dir.filePath(QStringLiteral("test.log"));
        dm = std::make_unique<TDM>();
        DM = dm.get();
        ASSERT_TRUE(dm->SDB_Open());
        TestServer::signIn(*dm->ROChannel, QStringLiteral("1001")); // kKim, as the sign-in screen leaves it
        setToday(QDate(2031, 3, 10));
        server().clearCalls();
    }

    void TearDown() override
    {
        DM = nullptr;
        dm.reset();
        MyConfig = saved;
        LogFileName.clear();
    }

    // The terminal started on `day` (its start day) and the clock reads `now`.
    static void setToday(const QDate &day, const QTime &now = QTime(9, 0))
    {
        MyConfig.StartDate = QDateTime(day, QTime(8, 0));
        os::SetNow(QDateTime(day, now));
    }

    // The time clock as the sign-in screen and the menu open it.
    std::unique_ptr<TF638_AttendModify> openClock(const QString &employee, const QString &name, bool manager)
    {
        auto screen = std::make_unique<TF638_AttendModify>();
        // The clock opens after the employee signed in on the terminal.
        {
            auto lease = server().store().acquire();
            SQLite::Statement login(lease.db(), "SELECT UIPUSR FROM F0050 WHERE UIADNB = ?1");
            login.bind(1, employee.toStdString());
            if (login.executeStep())
                TestServer::signIn(*dm->ROChannel, QString::fromStdString(login.getColumn(0).getString()));
        }
        FakeSignIn signIn;
        signIn.setRow(employee, name, manager);
        HandSignInToTimeClock(screen.get(), signIn.row);
        screen->show();
        return screen;
    }

    static void click(QWidget *screen, const char *button)
    {
        auto *b = screen->findChild<TMirelImgBtn *>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        clickButton(b);
    }

    static void touch(TMirelGrid *grid, int col, int row)
    {
        const QRect r = grid->CellRect(col, row);
        ASSERT_FALSE(r.isEmpty());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.translated(-grid->viewport()->pos()).center());
    }

    // Rows of F0150 as "EIADNB EIDATE EIKUNT" (plus the time when asked), in key order.
    static QStringList events(const QString &where, bool withTime = false)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), ("SELECT EIADNB, EIDATE, EIKUNT, EITIME, EIBUUT FROM F0150 WHERE "
                                          + where + " ORDER BY EIDATE, EITIME, EIADNB")
                                             .toStdString());
        QStringList out;
        while (st.executeStep()) {
            QString row = QStringLiteral("%1 %2 %3").arg(st.getColumn(0).getText(), st.getColumn(1).getText(),
                                                         st.getColumn(2).getText());
            if (withTime)
                row += QStringLiteral(" %1 %2").arg(st.getColumn(3).getText(), st.getColumn(4).getText());
            out << row;
        }
        return out;
    }

    static void addEvent(const QString &employee, const QString &day, const QString &time, const char *kind,
                         const QString &unit = QStringLiteral("9999"))
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), "INSERT INTO F0150 (EICMCD, EIBUUT, EIDATE, EISEQ, EIADNB, EITIME, EIKUNT)"
                                         " SELECT '9999', ?1, ?2, COALESCE(MAX(EISEQ), 0) + 1, ?3, ?4, ?5 FROM F0150"
                                         " WHERE EICMCD = '9999' AND EIBUUT = ?1 AND EIDATE = ?2");
        st.bind(1, unit.toStdString());
        st.bind(2, day.toStdString());
        st.bind(3, employee.toStdString());
        st.bind(4, (day.left(4) + '-' + day.mid(4, 2) + '-' + day.mid(6, 2) + ' ' + time).toStdString());
        st.bind(5, kind);
        st.exec();
    }

    QStringList noticesTexts() const
    {
        QStringList out;
        for (const auto &m : responder.notices())
            out << m.text;
        return out;
    }

    bool called(const char *procedure) const { return server().calls().contains(QLatin1String(procedure)); }

    TMyConfig saved;
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    ClockGuard clock;
    MessageResponder responder;
};

// ---- time clock ------------------------------------------------------------

TEST_F(AttendanceScreens, TenDayTitlesFollowTheStartAcrossTheYear)
{
    auto screen = openClock(kLee, QStringLiteral("이직원"), false);
    EXPECT_EQ(screen->form().date_Search1->date(), QDate(2031, 3, 10));
    EXPECT_FALSE(screen->form().date_Search2->isEnabled());

    screen->form().date_Search1->setDate(QDate(2031, 12, 28));
    EXPECT_EQ(screen->form().date_Search2->date(), QDate(2032, 1, 6));
    click(screen.get(), "btn_Search");
    QStringList titles;
    for (int c = 2; c < 12; ++c)
        titles << screen->form().grid_AttendModify->Columns().Items(c)->Title()->Caption();
    EXPECT_EQ(titles, QString("12-28 12-29 12-30 12-31 01-01 01-02 01-03 01-04 01-05 01-06").split(' '));
    EXPECT_EQ(screen->cds_F0150_s->RecordCount(), 4);
}

TEST_F(AttendanceScreens, ClockInStoresTheStartDayOnceAndTheSecondIsRefusedWithoutReload)
{
    struct Case {
        QDate start;
        QTime now;
        QDate clockDate;
    };
    // The second terminal started the day before and the clock has passed midnight.
    const Case cases[] = {{QDate(2031, 3, 10), QTime(9, 0), QDate(2031, 3, 10)},
                          {QDate(2031, 3, 12), QTime(0, 30), QDate(2031, 3, 13)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start.toString().toStdString());
        MyConfig.StartDate = QDateTime(c.start, QTime(8, 0));
        os::SetNow(QDateTime(c.clockDate, c.now));
        auto screen = openClock(kLee, QStringLiteral("이직원"), false);
        screen->form().date_Search1->setDate(c.start);
        const QString day = c.start.toString(QStringLiteral("yyyyMMdd"));

        responder.answer(mrYes);
        click(screen.get(), "btn_Office");
        EXPECT_EQ(events(QStringLiteral("EIDATE >= '%1' AND EIDATE < '20310320'").arg(day)),
                  QStringList{kLee + ' ' + day + QStringLiteral(" 001")});
        ASSERT_TRUE(screen->cds_F0150_s->Locate(QStringLiteral("abadnb"), kLee));
        EXPECT_TRUE(screen->cds_F0150_s->FieldByName(QStringLiteral("m1")).AsString().endsWith('~'));
        EXPECT_TRUE(responder.notices().isEmpty()); // a success shows nothing

        server().clearCalls();
        responder.answer(mrYes);
        click(screen.get(), "btn_Office");
        EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("이미 출근 하셨습니다")});
        EXPECT_EQ(responder.notices().first().stayMs, 3000);
        EXPECT_EQ(server().calls(), QStringList{QStringLiteral("GP_INSERT_F0150_USER_ATTENTION")});
        responder.clear();
    }
}

TEST_F(AttendanceScreens, EveryRefusalCodeShowsItsText)
{
    struct Case {
        QList<const char *> buttons; // pressed in order, each answered yes
        const char *text;
    };
    const Case cases[] = {
        {{"btn_Office", "btn_Office"}, "이미 출근 하셨습니다"},
        {{"btn_leave", "btn_leave"}, "이미 퇴근 하셨습니다"},
        {{"btn_Out", "btn_Out"}, "이미 외출 하셨습니다"},
        {{"btn_Pagen", "btn_Pagen"}, "이미 파견중 입니다"},
        {{"btn_Chuljang", "btn_Chuljang"}, "이미 출장 나가셨습니다"},
        {{"bnt_Rest", "bnt_Rest"}, "이미 휴게중 입니다"},
        {{"btn_Return"}, "복귀를 처리할 내용이 없습니다!"},
        {{"bnt_Rest", "btn_Return", "btn_Return"}, "복귀 하셨습니다!"},
        {{"btn_Absence", "btn_Absence"}, "결근중 입니다"},
        {{"btn_Early", "btn_Early"}, "이미 조퇴 하셨습니다"},
        {{"btn_leave", "btn_Absence"}, nullptr}, // 9 for oneself: no text, the list reloads
    };
    int day = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.buttons.last());
        setToday(QDate(2031, 4, day++));
        auto screen = openClock(kPark, QStringLiteral("박조회"), false);
        responder.clear();
        for (const char *b : c.buttons) {
            server().clearCalls();
            responder.answer(mrYes);
            click(screen.get(), b);
        }
        if (c.text) {
            EXPECT_EQ(noticesTexts(), QStringList{QString::fromUtf8(c.text)});
            EXPECT_FALSE(called("GP_SELECT_F0150_EMPLOYEEINQUIRY_POS"));
        } else {
            EXPECT_TRUE(responder.notices().isEmpty());
            EXPECT_TRUE(called("GP_SELECT_F0150_EMPLOYEEINQUIRY_POS"));
        }
    }

    // A manager registering an absence for a touched employee who clocked out.
    setToday(QDate(2031, 4, 20));
    auto screen = openClock(kKim, QStringLiteral("김관리"), true);
    touch(screen->form().grid_AttendModify, 0, 1);
    responder.clear();
    responder.answer({mrYes, mrYes});
    click(screen.get(), "btn_leave");
    click(screen.get(), "btn_Absence");
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("퇴근하셨습니다.")});
    EXPECT_EQ(events(QStringLiteral("EIDATE = '20310420'")), QStringList{kLee + QStringLiteral(" 20310420 002")});
}

TEST_F(AttendanceScreens, ManagerRegistersForTheCurrentRowAfterATouchEveryoneElseForThemselves)
{
    setToday(QDate(2031, 5, 1));
    auto manager = openClock(kKim, QStringLiteral("김관리"), true);
    // Not touched yet: for the manager.
    responder.answer({mrYes, mrYes, mrYes});
    click(manager.get(), "btn_Office");
    touch(manager->form().grid_AttendModify, 0, 1);
    EXPECT_EQ(manager->form().edt_aName->text(), QStringLiteral("이직원"));
    click(manager.get(), "btn_Office");
    // After the reload the touched row is current again; the cursor moves
    // without a touch, and the registration follows the current row.
    EXPECT_EQ(manager->cds_F0150_s->FieldByName(QStringLiteral("abadnb")).AsString(), kLee);
    manager->cds_F0150_s->Next();
    click(manager.get(), "btn_Office");
    EXPECT_EQ(events(QStringLiteral("EIDATE = '20310501'")),
              QStringList({kKim + QStringLiteral(" 20310501 001"), kLee + QStringLiteral(" 20310501 001"),
                           kChoi + QStringLiteral(" 20310501 001")}));
    manager.reset();

    setToday(QDate(2031, 5, 2));
    auto user = openClock(kPark, QStringLiteral("박조회"), false);
    touch(user->form().grid_AttendModify, 0, 1);
    responder.answer(mrYes);
    click(user.get(), "btn_Office");
    EXPECT_EQ(events(QStringLiteral("EIDATE = '20310502'")), QStringList{kPark + QStringLiteral(" 20310502 001")});

    click(user.get(), "btn_Closed");
    EXPECT_EQ(noticesTexts().last(), QStringLiteral("관리자가 아닙니다."));
}

TEST_F(AttendanceScreens, FailedRegistrationIsLoggedAndTold)
{
    setToday(QDate(2031, 5, 5));
    auto screen = openClock(kLee, QStringLiteral("이직원"), false);
    server().failCall(QStringLiteral("GP_INSERT_F0150_USER_ATTENTION"), 1, TestServer::FailMode::BeforeRun);
    server().clearCalls();
    responder.answer(mrYes);
    click(screen.get(), "btn_Office");
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices().first().stayMs, 3000);
    EXPECT_TRUE(called("GP_SELECT_F0150_EMPLOYEEINQUIRY_POS"));
    QFile log(LogFileName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLocal8Bit(log.readAll()).contains(QStringLiteral("TF638_AttendModify.UpsertAttention Error:")));
    EXPECT_TRUE(events(QStringLiteral("EIDATE = '20310505'")).isEmpty());
}

TEST_F(AttendanceScreens, TakesTheSignInRowAndClosesForTheMenu)
{
    auto screen = openClock(kKim, QStringLiteral("김관리"), true);
    EXPECT_TRUE(screen->IsManager);
    EXPECT_EQ(screen->form().Edit3->text(), kKim);
    EXPECT_EQ(screen->form().Label3->text(), QStringLiteral("김관리"));
    EXPECT_EQ(screen->MenuViewState, QStringLiteral("0"));
    EXPECT_EQ(screen->MenuTag(), 501315);
    screen->CloseOperation();
    EXPECT_EQ(screen->result(), 2);
}

// ---- opening the details -----------------------------------------------------

TEST_F(AttendanceScreens, NonManagerOpensOnlyTheirOwnCurrentRow)
{
    auto screen = openClock(kLee, QStringLiteral("이직원"), false);
    touch(screen->form().grid_AttendModify, 0, 1);
    click(screen.get(), "btn_AttendModifydown"); // the last row is current now, untouched
    click(screen.get(), "btn_SangSeList");
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices().first().text, QStringLiteral("이직원님만 선택 할수 있습니다"));
    EXPECT_EQ(responder.notices().first().stayMs, 2000);

    click(screen.get(), "btn_AttendModifyup");
    touch(screen->form().grid_AttendModify, 0, 1);
    QString opened;
    whenLoopRuns([&] {
        auto *details = qobject_cast<TF637_DiligenceDetailsEdit *>(QApplication::activeModalWidget());
        ASSERT_NE(details, nullptr);
        opened = details->EmployeeNo;
        details->done(2);
    });
    click(screen.get(), "btn_SangSeList");
    EXPECT_EQ(opened, kLee);
}

TEST_F(AttendanceScreens, DetailsOpenTheTouchedDayOrTheWholeRange)
{
    addEvent(kLee, QStringLiteral("20320101"), QStringLiteral("09:00:00"), "001");
    addEvent(kLee, QStringLiteral("20320102"), QStringLiteral("09:10:00"), "001");
    auto screen = openClock(kKim, QStringLiteral("김관리"), true);
    screen->form().date_Search1->setDate(QDate(2031, 12, 28));
    click(screen.get(), "btn_Search");

    struct Case {
        int column;
        QDate start, end;
        QStringList days;
    };
    const Case cases[] = {{7, QDate(2032, 1, 2), QDate(2032, 1, 2), {QStringLiteral("2032-01-02")}},
                          {0, QDate(2031, 12, 28), QDate(2032, 1, 6),
                           {QStringLiteral("2032-01-01"), QStringLiteral("2032-01-02")}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        touch(screen->form().grid_AttendModify, c.column, 1);
        QStringList days;
        QString employee, name;
        whenLoopRuns([&] {
            auto *details = qobject_cast<TF637_DiligenceDetailsEdit *>(QApplication::activeModalWidget());
            ASSERT_NE(details, nullptr);
            EXPECT_EQ(details->RangeStart, QDateTime(c.start, QTime(0, 0)));
            EXPECT_EQ(details->RangeEnd, QDateTime(c.end, QTime(0, 0)));
            employee = details->EmployeeNo;
            name = details->form().edt_AddName->text();
            for (int r = 0; r < details->vtb_Dide->rowCount(); ++r)
                days << details->vtb_Dide->displayText(r, details->vtb_Dide->fieldIndex(QStringLiteral("sdate")));
            details->done(2);
        });
        server().clearCalls();
        click(screen.get(), "btn_SangSeList");
        EXPECT_EQ(employee, kLee);
        EXPECT_EQ(name, QStringLiteral("이직원"));
        EXPECT_EQ(days, c.days);
        EXPECT_TRUE(called("GP_SELECT_F0150_EMPLOYEEINQUIRY_POS")); // closed without OK: reload
    }
}

// ---- details screen ------------------------------------------------------------

class DetailsScreen : public AttendanceScreens {
protected:
    std::unique_ptr<TF637_DiligenceDetailsEdit> openDetails(const QString &employee, const QDate &from, const QDate &to)
    {
        auto screen = std::make_unique<TF637_DiligenceDetailsEdit>();
        screen->EmployeeNo = employee;
        screen->RangeStart = QDateTime(from, QTime(0, 0));
        screen->RangeEnd = QDateTime(to, QTime(0, 0));
        screen->show();
        return screen;
    }
    static void chooseUnit(TF637_DiligenceDetailsEdit *s, const QString &code)
    {
        s->form().combo_Client1->setCurrentIndex(s->form().ComboBox1->findText(code));
    }
};

TEST_F(DetailsScreen, RegistrationNeedsATimeThenAUnitAndStoresOneEvent)
{
    auto screen = openDetails(kChoi, QDate(2031, 6, 1), QDate(2031, 6, 30));
    struct Case {
        const char *button;
        QTime time;
        bool unit;
        const char *text;
    };
    const Case cases[] = {
        {"btn_Office", QTime(0, 0), true, "출근 시간을 입력해 주세요!"},
        {"btn_Early", QTime(0, 0), false, "조퇴 시간을 입력해 주세요!"},
        {"btn_Office", QTime(9, 0), false, "출근하실 사업단위를 선택해 주세요!"},
        {"btn_Absence", QTime(9, 0), false, "결근하신 사업단위를 선택해 주세요!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        screen->form().Time1->setTime(c.time);
        if (c.unit)
            chooseUnit(screen.get(), QStringLiteral("9999"));
        else
            screen->form().combo_Client1->setCurrentIndex(-1);
        responder.clear();
        click(screen.get(), c.button);
        EXPECT_EQ(noticesTexts(), QStringList{QString::fromUtf8(c.text)});
    }
    EXPECT_FALSE(called("GP_INSERT_F0150_DiligenceDetailsEdit"));

    screen->form().Date1->setDate(QDate(2031, 6, 5));
    screen->form().Time1->setTime(QTime(10, 20, 30));
    chooseUnit(screen.get(), QStringLiteral("0001"));
    EXPECT_EQ(screen->form().Edit1->text(), QStringLiteral("0001"));
    responder.answer(mrYes);
    click(screen.get(), "btn_leave");
    EXPECT_EQ(responder.questions().last().text, QStringLiteral("퇴근 시간을 등록 하시겠습니까?"));
    EXPECT_EQ(events(QStringLiteral("EIADNB = '%1' AND EIDATE LIKE '203106%'").arg(kChoi), true),
              QStringList{kChoi + QStringLiteral(" 20310605 002 2031-06-05 10:20:30 0001")});
    // Reloaded: the record is listed and the inputs are reset.
    EXPECT_EQ(screen->vtb_Dide->RecordCount(), 1);
    EXPECT_EQ(screen->form().Time1->time(), QTime(0, 0));
    EXPECT_TRUE(screen->form().Edit1->text().isEmpty());
}

TEST_F(DetailsScreen, CorrectionMovesTheTouchedSideAndNeedsATouchSinceTheLoad)
{
    const QString who = kChoi;
    addEvent(who, QStringLiteral("20310710"), QStringLiteral("09:00:00"), "001");
    addEvent(who, QStringLiteral("20310710"), QStringLiteral("18:00:00"), "002");
    setToday(QDate(2031, 7, 11), QTime(14, 45, 10));
    auto screen = openDetails(who, QDate(2031, 7, 1), QDate(2031, 7, 31));
    ASSERT_EQ(screen->vtb_Dide->RecordCount(), 1);

    // Nothing touched since the load: nothing to correct, nothing sent.
    click(screen.get(), "btn_Edit");
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("수정할 내역이 없습니다.")});
    EXPECT_FALSE(called("GP_UPDATE_F0150_DiligenceDetails"));

    // The end side: its date, time and unit come into the inputs.
    touch(screen->form().grid_DiligenceDetails, 5, 0);
    EXPECT_EQ(screen->form().Date1->date(), QDate(2031, 7, 10));
    EXPECT_EQ(screen->form().Time1->time(), QTime(18, 0));
    EXPECT_EQ(screen->form().Edit1->text(), QStringLiteral("9999"));
    screen->form().Time1->setTime(QTime(19, 15, 0));
    responder.answer(mrYes);
    click(screen.get(), "btn_Edit");
    EXPECT_EQ(events(QStringLiteral("EIADNB = '%1' AND EIDATE LIKE '203107%'").arg(who), true),
              QStringList({who + QStringLiteral(" 20310710 001 2031-07-10 09:00:00 9999"),
                           who + QStringLiteral(" 20310710 002 2031-07-10 19:15:00 9999")}));

    // The reload forgot the side.
    server().clearCalls();
    responder.clear();
    click(screen.get(), "btn_Edit");
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("수정할 내역이 없습니다.")});
    EXPECT_FALSE(called("GP_UPDATE_F0150_DiligenceDetails"));

    // After New the date is today's date: the time of day of the clock is not added.
    touch(screen->form().grid_DiligenceDetails, 6, 0);
    click(screen.get(), "btn_New");
    screen->form().Time1->setTime(QTime(1, 0, 0));
    chooseUnit(screen.get(), QStringLiteral("9999"));
    responder.answer(mrYes);
    click(screen.get(), "btn_Edit");
    EXPECT_EQ(events(QStringLiteral("EIADNB = '%1' AND EIDATE LIKE '203107%'").arg(who), true),
              QStringList({who + QStringLiteral(" 20310710 001 2031-07-10 09:00:00 9999"),
                           who + QStringLiteral(" 20310711 002 2031-07-11 01:00:00 9999")}));
}

TEST_F(DetailsScreen, DeletingAPairWithoutAnEndRemovesOnlyItsStart)
{
    const QString who = kChoi;
    addEvent(who, QStringLiteral("20310812"), QStringLiteral("09:00:00"), "001");
    addEvent(who, QStringLiteral("20310812"), QStringLiteral("18:00:00"), "002");
    addEvent(who, QStringLiteral("20310812"), QStringLiteral("11:00:00"), "006");
    auto screen = openDetails(who, QDate(2031, 8, 12), QDate(2031, 8, 12));
    ASSERT_EQ(screen->vtb_Dide->RecordCount(), 2);
    ASSERT_TRUE(screen->vtb_Dide->Locate(QStringLiteral("stkunt"), QStringLiteral("006")));
    responder.answer(mrYes);
    click(screen.get(), "btn_Del");
    EXPECT_EQ(screen->cds_F0150_d->ParamByName(QStringLiteral("OPTION")).AsInteger(), 1);
    EXPECT_EQ(events(QStringLiteral("EIDATE = '20310812'")),
              QStringList({who + QStringLiteral(" 20310812 001"), who + QStringLiteral(" 20310812 002")}));

    // A whole pair goes with OPTION 0.
    responder.answer(mrYes);
    click(screen.get(), "btn_Del");
    EXPECT_EQ(screen->cds_F0150_d->ParamByName(QStringLiteral("OPTION")).AsInteger(), 0);
    EXPECT_TRUE(events(QStringLiteral("EIDATE = '20310812'")).isEmpty());
    click(screen.get(), "btn_Del");
    EXPECT_EQ(noticesTexts().last(), QStringLiteral("삭제할 내역이 없습니다."));
}

TEST_F(DetailsScreen, EndCellsOfOpenPairsAreDrawnWhite)
{
    const QString who = kChoi;
    addEvent(who, QStringLiteral("20310813"), QStringLiteral("09:00:00"), "001");
    addEvent(who, QStringLiteral("20310813"), QStringLiteral("18:00:00"), "002");
    addEvent(who, QStringLiteral("20310813"), QStringLiteral("11:00:00"), "006");
    auto screen = openDetails(who, QDate(2031, 8, 13), QDate(2031, 8, 13));
    screen->vtb_Dide->Last(); // the open pair is not the painted current row
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    const QImage image = screen->form().grid_DiligenceDetails->grab().toImage();
    const auto whiteOnly = [&](int col, int row) {
        const QRect r = screen->form().grid_DiligenceDetails->CellRect(col, row).adjusted(2, 2, -2, -2);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    return false;
        return true;
    };
    // Row 0 the closed work pair, row 1 the open going-out pair.
    EXPECT_FALSE(whiteOnly(4, 0));
    EXPECT_FALSE(whiteOnly(5, 0));
    EXPECT_TRUE(whiteOnly(4, 1));
    EXPECT_TRUE(whiteOnly(5, 1));
    EXPECT_FALSE(whiteOnly(0, 1));
}

TEST_F(DetailsScreen, KeyPadSendsItsKeysToTheFocusedInputAndEscapeKeepsTheScreen)
{
    auto screen = openDetails(kChoi, QDate(2031, 9, 2), QDate(2031, 9, 2));
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    screen->form().Time1->setFocus();
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    struct KeyLog : QObject {
        QList<int> keys;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::KeyPress)
                keys << static_cast<QKeyEvent *>(e)->key();
            return false;
        }
    } log;
    target->installEventFilter(&log);
    for (const char *b : {"btn_7", "btn_0", "btn_Back", "btn_Enter"})
        click(screen.get(), b);
    EXPECT_EQ(log.keys, QList<int>({Qt::Key_7, Qt::Key_0, Qt::Key_Backspace, Qt::Key_Tab}));

    screen->form().Time1->setFocus();
    QApplication::focusWidget()->installEventFilter(&log);
    log.keys.clear();
    click(screen.get(), "btn_Clear");
    EXPECT_EQ(log.keys, QList<int>(5, Qt::Key_Escape));
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(DetailsScreen, UnitListHoldsEachUnitOnceAfterReloads)
{
    auto screen = openDetails(kChoi, QDate(2031, 9, 1), QDate(2031, 9, 1));
    for (int i = 0; i < 3; ++i)
        screen->LoadDiligenceDetails();
    QStringList codes;
    for (int i = 0; i < screen->form().ComboBox1->count(); ++i)
        codes << screen->form().ComboBox1->itemText(i);
    EXPECT_EQ(codes.size(), screen->form().combo_Client1->count());
    EXPECT_EQ(codes.size(), QSet<QString>(codes.begin(), codes.end()).size());
    EXPECT_TRUE(codes.contains(QStringLiteral("9999")));
    EXPECT_TRUE(codes.contains(QStringLiteral("0001")));
}

TEST_F(DetailsScreen, RegistrationForNobodyIsRefusedByTheServerAndShownAsAnError)
{
    // Opened from the job-type column: no employee.
    auto screen = openDetails(QString(), QDate(), QDate());
    screen->form().Time1->setTime(QTime(9, 0));
    chooseUnit(screen.get(), QStringLiteral("9999"));
    ErrorBoxWatcher watcher;
    responder.answer(mrYes);
    click(screen.get(), "btn_Office");
    ASSERT_EQ(watcher.texts.size(), 1);
    EXPECT_EQ(watcher.texts.first(), QStringLiteral("사원이 지정되지 않았습니다."));
    EXPECT_TRUE(events(QStringLiteral("EIADNB = ''")).isEmpty());
}

// ---- holidays ------------------------------------------------------------------

class HolidayScreen : public AttendanceScreens {
protected:
    std::unique_ptr<TF680_Vacamng> openHolidays()
    {
        auto screen = std::make_unique<TF680_Vacamng>();
        screen->show();
        return screen;
    }
    void setRange(TF680_Vacamng *s, const QDate &from, const QDate &to)
    {
        s->form().date_Search1->setDate(from);
        s->form().date_Search2->setDate(to);
        responder.clear();
    }
};

TEST_F(HolidayScreen, ShowsTheOwnStoreAndRegistersDaysUntilADuplicate)
{
    setToday(QDate(2031, 5, 20));
    addEvent(kPark, QStringLiteral("20310504"), QStringLiteral("00:00:00"), "009");
    auto screen = openHolidays();
    EXPECT_EQ(screen->form().date_Search1->date(), QDate(2031, 5, 19));
    EXPECT_EQ(screen->form().date_Search2->date(), QDate(2031, 5, 20));
    EXPECT_EQ(screen->form().Edit1->text(), QStringLiteral("9999"));
    EXPECT_EQ(screen->form().ComboBox1->currentText(), QStringLiteral("9999"));
    EXPECT_EQ(screen->cds_F0100_Vacamng->RecordCount(), 4);
    EXPECT_TRUE(responder.messages().isEmpty());

    // Without a chosen employee nothing is searched or registered.
    click(screen.get(), "btn_Search");
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("사원을 선택해 주세요")});

    touch(screen->form().grid_Vacamng1, 2, 3);
    setRange(screen.get(), QDate(2031, 5, 3), QDate(2031, 5, 5));
    responder.answer(mrYes);
    click(screen.get(), "btn_VacationAccount");
    EXPECT_EQ(responder.questions().first().text, QStringLiteral("2031-05-03~2031-05-05까지 등록 하시겠습니까?"));
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("휴일 중복 불가입니다, 확인해 주세요")});
    EXPECT_EQ(events(QStringLiteral("EIDATE LIKE '203105%'")),
              QStringList({kPark + QStringLiteral(" 20310503 009"), kPark + QStringLiteral(" 20310504 009")}));
    EXPECT_EQ(screen->cds_F0150_Humuil->RecordCount(), 2);
}

TEST_F(HolidayScreen, RangesOutsideOneMonthUpToThisMonthAreRefused)
{
    setToday(QDate(2031, 6, 20));
    auto screen = openHolidays();
    touch(screen->form().grid_Vacamng1, 2, 2);
    struct Case {
        QDate from, to;
        const char *notice; // nullptr: accepted, the question comes
    };
    const Case cases[] = {
        {QDate(2031, 6, 25), QDate(2031, 7, 1), "휴뮤등록은 월단위로 끊어서 등록해 주세요!"},
        {QDate(2031, 5, 30), QDate(2031, 6, 2), "휴뮤등록은 월단위로 끊어서 등록해 주세요!"},
        {QDate(2031, 6, 12), QDate(2031, 6, 10), "날짜를 반대로 선택하셨습니다, 다시 확인해 주세요!"},
        {QDate(2031, 6, 29), QDate(2031, 6, 30), nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from.toString().toStdString());
        setRange(screen.get(), c.from, c.to);
        if (!c.notice)
            responder.answer(mrNo);
        click(screen.get(), "btn_VacationAccount");
        if (c.notice) {
            EXPECT_EQ(noticesTexts(), QStringList{QString::fromUtf8(c.notice)});
            EXPECT_EQ(responder.notices().first().stayMs, 3000);
            EXPECT_TRUE(responder.questions().isEmpty());
        } else {
            EXPECT_TRUE(responder.notices().isEmpty());
            EXPECT_EQ(responder.questions().size(), 1);
        }
    }
    // Choosing an end before the start tells so at once.
    screen->form().date_Search2->setDate(QDate(2031, 6, 1));
    EXPECT_EQ(noticesTexts(), QStringList{QStringLiteral("날짜를 반대로 선택하셨습니다, 다시 확인해 주세요!")});
    EXPECT_TRUE(events(QStringLiteral("EIDATE LIKE '20310%' AND EIKUNT = '009'")).isEmpty());
}

TEST_F(HolidayScreen, CancelRemovesTheTouchedHolidayOfTheListedEmployeeOnly)
{
    setToday(QDate(2031, 8, 20));
    addEvent(kPark, QStringLiteral("20310819"), QStringLiteral("00:00:00"), "009");
    addEvent(kChoi, QStringLiteral("20310819"), QStringLiteral("00:00:00"), "009");
    auto screen = openHolidays();
    touch(screen->form().grid_Vacamng1, 2, 3); // 박조회
    click(screen.get(), "btn_Search");
    ASSERT_EQ(screen->cds_F0150_Humuil->RecordCount(), 1);

    // No holiday row touched since the list was loaded: nothing happens.
    click(screen.get(), "btn_VacationCancel");
    EXPECT_TRUE(responder.messages().isEmpty());

    touch(screen->form().grid_Vacamng2, 0, 0);
    touch(screen->form().grid_Vacamng1, 2, 2); // 최제빵, whose holidays are not listed
    responder.answer(mrYes);
    click(screen.get(), "btn_VacationCancel");
    EXPECT_EQ(responder.questions().first().text, QStringLiteral("삭제 하시겠습니까?"));
    EXPECT_EQ(events(QStringLiteral("EIDATE = '20310819'")), QStringList{kChoi + QStringLiteral(" 20310819 009")});
    EXPECT_EQ(screen->cds_F0150_Humuil->RecordCount(), 0);
}

} // namespace
