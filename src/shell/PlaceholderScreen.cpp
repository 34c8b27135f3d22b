#include "shell/PlaceholderScreen.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "platform/dataset/DataSet.h"

#include <QLabel>

TPlaceholderScreen::TPlaceholderScreen(const ScreenInfo &info, QWidget *parent)
    : TWorkScreen(info.tag, parent), m_info(info)
{
    setObjectName(info.className);
    setWindowTitle(info.title);
    setStyleSheet(QStringLiteral("TPlaceholderScreen { background-color: rgb(236, 233, 216); }"));

    auto *menuButton = new TMirelImgBtn(this);
    menuButton->setObjectName(QStringLiteral("btn_AllMenuView"));
    menuButton->setGeometry(1, 1, 120, 50);
    menuButton->setCaption(QStringLiteral("메뉴"));
    bindMenuButton(menuButton);

    btn_Close = new TMirelImgBtn(this);
    btn_Close->setObjectName(QStringLiteral("btn_Close"));
    btn_Close->setTag(-1);
    btn_Close->setGeometry(ScreenWidth - 121, 1, 120, 50);
    btn_Close->setCaption(QStringLiteral("닫기"));
    connect(btn_Close, &TMirelImgBtn::OnClick, this, [this](QWidget *) { CloseOperation(); });

    lb_Caption = new QLabel(CaptionText(info), this);
    lb_Caption->setObjectName(QStringLiteral("lb_Caption"));
    lb_Caption->setGeometry(180, 250, ScreenWidth - 360, 200);
    lb_Caption->setAlignment(Qt::AlignCenter);
    lb_Caption->setWordWrap(true);
    lb_Caption->setFont(QFont(QStringLiteral("굴림"), 18, QFont::Bold));

    if (info.isEntryScreen()) {
        m_workTable = new DataSet(this);
        m_workTable->setObjectName(info.workTableName);
        m_workTable->AddFields({{QStringLiteral("IMITNB"), FieldType::String, 20},
                                {QStringLiteral("IMNAME"), FieldType::String, 50},
                                {QStringLiteral("QTY"), FieldType::Float, 0}});
        m_workTable->Open();
    }
}

QString TPlaceholderScreen::CaptionText(const ScreenInfo &info)
{
    return QStringLiteral("%1\n\n'%2' 화면이 이 자리에 들어설 예정입니다.").arg(info.className, info.title);
}
