#pragma once
// The work screens of the scroll menu, by menu Tag.
//
// The catalogue (MenuScreens) names the sixteen screens of the menu: Tag,
// class, global instance variable, what the screen is, and for the entry
// screens the name of their work table. It is fixed; it does not depend on
// which screens are built.
//
// Screens that exist are registered once at start-up (RegisterWorkScreens in
// src/main/, or a test) with their factory and their global instance
// variable:
//
//   TF652_RegOrder *F652_RegOrder = nullptr;   // the screen's global
//   RegisterScreen<TF652_RegOrder>(501301, F652_RegOrder);
//
// The screen class needs a constructor callable as Screen(QWidget *parent =
// nullptr) that passes its menu Tag to TWorkScreen. A Tag of the catalogue
// without a registration opens a placeholder screen (PlaceholderScreen.h)
// that says which screen will stand there.
//
// The runner (ScreenRunner.h) creates screens with CreateScreen and keeps
// each Tag's live instance with SetScreenInstance, which also sets and
// clears the registered global; the menu finds the screen to close with
// ScreenInstance.

#include <QList>
#include <QString>

#include <functional>

class TWorkScreen;

struct ScreenInfo {
    int tag = 0;
    QString className;     // "TF652_RegOrder"
    QString globalName;    // "F652_RegOrder"
    QString title;         // what the screen is, as the user knows it
    QString workTableName; // entry screens: "VTB_PATTERNBALJU" or "vtb_STOCK"; else empty

    bool isEntryScreen() const { return !workTableName.isEmpty(); }
};

// The sixteen screens of the menu, in the menu's order.
const QList<ScreenInfo> &MenuScreens();
// The catalogue row of tag, or nullptr.
const ScreenInfo *FindMenuScreen(int tag);

// ---- registration -----------------------------------------------------------

using ScreenFactory = std::function<TWorkScreen *()>;
// Sets the screen's global instance variable (nullptr clears it).
using ScreenGlobalSetter = std::function<void(TWorkScreen *)>;

// Registers (or replaces) the screen of tag. A Tag outside the catalogue may
// be registered too (its className then names it).
void RegisterScreenFactory(int tag, const QString &className, ScreenFactory create,
                           ScreenGlobalSetter setGlobal);

template <class Screen>
void RegisterScreen(int tag, Screen *&global, const QString &className = QString())
{
    RegisterScreenFactory(
        tag, className, [] { return static_cast<TWorkScreen *>(new Screen()); },
        [&global](TWorkScreen *screen) { global = static_cast<Screen *>(screen); });
}

// Drops the registration of tag (tests); its Tag opens a placeholder again.
void UnregisterScreen(int tag);
bool IsScreenRegistered(int tag);

// Start-up: registers every screen that the program has (src/main/).
void RegisterWorkScreens();

// ---- instances --------------------------------------------------------------

// A new screen for tag: the registered one, else the placeholder of a
// catalogue Tag; nullptr for a Tag neither knows. The caller owns it.
TWorkScreen *CreateScreen(int tag);

// Records screen as the live instance of tag and sets the registered global;
// nullptr clears both.
void SetScreenInstance(int tag, TWorkScreen *screen);
// The live instance of tag, or nullptr.
TWorkScreen *ScreenInstance(int tag);
