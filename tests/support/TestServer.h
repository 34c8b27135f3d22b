#pragma once
// The head-office server in-process, for tests: a temporary store seeded with
// the demo data, served on a free loopback port, with the notice and support
// pages (server/NoticePages.h). One per test suite:
//
//   class MyScreenTest : public TestServerSuite {};   // server for the suite
//   TEST_F(MyScreenTest, ...) { server().url(); connection(); }
//
// or on its own: TestServer s; s.start(); ... s.stop();

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <memory>

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

    // A connection to this server (user agent as the terminal sends it).
    std::unique_ptr<RemoteConnection> connect() const;

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
