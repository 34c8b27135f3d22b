#pragma once
// The screen runner: opens the work screens of the menu one after the other
// in one modal loop level.
//
// run(tag) creates the screen of tag (registered or placeholder), sets its
// global instance and the menu's CurrentFormTag, runs its modal loop, then
// frees it and clears the global. When a switch was requested while the
// screen ran (the menu confirmed another entry and closed the screen), the
// chosen screen is opened next in the same run call; run returns when a
// screen closes with no switch pending. So however many times the user
// switches, one screen is alive and one modal loop runs, and closing the
// newest screen returns to whoever called run (the sign-in screen).
//
// The time clock (menu Tag 501315) receives the sign-in row before it is
// shown: its child widgets Edit3 and Label3 get the row's UIADNB and ABNAME
// as their text, and its property IsManager the row's UIUAUG.
//
// Everything runs on the main thread.

#include <QObject>
#include <QPointer>

class DataSet;
class TWorkScreen;

class TScreenRunner : public QObject {
    Q_OBJECT
public:
    explicit TScreenRunner(QObject *parent = nullptr);

    // Runs the screen of tag and every screen switched to from it; returns
    // when a screen closes with no switch pending. A Tag without any screen
    // returns at once. Called while a screen runs, the new screen runs in a
    // nested loop (the menu switches through requestSwitch instead).
    void run(int tag);

    // While a screen runs: once its modal loop has ended, open tag instead of
    // returning. The caller closes the current screen. Ignored when idle.
    void requestSwitch(int tag);
    bool switchPending() const { return m_pendingTag != 0; }

    // True while no screen of the runner is open (the sign-in screen is on top).
    bool isIdle() const { return m_levels == 0; }
    // Screens created by the runner and not yet freed.
    int liveScreens() const { return m_live; }
    // Modal loops of the runner now running.
    int loopLevels() const { return m_levels; }
    // The highest values of the two counts since the last resetPeaks().
    int peakLiveScreens() const { return m_peakLive; }
    int peakLoopLevels() const { return m_peakLevels; }
    void resetPeaks();

    // The screen whose modal loop runs innermost, or nullptr.
    TWorkScreen *currentScreen() const { return m_current; }

signals:
    // The screen is created, handed its data and about to run its loop.
    void screenStarting(int tag, TWorkScreen *screen);
    // The last screen closed: the runner is idle again.
    void becameIdle();

private:
    void runOne(int tag);

    int m_pendingTag = 0;
    int m_live = 0;
    int m_levels = 0;
    int m_peakLive = 0;
    int m_peakLevels = 0;
    QPointer<TWorkScreen> m_current;
};

// The runner of the program.
TScreenRunner &ScreenRunner();

// Hands the time clock the sign-in row's number (Edit3), name (Label3) and
// manager flag (property IsManager). A closed or empty row hands nothing.
void HandSignInToTimeClock(QWidget *timeClock, DataSet &signInRow);
