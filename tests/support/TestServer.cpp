#include "support/TestServer.h"

#include "DemoSeed.h"
#include "HqServer.h"
#include "platform/remote/RemoteConnection.h"

#include <QTemporaryDir>

#include <stdexcept>

struct TestServer::Impl {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<hq::Store> store;
    std::unique_ptr<hq::Dispatcher> dispatcher;
    std::unique_ptr<hq::HqServer> http;
};

TestServer::TestServer() : d(std::make_unique<Impl>()) {}

TestServer::~TestServer()
{
    stop();
}

void TestServer::start()
{
    stop();
    d->dir = std::make_unique<QTemporaryDir>();
    if (!d->dir->isValid())
        throw std::runtime_error("cannot create a temporary folder for the test store");
    d->store = std::make_unique<hq::Store>(databasePath().toStdString());
    // Cheap password hashes: the store is thrown away after the suite.
    hq::seedDemo(*d->store, hq::HashCost::Minimal);
    d->dispatcher = std::make_unique<hq::Dispatcher>(*d->store);
    d->dispatcher->setLog([](const QString &) {}); // refusals are what many tests ask for
    hq::HqServer::Options options;
    options.host = "127.0.0.1";
    options.port = 0;
    d->http = std::make_unique<hq::HqServer>(*d->dispatcher, options);
    d->http->start();
}

void TestServer::stop()
{
    if (d->http)
        d->http->stop();
    d->http.reset();
    d->dispatcher.reset();
    d->store.reset();
    d->dir.reset();
}

bool TestServer::running() const
{
    return d->http != nullptr;
}

int TestServer::port() const
{
    return d->http ? d->http->port() : 0;
}

QString TestServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/BIN").arg(port());
}

QString TestServer::databasePath() const
{
    return d->dir ? d->dir->filePath(QStringLiteral("hq.db")) : QString();
}

hq::Store &TestServer::store()
{
    if (!d->store)
        throw std::logic_error("test server not started");
    return *d->store;
}

hq::Dispatcher &TestServer::dispatcher()
{
    if (!d->dispatcher)
        throw std::logic_error("test server not started");
    return *d->dispatcher;
}

std::unique_ptr<RemoteConnection> TestServer::connect() const
{
    auto c = std::make_unique<RemoteConnection>();
    c->setTargetUrl(url());
    c->setUserAgent(QStringLiteral("KV_9999_9999_99"));
    c->Connect();
    return c;
}

TestServer *TestServerSuite::s_server = nullptr;
RemoteConnection *TestServerSuite::s_connection = nullptr;

void TestServerSuite::SetUpTestSuite()
{
    s_server = new TestServer;
    s_server->start();
    s_connection = s_server->connect().release();
}

void TestServerSuite::TearDownTestSuite()
{
    delete s_connection;
    s_connection = nullptr;
    delete s_server;
    s_server = nullptr;
}

TestServer &TestServerSuite::server()
{
    return *s_server;
}

RemoteConnection &TestServerSuite::connection()
{
    return *s_connection;
}
