#pragma once
// Small helpers of the shell tests: clicking picture buttons, acting inside
// a modal loop, and stepping the application clock instead of waiting.

#include "Components/MirelComp/MirelImgBtn.h"
#include "platform/os/Clock.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

inline void clickButton(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// Runs action once the next (modal) event loop is running.
inline void whenLoopRuns(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

// Moves the application clock forward: stay times pass without waiting.
inline void advanceClock(qint64 ms)
{
    os::SetClockOffset(os::ClockOffset() + ms);
}

// Restores the application clock when a test ends.
class ClockGuard {
public:
    ClockGuard() : m_offset(os::ClockOffset()) {}
    ~ClockGuard() { os::SetClockOffset(m_offset); }

private:
    qint64 m_offset;
};

// The on-screen keyboard's shared block has one fixed name; test processes
// running side by side each get their own temporary folder, which is where
// a named block's key lives, so their blocks stay apart.
#include <QTemporaryDir>

inline void isolateSharedBlocks()
{
    static QTemporaryDir dir;
    static const bool set = qputenv("TMPDIR", dir.path().toLocal8Bit());
    (void)set;
}
// Closes every error box that appears and remembers its text.
class ErrorBoxWatcher {
public:
    ErrorBoxWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->objectName() == "ErrorBox") {
                texts.append(box->text());
                box->accept();
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};
