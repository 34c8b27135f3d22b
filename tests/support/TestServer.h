#pragma once
// The head-office server in-process, for tests: a temporary store seeded with
// the demo data, served on a free loopback port, with the notice and support
// pages (server/NoticePages.h). One per test suite:
//
//   class MyScreenTest : public TestServerSuite {};   // server for the suite
//   TEST_F(MyScreenTest, ...) { server().url(); connection(); }
//
// or on its own: TestServer s; s.start(); ... s.stop();
//
// The server is secured as a real one: every call needs a terminal's key and
// every write a signed-in user. Connections made here are terminals of the
// demo store 9999, each with a key of its own (so that one's sign-in does not
// end another's session; the data-module fixtures use the demo terminal's
// key itself), signed in as 1001 unless asked otherwise:
//
//   server().connect()                        // store 9999, user 1001
//   server().connect("1002")                  // store 9999, user 1002
//   server().connect("")                      // store 9999, no session
//   server().connect("", QString())           // no key at all
//   server().connect("2001", TestServer::store0001Key())  // store 0001's terminal
//   TestServer::signIn(connection, "1003")    // another user on a connection
//   server().credentials("1002")              // key and session for a client of a test's own

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <memory>
#include <optional>

class RemoteConnection;
namespace hq {
class Store;
class Dispatcher;
class HqServer;
}

class TestServer {
public:
    TestServer();
    ~TestServer();

    // Adds a hook that installs GET pages (HqServer::addPages) on the server
    // each time it starts; call before start().
    void onStart(std::function<void(hq::HqServer &)> install);
    // Serves the update folder `dir` (archives and versions.txt, see
    // server/Updates.h) each time the server starts; call before start().
    void serveUpdates(const QString &dir);

    // Creates the temporary store, seeds it and starts serving; throws on failure.
    void start();
    void stop(); // stops serving and removes the temporary store

    bool running() const;
    int port() const;
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString url() const; // "http://127.0.0.1:<port>/BIN"
    QString databasePath() const;

    hq::Store &store();
    hq::Dispatcher &dispatcher();

    // The keys of the demo terminals: 9999/9999/99 (the INI's) and
    // 9999/0001/01 (user 2001's store).
    static QString demoKey();
    static QString store0001Key();

    // A connection to this server (user agent as the terminal sends it)
    // carrying `key` (none: a new terminal of store 9999 with a key of its
    // own; an empty key: no key) and, unless `user` is empty, signed in as `user`.
    std::unique_ptr<RemoteConnection> connect(const QString &user = QStringLiteral("1001"),
                                              const std::optional<QString> &key = std::nullopt) const;
    // Signs `user` (password 1234) in on the connection through the sign-in
    // procedure, as the terminal does, for the store of the connection's key;
    // the connection keeps the session. Returns the user's number (UIADNB);
    // throws when the server refuses.
    static QString signIn(RemoteConnection &connection, const QString &user);
    // A new terminal of store 9999 with `user` signed in (none when empty),
    // for a client of a test's own: "Authorization: Bearer <key>" and
    // "X-RALD-Session: <session>".
    struct Credentials {
        QString key, session;
    };
    Credentials credentials(const QString &user = QStringLiteral("1001")) const;
    // Gives a new terminal of the store (company 9999) a key and returns it.
    QString newTerminalKey(const QString &store = QStringLiteral("9999")) const;

    // The calls answered or refused since start or the last clearCalls(), in
    // order: the procedure's upper-case name ("GP_SELECT_F0050_POS_LOGIN"), or
    // for free SQL "SQL:units", "SQL:time" or "SQL:other".
    QStringList calls() const;
    void clearCalls();

    // Makes the nth call (1 = the next one) of a procedure fail: BeforeRun
    // refuses it with an error answer and writes nothing; AfterCommit lets it
    // commit and then answers with an error (a lost answer). Each armed
    // failure fires once; the message is "test failure".
    enum class FailMode { BeforeRun, AfterCommit };
    void failCall(const QString &procedure, int nth, FailMode mode);
    void clearFailures();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A test suite with one server for all its tests.
class TestServerSuite : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    static TestServer &server();
    // A connected connection shared by the suite's tests.
    static RemoteConnection &connection();
    // Runs SQL statements on the suite's store.
    static void exec(const std::string &sql);
    // The first column of the first row of a query on the store, as an integer.
    static int scalar(const std::string &query);
    // Every row of a query on the store, its columns as text joined by "|".
    static QStringList rows(const std::string &query);

private:
    static TestServer *s_server;
    static RemoteConnection *s_connection;
};
