#include "ShellTestUtil.h"

#include "shell/RaldApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(ErrorBoxTest, ExceptionInAButtonHandlerShowsTheErrorBoxAndTheProgramGoesOn)
{
    ASSERT_NE(raldApp(), nullptr);
    QWidget window;
    window.resize(300, 100);
    auto *failing = new TMirelImgBtn(&window);
    failing->setGeometry(0, 0, 120, 50);
    auto *working = new TMirelImgBtn(&window);
    working->setGeometry(150, 0, 120, 50);
    int workingClicks = 0;
    QObject::connect(failing, &TMirelImgBtn::OnClick,
                     [] { throw std::runtime_error("서버에 연결할 수 없습니다."); });
    QObject::connect(working, &TMirelImgBtn::OnClick, [&] { ++workingClicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ErrorBoxWatcher watcher;
    clickButton(failing);
    EXPECT_EQ(watcher.texts, QStringList{"서버에 연결할 수 없습니다."});

    // The program still runs and takes input: other buttons work, and the
    // failing one fails the same way again.
    clickButton(working);
    EXPECT_EQ(workingClicks, 1);
    clickButton(failing);
    EXPECT_EQ(watcher.texts.size(), 2);
}

TEST(ErrorBoxTest, ExceptionOutsideTheStandardHierarchyAndInATimerIsCaughtToo)
{
    ErrorBoxWatcher watcher;
    QTimer::singleShot(0, [] { throw 42; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.texts.isEmpty(); }, 5000));
    EXPECT_FALSE(watcher.texts.first().isEmpty());
}

TEST(ErrorBoxTest, ExceptionInAnotherThreadIsShownByTheMainThread)
{
    ErrorBoxWatcher watcher;
    QThread worker;
    QObject job;
    job.moveToThread(&worker);
    worker.start();
    QMetaObject::invokeMethod(&job, [] { throw std::runtime_error("프린터 스레드 오류"); },
                              Qt::QueuedConnection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.texts.isEmpty(); }, 5000));
    EXPECT_EQ(watcher.texts, QStringList{"프린터 스레드 오류"});
    worker.quit();
    worker.wait();
}

} // namespace
