#include "shell/ScreenRunner.h"

#include "platform/dataset/DataSet.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"
#include "shell/SignInSource.h"
#include "shell/U505_ScrollMenu.h"
#include "shell/WorkScreen.h"

#include <algorithm>
#include <memory>

TScreenRunner::TScreenRunner(QObject *parent) : QObject(parent) {}

TScreenRunner &ScreenRunner()
{
    static TScreenRunner runner;
    return runner;
}

void TScreenRunner::resetPeaks()
{
    m_peakLive = m_live;
    m_peakLevels = m_levels;
}

void TScreenRunner::requestSwitch(int tag)
{
    if (m_levels > 0)
        m_pendingTag = tag;
}

void TScreenRunner::run(int tag)
{
    int next = tag;
    while (next != 0) {
        m_pendingTag = 0;
        runOne(next);
        next = m_pendingTag;
        m_pendingTag = 0;
    }
    if (m_levels == 0)
        emit becameIdle();
}

void TScreenRunner::runOne(int tag)
{
    std::unique_ptr<TWorkScreen> screen(CreateScreen(tag));
    if (!screen)
        return;
    ++m_live;
    m_peakLive = std::max(m_peakLive, m_live);

    SetScreenInstance(tag, screen.get());
    if (F505_ScrollMenu)
        F505_ScrollMenu->CurrentFormTag = tag;
    if (tag == MenuTag::TimeClock)
        if (SignInSource *source = CurrentSignInSource())
            if (DataSet *row = source->SignInRow())
                HandSignInToTimeClock(screen.get(), *row);

    QPointer<TWorkScreen> outer = m_current;
    m_current = screen.get();
    emit screenStarting(tag, screen.get());

    ++m_levels;
    m_peakLevels = std::max(m_peakLevels, m_levels);
    screen->exec();
    --m_levels;

    m_current = outer;
    // Whatever the result: the global goes, then the screen.
    if (ScreenInstance(tag) == screen.get())
        SetScreenInstance(tag, nullptr);
    screen.reset();
    --m_live;
}

void HandSignInToTimeClock(QWidget *timeClock, DataSet &signInRow)
{
    if (!timeClock || !signInRow.Active() || signInRow.IsEmpty())
        return;
    const QString number = signInRow.FieldByName(QStringLiteral("UIADNB")).AsString();
    const QString name = signInRow.FieldByName(QStringLiteral("ABNAME")).AsString();
    const bool manager = signInRow.FieldByName(QStringLiteral("UIUAUG")).AsBoolean();
    if (QObject *edit = timeClock->findChild<QObject *>(QStringLiteral("Edit3")))
        edit->setProperty("text", number);
    if (QObject *label = timeClock->findChild<QObject *>(QStringLiteral("Label3")))
        label->setProperty("text", name);
    timeClock->setProperty("IsManager", manager);
}
