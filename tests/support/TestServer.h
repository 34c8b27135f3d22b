#pragma once
// The head-office server in-process, for tests: a temporary store seeded with
// the demo data, served on a free loopback port. One per test suite:
//
//   class MyScreenTest : public TestServerSuite {};   // server for the suite
//   TEST_F(MyScreenTest, ...) { server().url(); connection(); }
//
// or on its own: TestServer s; s.start(); ... s.stop();

#include <QString>

#include <gtest/gtest.h>

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

private:
    static TestServer *s_server;
    static RemoteConnection *s_connection;
};
