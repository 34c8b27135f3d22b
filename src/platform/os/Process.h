#pragma once
// Starting other programs and opening web addresses.

#include <QFileDevice>
#include <QString>
#include <QStringList>

namespace os {

// The mode of a new program file: rwxr-xr-x (0755).
inline constexpr QFileDevice::Permissions NewProgramPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
    | QFileDevice::WriteUser | QFileDevice::ExeUser | QFileDevice::ReadGroup | QFileDevice::ExeGroup
    | QFileDevice::ReadOther | QFileDevice::ExeOther;

// The full path of program `name`: first in `folder` (the program folder by
// default), matching the file name case-insensitively as given, without
// ".exe" and with ".exe" added, then on PATH (with ".exe" dropped). Empty
// when not found.
QString FindProgram(const QString &name, const QString &folder = QString());

// FindProgram's lookup in `folder` (the program folder by default) alone,
// without the PATH fallback: for files of the terminal that may be replaced.
QString FindProgramInFolder(const QString &name, const QString &folder = QString());

// Starts `name` (looked up with FindProgram) with `arguments`, detached:
// the program does not wait for it and it outlives us. False when the
// program is not found or cannot start.
bool StartDetached(const QString &name, const QStringList &arguments, qint64 *pid = nullptr);

// Starts a command line: its first word is the program (FindProgram), the
// rest its arguments (split at blanks, double quotes group).
bool StartDetachedCommandLine(const QString &commandLine, qint64 *pid = nullptr);

// Opens a web address with the desktop's handler.
bool OpenUrl(const QString &url);

} // namespace os
