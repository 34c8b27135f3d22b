// The work screens the program has, registered with their menu Tags and
// global instances. A menu Tag not listed here opens a placeholder screen.
#include "shell/ScreenRegistry.h"
#include "shell/U638_AttendModify.h"

void RegisterWorkScreens()
{
    // One line per built screen, e.g.
    //   RegisterScreen<TF652_RegOrder>(501301, F652_RegOrder);
    RegisterScreen<TF638_AttendModify>(MenuTag::TimeClock, F638_AttendModify);
}
