#pragma once
// Where the running program lives. The program folder holds the INI file,
// dll/, log/ and the other programs of the terminal.

#include <QString>

namespace os {

// Absolute path of the running program file (/proc/self/exe), or the path
// set by SetProgramFilePath.
QString ProgramFilePath();

// The folder of ProgramFilePath(), without a trailing "/".
QString ProgramDir();

// Makes the program appear to live at path (tests run a program folder of
// their own); an empty path returns to the real program file.
void SetProgramFilePath(const QString &path);

} // namespace os
