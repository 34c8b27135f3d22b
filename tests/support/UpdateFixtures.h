#pragma once
// Fixtures of the update tests: the build's program folder and cipher
// library, stand-in program files carrying a version marker, and an update
// folder filled through the server's own publishing step.

#include "support/TestServer.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A test server serving an update folder of its own (one per suite);
// `pages` installs further GET pages, asked before the update pages.
class UpdateServer {
public:
    explicit UpdateServer(std::function<void(hq::HqServer &)> pages = {});

    QString folder() const { return m_updates.path(); }
    QString filePath(const QString &name) const { return m_updates.filePath(name); }
    // "http://127.0.0.1:<port>/", the update base address of the terminal.
    QString base() const;
    int port() const { return m_server.port(); }
    // Empties the update folder: nothing published.
    void clear();

private:
    QTemporaryDir m_updates;
    TestServer m_server;
};

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
