#include "shell/WorkScreen.h"

#include "Components/MirelComp/MirelButtonBase.h"
#include "core/uKV_Common_Msg.h"
#include "shell/ModalWindows.h"
#include "shell/U505_ScrollMenu.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {
int liveScreens = 0;
}

TWorkScreen::TWorkScreen(int menuTag, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_menuTag(menuTag)
{
    setModal(true);
    setFixedSize(ScreenWidth, ScreenHeight);
    ++liveScreens;
}

TWorkScreen::~TWorkScreen()
{
    --liveScreens;
}

int TWorkScreen::LiveCount()
{
    return liveScreens;
}

void TWorkScreen::bindMenuButton(TMirelButtonBase *button)
{
    if (btn_AllMenuView)
        disconnect(btn_AllMenuView, &TMirelButtonBase::OnClick, this, nullptr);
    btn_AllMenuView = button;
    if (button)
        connect(button, &TMirelButtonBase::OnClick, this, [this](QWidget *) { btn_AllMenuViewClick(); });
}

void TWorkScreen::btn_AllMenuViewClick()
{
    TF505_ScrollMenu *menu = F505_ScrollMenu;
    if (!menu)
        return;
    // The button follows what is on screen rather than the state text alone:
    // a menu closed by a switch or a declined question is shown again by one
    // press.
    if (menu->isVisible()) {
        MenuViewState = QStringLiteral("2");
        menu->close();
        return;
    }
    MenuViewState = QStringLiteral("1");
    menu->move(x() + MenuOffsetX, y() + MenuOffsetY);
    if (m_menuShownByMe != menu) {
        m_menuShownByMe = menu;
        connect(menu, &TF505_ScrollMenu::hidden, this, &TWorkScreen::menuHidden, Qt::UniqueConnection);
    }
    // The menu is a modeless window over this modal screen.
    ShowOverModal(menu);
}

void TWorkScreen::menuHidden()
{
    if (MenuViewState == QLatin1String("1"))
        MenuViewState = QStringLiteral("2");
}

void TWorkScreen::CloseScreen()
{
    close();
}

void TWorkScreen::reject()
{
    done(CloseResult);
}

void TWorkScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (!btn_AllMenuView)
        bindMenuButton(findChild<TMirelButtonBase *>(QStringLiteral("btn_AllMenuView")));
    MenuViewState = QStringLiteral("0");
}

bool TWorkScreen::FirstShow(const QShowEvent *event)
{
    if (event->spontaneous() || m_shown)
        return false;
    m_shown = true;
    return true;
}

void TWorkScreen::keyPressEvent(QKeyEvent *event)
{
    // Escape would end the modal loop of a plain dialog; a work screen is
    // left only through its own buttons or the menu.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ConfirmDiscardWorkRows(int rowCount)
{
    if (rowCount <= 0)
        return true;
    return AskMessageBox(QStringLiteral("작업이 끝나지 않았으면 취소를 누르시고 숨기기 버튼을 이용해 누르세요, "
                                        "확인을 누르시면 입력하신 자료가 소멸됩니다"),
                         mkOkCancel)
           == mrYes;
}
