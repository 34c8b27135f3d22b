#pragma once
// The work screen that stands in for a menu entry whose screen is not built
// yet: the menu button, a close button and a caption naming the screen's
// class and what will stand there. An entry screen's placeholder has an
// empty work table under the entry screen's table name, so the menu's guard
// behaves as it will with the real screen.

#include "shell/ScreenRegistry.h"
#include "shell/WorkScreen.h"

class QLabel;
class TMirelImgBtn;

class TPlaceholderScreen : public TWorkScreen {
    Q_OBJECT
public:
    explicit TPlaceholderScreen(const ScreenInfo &info, QWidget *parent = nullptr);

    DataSet *WorkTable() const override { return m_workTable; }

    const ScreenInfo &Info() const { return m_info; }

    TMirelImgBtn *btn_Close = nullptr;
    QLabel *lb_Caption = nullptr;

    // The caption: which class and which screen will stand here.
    static QString CaptionText(const ScreenInfo &info);

private:
    ScreenInfo m_info;
    DataSet *m_workTable = nullptr;
};
