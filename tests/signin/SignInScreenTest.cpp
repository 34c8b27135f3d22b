// The sign-in screen and the user picker, driven by component name against
// the test server: a recording notice browser, the message responder, and a
// capture port as the receipt printer's COM1.

#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelTrnBtn.h"
#include "attendance/U638_AttendModify.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/ProgramRights.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/dataset/DataSet.h"
#include "platform/report/Report.h"
#include "settings/u302_ConfigEnv.h"
#include "shell/MenuTags.h"
#include "shell/NoticeBrowser.h"
#include "shell/ScreenRegistry.h"
#include "shell/ScreenRunner.h"
#include "shell/U505_ScrollMenu.h"
#include "shell/WorkScreen.h"
#include "signin/u501_Login.h"
#include "signin/u502_MngUsers.h"
#include "support/CapturePort.h"
#include "support/DemoTerminal.h"
#include "support/MessageResponder.h"
#include "support/TestServer.h"
#include "ui_U638_AttendModify.h"
#include "ui_u501_Login.h"
#include "ui_u502_MngUsers.h"

#include "Store.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QThread>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#ifdef RALD_TEST_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

#include <SQLiteCpp/Database.h>

#include <gtest/gtest.h>

#include <memory>

using testsupport::CapturePort;

namespace {

template <class Done>
bool eventually(Done done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

class RecordingBrowser : public NoticeBrowser {
public:
    RecordingBrowser(QWidget *parent, QStringList *log) : m_widget(new QWidget(parent)), m_log(log) {}
    QWidget *widget() const override { return m_widget; }
    void Navigate(const QString &url) override { m_log->append(url); }

private:
    QWidget *m_widget;
    QStringList *m_log;
};

// Records the addresses handed to the desktop's web handler.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QStringList urls;
public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};

// A screen the runner opened: its Tag, the user slot and the rights rows then.
struct Opened {
    int tag = 0;
    QString user;
    QSet<QString> rights;
    // What the time clock was handed.
    QString number, name;
    bool manager = false;
};

QSet<QString> rightIds(DataSet *rights)
{
    QSet<QString> ids;
    if (!rights || !rights->Active())
        return ids;
    for (rights->First(); !rights->Eof(); rights->Next())
        ids << rights->FieldByName(QStringLiteral("slpgid")).AsString();
    return ids;
}

class SignInScreen : public TestServerSuite {
protected:
    void SetUp() override
    {
        isolateSharedBlocks();
        ASSERT_TRUE(receipt.isValid());
        saved = MyConfig;
        MyConfig = DemoTerminalConfig(server());
        MyConfig.LoginType = QLatin1Char('0');
        // The receipt port only where a test asks for it (see the port test).
        MyConfig.PortReceipt.clear();
        MyConfig.BaudrateReceipt = QStringLiteral("57600");
        MyConfig.VFDUse = false;
        MyConfig.PortBarcode.clear();
        MyConfig.PortCardReader.clear();
        ASSERT_TRUE(dir.isValid());
        LogFileName = dir.filePath(QStringLiteral("test.log"));
        dm = std::make_unique<TDM>();
        DM = dm.get();
        ASSERT_TRUE(dm->SDB_Open());
        savedCM = CM;
        CM = &cm;

        RegisterScreen<TF638_AttendModify>(MenuTag::TimeClock, F638_AttendModify);
        previousBrowser = SetNoticeBrowserFactory(
            [this](QWidget *parent) { return std::make_unique<RecordingBrowser>(parent, &navigated); });
        menu = std::make_unique<TF505_ScrollMenu>();
        F505_ScrollMenu = menu.get();
        users = std::make_unique<TF502_MngUsers>();
        F502_MngUsers = users.get();
        responder = std::make_unique<MessageResponder>();
        login = std::make_unique<TF501_Login>();
        F501_Login = login.get();
        login->show();

        connection = QObject::connect(&ScreenRunner(), &TScreenRunner::screenStarting,
                                      [this](int tag, TWorkScreen *screen) {
                                          Opened o;
                                          o.tag = tag;
                                          o.user = MyConfig.UIADNB;
                                          o.rights = rightIds(ProgramRights());
                                          if (auto *clock = qobject_cast<TF638_AttendModify *>(screen)) {
                                              o.number = clock->form().Edit3->text();
                                              o.name = clock->form().Label3->text();
                                              o.manager = clock->IsManager;
                                              EXPECT_EQ(F638_AttendModify, clock);
                                          }
                                          opened.append(o);
                                          QPointer<TWorkScreen> alive(screen);
                                          whenLoopRuns([alive] {
                                              if (alive)
                                                  alive->done(TWorkScreen::CloseResult);
                                          });
                                      });
        server().clearCalls();
    }

    void TearDown() override
    {
        QObject::disconnect(connection);
        for (QTimer *t : watchers)
            delete t;
        watchers.clear();
        responder.reset();
        login.reset();
        users.reset();
        menu.reset();
        F505_ScrollMenu = nullptr;
        F502_MngUsers = nullptr;
        F501_Login = nullptr;
        SetNoticeBrowserFactory(previousBrowser);
        UnregisterScreen(MenuTag::TimeClock);
        cm.ComPortsClose();
        cm.StopPrints();
        CM = savedCM;
        DM = nullptr;
        dm.reset();
        MyConfig = saved;
        LogFileName.clear();
    }

    // Acts on the next modal window of class W once it runs.
    template <class W>
    void onModal(std::function<void(W *)> act)
    {
        auto *timer = new QTimer;
        watchers << timer;
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *window = qobject_cast<W *>(top);
                if (window && window->isVisible()) {
                    timer->stop();
                    act(window);
                    return;
                }
            }
        });
        timer->start(10);
    }

    void key(TMirelButtonBase *button) { clickButton(button); }
    void key(const char *name) { key(login->findChild<TMirelButtonBase *>(QLatin1String(name))); }
    void pad(const QString &digits)
    {
        for (QChar d : digits)
            key(login->findChild<TMirelButtonBase *>(QStringLiteral("btn_Num") + d));
    }
    void touch(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

    static void exec(const QString &sql)
    {
        auto lease = server().store().acquire();
        lease.db().exec(sql.toStdString());
    }
    static QSet<QString> groupRights(const char *group)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), "SELECT SLPGID FROM F0030 WHERE SLCMCD = '9999' AND SLUSGR = ?1");
        st.bind(1, group);
        QSet<QString> ids;
        while (st.executeStep())
            ids << QString::fromStdString(st.getColumn(0).getString());
        return ids;
    }

    void expectEmptyScreen(const char *what)
    {
        for (QLineEdit *e : {login->form().edt_CasherName, login->form().edt_ID, login->form().edt_PWD, login->form().edt_Barcode})
            EXPECT_TRUE(e->text().isEmpty()) << what << ": " << e->objectName().toStdString();
        EXPECT_EQ(login->Mode, "0") << what;
        EXPECT_EQ(login->KeypadTarget, login->form().edt_ID) << what;
        EXPECT_EQ(login->focusWidget(), login->form().edt_ID) << what;
    }

    TMyConfig saved;
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    CapturePort receipt{QStringLiteral("COM1")};
    TCM cm;
    TCM *savedCM = nullptr;
    NoticeBrowserFactory previousBrowser;
    QStringList navigated;
    std::unique_ptr<TF505_ScrollMenu> menu;
    std::unique_ptr<TF502_MngUsers> users;
    std::unique_ptr<MessageResponder> responder;
    std::unique_ptr<TF501_Login> login;
    QMetaObject::Connection connection;
    QList<Opened> opened;
    QList<QTimer *> watchers;
};

TEST_F(SignInScreen, EverySuccessfulOrderSignInOpensOrderEntryAndEndsOnTheEmptyScreen)
{
    struct Case {
        const char *what;
        QChar loginType;
        std::function<void()> drive;
    };
    const Case cases[] = {
        {"key pad ID and password", QLatin1Char('0'),
         [this] {
             pad("1001");
             key("btn_Next");
             pad("1234");
             key(login->form().btn_Login);
         }},
        {"barcode and key 501", QLatin1Char('0'),
         [this] {
             touch(login->form().edt_Barcode);
             pad("8800000001");
             key(login->form().btn_Login);
         }},
        {"scanner and Enter", QLatin1Char('1'),
         [this] {
             QTest::keyClicks(login->form().edt_ID, QStringLiteral("8800000001"));
             QTest::keyClick(login->form().edt_ID, Qt::Key_Return);
         }},
    };
    const QSet<QString> group001 = groupRights("001");
    ASSERT_FALSE(group001.isEmpty());
    for (const Case &c : cases) {
        opened.clear();
        responder->clear();
        MyConfig.UIADNB.clear();
        MyConfig.LoginType = c.loginType;
        c.drive();
        ASSERT_EQ(opened.size(), 1) << c.what;
        EXPECT_EQ(opened[0].tag, MenuTag::RegOrder) << c.what;
        EXPECT_EQ(opened[0].user, "90000001") << c.what;
        EXPECT_EQ(opened[0].rights, group001) << c.what;
        EXPECT_EQ(MyConfig.UIADNB, "90000001") << c.what;
        EXPECT_TRUE(ScreenRunner().isIdle()) << c.what;
        EXPECT_EQ(ScreenInstance(MenuTag::RegOrder), nullptr) << c.what;
        EXPECT_TRUE(responder->texts().isEmpty()) << c.what << ": " << responder->texts().join('|').toStdString();
        expectEmptyScreen(c.what);
        EXPECT_TRUE(login->ScanBuffer.isEmpty()) << c.what;
    }
}

TEST_F(SignInScreen, RefusedSignInsAndMissingOrderRights)
{
    // Fixture users of two groups: one without any rights rows, one whose
    // rows lack the order entry.
    exec("DELETE FROM F0050 WHERE UICMCD = '9999' AND UIADNB LIKE '9800009%';"
         "DELETE FROM F0100 WHERE ABCMCD = '9999' AND ABADNB LIKE '9800009%';"
         "DELETE FROM F0030 WHERE SLCMCD = '9999' AND SLUSGR IN ('097', '098');"
         "INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABUSERW) VALUES"
         " ('9999', '9999', '98000098', '009', '무권한', '098'), ('9999', '9999', '98000097', '009', '무발주', '097');"
         "INSERT INTO F0050 (UICMCD, UIBUUT, UIADNB, UIPUSR, UIBAR, UISEQ) VALUES"
         " ('9999', '9999', '98000098', '9098', '8800000098', 98), ('9999', '9999', '98000097', '9097', '8800000097', 97);"
         "INSERT INTO F0030 (SLCMCD, SLUSGR, SLPGID, SLUAUG) VALUES ('9999', '097', 'F30_WAREHOUSEENTRY', 1);");
    struct Case {
        const char *what;
        const char *id, *password, *barcode;
        const char *message;
        bool callsServer;
        bool keepsEdits;
    };
    const Case cases[] = {
        {"wrong password", "1001", "9999", "", "사용자 ID가 일치하지 않거나 비밀번호가 맞지 않습니다.", true, true},
        {"nothing typed", "", "", "", "사용자 정보를 정확하게 입력해주세요", false, true},
        {"password missing", "1001", "", "", "사용자 정보를 정확하게 입력해주세요", false, true},
        {"order right off", "1003", "1234", "", "발주권한이 없습니다2.", true, false},
        {"group without rows", "", "", "8800000098", "발주권한이 없습니다1.", true, false},
        {"no order entry row", "", "", "8800000097", "발주권한이 없습니다3.", true, false},
    };
    for (const Case &c : cases) {
        login->ResetLogin();
        responder->clear();
        server().clearCalls();
        opened.clear();
        login->form().edt_ID->setText(QString::fromUtf8(c.id));
        login->form().edt_PWD->setText(QString::fromUtf8(c.password));
        login->form().edt_Barcode->setText(QString::fromUtf8(c.barcode));
        key(login->form().btn_Login);
        EXPECT_EQ(responder->texts(), QStringList{QString::fromUtf8(c.message)}) << c.what;
        ASSERT_FALSE(responder->messages().isEmpty()) << c.what;
        EXPECT_EQ(responder->messages()[0].kind, 2) << c.what;
        EXPECT_EQ(responder->messages()[0].stayMs, 2000) << c.what;
        EXPECT_EQ(server().calls().contains("GP_SELECT_F0050_POS_LOGIN"), c.callsServer) << c.what;
        EXPECT_TRUE(opened.isEmpty()) << c.what;
        if (c.keepsEdits) {
            EXPECT_EQ(login->form().edt_ID->text(), QString::fromUtf8(c.id)) << c.what;
            EXPECT_EQ(login->form().edt_PWD->text(), QString::fromUtf8(c.password)) << c.what;
        } else {
            expectEmptyScreen(c.what);
        }
    }
    exec("DELETE FROM F0050 WHERE UICMCD = '9999' AND UIADNB LIKE '9800009%';"
         "DELETE FROM F0100 WHERE ABCMCD = '9999' AND ABADNB LIKE '9800009%';"
         "DELETE FROM F0030 WHERE SLCMCD = '9999' AND SLUSGR IN ('097', '098');");
}

TEST_F(SignInScreen, EnterMovesTheTypedDigitsAndSignsInOnlyWithScannerLogin)
{
    MyConfig.LoginType = QLatin1Char('0');
    QTest::keyClicks(login->form().edt_ID, QStringLiteral("1001"));
    EXPECT_EQ(login->ScanBuffer, "1001");
    QTest::keyClick(login->form().edt_ID, Qt::Key_Return);
    EXPECT_EQ(login->form().edt_Barcode->text(), "1001");
    EXPECT_EQ(login->form().edt_ID->text(), "1001");
    EXPECT_TRUE(login->ScanBuffer.isEmpty());
    EXPECT_FALSE(server().calls().contains("GP_SELECT_F0050_POS_LOGIN"));

    // A refused scan shows nothing and keeps the screen as it is.
    MyConfig.LoginType = QLatin1Char('1');
    login->ResetLogin();
    QTest::keyClicks(login->form().edt_Barcode, QStringLiteral("8800000055"));
    QTest::keyClick(login->form().edt_Barcode, Qt::Key_Return);
    EXPECT_TRUE(server().calls().contains("GP_SELECT_F0050_POS_LOGIN"));
    EXPECT_TRUE(responder->texts().isEmpty());
    EXPECT_EQ(login->form().edt_Barcode->text(), "8800000055");
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(SignInScreen, SettingsAndTimeClockPurposes)
{
    // Settings: 김관리 holds the settings right, 이직원 does not.
    QStringList settingsShown;
    onModal<TF502_MngUsers>([](TF502_MngUsers *picker) { clickButton(picker->LoginList[0]); });
    key(login->form().btn_Config);
    EXPECT_EQ(login->Mode, "2");
    EXPECT_EQ(login->form().edt_ID->text(), "1001");
    onModal<TF302_ConfigEnv>([&](TF302_ConfigEnv *settings) {
        settingsShown << MyConfig.UIADNB;
        settings->reject();
    });
    pad("1234");
    key(login->form().btn_Login);
    EXPECT_EQ(settingsShown, QStringList{"90000001"});
    expectEmptyScreen("settings by 1001");

    onModal<TF502_MngUsers>([](TF502_MngUsers *picker) { clickButton(picker->LoginList[1]); });
    key(login->form().btn_Config);
    pad("1234");
    key(login->form().btn_Login);
    EXPECT_EQ(responder->texts(), QStringList{"권한이 없습니다."});
    EXPECT_EQ(settingsShown.size(), 1);
    expectEmptyScreen("settings by 1002");

    // Time clock: handed the signed-in user; the rights rows follow the user.
    auto openClock = [&](int index) {
        onModal<TF502_MngUsers>([index](TF502_MngUsers *picker) { clickButton(picker->LoginList[index]); });
        key(login->form().btn_ChulTyol);
        EXPECT_EQ(login->Mode, "1");
        pad("1234");
        key(login->form().btn_Login);
    };
    openClock(0);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].tag, MenuTag::TimeClock);
    EXPECT_EQ(opened[0].number, "90000001");
    EXPECT_EQ(opened[0].name, "김관리");
    EXPECT_TRUE(opened[0].manager);
    EXPECT_EQ(F638_AttendModify, nullptr);
    expectEmptyScreen("time clock by 1001");

    openClock(1);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1].number, "90000002");
    EXPECT_FALSE(opened[1].manager);
    EXPECT_EQ(opened[1].rights, groupRights("002"));
    EXPECT_EQ(rightIds(ProgramRights()), groupRights("002"));
    EXPECT_EQ(ProgramRights(), login->CDS_AUTHORIZE);
}

TEST_F(SignInScreen, NoticeBoardPagesAndNavigation)
{
    EXPECT_EQ(login->NoticeCount, 12);
    EXPECT_EQ(login->NoticePage(), 0);
    key(login->form().btn_RightDown01);
    EXPECT_EQ(login->NoticePage(), 1);
    key(login->form().btn_RightDown01);
    EXPECT_EQ(login->NoticePage(), 1) << "twelve notices have no third page";
    EXPECT_TRUE(login->lb_Notice[12]->text().isEmpty());
    EXPECT_FALSE(login->img_[12]->isVisibleTo(login.get()));
    key(login->form().btn_LeftUp01);
    EXPECT_EQ(login->NoticePage(), 0);

    // Touching a title opens that notice's page, keys in order.
    const int number = login->lb_Notice[2]->property("Tag").toInt();
    ASSERT_GT(number, 0);
    touch(login->lb_Notice[2]);
    ASSERT_EQ(navigated.size(), 1);
    EXPECT_EQ(navigated[0], QStringLiteral("http://127.0.0.1:%1/mrboard/listentry_list_pos.asp?mrbuut=9999&fbnumb=%2&reqWCode=9999")
                                .arg(server().port())
                                .arg(number));

    // 31 notices (fixture, older than the seeded ones): page three holds 21-31.
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB BETWEEN 13 AND 31;"
         "WITH RECURSIVE n(k) AS (SELECT 13 UNION ALL SELECT k + 1 FROM n WHERE k < 31)"
         " INSERT INTO F4500 (FBCMCD, FBNUMB, FBDATE, FBTITL, FBTEXT)"
         " SELECT '9999', k, printf('2001%04d', 1300 - k), '추가 공지 ' || k, '' FROM n;");
    login->LoadNotices();
    EXPECT_EQ(login->NoticeCount, 31);
    key(login->form().btn_RightDown01);
    key(login->form().btn_RightDown01);
    EXPECT_EQ(login->NoticePage(), 2);
    for (int i = 20; i < 31; ++i)
        EXPECT_FALSE(login->lb_Notice[i]->text().isEmpty()) << i + 1;
    EXPECT_TRUE(login->lb_Notice[30]->text().endsWith("추가 공지 31"));
    navigated.clear();
    server().clearCalls();
    touch(login->lb_Notice[30]);
    EXPECT_TRUE(navigated.isEmpty());
    EXPECT_TRUE(server().calls().isEmpty());
    touch(login->lb_Notice[29]);
    EXPECT_EQ(navigated.size(), 1);
    EXPECT_TRUE(navigated.value(0).contains("&fbnumb=30&"));
    exec("DELETE FROM F4500 WHERE FBCMCD = '9999' AND FBNUMB BETWEEN 13 AND 31;");
}

TEST_F(SignInScreen, UserPickerFillsTheIdAndHandsTheKeyPadToThePassword)
{
    QStringList captions;
    for (auto *b : users->LoginList)
        captions << b->Caption();
    EXPECT_EQ(captions.mid(0, 3), (QStringList{"김관리", "이직원", "박조회"}));
    EXPECT_EQ(captions.mid(3).join(""), "");
    EXPECT_EQ(captions.size(), 20);

    onModal<TF502_MngUsers>([this](TF502_MngUsers *picker) {
        EXPECT_EQ(picker->pos(), login->pos() + QPoint(173, 442));
        EXPECT_TRUE(picker->LoginList[0]->Down());
        clickButton(picker->LoginList[0]);
    });
    key(login->form().btn_SelectUser);
    EXPECT_EQ(login->form().edt_CasherName->text(), "김관리");
    EXPECT_EQ(login->form().edt_ID->text(), "1001");
    EXPECT_TRUE(login->form().pan_Note->isVisibleTo(login.get()));
    pad("12");
    EXPECT_EQ(login->form().edt_ID->text(), "1001");
    EXPECT_EQ(login->form().edt_PWD->text(), "12");
    EXPECT_EQ(login->focusWidget(), login->form().edt_PWD);

    onModal<TF502_MngUsers>([](TF502_MngUsers *picker) { clickButton(picker->form().btn_Close); });
    key(login->form().btn_SelectUser);
    EXPECT_TRUE(login->form().edt_CasherName->text().isEmpty());
    EXPECT_TRUE(login->form().edt_ID->text().isEmpty());
}

TEST_F(SignInScreen, UserListOffersTheFirstTwentyAndFailsSilently)
{
    exec("DELETE FROM F0050 WHERE UICMCD = '9999' AND UIADNB LIKE '970000%';"
         "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 18)"
         " INSERT INTO F0050 (UICMCD, UIBUUT, UIADNB, UIPUSR, UISEQ)"
         " SELECT '9999', '9999', printf('970000%02d', k), printf('70%02d', k), 100 + k FROM n;");
    {
        TF502_MngUsers many;
        EXPECT_EQ(many.UserIds[2], "1003");
        EXPECT_EQ(many.UserIds[3], "7001");
        EXPECT_EQ(many.UserIds[19], "7017") << "the 21st user is not offered";
    }
    exec("DELETE FROM F0050 WHERE UICMCD = '9999' AND UIADNB LIKE '970000%';");

    server().failCall("GP_SELECT_F0050_POS_USERLIST", 1, TestServer::FailMode::BeforeRun);
    TF502_MngUsers failed;
    for (auto *b : failed.LoginList)
        EXPECT_TRUE(b->Caption().isEmpty());
    EXPECT_TRUE(failed.UserIds.join("").isEmpty());
    EXPECT_TRUE(responder->messages().isEmpty());
}

TEST_F(SignInScreen, CreationOpensTheReceiptPortAndDestructionStopsThePrinterThread)
{
    login.reset();
    MyConfig.PortReceipt = QStringLiteral("COM1");
    login = std::make_unique<TF501_Login>();
    ASSERT_NE(ReceiptPrintThread, nullptr);
    EXPECT_EQ(ReceiptPrintThread->Port, cm.com_Print_Receipt);
    EXPECT_TRUE(eventually([] { return ReceiptPrintThread->PortOpen(); }));
    login.reset();
    F501_Login = nullptr;
    EXPECT_EQ(ReceiptPrintThread, nullptr);
}

TEST_F(SignInScreen, PrinterSetUpChoosesTheA4PrinterAndSupportOpensTheServerPage)
{
    const PrinterSetupDialog previous = SetPrinterSetupDialog(
        [](QWidget *, const QString &) { return QStringLiteral("A4-Office"); });
    key(login->form().btn_A4PrintOn);
    SetPrinterSetupDialog(previous);
    QString seen;
    const report::PreviewSink sink = report::SetPreviewSink([&](report::Report &r) { seen = r.printerName(); });
    report::Report a4;
    a4.preview();
    report::SetPreviewSink(sink);
    report::SetApplicationPrinterName(QString());
    EXPECT_EQ(seen, "A4-Office");

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    key(login->form().btn_Remotecall);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(recorder.urls, QStringList{QStringLiteral("http://127.0.0.1:%1/support").arg(server().port())});
}

#ifdef RALD_TEST_WEBENGINE
TEST_F(SignInScreen, RealBrowserLoadsTheNoticePage)
{
    SetNoticeBrowserFactory(previousBrowser);
    TF501_Login real;
    auto *view = qobject_cast<QWebEngineView *>(real.EmbeddedWB1->widget());
    ASSERT_NE(view, nullptr);
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    real.EmbeddedWB1->Navigate(TF501_Login::NoticeUrl(1));
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.at(0).at(0).toBool());
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    EXPECT_TRUE(eventually([&] { return done; }));
    EXPECT_TRUE(text.contains("시스템 점검 안내")) << text.toStdString();
}
#endif

} // namespace

#include "SignInScreenTest.moc"
