#pragma once
// Fixture pieces of the work-screen tests: a scroll menu of its own, a
// scripted action run inside each screen's modal loop, a stand-in for the
// sign-in screen and a time-clock stand-in with the children the real one
// is handed.

#include "ShellTestUtil.h"

#include "platform/dataset/DataSet.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"
#include "shell/ScreenRunner.h"
#include "shell/SignInSource.h"
#include "shell/U505_ScrollMenu.h"
#include "shell/WorkScreen.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The sign-in screen as the menu sees it: three texts and a sign-in row.
class FakeSignIn : public SignInSource {
public:
    FakeSignIn()
    {
        row.AddFields({{"UIADNB", FieldType::String, 8},
                       {"ABNAME", FieldType::String, 50},
                       {"UIUAUG", FieldType::Boolean, 0}});
        row.Open();
    }
    QString IdText() const override { return id; }
    QString PasswordText() const override { return password; }
    QString BarcodeText() const override { return barcode; }
    DataSet *SignInRow() const override { return const_cast<DataSet *>(&row); }

    void setRow(const QString &number, const QString &name, bool manager)
    {
        row.EmptyTable();
        row.Append();
        row.FieldByName("UIADNB").setAsString(number);
        row.FieldByName("ABNAME").setAsString(name);
        row.FieldByName("UIUAUG").setAsBoolean(manager);
        row.Post();
    }

    QString id, password, barcode;
    DataSet row;
};

// The time clock as the runner sees it: Edit3, Label3 and IsManager.
class TimeClockStandIn : public TWorkScreen {
public:
    TimeClockStandIn() : TWorkScreen(MenuTag::TimeClock)
    {
        auto *number = new QLineEdit(this);
        number->setObjectName("Edit3");
        number->hide();
        auto *name = new QLabel(this);
        name->setObjectName("Label3");
        setProperty("IsManager", false);
        auto *menuButton = new TMirelImgBtn(this); // found by its name when shown
        menuButton->setObjectName("btn_AllMenuView");
        menuButton->setGeometry(1, 1, 120, 50);
    }
    QString number() const { return findChild<QLineEdit *>("Edit3")->text(); }
    QString name() const { return findChild<QLabel *>("Label3")->text(); }
    bool manager() const { return property("IsManager").toBool(); }
};

// A touch that goes through the window system, as a real one does: Qt drops
// it when a modal window blocks the button's window (a widget-level test
// click would bypass that check).
inline void touchButton(QWidget *button)
{
    QWidget *top = button->window();
    const QPoint at = button->mapTo(top, button->rect().center());
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, at);
}

class WorkScreenSuite : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu = std::make_unique<TF505_ScrollMenu>();
        F505_ScrollMenu = menu.get();
        runner().resetPeaks();
        connection = QObject::connect(&runner(), &TScreenRunner::screenStarting,
                                      [this](int tag, TWorkScreen *screen) {
                                          ++started;
                                          startedTags.append(tag);
                                          if (!onScreen)
                                              return;
                                          QPointer<TWorkScreen> alive(screen);
                                          whenLoopRuns([this, tag, alive] {
                                              if (alive)
                                                  onScreen(tag, alive.data());
                                          });
                                      });
        // A screen that a faulty switch leaves open would hang the test:
        // after a while the script stops and the screens are closed.
        watchdog.start();
        QObject::connect(&watchdogTimer, &QTimer::timeout, [this] {
            if (watchdog.elapsed() < 5000 || !runner().currentScreen())
                return;
            ADD_FAILURE() << "a work screen stayed open";
            onScreen = nullptr;
            menu->close();
            runner().currentScreen()->done(TWorkScreen::CloseResult);
        });
        watchdogTimer.start(200);
    }
    void TearDown() override
    {
        watchdogTimer.stop();
        QObject::disconnect(connection);
        for (const ScreenInfo &row : MenuScreens())
            UnregisterScreen(row.tag);
        SetSignInSource(nullptr);
        menu.reset();
    }

    static TScreenRunner &runner() { return ScreenRunner(); }

    // Shows the menu with the screen's menu button, then presses the menu
    // button of tag: the user's switch.
    void switchTo(TWorkScreen *screen, int tag)
    {
        clickButton(screen->btn_AllMenuView);
        ASSERT_TRUE(menu->isVisible());
        touchButton(menu->buttonOf(tag));
    }

    // Presses the placeholder's close button.
    static void closeByButton(TWorkScreen *screen)
    {
        clickButton(screen->findChild<QWidget *>("btn_Close"));
    }

    std::unique_ptr<TF505_ScrollMenu> menu;
    // Runs inside the modal loop of every screen the runner starts.
    std::function<void(int tag, TWorkScreen *screen)> onScreen;
    int started = 0;
    QList<int> startedTags;
    QMetaObject::Connection connection;
    QElapsedTimer watchdog;
    QTimer watchdogTimer;
};
