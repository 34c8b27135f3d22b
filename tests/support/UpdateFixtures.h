#pragma once
// Fixtures of the update tests: the build's program folder and cipher
// library, stand-in program files carrying a version marker, and an update
// folder filled through the server's own publishing step.

#include <QByteArray>
#include <QString>

// The program folder of the build: RALD_BIN_DIR, else bin/ beside the folder
// of the running test program.
QString BuiltProgramDir();

// Copies the built cipher library into <programDir>/dll/; false (with a test
// failure) when the build has none.
bool CopyCipherLibrary(const QString &programDir);

// `size` bytes of hardly compressible filler with a version marker inside
// (none when version is empty). The marker is put together at run time, so
// the test programs themselves carry none.
QByteArray ProgramBytes(const QString &version, int size = 4096);

// Writes bytes to path with mode 0755 (or `mode`); false on failure.
bool WriteProgram(const QString &path, const QByteArray &bytes, int mode = 0755);

QByteArray ReadAll(const QString &path);

// Publishes an updater ("Mupdater") and a terminal ("KV_RALD") into
// updateDir through the server's publishing step; an empty QByteArray
// leaves that program out.
bool Publish(const QString &updateDir, const QByteArray &updater, const QByteArray &program);
