#pragma once
// Start-up and shutdown of the terminal: the fixed sequence of start-up steps
// shown on the splash, the creation of the application's windows, the end of
// the run and the hand-over to the updater program. main.cpp runs RunTerminal;
// tests run the pieces in-process.

#include <QString>

#include <functional>
#include <vector>

// Set by the update step when a newer program must be installed by the
// updater program after the run.
extern bool HandOverToUpdater;

// Exit status of the terminal.
enum StartUpExit : int {
    ExitNormal = 0,         // the sign-in screen closed
    ExitStartFailed = 1,    // a gated step failed
    ExitSecondCopy = 2,     // another copy runs
    ExitHandedOver = 3,     // the updater program was started
    ExitHandOverFailed = 4, // the hand-over was due, the updater did not start
};

// Receives every splash text with its percentage, in order.
using StartUpStatus = std::function<void(const QString &text, int percent)>;

// How a step runs with respect to the start-up flag Ok.
enum class StepGate {
    None,         // only the splash text
    Always,       // runs whatever Ok is; its result is ignored
    StartsOk,     // runs always; its result starts Ok
    Gated,        // runs while Ok; its result replaces Ok
    GatedKeepsOk, // runs while Ok; Ok unchanged
    WheneverDM,   // runs when DM exists; result ignored
};

struct StartUpStep {
    int percent;         // -1: no splash text of its own
    const char *text;    // splash text (UTF-8), nullptr with percent -1
    StepGate gate;
    const char *name;    // the operation, the prefix of its log line
    bool (*work)();      // nullptr for None
};

// The start-up steps and the window steps, in order.
const std::vector<StartUpStep> &StartUpSteps();
const std::vector<StartUpStep> &WindowSteps();

// Runs the start-up steps; returns Ok. An exception escaping a step is that
// step failing, logged as "<name> Error: <message>".
bool RunStartUpSteps(const StartUpStatus &status);
// Registers the work screens, then creates the five windows (the sign-in
// screen first) and shows the sign-in screen; false when one could not be
// created (logged).
bool RunWindowSteps(const StartUpStatus &status);
// The main form: the window whose closing ends the run.
class QWidget;
QWidget *MainForm();
// Runs the message loop until the main form closes.
void RunMessageLoop();
// Stops the keyboard hook and destroys the windows newest first, the sign-in
// screen last (its destruction closes the ports and stops the printer thread).
void DestroyWindows();
// Frees DM (when created) and CM.
void FreeModules();
// When the hand-over is due, starts "Mupdater KV_RALD.bz2 KV_RALD.exe <UPU>"
// detached and returns ExitHandedOver, or logs the failed command line and
// returns ExitHandOverFailed; otherwise returns status.
int HandOverIfDue(int status);

// Splash, start-up steps, windows, message loop, shutdown and hand-over; the
// exit status. Needs the application object.
int RunTerminal();
