#pragma once
// Port names of the settings ("COM1", "LPT2") and the Linux devices behind
// them. A site (or a test) may point a name at any device by placing a link
// "<program folder>/dev/com1" or ".../dev/lpt1"; without such a link COMn is
// /dev/ttyS(n-1) and LPTn is /dev/lp(n-1).

#include <QString>

namespace serial {

// The folder whose "dev" sub-folder is searched for port links: the folder of
// the running program unless set otherwise (tests use a private folder).
QString ProgramFolder();
// Sets the folder; an empty text goes back to the program's own folder.
void SetProgramFolder(const QString &folder);

enum class PortKind { Other, Com, Lpt };

// By the first three characters of the name ("COM", "LPT", any case).
PortKind KindOf(const QString &portName);

// The number after "COM"/"LPT"; 0 when there is none or it is not a number.
int PortNumber(const QString &portName);

// The device file for a COMn/LPTn name: the target of the program folder's
// link when it exists (the link itself when its target is missing, so that
// opening fails), else the system device. Empty for any other name.
QString DevicePath(const QString &portName);

} // namespace serial
