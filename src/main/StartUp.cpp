#include "StartUp.h"

#include "U101_Splash.h"

#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Process.h"
#include "shell/ScreenRegistry.h"
#include "shell/SignInSource.h"
#include "shell/U401_Dialog.h"
#include "shell/U403_Keyboard.h"
#include "shell/U505_ScrollMenu.h"
#include "signin/u501_Login.h"
#include "signin/u502_MngUsers.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <exception>

bool HandOverToUpdater = false;

namespace {

// ---- the sign-in screen and the user list ---------------------------------
// The sign-in screen (F501_Login, the main form) and the user list
// (F502_MngUsers). Each clears its global when destroyed; the sign-in screen
// registers itself as the sign-in source and unregisters when destroyed, and
// its destruction closes the ports and stops the printer thread.
QPointer<QWidget> g_mainForm;

bool CreateSignInScreen()
{
    F501_Login = new TF501_Login();
    g_mainForm = F501_Login;
    return true;
}

bool CreateUserList()
{
    F502_MngUsers = new TF502_MngUsers();
    return true;
}

void DestroySignInWindows()
{
    delete F502_MngUsers;
    delete g_mainForm.data();
    g_mainForm.clear();
    // Objects the windows handed over for later deletion (the notice
    // browser's pages among them) go now, while their owners' modules exist.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
// ---- end of the sign-in wiring ---------------------------------------------

bool CreateDialog()
{
    if (!F401_Dialog)
        F401_Dialog = new TF401_Dialog();
    return true;
}

bool CreateScrollMenu()
{
    if (!F505_ScrollMenu)
        F505_ScrollMenu = new TF505_ScrollMenu();
    return true;
}

bool CreateKeyboard()
{
    if (!F403_Keyboard)
        F403_Keyboard = new TF403_Keyboard();
    return true;
}

// A step that needs a module that does not exist fails.
bool withCM(bool (TCM::*op)()) { return CM && (CM->*op)(); }
bool withDM(bool (TDM::*op)()) { return DM && (DM->*op)(); }

QString utf8(const char *text) { return QString::fromUtf8(text); }

// Runs one step's work; an exception is the step failing, logged with the
// step's own name.
bool runWork(const StartUpStep &step)
{
    try {
        return step.work();
    } catch (const std::exception &e) {
        WriteLog(utf8(step.name) + QStringLiteral(" Error: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        WriteLog(utf8(step.name) + QStringLiteral(" Error: ") + utf8("알 수 없는 오류"));
    }
    return false;
}

bool runSteps(const std::vector<StartUpStep> &steps, bool ok, const StartUpStatus &status)
{
    for (const StartUpStep &step : steps) {
        if (step.percent >= 0 && status)
            status(utf8(step.text), step.percent);
        switch (step.gate) {
        case StepGate::None:
            break;
        case StepGate::Always:
            runWork(step);
            break;
        case StepGate::StartsOk:
            ok = runWork(step);
            break;
        case StepGate::Gated:
            if (ok)
                ok = runWork(step);
            break;
        case StepGate::GatedKeepsOk:
            if (ok)
                runWork(step);
            break;
        case StepGate::WheneverDM:
            if (DM)
                runWork(step);
            break;
        }
    }
    return ok;
}

// Ends the message loop once the main form has really closed (a close the
// form refuses keeps the run going).
class MainFormWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            QPointer<QObject> form = watched;
            QTimer::singleShot(0, qApp, [form] {
                auto *w = qobject_cast<QWidget *>(form.data());
                if (!w || !w->isVisible())
                    QCoreApplication::quit();
            });
        }
        return false;
    }
};

} // namespace

const std::vector<StartUpStep> &StartUpSteps()
{
    using G = StepGate;
    static const std::vector<StartUpStep> steps = {
        {0, "프로그램 실행 준비중...", G::None, "", nullptr},
        {6, "프로그램 상수 생성중...", G::Always, "TCM.Create", [] {
             if (!CM)
                 CM = new TCM();
             return true;
         }},
        {9, "인터넷 연결 확인중...", G::Always, "TCM.CheckInternet", [] {
             MyConfig.CNT = withCM(&TCM::CheckInternet);
             return MyConfig.CNT;
         }},
        {12, "초기작업 환경 설정중...", G::StartsOk, "TCM.InitEnvironment", [] { return withCM(&TCM::InitEnvironment); }},
        {15, "프로그램 DLL 로딩중...", G::Gated, "TCM.LoadCipherLibrary", [] { return withCM(&TCM::LoadCipherLibrary); }},
        {18, "연결 환경설정 로딩중...", G::Gated, "TCM.InitSettings", [] { return withCM(&TCM::InitSettings); }},
        {21, "프로그램 환경설정 로딩중...", G::Gated, "TCM.SetDefaultConfig", [] { return withCM(&TCM::SetDefaultConfig); }},
        {24, "데이터베이스 연결 준비중...", G::GatedKeepsOk, "TDM.Create", [] {
             if (!DM)
                 DM = new TDM();
             return true;
         }},
        {27, "운영 데이터베이스 연결중...", G::Gated, "TDM.SDB_Open", [] { return withDM(&TDM::SDB_Open); }},
        {28, "로컬 데이터베이스 연결중...", G::Gated, "TDM.LDB_Open", [] { return withDM(&TDM::LDB_Open); }},
        {29, "가상 테이블 생성중...", G::Gated, "TDM.OpenTables", [] { return withDM(&TDM::OpenTables); }},
        {30, "주문자 로딩중...", G::Gated, "TDM.LoadJumunList", [] { return withDM(&TDM::LoadJumunList); }},
        {31, "테이블명 로딩중...", G::Gated, "TDM.LoadTableName", [] { return withDM(&TDM::LoadTableName); }},
        {33, "대분류 로딩중...", G::WheneverDM, "TDM.StockLoadTypeA", [] { return withDM(&TDM::StockLoadTypeA); }},
        {34, "중분류 로딩중...", G::WheneverDM, "TDM.LoadTypeB", [] { return withDM(&TDM::LoadTypeB); }},
        {35, "제품,반제품,재료 로딩중...", G::WheneverDM, "TDM.StockLoadItems", [] { return withDM(&TDM::StockLoadItems); }},
        {37, "서버 시간 동기화중...", G::Gated, "TDM.GetSrvTime", [] { return withDM(&TDM::GetSrvTime); }},
        {55, "프로그램 업데이트 확인중...", G::Gated, "TCM.CheckUpdate", [] {
             const bool goOn = withCM(&TCM::CheckUpdate);
             HandOverToUpdater = !goOn;
             return goOn;
         }},
        {59, "운영 환경설정 로딩중...", G::GatedKeepsOk, "TDM.LoadConfig", [] {
             // A failed load keeps the built-in defaults; online in every case.
             struct Online { ~Online() { MyConfig.CNT = true; } } online;
             return withDM(&TDM::LoadConfig);
         }},
        {-1, nullptr, G::Gated, "TDM.SsLoadConfig", [] { return withDM(&TDM::SsLoadConfig); }},
    };
    return steps;
}

const std::vector<StartUpStep> &WindowSteps()
{
    using G = StepGate;
    static const std::vector<StartUpStep> steps = {
        {60, "로그인 정보 생성중...", G::Gated, "TF501_Login.Create", CreateSignInScreen},
        {70, "직원 정보 생성중...", G::Gated, "TF502_MngUsers.Create", CreateUserList},
        {80, "포스 알림창 생성중...", G::Gated, "TF401_Dialog.Create", CreateDialog},
        {94, "스크롤메뉴 생성중...", G::Gated, "TF505_ScrollMenu.Create", CreateScrollMenu},
        {95, "키보드 생성중...", G::Gated, "TF403_Keyboard.Create", CreateKeyboard},
        {99, "프로그램 실행중...", G::None, "", nullptr},
    };
    return steps;
}

bool RunStartUpSteps(const StartUpStatus &status)
{
    return runSteps(StartUpSteps(), true, status);
}

bool RunWindowSteps(const StartUpStatus &status)
{
    // Every screen the menu can open is known before any screen opens.
    RegisterWorkScreens();
    return runSteps(WindowSteps(), true, status);
}

QWidget *MainForm()
{
    return g_mainForm.data();
}

void RunMessageLoop()
{
    QWidget *form = MainForm();
    if (!form)
        return;
    // The menu and the keyboard are hidden windows: the end of the run is the
    // main form closing, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);
    MainFormWatch watch;
    form->installEventFilter(&watch);
    form->show();
    QApplication::exec();
    if (g_mainForm)
        g_mainForm->removeEventFilter(&watch);
}

void DestroyWindows()
{
    if (F403_Keyboard)
        F403_Keyboard->Close(); // stops the keyboard hook
    delete F403_Keyboard;
    delete F505_ScrollMenu;
    delete F401_Dialog;
    DestroySignInWindows();
}

void FreeModules()
{
    delete DM;
    DM = nullptr;
    delete CM;
    CM = nullptr;
}

int HandOverIfDue(int status)
{
    if (!HandOverToUpdater)
        return status;
    const QString commandLine = QStringLiteral("Mupdater KV_RALD.bz2 KV_RALD.exe ") + MyConfig.UPU;
    if (os::StartDetachedCommandLine(commandLine))
        return ExitHandedOver;
    WriteLog(utf8("업데이트 프로그램 실행 실패: ") + commandLine);
    return ExitHandOverFailed;
}

int RunTerminal()
{
    int status = ExitNormal;
    bool ok;
    {
        TF101_Splash splash;
        splash.show();
        splash.repaint();
        QApplication::processEvents();
        const StartUpStatus show = [&splash](const QString &text, int percent) {
            splash.SetStatus(text, percent);
        };
        ok = RunStartUpSteps(show);
        if (ok)
            ok = RunWindowSteps(show);
        if (!ok) {
            DestroyWindows();
            FreeModules();
            status = ExitStartFailed;
        }
        splash.hide();
    }
    if (ok) {
        RunMessageLoop();
        DestroyWindows();
        FreeModules();
    }
    return HandOverIfDue(status);
}
